#pragma once
// Excel 97-2003 workbooks (".xls") through FreeXL: every sheet is a table, its first row the
// column names. FreeXL tells dates and date-times from numbers by the cells' formats.
#include "rules/lectores/origendatos.h"

namespace zmk {

class TLectorXls : public TOrigenDatos {
  public:
    // Reads the workbook; a file that is not one, is damaged or is protected raises.
    explicit TLectorXls(const QString& archivo);
    ~TLectorXls() override;
    TLectorXls(const TLectorXls&) = delete;
    TLectorXls& operator=(const TLectorXls&) = delete;

    QStringList Tablas() override { return hojas_; }
    TTablaOrigen LeerTabla(const QString& nombre) override;

  private:
    [[noreturn]] void Falla(int codigo) const;
    const void* libro_ = nullptr;
    QStringList hojas_;
};

}  // namespace zmk
