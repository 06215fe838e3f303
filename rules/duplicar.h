#pragma once
// Duplicating a course (optionally with its groups, their enrolments and the charge concepts of
// each level) or a single group, for a new school year. Copies are marked with an "X" in front
// of their name; only active groups and enrolments are copied; copied concepts are all active.
#include <QString>
#include <functional>
#include <optional>

namespace zmk {

// The boxes of the duplication dialog. A box whose master box is unchecked is disabled and
// unchecked: the group-concepts and enrolments boxes need the groups box, the
// enrolment-concepts box needs the enrolments box.
struct TOpcionesDuplicado {
    bool grupos = true;              // "Duplicar los grupos del curso" (course mode only)
    bool conceptosCurso = true;      // "Duplicar los conceptos de cobro del curso" (course mode)
    bool conceptosGrupo = true;      // "Duplicar los conceptos de los grupos"
    bool matriculas = true;          // "Duplicar las matrículas de los grupos"
    bool conceptosMatricula = true;  // "Duplicar los conceptos de las matrículas"

    bool ConceptosGrupoHabilitado() const { return grupos; }
    bool MatriculasHabilitado() const { return grupos; }
    bool ConceptosMatriculaHabilitado() const { return matriculas; }
    // Unchecks the boxes that their master boxes disable.
    void AplicarDependencias();

    // Reads the comma-separated keywords of the checked boxes ("grupos", "conceptoscurso",
    // "conceptosgrupo", "matriculas", "conceptosmatricula"; "ninguna" or an empty text for none).
    // Refuses unknown keywords, course-only boxes in group mode, and a box whose master box is
    // not checked.
    static TOpcionesDuplicado Leer(const QString& texto, bool modoCurso);
    QString Texto(bool modoCurso) const;
};

// Where the options come from: the dialog on screen; headless, the OPCIONES parameter or one
// Yes/No question per enabled box. nullopt: the dialog was closed without duplicating.
using TDialogoDuplicar = std::function<std::optional<TOpcionesDuplicado>(bool modoCurso)>;
// Installs the dialog; returns the previous one. An empty function restores the headless one.
TDialogoDuplicar SetDialogoDuplicar(TDialogoDuplicar dialogo);
std::optional<TOpcionesDuplicado> OpcionesDuplicadoSinPantalla(bool modoCurso);

// Copies the owner's own concepts (not inherited copies) to the new owner, all active. Exactly
// one of the three source keys is given.
void DuplicarConceptos(int idCurso, int idGrupo, int idMatricula, int idNuevo);
// Copies the active enrolments of a group into another group, optionally with their concepts,
// and gives the new enrolments the copies of their new course's and group's concepts.
void DuplicarMatriculas(int idGrupo, int idNuevoGrupo, bool conceptos);
// Copies an active group (an inactive one is skipped) into the new course (0 = its own).
void DuplicarGrupo(int idGrupo, int idNuevoCurso, bool conceptosGrupo, bool conceptosMatricula,
                   bool matriculas);
// Copies a course; answers the new course's key.
int DuplicarCurso(int idCurso, bool conceptosCurso, bool grupos, bool conceptosMatricula,
                  bool matriculas, bool conceptosGrupo);

// Asks for the options and the confirmation, then copies in one transaction. Course mode when
// idCurso >= 1, else group mode. Answers whether it was done.
bool EjecutarDuplicado(int idGrupo, int idCurso);

// Provides "DUPLICAR_CURSO" and "DUPLICAR_GRUPO". Idempotent.
void RegisterDuplicarProcedures();

}  // namespace zmk
