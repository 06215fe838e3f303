#pragma once
// Buttons of the billing forms run the logic inside the event loop, where an exception must not
// escape: a refusal is shown in the standard error box and the form stays open.
#include <functional>

namespace zmk {

// Runs accion; true when it finished. EZMKError and other failures are shown, a silent abort
// is not.
bool EjecutaProtegido(const std::function<void()>& accion);

}  // namespace zmk
