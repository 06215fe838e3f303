#pragma once
// The SEPA data check over the whole company database: every IBAN (and BIC) of students,
// enrolments with their own payment data, invoices and payment methods is checked; the rows in
// error are listed in a report, and the applying pass completes Spanish IBANs without control
// digits and fills in the BIC from the bank entity table.
#include <QStringList>
#include <functional>

namespace zmk {

// Runs one pass and returns the report. With aplicar the completions are written, row by row
// (no transaction: what was written stays when an error stops the pass).
QStringList InformeDatosSEPA(bool aplicar);

// Shows the report and asks whether to apply; answers true when the user accepted it. The
// screens install a result window; without one the report is shown as a message and the
// question "ACEPTAR y procesar los cambios" is asked through the prompt service.
using TVistaInformeSEPA = std::function<bool(const QStringList& informe)>;
void SetVistaInformeSEPA(TVistaInformeSEPA vista);

// The menu entry's check: without aplicar, the report is shown and, when the user accepts it,
// the applying pass runs; returns whether the changes were applied.
bool ComprobarDatosSEPA(bool aplicar);

}  // namespace zmk
