#pragma once
// What the grade-assignment tree shows of a grade record: each concept of its bulletin with
// its subconcepts, possible values and assigned values, and how a concept's values are written
// back to the record.
#include <QString>
#include <QStringList>
#include <QVector>

namespace zmk {

class TDataSet;

struct TConceptoArbol {
    int concepto = 0;  // 1..8
    QString nombre;
    QStringList subconceptos;  // empty: the concept itself takes the value
    QStringList posibles;
    QStringList asignados;  // one per node (subconcept, or the concept alone); "" unassigned
};

// The concepts of the record's bulletin that have a definition; nota 1..8 keeps only that one
// (0 all). Empty when the data set has no bulletin field or no bulletin.
QVector<TConceptoArbol> ConceptosArbolNotas(TDataSet& notas, int nota);

// How a node's value is shown: unassigned (red), one of the possible values (green), another
// (blue).
enum class TEstadoValorNota { SinAsignar, Posible, Otro };
TEstadoValorNota EstadoValorNota(const QString& valor, const QStringList& posibles);

// Puts the record in edit and stores the concept's node values joined (ValorConc<n>T25).
void EscribirConceptoNota(TDataSet& notas, int concepto, const QStringList& valores);

}  // namespace zmk
