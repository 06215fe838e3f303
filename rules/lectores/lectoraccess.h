#pragma once
// Access databases (".mdb" of Jet 3 and 4, ".accdb" of Access 2007 and later) through mdbtools:
// every user table (not the system's MSys ones) with its columns by name. Texts and memos are
// texts; whole-number columns qlonglong; single and double numbers double; currency and
// decimal columns the exact decimal as text, so that no cent is lost; dates QDate, or QDateTime
// when they carry a time; yes/no bool. Binary and OLE columns are there, without values.
// libmdb may crash or loop on a damaged file: it reads in a child process (procesoaparte.h).
#include "rules/lectores/origendatos.h"

namespace zmk {

class TLectorAccess : public TOrigenDatos {
  public:
    // Opens the database and lists its tables; a file that is not one or is damaged raises.
    explicit TLectorAccess(const QString& archivo);

    QStringList Tablas() override { return tablas_; }
    TTablaOrigen LeerTabla(const QString& nombre) override;

  private:
    QStringList tablas_;
};

// An exact decimal as Access writes it ("12.3400") with at least two decimals ("12.34").
QString DecimalExacto(const QString& texto);

}  // namespace zmk
