#pragma once
// "Faltas de Asistencia": adds an absence of the enrolment on a day (its morning or afternoon
// class, or free hours) or deletes one of the day's absences.
#include <QDialog>

#include "classroom/faltas.h"

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimeEdit;
class QCheckBox;

namespace zmk {

class TFRMFaltasAsistencia : public QDialog {
  public:
    TFRMFaltasAsistencia(TFaltasAsistencia& faltas, bool borrar, QWidget* parent = nullptr);

    QDateEdit* ebFecha = nullptr;
    QLabel* lblAlumnoNombre = nullptr;
    QLabel* lblMatriculaInfo = nullptr;
    QLabel* lblHM = nullptr;
    QLabel* lblHT = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* tsAdd = nullptr;
    QWidget* tsDel = nullptr;
    QRadioButton* rbManana = nullptr;
    QRadioButton* rbTarde = nullptr;
    QRadioButton* rbLibre = nullptr;
    // An empty time box (unticked) leaves the absence without times.
    QCheckBox* cbHI = nullptr;
    QTimeEdit* ebHI = nullptr;
    QCheckBox* cbHF = nullptr;
    QTimeEdit* ebHF = nullptr;
    QPushButton* bbAdd = nullptr;
    QListWidget* lbFaltas = nullptr;
    QPushButton* bbDel = nullptr;
    QPushButton* BitBtn2 = nullptr;

    void bbAddClick();
    void bbDelClick();

  private:
    void Mostrar();
    void MostrarHoras();
    void ElegirTipo(TTipoFalta tipo);
    void TomarHoras();

    TFaltasAsistencia& faltas_;
    bool ocupado_ = false;
};

// Shows the dialog for the state (the procedures' dialog).
void MostrarFaltasAsistencia(TFaltasAsistencia& faltas, bool borrar);

}  // namespace zmk
