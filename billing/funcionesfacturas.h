#pragma once
// The life cycle of an invoice after generation: collect, return (with a pending copy to
// collect again), cancel a return, cancel a collection, delete; each change leaves an
// automatic incident on the invoice.
#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace zmk {

class TDataSet;

// Collects the invoice: numbers it when it has no number and numerar, puts it in the
// remittance idRemesa (> 0), the collection date (ponerFechaCobro), the invoice date
// (cambiarFecha) and the payment method (idFormaCobro > 0).
void CobrarFactura(int idFactura, int idRemesa, bool numerar, int idFormaCobro,
                   const QDate& fechaFactura, bool cambiarFecha, const QDate& fechaCobro,
                   bool ponerFechaCobro);
// Marks a collected invoice as returned by the bank and creates a pending copy (header, lines
// and incident history) marked for review. codigoMotivo may be Null.
int DevolverFactura(int idFactura, const QVariant& codigoMotivo, const QDate& fechaDevolucion);
// The returned invoice becomes collected again; its pending copy stays.
void AnularDevolucion(int idFactura);
// A collected invoice outside any remittance becomes pending again.
void AnularCobro(int idFactura);

// Writes the automatic incident of an invoice action.
void AnotarIncidenciaFactura(int idFactura, const QString& texto, bool resuelta);
// The invoice's identification in messages: number, series, name and amount.
QString DescripcionFactura(TDataSet& factura);

// The report id invoices print with ("DefaultFormatoFactura"); below 1 none is configured.
int FormatoFactura();
// Prints the invoices with the configured format once their changes are saved: an error while
// printing is shown and undoes nothing; with no format configured nothing is printed.
void ImprimirFacturas(const QList<int>& ids);

class TZMKDBGrid;
// The invoice functions form on screen, over the invoices' grid: true when it closed with OK.
// Returns the previous one; an empty function restores the prompt service.
using TDialogoFuncionesFacturas = std::function<bool(TZMKDBGrid& grid)>;
TDialogoFuncionesFacturas SetDialogoFuncionesFacturas(TDialogoFuncionesFacturas dialogo);

}  // namespace zmk
