#pragma once
// TCCFRMConfMoneda: the currency of the open company database.
#include <QWidget>

namespace zmk {

// Shows the dialog; true when the changes were applied.
bool ShowMonedaDialog(QWidget* parent);

}  // namespace zmk
