#pragma once
// The procedure library: every procedure the screens and data events call, registered in a
// fixed order. Subsystems provide the bodies; a procedure whose subsystem is not built in yet
// refuses with a clear message.
#include <QString>
#include <functional>

#include "host/errors.h"
#include "host/procedures.h"

namespace zmk {

// The refusal of an entry whose subsystem is not built in yet: a screen names it by its
// button's caption instead.
class EProcedureNotAvailable : public EZMKError {
  public:
    using EZMKError::EZMKError;
};

// Registers the whole library. Entries marked for the given registry go into it; the others
// into the registry of the application object that owns it.
void REGISTER_LIBRARY(TProcedureZMK& registry);

// A subsystem's body for a library entry (by the entry's name).
void SetProcedureBody(const QString& name, TProcCallback body);
bool HasProcedureBody(const QString& name);

// A check that runs before an entry's body: it may refuse (raise) or end the call quietly
// (return false), as the dialog procedures do when no grid is given.
using TProcGuard = std::function<bool(const TProcCall&)>;
void SetProcedureGuard(const QString& name, TProcGuard guard);

}  // namespace zmk
