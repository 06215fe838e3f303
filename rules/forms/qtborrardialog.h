#pragma once
// "Borrar Curso" / "Borrar Grupo" on screen: the warning, the two deletion options and the
// buttons of a TFRMBorrarOpciones.
#include <QDialog>

#include "rules/borrardialogos.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace zmk {

class TQtBorrarDialog : public QDialog {
  public:
    explicit TQtBorrarDialog(const TTextosBorrado& textos, QWidget* parent = nullptr);

    // -1 while no option is chosen.
    int ItemIndex() const;

    QRadioButton* opcion[2] = {};
    QPushButton* bbBorrar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    QButtonGroup* rgOpciones_ = nullptr;
};

// Shows the dialog for the logic's form: Borrar without a choice shows the form's refusal and
// stays open; with one, the cascade runs once the dialog is closed, so its errors reach the
// caller.
TModalResult MostrarDialogoBorrar(TFRMBorrarOpciones& form);

}  // namespace zmk
