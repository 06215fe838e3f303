#pragma once
// The issuer an invoice is issued with: the company's legal data ("Datos empresa") as they were
// on the day, kept on the invoice so that a reprint years later shows the same issuer whatever
// the company data say by then. The centre stays the place of teaching.
#include <QStringList>
#include <QVariantList>

namespace zmk {

// The invoice columns that keep the issuer, in the order of EmisorActual's values.
const QStringList& ColumnasEmisor();

// The company data for those columns (name, tax code, address, post code, town) as the company
// file holds them; a value that is empty or cannot be read is NULL, so that the print falls back
// to the centre's.
QVariantList EmisorActual();

// A company file made before invoices kept their issuer gets the columns, and its invoices the
// company data of today, the best knowledge of what they were issued with (a read-only
// connection, or one whose write lock is busy, is left as it is until the next).
void AseguraEmisorFacturas();

}  // namespace zmk
