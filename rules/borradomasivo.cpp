#include "rules/borradomasivo.h"

#include <functional>
#include <vector>

#include "core/centroactual.h"
#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "rules/comunes.h"

namespace zmk {

namespace {

const TDatosCasillaBorrado kCasillas[kNumCasillasBorrado] = {
    {"cbBorrarFacturas", "BORRAR TODAS LAS FACTURAS Y ARCHIVOS NORMA 19", "facturas"},
    {"cbBorrarMatriculas", "BORRAR TODAS LAS MATRICULAS", "matriculas"},
    {"cbBorrarCursos", "BORRAR TODOS LOS CURSOS", "cursos"},
    {"cbBorrarGrupos", "BORRAR TODOS LOS GRUPOS", "grupos"},
    {"cbBorrarIncidencias", "BORRAR TODAS LAS INCIDENCIAS", "incidencias"},
    {"cbBorrarAlumnos", "BORRAR TODOS LOS ALUMNOS", "alumnos"},
    {"cbBorrarProfesores", "BORRAR TODOS LOS PROFESORES", "profesores"},
    {"cbBorrarFaltasAsistencia", "BORRAR TODAS LAS FALTAS DE ASISTENCIA", "faltas"},
    {"cbBorrarBoletinesNotas", "BORRAR TODOS LOS BOLETINES DE NOTAS", "boletines"},
    {"cbBorrarConceptosCobro", "BORRAR TODOS LOS CONCEPTOS DE COBRO", "conceptos"},
    {"cbBorrarTarifasPrecios", "BORRAR TODAS LAS TARIFAS DE PRECIOS", "tarifas"},
    {"cbBorrarLiquidaciones", "BORRAR TODAS LAS LIQUIDACIONES", "liquidaciones"},
    {"cbBorrarNotasBoletines", "BORRAR TODAS LAS NOTAS DE LOS BOLETINES", "notas"},
    {"cbBorrarIncidenciasAlumnos", "BORRAR INCIDENCIAS DE LOS ALUMNOS", "incidencias-alumnos"},
    {"cbBorrarIncidenciasProfesores", "BORRAR INCIDENCIAS DE LOS PROFESORES",
     "incidencias-profesores"},
    {"cbBorrarIncidenciasCursos", "BORRAR INCIDENCIAS DE LOS CURSOS", "incidencias-cursos"},
    {"cbBorrarIncidenciasGrupos", "BORRAR INCIDENCIAS DE LOS GRUPOS", "incidencias-grupos"},
    {"cbBorrarIncidenciasMatriculas", "BORRAR INCIDENCIAS DE LAS MATRICULAS",
     "incidencias-matriculas"},
    {"cbBorrarIncidenciasFacturas", "BORRAR INCIDENCIAS DE LAS FACTURAS", "incidencias-facturas"},
    {"cbBorrarConceptosCobroMatriculas", "BORRAR CONCEPTOS DE COBRO DE LAS MATRICULAS",
     "conceptos-matriculas"},
    {"cbBorrarConceptosCobroCursos", "BORRAR CONCEPTOS DE COBRO DE LOS CURSOS", "conceptos-cursos"},
    {"cbBorrarConceptosCobroGrupos", "BORRAR CONCEPTOS DE COBRO DE LOS GRUPOS", "conceptos-grupos"},
};

// One line of the run: the box, its progress text and percent, its statements for the centre
// (already in the centre's decimal form) and its summary line (empty: none).
struct TPaso {
    int casilla;
    const char* texto;
    int porcentaje;
    std::function<void(TDataBaseZMK&, const QString&)> sentencias;
    const char* resumen;
};

QString S(const char* text) {
    return QString::fromUtf8(text);
}

void BorrarIncidencias(TDataBaseZMK& db, const QString& c, const char* columna) {
    EsborraRegistres(db, QStringLiteral("T11Incidencias"),
                     QStringLiteral("IDCentroT11=") + c + QStringLiteral(" AND (") + S(columna) +
                         QStringLiteral(" IS NOT NULL)"));
}

// The invoices of the centre, for the statements that reach their lines.
QString FacturasDelCentro(const QString& c) {
    return QStringLiteral(
               "IDFacturaCabT16 IN (SELECT IDFacturaCabT15 FROM T15FacturasCab WHERE "
               "IDCentroT15=") +
           c + u')';
}

// The concepts of a course or group level (columna) of the centre: their inherited copies lose
// their invoice lines' link and are deleted, then the level's own concepts.
void BorrarConceptosNivel(TDataBaseZMK& db, const QString& c, const char* columna) {
    const QString padres = QStringLiteral(
                               "SELECT IDConceptoMatriculaT14 FROM T14ConceptosMatricula WHERE "
                               "IDCentroT14=") +
                           c + QStringLiteral(" AND (") + S(columna) +
                           QStringLiteral(" IS NOT NULL)");
    db.ExecuteSQL(QStringLiteral("UPDATE T16FacturasCue SET IDConceptoMatriculaT16=NULL WHERE "
                                 "IDConceptoMatriculaT16 IN (SELECT IDConceptoMatriculaT14 FROM "
                                 "T14ConceptosMatricula WHERE IDConcMatrPadreT14 IN (") +
                  padres + QStringLiteral("))"));
    db.ExecuteSQL(
        QStringLiteral("DELETE FROM T14ConceptosMatricula WHERE IDConcMatrPadreT14 IN (") + padres +
        u')');
    EsborraRegistres(db, QStringLiteral("T14ConceptosMatricula"),
                     QStringLiteral("IDCentroT14=") + c + QStringLiteral(" AND (") + S(columna) +
                         QStringLiteral(" IS NOT NULL)"));
}

// Deletes the rows of a table whose reference column points at a row of the centre in the
// owner table.
void BorrarDeCentro(TDataBaseZMK& db, const QString& c, const char* tabla, const char* referencia,
                    const char* dueno, const char* clave, const char* centro) {
    db.ExecuteSQL(QStringLiteral("DELETE FROM %1 WHERE %2 IN (SELECT %3 FROM %4 WHERE %5=")
                      .arg(S(tabla), S(referencia), S(clave), S(dueno), S(centro)) +
                  c + u')');
}

const std::vector<TPaso>& Pasos() {
    static const std::vector<TPaso> pasos = {
        {kBorrarIncidenciasCursos, "Eliminando las INCIDENCIAS de los CURSOS", 5,
         [](TDataBaseZMK& db, const QString& c) { BorrarIncidencias(db, c, "IDCursoT11"); },
         "INCIDENCIAS DE LOS CURSOS"},
        {kBorrarIncidenciasGrupos, "Eliminando las INCIDENCIAS de los GRUPOS", 6,
         [](TDataBaseZMK& db, const QString& c) { BorrarIncidencias(db, c, "IDGrupoT11"); },
         "INCIDENCIAS DE LOS GRUPOS"},
        {kBorrarIncidenciasAlumnos, "Eliminando las INCIDENCIAS de los ALUMNOS", 7,
         [](TDataBaseZMK& db, const QString& c) { BorrarIncidencias(db, c, "IDAlumnoT11"); },
         "INCIDENCIAS DE LOS ALUMNOS"},
        {kBorrarIncidenciasMatriculas, "Eliminando las INCIDENCIAS de las MATRICULAS", 8,
         [](TDataBaseZMK& db, const QString& c) { BorrarIncidencias(db, c, "IDMatriculaT11"); },
         "INCIDENCIAS DE LAS MATRICULAS"},
        {kBorrarIncidenciasProfesores, "Eliminando las INCIDENCIAS de los PROFESORES", 9,
         [](TDataBaseZMK& db, const QString&) {
             // Teachers are common to every centre, and so are their incidences.
             EsborraRegistres(db, QStringLiteral("T11Incidencias"),
                              QStringLiteral("IDProfesorT11 IS NOT NULL"));
         },
         "INCIDENCIAS DE LOS PROFESORES"},
        {kBorrarIncidenciasFacturas, "Eliminando las INCIDENCIAS de las FACTURAS", 10,
         [](TDataBaseZMK& db, const QString& c) { BorrarIncidencias(db, c, "IDFacturaCabT11"); },
         "INCIDENCIAS DE LAS FACTURAS"},
        {kBorrarIncidencias, "Eliminando TODAS las INCIDENCIAS", 11,
         [](TDataBaseZMK& db, const QString& c) {
             EsborraRegistres(db, QStringLiteral("T11Incidencias"),
                              QStringLiteral("IDCentroT11=") + c);
         },
         ""},
        {kBorrarProfesores, "Eliminando los PROFESORES", 15,
         [](TDataBaseZMK& db, const QString&) {
             ModificaRegistres(db, QStringLiteral("T05Grupos"),
                               QStringLiteral("IDProfesorT05=NULL"),
                               QStringLiteral("IDProfesorT05 IS NOT NULL"));
             EsborraRegistres(db, QStringLiteral("T04Profesores"), QStringLiteral("TRUE"));
         },
         "PROFESORES"},
        {kBorrarNotasBoletines, "Eliminando las NOTAS DE LOS BOLETINES", 20,
         [](TDataBaseZMK& db, const QString& c) {
             BorrarDeCentro(db, c, "T25NotasBoletin", "IDMatriculaT25", "T02Matriculas",
                            "IDMatriculaT02", "IDCentroT02");
         },
         "NOTAS DE LOS BOLETINES"},
        {kBorrarBoletinesNotas, "Eliminando los BOLETINES DE NOTAS", 25,
         [](TDataBaseZMK& db, const QString& c) {
             BorrarDeCentro(db, c, "T24BoletinesNotas", "IDCursoT24", "T03Cursos", "IDCursoT03",
                            "IDCentroT03");
         },
         "BOLETINES DE NOTAS"},
        {kBorrarTarifasPrecios, "Eliminando las TARIFAS DE PRECIOS", 30,
         [](TDataBaseZMK& db, const QString& c) {
             // The concepts stay, without tariff.
             ModificaRegistres(db, QStringLiteral("T14ConceptosMatricula"),
                               QStringLiteral("IDTarifaPreciosT14=NULL"),
                               QStringLiteral("IDCentroT14=") + c);
             EsborraRegistres(db, QStringLiteral("T07TarifasPrecios"),
                              QStringLiteral("IDCentroT07=") + c);
         },
         "TARIFAS DE PRECIOS"},
        {kBorrarFaltasAsistencia, "Eliminando las FALTAS DE ASISTENCIA", 35,
         [](TDataBaseZMK& db, const QString& c) {
             BorrarDeCentro(db, c, "T26FaltasAsistencia", "IDMatriculaT26", "T02Matriculas",
                            "IDMatriculaT02", "IDCentroT02");
         },
         "FALTAS DE ASISTENCIA"},
        {kBorrarLiquidaciones, "Eliminando las LIQUIDACIONES", 40,
         [](TDataBaseZMK& db, const QString& c) {
             BorrarDeCentro(db, c, "T28LiquidacionesCue", "IDLiquidacionCabT28",
                            "T27LiquidacionesCab", "IDLiquidacionCabT27", "IDCentroT27");
             EsborraRegistres(db, QStringLiteral("T27LiquidacionesCab"),
                              QStringLiteral("IDCentroT27=") + c);
         },
         "LIQUIDACIONES"},
        {kBorrarConceptosCobroMatriculas, "Eliminando los CONCEPTOS DE COBRO DE LAS MATRICULAS", 50,
         [](TDataBaseZMK& db, const QString& c) {
             db.ExecuteSQL(
                 QStringLiteral("UPDATE T16FacturasCue SET IDConceptoMatriculaT16=NULL WHERE ") +
                 FacturasDelCentro(c));
             BorrarDeCentro(db, c, "T14ConceptosMatricula", "IDMatriculaT14", "T02Matriculas",
                            "IDMatriculaT02", "IDCentroT02");
         },
         "CONCEPTOS DE COBRO DE LAS MATRÍCULAS"},
        {kBorrarConceptosCobroCursos, "Eliminando los CONCEPTOS DE COBRO DE LOS CURSOS", 60,
         [](TDataBaseZMK& db, const QString& c) { BorrarConceptosNivel(db, c, "IDCursoT14"); },
         "CONCEPTOS DE COBRO DE LOS CURSOS"},
        {kBorrarConceptosCobroGrupos, "Eliminando los CONCEPTOS DE COBRO DE LOS GRUPOS", 62,
         [](TDataBaseZMK& db, const QString& c) { BorrarConceptosNivel(db, c, "IDGrupoT14"); },
         "CONCEPTOS DE COBRO DE LOS GRUPOS"},
        {kBorrarConceptosCobro, "Eliminando TODOS los CONCEPTOS DE COBRO", 65,
         [](TDataBaseZMK& db, const QString& c) {
             ModificaRegistres(db, QStringLiteral("T14ConceptosMatricula"),
                               QStringLiteral("IDConcMatrPadreT14=NULL"),
                               QStringLiteral("IDCentroT14=") + c);
             EsborraRegistres(db, QStringLiteral("T14ConceptosMatricula"),
                              QStringLiteral("IDCentroT14=") + c);
         },
         ""},
        {kBorrarFacturas, "Eliminando las FACTURAS", 70,
         [](TDataBaseZMK& db, const QString& c) {
             db.ExecuteSQL(QStringLiteral("DELETE FROM T16FacturasCue WHERE ") +
                           FacturasDelCentro(c));
             EsborraRegistres(db, QStringLiteral("T15FacturasCab"),
                              QStringLiteral("IDCentroT15=") + c);
         },
         "FACTURAS Y ARCHIVOS NORMA 19"},
        {kBorrarMatriculas, "Eliminando las MATRÍCULAS", 75,
         [](TDataBaseZMK& db, const QString& c) {
             // The invoices stay; their lines lose the enrolment.
             db.ExecuteSQL(QStringLiteral("UPDATE T16FacturasCue SET IDMatriculaT16=NULL WHERE ") +
                           FacturasDelCentro(c));
             EsborraRegistres(db, QStringLiteral("T02Matriculas"),
                              QStringLiteral("IDCentroT02=") + c);
         },
         "MATRÍCULAS"},
        {kBorrarAlumnos, "Eliminando los ALUMNOS", 80,
         [](TDataBaseZMK& db, const QString& c) {
             EsborraRegistres(db, QStringLiteral("T01Alumnos"), QStringLiteral("IDCentroT01=") + c);
         },
         "ALUMNOS"},
        {kBorrarGrupos, "Eliminando los GRUPOS", 90,
         [](TDataBaseZMK& db, const QString& c) {
             EsborraRegistres(db, QStringLiteral("T05Grupos"), QStringLiteral("IDCentroT05=") + c);
         },
         "GRUPOS"},
        {kBorrarCursos, "Eliminando los CURSOS", 100,
         [](TDataBaseZMK& db, const QString& c) {
             EsborraRegistres(db, QStringLiteral("T03Cursos"), QStringLiteral("IDCentroT03=") + c);
         },
         "CURSOS"},
    };
    return pasos;
}

}  // namespace

const TDatosCasillaBorrado& DatosCasillaBorrado(int casilla) {
    return kCasillas[casilla];
}

int CasillaDeClave(const QString& clave) {
    for (int i = 0; i < kNumCasillasBorrado; ++i)
        if (clave.trimmed().compare(QLatin1String(kCasillas[i].clave), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TCasillasBorrado::Forzar(int casilla) {
    marcada_[size_t(casilla)] = true;
    forzada_[size_t(casilla)] = true;
}

void TCasillasBorrado::Recalcular(int origen) {
    for (int i = 0; i < kNumCasillasBorrado; ++i)
        if (forzada_[size_t(i)]) {
            forzada_[size_t(i)] = false;
            marcada_[size_t(i)] = false;
        }
    auto fuerza = [this](int casilla, std::initializer_list<int> forzadas) {
        if (!Marcada(casilla)) return;
        for (int f : forzadas) Forzar(f);
    };
    fuerza(kBorrarCursos,
           {kBorrarGrupos, kBorrarBoletinesNotas, kBorrarConceptosCobro, kBorrarIncidenciasCursos});
    fuerza(kBorrarGrupos,
           {kBorrarMatriculas, kBorrarIncidenciasGrupos, kBorrarConceptosCobroGrupos});
    fuerza(kBorrarAlumnos, {kBorrarMatriculas, kBorrarIncidenciasAlumnos});
    fuerza(kBorrarMatriculas, {kBorrarNotasBoletines, kBorrarFaltasAsistencia,
                               kBorrarIncidenciasMatriculas, kBorrarConceptosCobroMatriculas});
    fuerza(kBorrarFacturas, {kBorrarIncidenciasFacturas});
    if (origen == kBorrarProfesores && Marcada(kBorrarProfesores) &&
        Pregunta(QStringLiteral("Se dispone a borrar TODOS LOS PROFESORES!\nRecuerde que LOS "
                                "PROFESORES SON COMUNES A TODOS LOS CENTROS.\n\n¿Está seguro de "
                                "que quiere hacerlo?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question,
                 TMsgButton::No) != TMsgButton::Yes)
        marcada_[kBorrarProfesores] = false;
    fuerza(kBorrarProfesores, {kBorrarIncidenciasProfesores});
    fuerza(kBorrarConceptosCobro, {kBorrarConceptosCobroMatriculas, kBorrarConceptosCobroCursos,
                                   kBorrarConceptosCobroGrupos});
    fuerza(kBorrarIncidencias,
           {kBorrarIncidenciasAlumnos, kBorrarIncidenciasProfesores, kBorrarIncidenciasCursos,
            kBorrarIncidenciasGrupos, kBorrarIncidenciasMatriculas, kBorrarIncidenciasFacturas});
    fuerza(kBorrarBoletinesNotas, {kBorrarNotasBoletines});
}

void TCasillasBorrado::Click(int casilla, bool marcada) {
    // A click that arrives while the rule runs (the form echoing its own changes) does nothing.
    if (recalculando_ || casilla < 0 || casilla >= kNumCasillasBorrado || Forzada(casilla)) return;
    recalculando_ = true;
    marcada_[size_t(casilla)] = marcada;
    try {
        Recalcular(casilla);
    } catch (...) {
        recalculando_ = false;
        throw;
    }
    recalculando_ = false;
}

QStringList TCasillasBorrado::Claves() const {
    QStringList claves;
    for (int i = 0; i < kNumCasillasBorrado; ++i)
        if (Marcada(i)) claves << QLatin1String(kCasillas[i].clave);
    return claves;
}

void EjecutarBorradoMasivo(const TCasillasBorrado& casillas) {
    ExigirCentroActual();
    const QString c = QString::number(IDCentroActual());
    TDataBaseZMK& db = DefaultDB();
    TSplashLevel progreso(QStringLiteral("Borrado Masivo"), QStringLiteral("Inicializando..."));
    // The write lock from the start: the run must see and remove the same rows.
    db.BeginTrans(true);
    try {
        QString resumen;
        for (const TPaso& paso : Pasos()) {
            if (!casillas.Marcada(paso.casilla)) continue;
            Splash().SetText(S(paso.texto), paso.porcentaje);
            paso.sentencias(db, c);
            if (*paso.resumen) resumen += S(paso.resumen) + u'\n';
        }
        if (Pregunta(QStringLiteral("¡Proceso Realizado!\nSE HAN BORRADO TODOS LOS DATOS "
                                    "SELECCIONADOS:\n\n") +
                         resumen + QStringLiteral("\n\n\n¿Aceptar el proceso?"),
                     {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question,
                     TMsgButton::No) != TMsgButton::Yes)
            throw EZMKError(QStringLiteral("Operación abortada"));
        db.CommitTrans();
    } catch (...) {
        db.RollbackTrans();
        throw;
    }
}

}  // namespace zmk
