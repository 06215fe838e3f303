#pragma once
// "Hoja de asistencia del grupo": the day's active enrolments with a box for each class; and
// "Resumen de faltas": each enrolment's absence counts over a period, shown and printed.
#include <QDialog>
#include <memory>

#include "classroom/hojaasistencia.h"

class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace zmk {

class TFRMHojaAsistencia : public QDialog {
  public:
    TFRMHojaAsistencia(int idGrupo, const QDate& dia, QWidget* parent = nullptr);

    QDateEdit* ebFecha = nullptr;
    QLabel* lblHorario = nullptr;
    QTableWidget* tabla = nullptr;
    QPushButton* bbCerrar = nullptr;
    const THojaAsistencia& Hoja() const { return *hoja_; }

  private:
    void Cargar(const QDate& dia);
    void Rellenar();
    void Cambiado(QTableWidgetItem* item);
    int grupo_;
    std::unique_ptr<THojaAsistencia> hoja_;
    bool rellenando_ = false;
};

class TFRMResumenFaltas : public QDialog {
  public:
    TFRMResumenFaltas(const QDate& desde, const QDate& hasta, int idGrupo,
                      QWidget* parent = nullptr);

    QDateEdit* ebDesde = nullptr;
    QDateEdit* ebHasta = nullptr;
    QTableWidget* tabla = nullptr;
    QPushButton* bbImprimir = nullptr;
    void Consultar();

  private:
    int grupo_;
};

void MostrarHojaAsistencia(THojaAsistencia& hoja);
void MostrarResumenFaltas(const QDate& desde, const QDate& hasta, int idGrupo);

}  // namespace zmk
