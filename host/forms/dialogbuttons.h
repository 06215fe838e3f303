#pragma once
// The row that closes a dialog, at its bottom right: the button that carries out the dialog
// (the default one, "Aceptar" unless the dialog names its action) and "Cancelar".
#include <QBoxLayout>
#include <QPushButton>
#include <QString>

namespace zmk {

// Adds the row to layout; the buttons belong to owner. Their clicks are the dialog's to connect.
void AddDialogButtons(QBoxLayout* layout, QWidget* owner, QPushButton*& aceptar,
                      QPushButton*& cancelar, const QString& caption = QStringLiteral("Aceptar"));

}  // namespace zmk
