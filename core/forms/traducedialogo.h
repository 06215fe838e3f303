#pragma once
// Translates a dialog's texts: the caption reads section + ".Caption"; every label, button and
// group box with an object name reads section + "." + name, its built-in text being the default.
#include <QString>
#include <QWidget>

namespace zmk {

void TraduceDialogo(QWidget* dialogo, const QString& seccion);

}  // namespace zmk
