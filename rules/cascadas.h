#pragma once
// Deleting a centre, course, group, enrolment, student, teacher, tariff, invoice, incidence,
// settlement or bulletin removes or unlinks everything that refers to it; every change of state
// leaves an automatic incidence. Each deletion takes the row's key and whether the row itself
// goes too (without it the row is left to whoever deletes it). None opens a transaction: the
// caller owns it.
#include <QString>

namespace zmk {

// Writes a resolved automatic incidence dated now. Keys of 0 or less are stored as Null; keys
// of different centres are refused with "Algunos valores pertenecen a CENTROS DISTINTOS".
void CrearIncidenciaAutomatica(int idCentro, int idCurso, int idGrupo, const QString& texto,
                               const QString& titulo, int idProfesor, int idAlumno,
                               int idMatricula);

void EliminarCentro(int idCentro, bool borrarFila);
// borrarGrupos: the groups go too (their enrolments stay, inactive and without group);
// otherwise they are left without course.
void EliminarCurso(int idCurso, bool borrarGrupos, bool borrarFila);
// borrarMatriculas: the enrolments go too; otherwise they stay, inactive and without group.
void EliminarGrupo(int idGrupo, bool borrarMatriculas, bool borrarFila);
void EliminarMatricula(int idMatricula, bool borrarFila);
// The student's invoices stay, without student.
void EliminarAlumno(int idAlumno, bool borrarFila);
void EliminarProfesor(int idProfesor, bool borrarFila);
// The concepts priced by the tariff are deleted with their copies.
void EliminarTarifa(int idTarifa, bool borrarFila);
// reactivarConceptos: the concepts billed in the invoice are switched on again.
void EliminarFactura(int idFactura, bool borrarFila, bool reactivarConceptos);
void EliminarIncidencia(int idIncidencia, bool borrarFila);
void EliminarLiquidacion(int idLiquidacion, bool borrarFila);
void EliminarBoletin(int idBoletin, bool borrarFila);

// Provides the change-of-state procedures and adds the deletion rules of the screens.
// Idempotent.
void RegisterCascadasRules();

}  // namespace zmk
