#pragma once
// What a logged-in database user may do on each table, as the screens and escolia-cli ask it
// (host/rights.h), and the program's tables that the rights editor lists.
#include <QStringList>

#include "host/rights.h"
#include "maintenance/passwords.h"

namespace zmk {

// Administrators may do everything; others what their rights list says (a table without an
// entry is not restricted). Reading only is the connection's business.
class TUserRightsProvider : public TRightsProvider {
  public:
    TUserRightsProvider(TTablesUserRights rights, bool administrator);
    bool Allows(const QString& table, TTableRight right) const override;

  private:
    TTablesUserRights rights_;
    bool administrator_;
};

// The tables a user may be given rights on: "T01Alumnos=Alumnos", ...
const QStringList& ProgramTables();
// The caption of a program table; the name itself when it is not listed.
QString ProgramTableCaption(const QString& table);

}  // namespace zmk
