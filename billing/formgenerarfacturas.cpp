// The generation form's state and buttons, without widgets.
#include "billing/formgenerarfacturas.h"

#include <QSqlQuery>

#include "billing/funcionesfacturas.h"
#include "billing/generarfacturas.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/rights.h"
#include "rules/comunes.h"

namespace zmk {

namespace {
const QString kPrmSerie = QStringLiteral("PRM_DLL_Facturar_IDSerie");
const QString kPrmFiltroMes = QStringLiteral("PRM_FILTRO_MES_FACTURAR");
const QString kPrmFiltroAno = QStringLiteral("PRM_FILTRO_ANO_FACTURAR");

bool Opcion(const char* clave, bool def) {
    return ParametrosApp().AsBoolean(QString::fromLatin1(clave), def);
}
}  // namespace

TFormGenerarFacturas TFormGenerarFacturas::Inicial(int modo) {
    TFormGenerarFacturas f;
    f.modo = modo;
    f.fecha = Hoy();
    f.anyo = Parametres().AsInteger(kPrmFiltroAno, 0);
    if (f.anyo <= 0) f.anyo = Hoy().year();
    const int mes = Parametres().AsInteger(kPrmFiltroMes, 0);
    f.mes = mes > 0 ? mes : 0;
    f.sinMes = modo == kPorAlumno;
    if (Parametres().ParamExists(kPrmSerie)) f.idSerie = Parametres().AsInteger(kPrmSerie, 0);
    return f;
}

bool TFormGenerarFacturas::HayMesFiltro() {
    return Parametres().AsInteger(kPrmFiltroMes, 0) > 0;
}

QStringList TFormGenerarFacturas::OpcionesActivas() {
    QStringList l;
    l << ProgramString(Opcion("AgruparPorAlumno", false) ? 10024 : 10025);
    l << ProgramString(Opcion("NumerarFacturas", true) ? 10026 : 10027);
    if (Opcion("EvitarDuplicadosFechaFactura", true)) l << ProgramString(10028);
    l << ProgramString(Opcion("EvitarDuplicadosConceptos", true) ? 10029 : 10030);
    if (Opcion("FacturarAlAlumnoRelacionado", false)) l << ProgramString(10031);
    if (Opcion("FacturarConDatosPadreOMadre", false)) l << ProgramString(10033);
    if (Opcion("ComprobarFechaBajaMatrAlFact", false)) l << ProgramString(10032);
    return l;
}

bool TFormGenerarFacturas::MuestraConceptos() const {
    return modo == kPorAlumno && alumnos.size() == 1;
}

void TFormGenerarFacturas::Seleccionar(TZMKDBGrid& grid, TModoSeleccionGrid filas) {
    GetIDsDelDBGrid(grid, QStringLiteral("IDAlumnoT01"), filas, alumnos);
    if (modo == kPorConcepto)
        GetIDsDelDBGrid(grid, QStringLiteral("IDConceptoMatriculaT14"), filas, conceptos);
    else
        conceptos.clear();
    // The box is offered for one student's bill when the month is free to choose.
    const bool cajaActiva = modo == kPorAlumno && alumnos.size() <= 1 && !HayMesFiltro();
    if (!cajaActiva) sinMes = false;
    CargarConceptos();
}

void TFormGenerarFacturas::CargarConceptos() {
    seleccion.clear();
    if (MuestraConceptos()) seleccion = ConceptosAlumno(alumnos.first(), mes, sinMes);
}

QList<int> TFormGenerarFacturas::Facturar(bool cobrar) const {
    RequireTableRight(QStringLiteral("T15FacturasCab"), QStringLiteral("Facturas"),
                      TTableRight::Add);
    if (cobrar)
        RequireTableRight(QStringLiteral("T15FacturasCab"), QStringLiteral("Facturas"),
                          TTableRight::Modify);
    ExigirCentroActual();
    if (mes <= 0 && !sinMes) throw EZMKError(ProgramString(10008));
    TDataBaseZMK& db = DefaultDB();
    QSqlQuery serie = db.Query(QStringLiteral("SELECT SerieT18 FROM T18Series WHERE IDSerieT18=") +
                               ValorSQL(idSerie));
    if (!serie.next()) throw EZMKError(ProgramString(10009));
    TGeneracionFacturas g;
    g.textoSerie = serie.value(0).toString();
    serie.finish();
    // The box with no month bills without month; with a month it adds the concepts without one.
    g.mes = mes > 0 ? mes : -1;
    g.anyo = mes > 0 ? anyo : -1;
    g.fecha = fecha;
    if (Opcion("ComprobarFechaBajaMatrAlFact", false)) ComprobarBajasMatriculas(fecha);
    g.numerar = Opcion("NumerarFacturas", true);
    if (cobrar) g.numerar = g.numerar || Opcion("NumerarFacturaAlCobrar", false);
    g.agruparPorAlumno = Opcion("AgruparPorAlumno", false);
    g.evitarDuplicadosFecha = Opcion("EvitarDuplicadosFechaFactura", true);
    g.evitarDuplicadosConceptos = Opcion("EvitarDuplicadosConceptos", true);
    g.alumnoRelacionado = Opcion("FacturarAlAlumnoRelacionado", false);
    g.datosPadreOMadre = Opcion("FacturarConDatosPadreOMadre", false);
    g.idSerie = idSerie;
    g.cobrar = cobrar;
    g.porConceptos = modo == kPorConcepto;
    g.alumnos = alumnos;
    g.conceptos = conceptos;
    if (MuestraConceptos()) g.seleccion = seleccion;
    QList<int> facturas = GenerarFacturas(g);
    Parametres().SetParametreValue(kPrmSerie, idSerie);
    Parametres().SetWritables(kPrmSerie, true);
    return facturas;
}

}  // namespace zmk
