#pragma once
// The "Aceptar" / "Cancelar" row that closes the billing dialogs; Aceptar is the default button.
#include <QBoxLayout>
#include <QPushButton>

namespace zmk {

void AnadeBotonera(QBoxLayout* layout, QWidget* owner, QPushButton*& aceptar,
                   QPushButton*& cancelar);

}  // namespace zmk
