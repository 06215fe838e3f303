#pragma once
// Excel 97-2003 workbooks (".xls") through FreeXL: every sheet is a table, its first row the
// column names. FreeXL tells dates and date-times from numbers by the cells' formats. FreeXL
// overruns its buffers on some damaged files: the workbook is read in a child process
// (procesoaparte.h).
#include "rules/lectores/origendatos.h"

namespace zmk {

class TLectorXls : public TOrigenDatos {
  public:
    // Reads the workbook; a file that is not one, is damaged or is protected raises.
    explicit TLectorXls(const QString& archivo);

    QStringList Tablas() override;
    TTablaOrigen LeerTabla(const QString& nombre) override;

  private:
    QList<TTablaOrigen> hojas_;
};

}  // namespace zmk
