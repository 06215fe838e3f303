#pragma once
// The group grade sheet: one bulletin and one group, a row per enrolment and a column per
// concept (or per subconcept of a concept that has them). Cells write the same grade texts as
// the grade tree, through the grades screen's rules (a locked bulletin, an inactive enrolment
// refuse with their texts).
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace zmk {

class THojaNotas {
  public:
    struct TColumna {
        int concepto = 0;     // 1..8
        int subconcepto = 0;  // position in the concept's grade value (0 without subconcepts)
        QString titulo;       // "Concepto" or "Concepto: Subconcepto"
        QStringList posibles;
    };
    struct TFila {
        int idNotas = 0;  // IDNotasBoletinT25
        int idMatricula = 0;
        QString alumno;
        bool activa = true;
        QVector<QStringList> valores;  // per concept 1..8 (index 0..7), its items
    };

    // Reads the bulletin's concepts and the grade rows of the group's enrolments (by name).
    THojaNotas(int idBoletin, int idGrupo);

    int Boletin() const { return boletin_; }
    int Grupo() const { return grupo_; }
    const QVector<TColumna>& Columnas() const { return columnas_; }
    const QVector<TFila>& Filas() const { return filas_; }
    QString Valor(int fila, int columna) const;
    // The first possible value of the column that starts with what was typed (no case); the
    // typed text itself when none does.
    QString Completar(int columna, const QString& escrito) const;
    // Writes the cell through the grades screen's rules; raises their refusal, changing nothing.
    void Asignar(int fila, int columna, const QString& valor);

    // The report filter of the class sheet (report 105) for this bulletin and group.
    QString FiltroInforme() const;

  private:
    int boletin_;
    int grupo_;
    QVector<TColumna> columnas_;
    QVector<TFila> filas_;
};

// Report number of the printed class sheet.
constexpr int kInformeHojaNotas = 105;

// The sheet on screen for the bulletin of the screen's query; an empty function asks for the
// group and then every cell, row by row, as input boxes (their current value the default).
using TDialogoHojaNotas = std::function<void(THojaNotas& hoja)>;
TDialogoHojaNotas SetDialogoHojaNotas(TDialogoHojaNotas dialogo);
// "HOJA_NOTAS_GRUPO": the group sheet of the bulletin of PRMIP_TQUERYSQL ("PRME01": the group).
void HojaNotasGrupo();

}  // namespace zmk
