#pragma once
// Settlements: what a centre owes for its courses, the enrolments active at the end of a period
// times each course's per-enrolment fee.
#include <QDate>
#include <QString>
#include <functional>

namespace zmk {

// Adds one line per course with active enrolments at fechaFinal to the settlement idLiquidacion,
// or to a new one (idLiquidacion < 1) numbered within the centre. One transaction; returns the
// settlement's id.
int GenerarLiquidacion(int idCentro, int idLiquidacion, const QDate& fechaFinal,
                       const QDate& fechaInicial, const QDate& fechaLiquidacion,
                       const QString& prefijo, const QString& descripcion);
// The settlement's total from its lines.
void RecalcularLiquidacion(int idLiquidacion);

// The settlements form without widgets.
struct TFormGenerarLiquidaciones {
    QDate fechaLiquidacion;
    QString descripcion;   // at most 50 characters
    bool mensual = false;  // "Generar liquidación mensual de cursos por centro"
    QDate fechaInicial, fechaFinal;
    // The twelve month entries ('Septiembre 2005     09'), newest first, and which are checked.
    QStringList meses;
    QList<bool> marcados;

    static TFormGenerarLiquidaciones Inicial();
    // The dates and the month list that follow the settlement date.
    void FechaCambiada();
    // "Aceptar": the settlement of the current centre; returns its id.
    int Aceptar() const;
};

// The settlements form on screen: true when it closed with OK. Returns the previous one; an
// empty function restores the prompt service.
using TDialogoGenerarLiquidaciones = std::function<bool()>;
TDialogoGenerarLiquidaciones SetDialogoGenerarLiquidaciones(TDialogoGenerarLiquidaciones dialogo);

}  // namespace zmk
