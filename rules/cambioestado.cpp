#include "rules/cambioestado.h"

#include <vector>

#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/datetime.h"
#include "rules/cascadas.h"
#include "rules/cascadasconjunto.h"
#include "rules/comunes.h"
#include "rules/conceptos.h"

namespace zmk {

namespace {

void FijaActivo(const QString& tabla, const QString& campoActivo, const QString& clave, int id,
                bool activo) {
    ModificaRegistres(DefaultDB(), tabla, campoActivo + QStringLiteral("=") + ValorSQL(activo),
                      CondicionClave(clave, id));
}

void IncidenciaDeEstado(TClaseRegistro clase, bool activo, int idCentro, int idCurso, int idGrupo,
                        int idProfesor, int idAlumno, int idMatricula) {
    const QString texto = TextoIncidenciaEstado(clase, activo);
    CrearIncidenciaAutomatica(idCentro, idCurso, idGrupo, texto, texto, idProfesor, idAlumno,
                              idMatricula);
}

// Puts the inherited copies right after groups of the course were deactivated. Deactivated
// groups and enrolments receive no copies, so running it once after all the groups leaves the
// same rows as running it after each group, without one scan of the concepts per group.
void RecalcularConceptosCurso(int idCurso) {
    EliminarConceptosHeredadosHuerfanos();
    CrearConceptosHeredados(idCurso, 0);
}

void GrupoActivo(int idGrupo, bool activo, bool recalcular) {
    const int curso = LeerEntero(QStringLiteral("T05Grupos"), QStringLiteral("IDCursoT05"),
                                 QStringLiteral("IDGrupoT05"), idGrupo);
    if (activo) {
        ExigirActivoCurso(curso);
    } else {
        TSplashLevel progreso(QStringLiteral("Desactivando Grupo"),
                              QStringLiteral("Desactivando las Matrículas del Grupo"));
        // All the group's enrolments at once: a course of a big centre holds thousands.
        DesactivarMatriculasDonde(CondicionClave(QStringLiteral("IDGrupoT02"), idGrupo));
        Splash().SetText(QStringLiteral("Desactivando las Matrículas del Grupo"), 100);
    }
    FijaActivo(QStringLiteral("T05Grupos"), QStringLiteral("ActivoT05"),
               QStringLiteral("IDGrupoT05"), idGrupo, activo);
    IncidenciaDeEstado(TClaseRegistro::Grupo, activo,
                       LeerEntero(QStringLiteral("T05Grupos"), QStringLiteral("IDCentroT05"),
                                  QStringLiteral("IDGrupoT05"), idGrupo),
                       0, idGrupo, 0, 0, 0);
    if (recalcular) {
        EliminarConceptosHeredadosHuerfanos();
        CrearConceptosHeredados(curso, idGrupo);
    }
}

// Answers whether groups were deactivated, i.e. whether the copies still have to be put right
// when the caller took that over (recalcular false).
bool CursoActivo(int idCurso, bool activo, bool recalcular) {
    const int centro = LeerEntero(QStringLiteral("T03Cursos"), QStringLiteral("IDCentroT03"),
                                  QStringLiteral("IDCursoT03"), idCurso);
    bool con_grupos = false;
    if (activo) {
        ExigirActivoCentro(centro);
    } else {
        TSplashLevel progreso(QStringLiteral("Desactivando curso"),
                              QStringLiteral("Desactivando los grupos del curso"));
        const auto grupos = LeerFilas(
            QStringLiteral("SELECT IDGrupoT05, CodigoT05 FROM T05Grupos\nWHERE ") +
            CondicionClave(QStringLiteral("IDCursoT05"), idCurso) + QStringLiteral(" ORDER BY 1"));
        const int n = int(grupos.size());
        for (int i = 0; i < n; ++i) {
            Splash().SetText(
                QStringLiteral("Desactivando Grupo: \"") + grupos[i].texto + QStringLiteral("\""),
                Porcentaje(i + 1, n + 10));
            GrupoActivo(grupos[i].id, false, false);
        }
        con_grupos = n > 0;
        if (con_grupos && recalcular) RecalcularConceptosCurso(idCurso);
        Splash().SetText(QStringLiteral("Eliminando conceptos del curso"), 99);
        EliminarConceptosDonde(CondicionClave(QStringLiteral("IDCursoT14"), idCurso));
        ModificaRegistres(DefaultDB(), QStringLiteral("T24BoletinesNotas"),
                          QStringLiteral("BloqueadoT24=TRUE"),
                          CondicionClave(QStringLiteral("IDCursoT24"), idCurso));
    }
    FijaActivo(QStringLiteral("T03Cursos"), QStringLiteral("ActivoT03"),
               QStringLiteral("IDCursoT03"), idCurso, activo);
    IncidenciaDeEstado(TClaseRegistro::Curso, activo, centro, idCurso, 0, 0, 0, 0);
    return con_grupos;
}

}  // namespace

void CambiarActivoCentro(int idCentro, bool activo) {
    if (!activo) {
        TSplashLevel progreso(QStringLiteral("Desactivando centro"),
                              QStringLiteral("Desactivando los cursos del centro"));
        const auto cursos =
            LeerFilas(QStringLiteral("SELECT IDCursoT03, CodigoT03 FROM T03Cursos\nWHERE (") +
                      CondicionClave(QStringLiteral("IDCentroT03"), idCentro) +
                      QStringLiteral(") AND (ActivoT03) ORDER BY 1"));
        const int n = int(cursos.size());
        std::vector<int> con_grupos;
        for (int i = 0; i < n; ++i) {
            Splash().SetText(
                QStringLiteral("Desactivando curso: \"") + cursos[i].texto + QStringLiteral("\""),
                Porcentaje(i + 1, n + 10));
            if (CursoActivo(cursos[i].id, false, false)) con_grupos.push_back(cursos[i].id);
        }
        if (!con_grupos.empty()) {
            EliminarConceptosHeredadosHuerfanos();
            for (int curso : con_grupos) CrearConceptosHeredados(curso, 0);
        }
    }
    FijaActivo(QStringLiteral("T20Centros"), QStringLiteral("ActivoT20"),
               QStringLiteral("IDCentroT20"), idCentro, activo);
}

void CambiarActivoCurso(int idCurso, bool activo) {
    CursoActivo(idCurso, activo, true);
}

void CambiarActivoGrupo(int idGrupo, bool activo) {
    GrupoActivo(idGrupo, activo, true);
}

void CambiarActivaMatricula(int idMatricula, bool activa, bool recrearConceptos) {
    const auto leer = [idMatricula](const QString& campo) {
        return LeerEntero(QStringLiteral("T02Matriculas"), campo, QStringLiteral("IDMatriculaT02"),
                          idMatricula);
    };
    if (activa) {
        ExigirActivoGrupo(leer(QStringLiteral("IDGrupoT02")));
        ExigirActivoAlumno(leer(QStringLiteral("IDAlumnoT02")));
    } else {
        TSplashLevel progreso(QStringLiteral("Eliminando Conceptos"),
                              QStringLiteral("Eliminando Conceptos de matrícula"));
        // Its own concepts and its inherited copies.
        const auto conceptos = LeerFilas(
            QStringLiteral("SELECT IDConceptoMatriculaT14 FROM T14ConceptosMatricula\nWHERE ") +
            CondicionClave(QStringLiteral("IDMatriculaT14"), idMatricula) +
            QStringLiteral(" ORDER BY 1"));
        const int n = int(conceptos.size());
        for (int i = 0; i < n; ++i) {
            Splash().SetText(QStringLiteral("Elminando el concepto %1/%2").arg(i + 1).arg(n),
                             Porcentaje(i + 1, n));
            EliminarConcepto(conceptos[i].id, true);
        }
    }
    // An empty leaving date becomes today, on activation as well.
    ModificaRegistres(DefaultDB(), QStringLiteral("T02Matriculas"),
                      QStringLiteral("ActivaT02=") + ValorSQL(activa) +
                          QStringLiteral(",FechaBajaT02=COALESCE(FechaBajaT02,") + ValorSQL(Hoy()) +
                          QStringLiteral(")"),
                      CondicionClave(QStringLiteral("IDMatriculaT02"), idMatricula));
    IncidenciaDeEstado(TClaseRegistro::Matricula, activa, leer(QStringLiteral("IDCentroT02")), 0, 0,
                       0, 0, idMatricula);
    if (recrearConceptos) {
        const int grupo = leer(QStringLiteral("IDGrupoT02"));
        CrearConceptosHeredados(
            LeerEntero(QStringLiteral("T05Grupos"), QStringLiteral("IDCursoT05"),
                       QStringLiteral("IDGrupoT05"), grupo),
            grupo);
    }
}

void CambiarActivoAlumno(int idAlumno, bool activo) {
    const int centro = LeerEntero(QStringLiteral("T01Alumnos"), QStringLiteral("IDCentroT01"),
                                  QStringLiteral("IDAlumnoT01"), idAlumno);
    if (activo) {
        ExigirActivoCentro(centro);
    } else {
        const QString titulo = QStringLiteral("Desactivando matrículas del Alumno");
        TSplashLevel progreso(titulo, titulo);
        const auto matriculas = LeerFilas(
            QStringLiteral("SELECT IDMatriculaT02, NMatriculaT02 FROM T02Matriculas\nWHERE ") +
            CondicionClave(QStringLiteral("IDAlumnoT02"), idAlumno) +
            QStringLiteral(" ORDER BY 1"));
        const int n = int(matriculas.size());
        for (int i = 0; i < n; ++i) {
            Splash().SetText(QStringLiteral("Desactivando matrícula \"") + matriculas[i].texto +
                                 QStringLiteral("\""),
                             Porcentaje(i + 1, n));
            CambiarActivaMatricula(matriculas[i].id, false, false);
        }
    }
    FijaActivo(QStringLiteral("T01Alumnos"), QStringLiteral("ActivoT01"),
               QStringLiteral("IDAlumnoT01"), idAlumno, activo);
    IncidenciaDeEstado(TClaseRegistro::Alumno, activo, centro, 0, 0, 0, idAlumno, 0);
}

void CambiarActivoProfesor(int idProfesor, bool activo) {
    if (!activo)
        ModificaRegistres(DefaultDB(), QStringLiteral("T05Grupos"),
                          QStringLiteral("IDProfesorT05=NULL"),
                          CondicionClave(QStringLiteral("IDProfesorT05"), idProfesor));
    FijaActivo(QStringLiteral("T04Profesores"), QStringLiteral("ActivoT04"),
               QStringLiteral("IDProfesorT04"), idProfesor, activo);
    IncidenciaDeEstado(TClaseRegistro::Profesor, activo,
                       LeerEntero(QStringLiteral("T04Profesores"), QStringLiteral("IDCentroT04"),
                                  QStringLiteral("IDProfesorT04"), idProfesor),
                       0, 0, idProfesor, 0, 0);
}

}  // namespace zmk
