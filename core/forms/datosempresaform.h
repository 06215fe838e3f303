#pragma once
// TCCFRMConfDatosEmpresa: the company data of the open company database.
#include <QWidget>

namespace zmk {

// Shows the dialog; true when accepted (the data is stored and published again; the caller
// repaints the background).
bool ShowDatosEmpresaDialog(QWidget* parent);

}  // namespace zmk
