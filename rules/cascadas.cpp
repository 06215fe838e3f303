#include "rules/cascadas.h"

#include <functional>

#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "rules/cascadasconjunto.h"
#include "rules/comunes.h"
#include "rules/conceptos.h"

namespace zmk {

namespace {

QVariant ClaveONull(int id) {
    return id > 0 ? QVariant(id) : QVariant();
}

void Actualiza(const QString& tabla, const QString& asignaciones, const QString& campo, int id) {
    ModificaRegistres(DefaultDB(), tabla, asignaciones, CondicionClave(campo, id));
}

void Borra(const QString& tabla, const QString& campo, int id) {
    EsborraRegistres(DefaultDB(), tabla, CondicionClave(campo, id));
}

QString SelectDonde(const QString& columnas, const QString& tabla, const QString& campo, int id) {
    return QStringLiteral("SELECT ") + columnas + QStringLiteral(" FROM ") + tabla +
           QStringLiteral(" WHERE ") + CondicionClave(campo, id) + QStringLiteral(" ORDER BY 1");
}

}  // namespace

void CrearIncidenciaAutomatica(int idCentro, int idCurso, int idGrupo, const QString& texto,
                               const QString& titulo, int idProfesor, int idAlumno,
                               int idMatricula) {
    if (!CentrosCoinciden(idCentro, idCurso, idGrupo, 0, 0, idMatricula, idAlumno))
        throw EZMKError(QStringLiteral("Algunos valores pertenecen a CENTROS DISTINTOS"));
    const QDateTime ahora = Ahora();
    CreaRegistre(
        DefaultDB(), QStringLiteral("T11Incidencias"),
        {QStringLiteral("IDCentroT11"), QStringLiteral("IDCursoT11"), QStringLiteral("IDGrupoT11"),
         QStringLiteral("IDMatriculaT11"), QStringLiteral("IDAlumnoT11"),
         QStringLiteral("IDProfesorT11"), QStringLiteral("IDTipoIncidenciaT11"),
         QStringLiteral("AutomaticaT11"), QStringLiteral("IncidenciaT11"),
         QStringLiteral("ResueltaT11"), QStringLiteral("TituloT11"), QStringLiteral("DiaHoraT11"),
         QStringLiteral("DiaHoraResolucionT11")},
        {ClaveONull(idCentro), ClaveONull(idCurso), ClaveONull(idGrupo), ClaveONull(idMatricula),
         ClaveONull(idAlumno), ClaveONull(idProfesor), QVariant(), true, texto, true, titulo, ahora,
         ahora});
}

void EliminarMatricula(int idMatricula, bool borrarFila) {
    // Invoice lines stay, without enrolment.
    Actualiza(QStringLiteral("T16FacturasCue"), QStringLiteral("IDMatriculaT16=NULL"),
              QStringLiteral("IDMatriculaT16"), idMatricula);
    Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDMatriculaT11"), idMatricula);
    Borra(QStringLiteral("T26FaltasAsistencia"), QStringLiteral("IDMatriculaT26"), idMatricula);
    Borra(QStringLiteral("T25NotasBoletin"), QStringLiteral("IDMatriculaT25"), idMatricula);
    EliminarConceptosDonde(CondicionClave(QStringLiteral("IDMatriculaT14"), idMatricula));
    if (borrarFila)
        Borra(QStringLiteral("T02Matriculas"), QStringLiteral("IDMatriculaT02"), idMatricula);
}

void EliminarAlumno(int idAlumno, bool borrarFila) {
    ModificaRegistres(DefaultDB(), QStringLiteral("T01Alumnos"),
                      QStringLiteral("IDAlumnoRelacionadoT01 = Null"),
                      QStringLiteral("IDAlumnoRelacionadoT01 = ") + ValorSQL(idAlumno));
    for (const TFilaCascada& m :
         LeerFilas(SelectDonde(QStringLiteral("IDMatriculaT02"), QStringLiteral("T02Matriculas"),
                               QStringLiteral("IDAlumnoT02"), idAlumno)))
        EliminarMatricula(m.id, true);
    Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDAlumnoT11"), idAlumno);
    // Issued invoices stay, without student.
    Actualiza(QStringLiteral("T15FacturasCab"), QStringLiteral("IDAlumnoT15=NULL"),
              QStringLiteral("IDAlumnoT15"), idAlumno);
    if (borrarFila) Borra(QStringLiteral("T01Alumnos"), QStringLiteral("IDAlumnoT01"), idAlumno);
}

void EliminarBoletin(int idBoletin, bool borrarFila) {
    Borra(QStringLiteral("T25NotasBoletin"), QStringLiteral("IDBoletinNotasT25"), idBoletin);
    if (borrarFila)
        Borra(QStringLiteral("T24BoletinesNotas"), QStringLiteral("IDBoletinNotasT24"), idBoletin);
}

void EliminarGrupo(int idGrupo, bool borrarMatriculas, bool borrarFila) {
    const auto matriculas = LeerFilas(SelectDonde(QStringLiteral("IDMatriculaT02, IDCentroT02"),
                                                  QStringLiteral("T02Matriculas"),
                                                  QStringLiteral("IDGrupoT02"), idGrupo));
    if (borrarMatriculas) {
        for (const TFilaCascada& m : matriculas) EliminarMatricula(m.id, true);
    } else if (!matriculas.isEmpty()) {
        // The enrolments stay, inactive and without group, each with a note of what happened.
        const QString grupo = CondicionClave(QStringLiteral("IDGrupoT05"), idGrupo);
        const QString texto =
            QStringLiteral("Se ha eliminado el grupo: (") +
            ValorCamp(QStringLiteral("T05Grupos"), QStringLiteral("CodigoT05"), grupo).toString() +
            QStringLiteral(") ") +
            ValorCamp(QStringLiteral("T05Grupos"), QStringLiteral("NombreT05"), grupo).toString();
        for (const TFilaCascada& m : matriculas) {
            Actualiza(QStringLiteral("T02Matriculas"),
                      QStringLiteral("IDGrupoT02=NULL,ActivaT02=FALSE"),
                      QStringLiteral("IDMatriculaT02"), m.id);
            CrearIncidenciaAutomatica(
                m.texto.toInt(), 0, 0, texto,
                QStringLiteral("25-El grupo al que pertenecía la matrícula se ha eliminado"), 0, 0,
                m.id);
        }
    }
    EliminarConceptosHeredadosHuerfanos();
    EliminarConceptosDonde(CondicionClave(QStringLiteral("IDGrupoT14"), idGrupo));
    Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDGrupoT11"), idGrupo);
    if (borrarFila) Borra(QStringLiteral("T05Grupos"), QStringLiteral("IDGrupoT05"), idGrupo);
}

void EliminarCurso(int idCurso, bool borrarGrupos, bool borrarFila) {
    for (const TFilaCascada& b : LeerFilas(SelectDonde(QStringLiteral("IDBoletinNotasT24"),
                                                       QStringLiteral("T24BoletinesNotas"),
                                                       QStringLiteral("IDCursoT24"), idCurso)))
        EliminarBoletin(b.id, true);
    if (borrarGrupos) {
        // The groups go; their enrolments stay, inactive and without group.
        for (const TFilaCascada& g :
             LeerFilas(SelectDonde(QStringLiteral("IDGrupoT05"), QStringLiteral("T05Grupos"),
                                   QStringLiteral("IDCursoT05"), idCurso)))
            EliminarGrupo(g.id, false, true);
    } else {
        Actualiza(QStringLiteral("T05Grupos"), QStringLiteral("IDCursoT05=NULL"),
                  QStringLiteral("IDCursoT05"), idCurso);
    }
    EliminarConceptosDonde(CondicionClave(QStringLiteral("IDCursoT14"), idCurso));
    Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDCursoT11"), idCurso);
    if (borrarFila) Borra(QStringLiteral("T03Cursos"), QStringLiteral("IDCursoT03"), idCurso);
}

void EliminarProfesor(int idProfesor, bool borrarFila) {
    Actualiza(QStringLiteral("T05Grupos"), QStringLiteral("IDProfesorT05=NULL"),
              QStringLiteral("IDProfesorT05"), idProfesor);
    Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDProfesorT11"), idProfesor);
    if (borrarFila)
        Borra(QStringLiteral("T04Profesores"), QStringLiteral("IDProfesorT04"), idProfesor);
}

void EliminarTarifa(int idTarifa, bool borrarFila) {
    TSplashLevel progreso(QStringLiteral("Eliminar tarifa"), QStringLiteral("Inicializando..."));
    const auto conceptos = LeerFilas(SelectDonde(QStringLiteral("IDConceptoMatriculaT14"),
                                                 QStringLiteral("T14ConceptosMatricula"),
                                                 QStringLiteral("IDTarifaPreciosT14"), idTarifa));
    for (int i = 0; i < conceptos.size(); ++i) {
        Splash().SetText(QStringLiteral("Eliminando concepto matrícula"),
                         Porcentaje(i + 1, int(conceptos.size())));
        EliminarConcepto(conceptos[i].id, true);
    }
    Splash().SetText(QStringLiteral("Eliminando la tarifa"), 100);
    if (borrarFila)
        Borra(QStringLiteral("T07TarifasPrecios"), QStringLiteral("IDTarifaPreciosT07"), idTarifa);
}

void EliminarFactura(int idFactura, bool borrarFila, bool reactivarConceptos) {
    if (reactivarConceptos)
        ModificaRegistres(
            DefaultDB(), QStringLiteral("T14ConceptosMatricula"), QStringLiteral("ActivoT14=TRUE"),
            QStringLiteral("IDConceptoMatriculaT14 IN (SELECT IDConceptoMatriculaT16 FROM "
                           "T16FacturasCue WHERE ") +
                CondicionClave(QStringLiteral("IDFacturaCabT16"), idFactura) + QStringLiteral(")"));
    Borra(QStringLiteral("T16FacturasCue"), QStringLiteral("IDFacturaCabT16"), idFactura);
    Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDFacturaCabT11"), idFactura);
    if (borrarFila)
        Borra(QStringLiteral("T15FacturasCab"), QStringLiteral("IDFacturaCabT15"), idFactura);
}

void EliminarIncidencia(int idIncidencia, bool borrarFila) {
    if (borrarFila)
        Borra(QStringLiteral("T11Incidencias"), QStringLiteral("IDIncidenciaT11"), idIncidencia);
}

void EliminarLiquidacion(int idLiquidacion, bool borrarFila) {
    Borra(QStringLiteral("T28LiquidacionesCue"), QStringLiteral("IDLiquidacionCabT28"),
          idLiquidacion);
    if (borrarFila)
        Borra(QStringLiteral("T27LiquidacionesCab"), QStringLiteral("IDLiquidacionCabT27"),
              idLiquidacion);
}

void EliminarCentro(int idCentro, bool borrarFila) {
    {
        TSplashLevel progreso(QStringLiteral("Eliminar centro"),
                              QStringLiteral("Inicializando..."));
        // Each step: its heading, the rows of the centre and the text shown for each row, all at
        // the step's fixed percent.
        struct Paso {
            QString titulo;
            QString select;
            std::function<QString(const QString&)> texto;
            std::function<void(int)> borra;
            int porcentaje;
        };
        const auto del_centro = [idCentro](const QString& columnas, const QString& tabla,
                                           const QString& campo) {
            return SelectDonde(columnas, tabla, campo, idCentro);
        };
        const Paso pasos[] = {
            {ProgramString(10105),
             del_centro(QStringLiteral("IDFacturaCabT15, NumeroT15"),
                        QStringLiteral("T15FacturasCab"), QStringLiteral("IDCentroT15")),
             [](const QString& t) { return ProgramStringFmt(10106, {t}); },
             [](int id) { EliminarFactura(id, true, false); }, 20},
            {QStringLiteral("Eliminando los alumnos..."),
             del_centro(QStringLiteral("IDAlumnoT01, NombreCompletoT01"),
                        QStringLiteral("T01Alumnos"), QStringLiteral("IDCentroT01")),
             [](const QString& t) { return QStringLiteral("Eliminando el alumno: ") + t; },
             [](int id) { EliminarAlumno(id, true); }, 60},
            {QStringLiteral("Eliminando los cursos..."),
             del_centro(QStringLiteral("IDCursoT03, DescripcionT03"), QStringLiteral("T03Cursos"),
                        QStringLiteral("IDCentroT03")),
             [](const QString& t) { return QStringLiteral("Eliminando el curso: ") + t; },
             [](int id) { EliminarCurso(id, true, true); }, 70},
            {QStringLiteral("Eliminando los grupos..."),
             del_centro(QStringLiteral("IDGrupoT05, NombreT05"), QStringLiteral("T05Grupos"),
                        QStringLiteral("IDCentroT05")),
             [](const QString& t) { return QStringLiteral("Eliminando el grupo: ") + t; },
             [](int id) { EliminarGrupo(id, true, true); }, 75},
            {QStringLiteral("Eliminando las tarifas de precios..."),
             del_centro(QStringLiteral("IDTarifaPreciosT07, DescrTarifaT07"),
                        QStringLiteral("T07TarifasPrecios"), QStringLiteral("IDCentroT07")),
             [](const QString& t) { return QStringLiteral("Eliminando la tarifa: ") + t; },
             [](int id) { EliminarTarifa(id, true); }, 80},
            {QStringLiteral("Eliminando las incidencias..."),
             del_centro(QStringLiteral("IDIncidenciaT11, IncidenciaT11"),
                        QStringLiteral("T11Incidencias"), QStringLiteral("IDCentroT11")),
             [](const QString& t) { return QStringLiteral("Eliminando la incidencia: ") + t; },
             [](int id) { EliminarIncidencia(id, true); }, 90},
            {QStringLiteral("Eliminando las liquidaciones..."),
             del_centro(QStringLiteral("IDLiquidacionCabT27, NLiquidacionT27"),
                        QStringLiteral("T27LiquidacionesCab"), QStringLiteral("IDCentroT27")),
             [](const QString& t) { return QStringLiteral("Eliminando la liquidación nº: ") + t; },
             [](int id) { EliminarLiquidacion(id, true); }, 95},
        };
        for (const Paso& paso : pasos) {
            Splash().SetText(paso.titulo, paso.porcentaje);
            // Read when the step starts: earlier steps remove rows of later ones.
            for (const TFilaCascada& fila : LeerFilas(paso.select)) {
                Splash().SetText(paso.texto(fila.texto), paso.porcentaje);
                paso.borra(fila.id);
            }
        }
    }
    if (borrarFila) Borra(QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20"), idCentro);
}

}  // namespace zmk
