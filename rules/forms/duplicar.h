#pragma once
// "Duplicar": the options of a course or group copy, with the boxes that depend on others.
#include <QDialog>
#include <optional>

#include "rules/duplicar.h"

class QCheckBox;
class QPushButton;
class QTabWidget;

namespace zmk {

class TFRMDuplicar : public QDialog {
  public:
    explicit TFRMDuplicar(bool modoCurso, QWidget* parent = nullptr);

    // The boxes as they stand.
    TOpcionesDuplicado Opciones() const;

    QTabWidget* PageControl = nullptr;
    QWidget* tsDuplicarGrupo = nullptr;
    QWidget* tsDuplicarCurso = nullptr;
    QCheckBox* cbDuplicarGrupos = nullptr;
    QCheckBox* cbDuplicarConceptosCurso = nullptr;
    QCheckBox* cbDuplicarConceptosGrupo = nullptr;
    QCheckBox* cbDuplicarMatriculas = nullptr;
    QCheckBox* cbDuplicarConceptosMatricula = nullptr;
    QPushButton* bbDuplicar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    // Enables each box only while its master box is checked; a disabled box is unchecked.
    void AplicarDependencias();
};

// The dialog as the duplication asks for it: the options, or nullopt when closed otherwise.
std::optional<TOpcionesDuplicado> MostrarDialogoDuplicar(bool modoCurso);

}  // namespace zmk
