// The activate/deactivate buttons of the centre, course, group, enrolment, teacher and student
// screens: a question, the change in one transaction, and the user's acceptance of the result.
#include <functional>

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"
#include "host/transactionguard.h"
#include "rules/cambioestado.h"

namespace zmk {

namespace {

struct TCambioEstado {
    const char* procedimiento;
    const char* campoActivo;
    const char* clave;
    const char* preguntaDesactivar;
    const char* preguntaActivar;
    std::function<void(int id, bool activo)> cambio;
};

void EjecutaCambioEstado(const TCambioEstado& c) {
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    if (!query) return;
    TDataSet& ds = query->DataSet();
    // An empty list has no record to change (the button stays enabled in browse state).
    if (!ds.Active() || ds.IsEmpty()) throw EZMKError(QStringLiteral("No hay registros"));
    if (ds.State() == TDataSetState::Edit || ds.State() == TDataSetState::Insert)
        throw EZMKError(QStringLiteral(
            "No puede modificar el estado de activo si está modificando el registro\n\nPrimero "
            "debe aceptar o cancelar las modificaciones"));
    const bool activo = ds.FieldByName(QString::fromUtf8(c.campoActivo)).AsBoolean();
    const int id = ds.FieldByName(QString::fromUtf8(c.clave)).AsInteger();
    if (Pregunta(QString::fromUtf8(activo ? c.preguntaDesactivar : c.preguntaActivar),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Warning,
                 TMsgButton::No) != TMsgButton::Yes)
        throw EAbort();

    TDataBaseZMK& db = DefaultDB();
    TTransactionGuard transaccion(db);
    c.cambio(id, !activo);
    TQuestion aceptar;
    aceptar.text = QStringLiteral("El proceso ha finalizado correctamente\n\n¿Aceptar el proceso?");
    aceptar.icon = TMsgIcon::Question;
    if (Prompt().Ask(aceptar) != TMsgButton::Yes) throw EAbort();
    transaccion.Commit();
    // The refresh fires the record change that puts the screen's form state right.
    query->RefrescaSQL();
}

const TCambioEstado kCambios[] = {
    {"CAMBIO_ACTIVO_CENTRO", "ActivoT20", "IDCentroT20",
     "ATENCIÓN:\n\nSi pone un centro como NO ACTIVO producirá lo siguiente:\n-Todos los cursos se "
     "pondrán como NO ACTIVOS\n-Todos los grupos se pondrán como NO ACTIVOS\n-Todas las matrículas "
     "se pondrán como NO ACTIVAS\n-Todos los conceptos de cobro se borrarán\n(Los cambios "
     "solamente afectarán a este centro, no a los otros)\n\n¿Desea continuar y DESACTIVAR el "
     "centro?",
     "ATENCIÓN:\n\nSi pone un centro como ACTIVO los cursos, grupos y matrículas\nque tenga no se "
     "activarán de forma automática.\nDeberá activarlos manualmente\n\n¿Desea continuar y ACTIVAR "
     "el centro?",
     CambiarActivoCentro},
    {"CAMBIO_ACTIVO_CURSO", "ActivoT03", "IDCursoT03",
     "ATENCIÓN:\n\nSi pone un curso como NO ACTIVO producirá lo siguiente:\n-Todos los grupos del "
     "curso se pondrán como NO ACTIVOS\n-Todas las matrículas del curso se pondrán como NO "
     "ACTIVAS\n-Todos los conceptos de cobro de las matrículas se borrarán\n-Los conceptos de "
     "cobro de este curso se borrarán\n\n¿Desea continuar y DESACTIVAR el curso?",
     "ATENCIÓN:\n\nSi pone un curso como ACTIVO las clases que tenga no se activarán\nde forma "
     "automática. Deberá activarlas manualmente\n\n¿Desea continuar y ACTIVAR el curso?",
     CambiarActivoCurso},
    {"CAMBIO_ACTIVA_CLASE", "ActivoT05", "IDGrupoT05",
     "ATENCIÓN:\n\nSi pone un grupo como NO ACTIVO producirá lo siguiente:\n-Todas las matrículas "
     "del grupo se pondrán como NO ACTIVAS\n-Todos los conceptos de cobro de las matrículas se "
     "borrarán\n\n¿Desea continuar y DESACTIVAR el grupo?",
     "ATENCIÓN:\n\nSi pone un grupo como ACTIVO las matrículas que tenga no se activarán\nde forma "
     "automática. Deberá activarlas manualmente\n\n¿Desea continuar y ACTIVAR el grupo?",
     CambiarActivoGrupo},
    {"CAMBIO_ACTIVA_MATRICULA", "ActivaT02", "IDMatriculaT02",
     "ATENCIÓN:\n\nSi pone una matrícula como NO ACTIVA producirá lo siguiente:\n-Todos los "
     "conceptos de cobro de las matrículas se borrarán\n\n¿Desea continuar y DESACTIVAR la "
     "matrícula?",
     "ATENCIÓN:\n\n-Al activar la matrícula automáticamente se añaden los conceptos de cobro\n  "
     "correspondientes al curso de la matrícula (si existen)\n\n¿Desea continuar y ACTIVAR la "
     "matrícula?",
     [](int id, bool activa) { CambiarActivaMatricula(id, activa, true); }},
    {"CAMBIO_ACTIVO_PROFESOR", "ActivoT04", "IDProfesorT04",
     "ATENCIÓN:\n\nSi pone un profesor como NO ACTIVO producirá lo siguiente:\n-Las clases que "
     "tenga asignadas se quedarán SIN PROFESOR\n\n¿Desea continuar y DESACTIVAR el profesor?",
     "ATENCIÓN:\n\n-Al activar el profesor podrá seleccionarlo en las clases\n\n¿Desea continuar "
     "y ACTIVAR el profesor?",
     CambiarActivoProfesor},
    {"CAMBIO_ACTIVO_ALUMNO", "ActivoT01", "IDAlumnoT01",
     "ATENCIÓN:\n\nSi pone un Alumno como NO ACTIVO producirá lo siguiente:\n-Las matrículas del "
     "alumno SE DESACTIVARAN\n-Todos los conceptos de cobro de las matrículas se "
     "borrarán\n\n¿Desea continuar y DESACTIVAR el Alumno?",
     "ATENCIÓN:\n\n-Al activar el Alumno no se activarán automáticamente sus matrículas,\n    "
     "deberá activarlas manualmente\n\n¿Desea continuar y ACTIVAR el Alumno?",
     CambiarActivoAlumno},
};

}  // namespace

void RegisterCambioEstadoProcedures() {
    for (const TCambioEstado& c : kCambios)
        SetProcedureBody(QString::fromUtf8(c.procedimiento),
                         [&c](const TProcCall&) { EjecutaCambioEstado(c); });
}

}  // namespace zmk
