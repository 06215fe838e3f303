#include "billing/forms/botonera.h"

namespace zmk {

void AnadeBotonera(QBoxLayout* layout, QWidget* owner, QPushButton*& aceptar,
                   QPushButton*& cancelar) {
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    aceptar = new QPushButton(QStringLiteral("Aceptar"), owner);
    cancelar = new QPushButton(QStringLiteral("Cancelar"), owner);
    aceptar->setDefault(true);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);
}

}  // namespace zmk
