#pragma once
// The group attendance sheet: one group and one day, its active enrolments with a box for the
// day's morning and afternoon classes. Ticking adds that class as an absence (through the same
// overlap search as the absences dialog); clearing removes it. And each enrolment's absence
// counts over a period.
#include <QDate>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

#include "classroom/faltas.h"

namespace zmk {

class TDataSet;

class THojaAsistencia {
  public:
    struct TFila {
        int idMatricula = 0;
        QString alumno;
        int faltaManana = 0;  // the absence that is the morning class, 0 none
        int faltaTarde = 0;
    };

    THojaAsistencia(int idGrupo, const QDate& dia);
    int Grupo() const { return grupo_; }
    QDate Dia() const { return dia_; }
    const THorarioDia& Horario() const { return horario_; }
    const QVector<TFila>& Filas() const { return filas_; }

    // Ticks (adds the class as an absence) or clears (removes it). A day without that class,
    // or an overlapping absence, refuses with the absences dialog's texts.
    void Marcar(int fila, TTipoFalta clase, bool falta);

  private:
    void Leer();
    int grupo_;
    QDate dia_;
    THorarioDia horario_;
    QVector<TFila> filas_;
};

// The absences of each enrolment of the current centre (of one group when idGrupo > 0) between
// two days, with their counts: NMatriculaT02, NombreCompletoT01, CodigoT05, Total,
// Justificadas, NoJustificadas. A read-only data set, open.
std::unique_ptr<TDataSet> ResumenFaltas(const QDate& desde, const QDate& hasta, int idGrupo);
QString TituloResumenFaltas(const QDate& desde, const QDate& hasta);

// On screen: the sheet and the counts; empty functions ask through the prompt service (the day
// and then, per enrolment and class, whether it missed it; the period and the counts as
// PRMS01).
using TDialogoHojaAsistencia = std::function<void(THojaAsistencia& hoja)>;
TDialogoHojaAsistencia SetDialogoHojaAsistencia(TDialogoHojaAsistencia dialogo);
using TVistaResumenFaltas = std::function<void(const QDate& desde, const QDate& hasta, int grupo)>;
TVistaResumenFaltas SetVistaResumenFaltas(TVistaResumenFaltas vista);

// "HOJA_ASISTENCIA_GRUPO" and "RESUMEN_FALTAS" for the group of PRMIP_TQUERYSQL (T05Grupos);
// the summary also from any screen (all the centre's groups).
void HojaAsistenciaGrupo();
void ResumenFaltasGrupo();

}  // namespace zmk
