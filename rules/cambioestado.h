#pragma once
// Switching centres, courses, groups, enrolments, students and teachers between active and
// inactive. Deactivating flows downwards (centre, courses, groups, enrolments, concepts) and
// never upwards; activating changes only the record itself and needs its parent active. Every
// change but a centre's leaves an automatic incidence. The operations open no transaction; the
// procedures run one around them and let the user accept the result.

namespace zmk {

// Deactivating touches only the centre's active courses; activating writes no incidence.
void CambiarActivoCentro(int idCentro, bool activo);
// Deactivating also deactivates every group of the course, deletes the course's concepts and
// locks its bulletins.
void CambiarActivoCurso(int idCurso, bool activo);
// Deactivating also deactivates every enrolment of the group.
void CambiarActivoGrupo(int idGrupo, bool activo);
// Deactivating deletes the enrolment's concepts. recrearConceptos: the copies of its course's
// and group's concepts are created again (only active enrolments receive them).
void CambiarActivaMatricula(int idMatricula, bool activa, bool recrearConceptos);
// Deactivating also deactivates the student's enrolments.
void CambiarActivoAlumno(int idAlumno, bool activo);
// Deactivating leaves the teacher's groups without teacher.
void CambiarActivoProfesor(int idProfesor, bool activo);

// Provides the bodies of "CAMBIO_ACTIVO_CENTRO", "CAMBIO_ACTIVO_CURSO", "CAMBIO_ACTIVA_CLASE",
// "CAMBIO_ACTIVA_MATRICULA", "CAMBIO_ACTIVO_PROFESOR" and "CAMBIO_ACTIVO_ALUMNO".
void RegisterCambioEstadoProcedures();

}  // namespace zmk
