#pragma once
// The set-based steps the cascades share: one statement for all the rows a course or centre
// holds, instead of one per row, and the reads that drive the row-by-row steps.
#include <QString>
#include <QVector>

namespace zmk {

// Deletes the concepts that satisfy a condition on T14ConceptosMatricula together with their
// copies at any depth; the invoice lines made from any of them stay, unlinked.
void EliminarConceptosDonde(const QString& condicionT14);

// Deactivates the enrolments that satisfy a condition on T02Matriculas: their concepts go, an
// empty leaving date becomes today and each gets a "07-Baja de la matrícula" incidence.
void DesactivarMatriculasDonde(const QString& condicionT02);

// Writes one automatic incidence per row of a select that yields, in this order, the centre,
// course, group, enrolment, student and teacher keys (Null or 0 when not given).
void CrearIncidenciasAutomaticas(const QString& selectClaves, const QString& texto,
                                 const QString& titulo);

// A row read to drive a cascade: its key and, when the select has a second column, its text.
struct TFilaCascada {
    int id = 0;
    QString texto;
};
QVector<TFilaCascada> LeerFilas(const QString& sql);

// An integer column of one row ("SELECT <campo> FROM <tabla> WHERE <clave>=<id>"); 0 when the
// row is missing or the value is Null.
int LeerEntero(const QString& tabla, const QString& campo, const QString& clave, int id);

// The condition "<campo>=<key literal>".
QString CondicionClave(const QString& campo, int id);

// round(i * 100 / n): the percent of the i-th of n rows.
int Porcentaje(int i, int n);

}  // namespace zmk
