#pragma once
// The state of an invoice (pending, collected, returned) and the refusal to change one that is
// not pending.
namespace zmk {

class TDataSet;

// States of an invoice as EstadoFactura answers them.
enum TEstadoFactura : int {
    kFacturaIndeterminada = 0,  // the data set lacks CobradaT15 or DevueltaT15
    kFacturaPendiente = 1,
    kFacturaCobrada = 2,
    kFacturaDevuelta = 3,
};
int EstadoFactura(TDataSet& dataSet);
// Raises unless the invoice is pending (texts 10102, 10103, 10104).
void ExigirFacturaModificable(int idFactura);

}  // namespace zmk
