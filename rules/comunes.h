#pragma once
// Checks shared by the teaching-data rules, the concept rules, the cascades and billing:
// whether a record's centre, course, group, student or enrolment is active, whether the rows a
// record refers to belong to one centre, VAT rates, bank data, pending edits, counters,
// the current centre, and the fixed texts of each kind of record's states.
#include <QString>
#include <QVariant>
#include <functional>

#include "host/currency.h"

namespace zmk {

class TDataSet;

// A key that finds no row (0, Null, deleted) counts as active.
bool EstaActivoCentro(int idCentro);
bool EstaActivoCurso(int idCurso);
bool EstaActivoGrupo(int idGrupo);
bool EstaActivoAlumno(int idAlumno);
bool EstaActivaMatricula(int idMatricula);

// EstaActivo..., and when not active raise the kind's "no puede realizar cambios" text.
void ExigirActivoCentro(int idCentro);
void ExigirActivoCurso(int idCurso);
void ExigirActivoGrupo(int idGrupo);
void ExigirActivoAlumno(int idAlumno);
void ExigirActivaMatricula(int idMatricula);

// True when the centre and the centres of the given course, group, incidence, invoice,
// enrolment and student are all the same. Keys of 0 or less are not given; a row that is not
// found or has no centre is left out of the comparison.
bool CentrosCoinciden(int idCentro, int idCurso, int idGrupo, int idIncidencia, int idFactura,
                      int idMatricula, int idAlumno);

// Raises unless the VAT percentage is one of T22TiposIva; Null passes.
void ComprobarIva(const QVariant& valor);
// The host parameter PRMDefaultIVA, 0 when it does not exist.
Currency IvaPorDefecto();

// Checks an IBAN and BIC. A problem with them is shown as a warning (OK only) and answers
// false; with good bank data an empty holder name raises. Otherwise true.
bool ComprobarCuentaBancaria(const QVariant& titular, const QVariant& iban, const QVariant& bic);

// Raises when a record on some screen is being edited and work may not go on.
void ComprobarEdicionPendiente();

// A counter read and moved on in the database: inside the transaction that is open, else in a
// short one that takes the write lock first, so two workstations never read the same value.
void ConContador(const std::function<void()>& trabajo);

// Raises when there is no current centre.
void ExigirCentroActual();

// The kinds of record with an activate/deactivate button and automatic state incidences.
enum class TClaseRegistro { Centro, Curso, Grupo, Matricula, Alumno, Profesor };

// Per kind: the button caption while active and the incidence text (title and text alike)
// written when it is deactivated; the same while inactive and when it is activated.
// Centres write no incidences; their texts are kept for completeness.
struct TTextosEstado {
    QString botonActivo;
    QString incidenciaBaja;
    QString botonInactivo;
    QString incidenciaAlta;
};
const TTextosEstado& TextosEstado(TClaseRegistro clase);
// The activate/deactivate button's caption for a record whose flag is activo.
QString CaptionAltaBaja(TClaseRegistro clase, bool activo);
// The incidence text of a change of state to nuevoActivo.
QString TextoIncidenciaEstado(TClaseRegistro clase, bool nuevoActivo);
// The bulletin lock button's caption: "Bloquear el Boletin" while unlocked.
QString CaptionBloqueoBoletin(bool bloqueado);

}  // namespace zmk
