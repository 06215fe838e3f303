#pragma once
// Workbooks of Excel 2007 and later (".xlsx") and OpenDocument spreadsheets (".ods") through
// liborcus: every sheet is a table, its first row the column names. The cells are taken as the
// file stores them; a number whose format shows a date or a time becomes one, shared and rich
// texts become texts, and a formula gives the result the file keeps for it. liborcus aborts the
// program on some damaged files: the workbook is read in a child process (procesoaparte.h).

#include "rules/lectores/origendatos.h"

namespace zmk {

class TLectorHojaCalculo : public TOrigenDatos {
  public:
    // Reads the whole workbook; a file that is not one of its kind or is damaged raises.
    explicit TLectorHojaCalculo(const QString& archivo);
    QStringList Tablas() override;
    TTablaOrigen LeerTabla(const QString& nombre) override;

  private:
    QList<TTablaOrigen> hojas_;
};

}  // namespace zmk
