#pragma once
namespace zmk::cli {
// "invoice recalc": invoice totals on the --db database.
void RegisterInvoiceCommands();
}  // namespace zmk::cli
