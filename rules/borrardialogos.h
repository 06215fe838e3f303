#pragma once
// The two dialogs that ask how a course or a group is deleted: its groups (enrolments) go too,
// or they stay. The logic lives here; until the screen engine draws the forms, the dialog is
// answered through the prompt service: "1" for the first option, "2" for the second, "cancel"
// for Cancelar.
#include <QString>
#include <QStringList>
#include <functional>

namespace zmk {

enum class TModalResult { None, Ok, Cancel };

struct TTextosBorrado {
    QString caption;  // the window's caption
    QString titulo;   // "Importante", red and bold
    QStringList lineas;
    QString rotuloOpciones;  // the radio group's caption
    QStringList opciones;    // rgOpciones' two items
};

class TFRMBorrarOpciones {
  public:
    // cascada runs with true for the first option and false for the second.
    TFRMBorrarOpciones(TTextosBorrado textos, std::function<void(bool primeraOpcion)> cascada);

    const TTextosBorrado& Textos() const { return textos_; }
    // -1 while nothing is selected (as the dialog opens).
    int ItemIndex() const { return item_index_; }
    void SetItemIndex(int index) { item_index_ = index; }
    TModalResult ModalResult() const { return modal_result_; }

    // Borrar (the default button): refuses when no option is selected, else runs the cascade and
    // closes with OK.
    void bbBorrarClick();
    // Cancelar: closes with Cancel.
    void bbCancelarClick();

    // Shows the dialog modally (through the prompt service) and answers how it was closed.
    TModalResult ShowModal();

  private:
    TTextosBorrado textos_;
    std::function<void(bool)> cascada_;
    int item_index_ = -1;
    TModalResult modal_result_ = TModalResult::None;
};

// Shows the dialog on screen and answers how it was closed (the dialog calls bbBorrarClick /
// bbCancelarClick). Returns the previous one; an empty function restores the prompt service.
using TDialogoBorrar = std::function<TModalResult(TFRMBorrarOpciones& dialogo)>;
TDialogoBorrar SetDialogoBorrar(TDialogoBorrar dialogo);

// "Borrar Curso": with the first option the course's groups are deleted too.
class TFRMBorrarCurso : public TFRMBorrarOpciones {
  public:
    explicit TFRMBorrarCurso(std::function<void(bool borrarGrupos)> cascada);
};

// "Borrar Grupo": with the first option the group's enrolments are deleted too.
class TFRMBorrarClase : public TFRMBorrarOpciones {
  public:
    explicit TFRMBorrarClase(std::function<void(bool borrarMatriculas)> cascada);
};

}  // namespace zmk
