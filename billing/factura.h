#pragma once
// Keeping an invoice header consistent with its lines, and invoice numbering.
#include <QVariant>

#include "host/currency.h"

namespace zmk {

// Totals and VAT breakdown (at most three rates) of the invoice from its lines; lines entered
// with their total only get their price and base worked out. Then writes the receipt text and
// returns the invoice total. Runs in the caller's transaction.
Currency RecalcularFactura(int idFactura);

// Recalculates every invoice with discounted lines or lines entered with their total only, in a
// transaction of its own committed only when the user accepts the summary.
void RecalcularFacturasAntiguas();

// The next invoice number of a series (a Null or unknown series: the invoices without series).
int SiguienteNumeroFactura(const QVariant& idSerie);

}  // namespace zmk
