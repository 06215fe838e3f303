#pragma once
// The state of a record form's controls, which follows the record shown: its activate and
// deactivate button, its data-entry controls and the panels that depend on a check box.
#include <QString>

namespace zmk {

// Shows or hides a named control of the current form (PRMIP_ZMKFORM). A missing control is
// reported with the form's name; without a form it only beeps.
void MostrarControl(const QString& nombre, bool visible);

}  // namespace zmk
