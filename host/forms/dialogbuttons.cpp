#include "host/forms/dialogbuttons.h"

namespace zmk {

void AddDialogButtons(QBoxLayout* layout, QWidget* owner, QPushButton*& aceptar,
                      QPushButton*& cancelar, const QString& caption) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    aceptar = new QPushButton(caption, owner);
    cancelar = new QPushButton(QStringLiteral("Cancelar"), owner);
    aceptar->setDefault(true);
    row->addWidget(aceptar);
    row->addWidget(cancelar);
    layout->addLayout(row);
}

QPushButton* DialogButton(const QString& name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace zmk
