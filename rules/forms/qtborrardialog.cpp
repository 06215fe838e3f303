#include "rules/forms/qtborrardialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/prompt.h"

namespace zmk {

TQtBorrarDialog::TQtBorrarDialog(const TTextosBorrado& textos, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(textos.caption);
    auto* layout = new QVBoxLayout(this);
    auto* titulo = new QLabel(textos.titulo, this);
    QFont negrita = titulo->font();
    negrita.setBold(true);
    negrita.setPointSize(negrita.pointSize() + 2);
    titulo->setFont(negrita);
    titulo->setStyleSheet(QStringLiteral("color: red;"));
    layout->addWidget(titulo);
    for (const QString& linea : textos.lineas) layout->addWidget(new QLabel(linea, this));

    auto* grupo = new QGroupBox(textos.rotuloOpciones, this);
    auto* gl = new QVBoxLayout(grupo);
    rgOpciones_ = new QButtonGroup(this);
    // Nothing is chosen at first: the user must pick deliberately.
    rgOpciones_->setExclusive(true);
    for (int i = 0; i < 2 && i < textos.opciones.size(); ++i) {
        opcion[i] = new QRadioButton(textos.opciones[i], grupo);
        rgOpciones_->addButton(opcion[i], i);
        gl->addWidget(opcion[i]);
    }
    layout->addWidget(grupo);

    AddDialogButtons(layout, this, bbBorrar, bbCancelar, QStringLiteral("Borrar"));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    if (opcion[0]) opcion[0]->setFocus();
}

int TQtBorrarDialog::ItemIndex() const {
    return rgOpciones_->checkedId();
}

TModalResult MostrarDialogoBorrar(TFRMBorrarOpciones& form) {
    TQtBorrarDialog dialogo(form.Textos());
    QObject::connect(dialogo.bbBorrar, &QPushButton::clicked, &dialogo, [&] {
        form.SetItemIndex(dialogo.ItemIndex());
        if (dialogo.ItemIndex() < 0) {
            // The form's own refusal, without running anything.
            try {
                form.bbBorrarClick();
            } catch (const EZMKError& e) {
                MuestraError(e.Message());
            }
            return;
        }
        dialogo.accept();
    });
    if (dialogo.exec() != QDialog::Accepted) {
        form.bbCancelarClick();
        return form.ModalResult();
    }
    form.SetItemIndex(dialogo.ItemIndex());
    form.bbBorrarClick();
    return form.ModalResult();
}

}  // namespace zmk
