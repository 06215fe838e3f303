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

// A named button of a dialog's own that Enter does not press (the default button keeps Enter).
QPushButton* DialogButton(const QString& name, const QString& text);

}  // namespace zmk
