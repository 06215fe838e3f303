#pragma once
// The billing functions the invoice and receipt templates call: the text of a bank return's
// reason code ("fn:MotivoDevolucion(Norma19CodMotivoDevT15)") and the legal texts of the VAT
// rates an invoice uses ("fn:TextosLegalesIva(IDFacturaCabT15)", one per line).
#include "host/reports.h"

namespace zmk {

class TFuncionesFacturacion : public TfrFunctionLibrary {
  public:
    TFuncionesFacturacion();

  protected:
    void DoFunction(int fnNumber, const QVariantList& args, QVariant& result) override;
};

// The reason's text for a return code 0..9; any other code is the unknown reason's text.
QString TextoMotivoDevolucion(const QVariant& codigo);

// The legal texts of the VAT types whose rates the invoice's lines use, in rate order.
QStringList TextosLegalesIva(int idFactura);

// The exemption of Spanish teaching from VAT, which the 0 % type carries.
inline constexpr char kTextoExencionEnsenanza[] =
    "Operación exenta de IVA (art. 20.Uno.9º Ley 37/1992)";
// A company file made before the VAT types had their legal text gets the column, and its 0 %
// types the teaching exemption (a read-only connection is left as it is).
void AseguraTextoLegalIva();

void RegisterFuncionesFacturacion();

}  // namespace zmk
