#include "billing/generarfacturas.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <memory>

#include "billing/cabecerafactura.h"
#include "billing/factura.h"
#include "billing/funcionesfacturas.h"
#include "billing/opciones.h"
#include "billing/relatedids.h"
#include "billing/textoconcepto.h"
#include "core/centroactual.h"
#include "core/importes.h"
#include "core/parametrosapp.h"
#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/cancelled.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/preparedstatement.h"
#include "host/prompt.h"
#include "host/transactionguard.h"
#include "rules/cambioestado.h"
#include "rules/comunes.h"

namespace zmk {

namespace {

// Selections of this size or more are filtered while reading, not in the SQL.
constexpr int kMaxIDsEnSQL = 100;

// The same rows as the nested RIGHT JOIN form of the query, written from the concepts outwards:
// SQLite materialises each nested RIGHT JOIN and scans it once per row of the next table, which
// made generation grow with the square of the company's size.
const QString kConsultaConceptos = QStringLiteral(
    "SELECT T14ConceptosMatricula.*,CodigoT03,DescripcionT03,CodigoCentroT20,NombreCentroT20,"
    "CodigoTarifaT07,CodigoT05,NombreT05,IDMatriculaT02,DatosCobroEnMatriculaT02,NMatriculaT02,"
    "IDAlumnoT01,NombreCompletoT01,IDAlumnoRelacionadoT01 \nFROM T14ConceptosMatricula "
    "LEFT JOIN T02Matriculas ON T02Matriculas.IDMatriculaT02 = "
    "T14ConceptosMatricula.IDMatriculaT14 LEFT JOIN T07TarifasPrecios ON "
    "T07TarifasPrecios.IDTarifaPreciosT07 = T14ConceptosMatricula.IDTarifaPreciosT14 LEFT JOIN "
    "T05Grupos ON T05Grupos.IDGrupoT05 = T02Matriculas.IDGrupoT02 LEFT JOIN T03Cursos ON "
    "T03Cursos.IDCursoT03 = T05Grupos.IDCursoT05 LEFT JOIN T20Centros ON T20Centros.IDCentroT20 = "
    "T03Cursos.IDCentroT03 LEFT JOIN T01Alumnos ON T01Alumnos.IDAlumnoT01 = "
    "T02Matriculas.IDAlumnoT02\n");
const QString kOrdenConceptos = QStringLiteral(
    "ORDER BY IDAlumnoT01,DatosCobroEnMatriculaT02,IDMatriculaT02,IDConceptoMatriculaT14");

const QStringList kColumnasLinea{
    QStringLiteral("IDFacturaCabT16"),       QStringLiteral("IDConceptoMatriculaT16"),
    QStringLiteral("IDMatriculaT16"),        QStringLiteral("CodConceptoT16"),
    QStringLiteral("DescConceptoT16"),       QStringLiteral("NMesFacturadoT16"),
    QStringLiteral("AnyoFacturadoT16"),      QStringLiteral("ImporteBaseT16"),
    QStringLiteral("UnidadesT16"),           QStringLiteral("TPCDtoT16"),
    QStringLiteral("BaseImponibleT16"),      QStringLiteral("TPCIvaT16"),
    QStringLiteral("ImporteIvaIncluidoT16"), QStringLiteral("CodigoCentroT16"),
    QStringLiteral("NombreCentroT16"),       QStringLiteral("CodigoCursoT16"),
    QStringLiteral("DescrCursoT16"),         QStringLiteral("CodigoGrupoT16"),
    QStringLiteral("DescrGrupoT16"),         QStringLiteral("NMatriculaT16"),
    QStringLiteral("NombreAlumnoT16"),
};

QVariant Dinero(Currency c) {
    return c.ToDouble();
}

// A row of the concepts query, read once.
struct TFilaConcepto {
    int idConcepto = 0, idMatricula = 0, idAlumno = 0;
    QVariant idRelacionado;
    bool datosCobroEnMatricula = false, esCuota = false;
    std::array<bool, 12> meses{};
    Currency importeBase, unidades, dto, base, iva, total;
    QString concepto, nombreAlumno;
    QVariant codTarifa, codCentro, nombreCentro, codCurso, descrCurso, codGrupo, nombreGrupo,
        nMatricula;
};

std::vector<TFilaConcepto> LeerFilas(TDataBaseZMK& db, const QString& sql) {
    QSqlQuery q = db.Query(sql);
    const QSqlRecord rec = q.record();
    auto col = [&](const char* nombre) {
        int i = rec.indexOf(QLatin1String(nombre));
        if (i < 0) throw EDatabaseError(QStringLiteral("Campo '%1' no encontrado").arg(nombre));
        return i;
    };
    const int cConcepto = col("IDConceptoMatriculaT14"), cMatricula = col("IDMatriculaT02"),
              cAlumno = col("IDAlumnoT01"), cRelacionado = col("IDAlumnoRelacionadoT01"),
              cCobroMatr = col("DatosCobroEnMatriculaT02"), cCuota = col("EsCuotaT14"),
              cImporteBase = col("ImporteBaseT14"), cUnidades = col("UnidadesT14"),
              cDto = col("TPCDtoT14"), cBase = col("BaseImponibleT14"), cIva = col("TPCIvaT14"),
              cTotal = col("ImporteIvaIncluidoT14"), cTexto = col("ConceptoT14"),
              cNombre = col("NombreCompletoT01"), cTarifa = col("CodigoTarifaT07"),
              cCodCentro = col("CodigoCentroT20"), cNomCentro = col("NombreCentroT20"),
              cCodCurso = col("CodigoT03"), cDescCurso = col("DescripcionT03"),
              cCodGrupo = col("CodigoT05"), cNomGrupo = col("NombreT05"),
              cNMatricula = col("NMatriculaT02");
    std::array<int, 12> cMeses{};
    for (int m = 1; m <= 12; ++m) {
        cMeses[size_t(m - 1)] = rec.indexOf(CampoMesCobroT14(m));
        if (cMeses[size_t(m - 1)] < 0) throw EDatabaseError(CampoMesCobroT14(m));
    }
    auto dinero = [&](int c) { return VarToCurrency(q.value(c)).value_or(Currency()); };
    auto logico = [&](int c) { return FromStorage(TFieldType::Boolean, q.value(c)).toBool(); };
    std::vector<TFilaConcepto> filas;
    while (q.next()) {
        TFilaConcepto f;
        f.idConcepto = q.value(cConcepto).toInt();
        f.idMatricula = q.value(cMatricula).toInt();
        f.idAlumno = q.value(cAlumno).toInt();
        f.idRelacionado = q.value(cRelacionado);
        f.datosCobroEnMatricula = logico(cCobroMatr);
        f.esCuota = logico(cCuota);
        for (int m = 0; m < 12; ++m) f.meses[size_t(m)] = logico(cMeses[size_t(m)]);
        f.importeBase = dinero(cImporteBase);
        f.unidades = dinero(cUnidades);
        f.dto = dinero(cDto);
        f.base = dinero(cBase);
        f.iva = dinero(cIva);
        f.total = dinero(cTotal);
        f.concepto = q.value(cTexto).toString();
        f.nombreAlumno = q.value(cNombre).toString();
        f.codTarifa = q.value(cTarifa);
        f.codCentro = q.value(cCodCentro);
        f.nombreCentro = q.value(cNomCentro);
        f.codCurso = q.value(cCodCurso);
        f.descrCurso = q.value(cDescCurso);
        f.codGrupo = q.value(cCodGrupo);
        f.nombreGrupo = q.value(cNomGrupo);
        f.nMatricula = q.value(cNMatricula);
        filas.push_back(std::move(f));
    }
    return filas;
}

// The month condition: without month none of the twelve flags; otherwise the month's flag.
bool MesCoincide(const TFilaConcepto& f, int mes) {
    if (mes < 0) {
        for (bool m : f.meses)
            if (m) return false;
        return true;
    }
    return mes >= 1 && mes <= 12 && f.meses[size_t(mes - 1)];
}

QString Filtros(const TGeneracionFacturas& g, const QDate& fecha) {
    QString sql;
    if (!g.alumnos.isEmpty() && g.alumnos.size() < kMaxIDsEnSQL)
        sql +=
            QStringLiteral(" AND (IDAlumnoT02 IN (") + SqlKeyList(g.alumnos) + QStringLiteral("))");
    if (!g.conceptos.isEmpty() && g.conceptos.size() < kMaxIDsEnSQL)
        sql += QStringLiteral(" AND (IDConceptoMatriculaT14 IN (") + SqlKeyList(g.conceptos) +
               QStringLiteral("))");
    // One student's concept grid names the concepts itself, whatever month they are due.
    if (g.mes >= 0 && g.anyo >= 0 && (g.porConceptos || g.seleccion.empty()))
        sql += QStringLiteral(" AND ((") + CampoMesCobroT14(g.mes) + QStringLiteral("))");
    if (g.evitarDuplicadosFecha)
        sql += QStringLiteral(
                   " AND (1>(SELECT COUNT(IDFacturaCabT15) AS CMFACTURATS FROM T15FacturasCab LEFT "
                   "JOIN T16FacturasCue ON T15FacturasCab.IDFacturaCabT15 = "
                   "T16FacturasCue.IDFacturaCabT16 WHERE "
                   "(IDConceptoMatriculaT16=IDConceptoMatriculaT14) "
                   "AND (FechaT15=") +
               ValorSQL(QDateTime(fecha, QTime(0, 0))) + QStringLiteral(")))");
    if (g.evitarDuplicadosConceptos)
        // A detached line (no concept) counts as -1, which no concept has.
        sql +=
            QStringLiteral(
                " AND (NOT (IDConceptoMatriculaT14 IN (SELECT COALESCE(IDConceptoMatriculaT16,-1) "
                "FROM T16FacturasCue WHERE NMesFacturadoT16=") +
            ValorSQL(g.mes) + QStringLiteral(" AND AnyoFacturadoT16=") + ValorSQL(g.anyo) +
            QStringLiteral(")))");
    return sql;
}

// One generation run: the concepts chosen are read, grouped into invoices (a header per
// group, its lines after it), the invoices totalled, and the user asked to keep them.
class TFacturacion {
  public:
    TFacturacion(TDataBaseZMK& db, const TGeneracionFacturas& g)
        : db_(db),
          g_(g),
          conMes_(g.mes >= 0 && g.anyo >= 0),
          alumnos_(g.alumnos.begin(), g.alumnos.end()),
          conceptos_(g.conceptos.begin(), g.conceptos.end()),
          idCentro_(IDCentroActual()) {
        for (const TSeleccionConcepto& s : g.seleccion) seleccion_.insert(s.idConcepto, &s);
    }

    void CrearLineas();
    Currency Totalizar();
    void Confirmar(Currency total) const;
    QList<int> Facturas() const { return relacionadas_.IDsFacturas(); }

  private:
    QString Consulta() const;
    bool Elegido(const TFilaConcepto& f) const;
    int FacturaDe(const TFilaConcepto& f, TCreadorCabeceras& cabeceras);
    TLineaFactura Linea(const TFilaConcepto& f) const;

    TDataBaseZMK& db_;
    const TGeneracionFacturas& g_;
    const bool conMes_;
    const QSet<int> alumnos_, conceptos_;
    const int idCentro_;
    QHash<int, const TSeleccionConcepto*> seleccion_;
    TRelatedIDs relacionadas_;
    // The lines written per invoice and its number: the totals are worked out from them.
    QHash<int, std::vector<TLineaFactura>> lineasFactura_;
    QHash<int, std::optional<int>> numeros_;
};

QString TFacturacion::Consulta() const {
    return kConsultaConceptos +
           QStringLiteral("WHERE (ActivoT14) AND (NOT (IDMatriculaT02 IS NULL)) ") +
           Filtros(g_, g_.fecha) + QStringLiteral("\n") + kOrdenConceptos;
}

// What the SQL could not filter: long key lists, the month flags and the concept grid.
bool TFacturacion::Elegido(const TFilaConcepto& f) const {
    const bool porSeleccion = !g_.porConceptos && !seleccion_.isEmpty();
    if (!porSeleccion && !MesCoincide(f, conMes_ ? g_.mes : -1)) return false;
    if (!alumnos_.contains(f.idAlumno)) return false;
    if (g_.porConceptos && !conceptos_.contains(f.idConcepto)) return false;
    const TSeleccionConcepto* sel = seleccion_.value(f.idConcepto, nullptr);
    return g_.porConceptos || seleccion_.isEmpty() || (sel && sel->facturar);
}

// The invoice the concept goes on: its group's, or a new header for the group (an enrolment
// with its own payment data always gets one of its own).
int TFacturacion::FacturaDe(const TFilaConcepto& f, TCreadorCabeceras& cabeceras) {
    int alumno = f.idAlumno;
    if (g_.alumnoRelacionado && !f.idRelacionado.isNull()) alumno = f.idRelacionado.toInt();
    auto crear = [&]() {
        const int id = cabeceras.Crear(idCentro_, alumno, g_.idSerie, g_.datosPadreOMadre,
                                       g_.numerar, g_.fecha, f.idMatricula);
        const QVariant& numero = cabeceras.UltimoNumero();
        numeros_.insert(id, numero.isNull() ? std::nullopt : std::optional<int>(numero.toInt()));
        return id;
    };
    if (f.datosCobroEnMatricula) {
        const int id = crear();
        relacionadas_.AddSinClaves(id);
        return id;
    }
    const int clave = g_.agruparPorAlumno ? alumno : f.idMatricula;
    const int grupo = relacionadas_.IndexOf(clave);
    if (grupo >= 0) return relacionadas_.IDFactura(grupo);
    const int id = crear();
    relacionadas_.Add(id, clave);
    return id;
}

// The invoice line of a concept; the units chosen on the concept grid reprice it.
TLineaFactura TFacturacion::Linea(const TFilaConcepto& f) const {
    const TSeleccionConcepto* sel = seleccion_.value(f.idConcepto, nullptr);
    const Currency unidades = sel ? sel->unidades : f.unidades;
    // The concept's amounts, unless they stand outside the line rule.
    const TImportesLinea importes =
        sel ? CalcularImportesLinea(f.importeBase, unidades, f.dto, f.iva)
            : ImportesLineaSegunRegla({f.importeBase, f.base, f.total}, unidades, f.dto, f.iva);
    TLineaFactura linea;
    linea.alumno = f.nombreAlumno;
    linea.centro = f.nombreCentro.toString();
    linea.nMatricula = f.nMatricula.toString();
    linea.codCurso = f.codCurso.toString();
    linea.curso = f.descrCurso.toString();
    linea.codGrupo = f.codGrupo.toString();
    linea.grupo = f.nombreGrupo.toString();
    // A concept without month goes on the bill as such, also beside the month's.
    const bool mesLinea = conMes_ && !MesCoincide(f, -1);
    linea.concepto = mesLinea ? ExpandirTextoConcepto(f.concepto, g_.anyo, g_.mes) : f.concepto;
    if (mesLinea) {
        linea.mes = g_.mes;
        linea.anyo = g_.anyo;
    }
    linea.precio = importes.precio;
    linea.unidades = unidades;
    linea.dto = f.dto;
    linea.base = importes.base;
    linea.iva = f.iva;
    linea.total = importes.total;
    return linea;
}

void TFacturacion::CrearLineas() {
    TSplashLevel etapa(ProgramString(10013), ProgramString(10014));
    const std::vector<TFilaConcepto> filas = LeerFilas(db_, Consulta());
    TCreadorCabeceras cabeceras(db_);
    TPreparedStatement insertarLinea =
        TPreparedStatement::Insert(db_, QStringLiteral("T16FacturasCue"), kColumnasLinea);
    TPreparedStatement desactivar(
        db_, QStringLiteral(
                 "UPDATE T14ConceptosMatricula SET ActivoT14=0 WHERE IDConceptoMatriculaT14=?"));
    const int n = int(filas.size());
    for (int i = 0; i < n; ++i) {
        const TFilaConcepto& f = filas[size_t(i)];
        Splash().SetText(QStringLiteral("(%1/%2) Alumno: ").arg(i + 1).arg(n) + f.nombreAlumno,
                         (i + 1) * 100 / n);
        if (!Elegido(f)) continue;
        const int idFactura = FacturaDe(f, cabeceras);
        TLineaFactura linea = Linea(f);
        insertarLinea.Run({idFactura,
                           f.idConcepto,
                           f.idMatricula,
                           f.codTarifa,
                           linea.concepto,
                           linea.mes ? QVariant(g_.mes) : QVariant(),
                           linea.mes ? QVariant(g_.anyo) : QVariant(),
                           Dinero(linea.precio),
                           Dinero(*linea.unidades),
                           Dinero(f.dto),
                           Dinero(linea.base),
                           Dinero(f.iva),
                           Dinero(linea.total),
                           f.codCentro,
                           f.nombreCentro,
                           f.codCurso,
                           f.descrCurso,
                           f.codGrupo,
                           f.nombreGrupo,
                           f.nMatricula,
                           f.nombreAlumno});
        linea.id = insertarLinea.LastInsertId();
        lineasFactura_[idFactura].push_back(std::move(linea));
        // A one-off charge is billed once.
        if (!f.esCuota) desactivar.Run({f.idConcepto});
    }
}

// Totals, VAT and receipt text of every new invoice; returns the sum of their totals.
Currency TFacturacion::Totalizar() {
    Splash().SetText(ProgramString(10015), 80);
    const int n = relacionadas_.Count();
    if (n == 0) throw EZMKError(ProgramString(10016));
    TSplashLevel recalculo(ProgramString(10015), QString());
    TRecalculoFacturas totales(db_);
    Currency total;
    for (int i = 0; i < n; ++i) {
        Splash().SetText(ProgramStringFmt(10017, {i + 1, n}), (i + 1) * 100 / n);
        const int id = relacionadas_.IDFactura(i);
        total += totales.Recalcular(id, {numeros_.value(id), g_.fecha, Currency()},
                                    lineasFactura_.take(id));
    }
    return total;
}

// The count and total of the invoices; anything but Yes undoes the run.
void TFacturacion::Confirmar(Currency total) const {
    TQuestion pregunta{
        ApplicationTitle(),
        ProgramStringFmt(
            10018, {relacionadas_.Count(), FormatoDivisa(total), NombreLargoDivisa(),
                    QLocale(QLocale::Spanish).toString(g_.fecha, QStringLiteral("dddd dd/MM/yyyy")),
                    g_.textoSerie}),
        {TMsgButton::Yes, TMsgButton::No},
        TMsgIcon::Question,
        TMsgButton::None};
    if (Prompt().Ask(pregunta) != TMsgButton::Yes) throw ECancelled(ProgramString(10019));
}

// The invoices are saved: a failure from here on is reported and leaves them saved.
void CobrarEImprimir(const QList<int>& facturas, const TGeneracionFacturas& g) {
    int cobradas = 0;
    try {
        for (int id : facturas) {
            CobrarFactura(id, 0, g.numerar, 0, g.fecha, false, g.fecha, true);
            ++cobradas;
        }
    } catch (const EAbort&) {
        return;
    } catch (const EZMKError& e) {
        MuestraError(QStringLiteral("Se han guardado las %1 facturas, pero solo se han cobrado "
                                    "%2; las %3 restantes quedan sin cobrar:\n%4")
                         .arg(facturas.size())
                         .arg(cobradas)
                         .arg(facturas.size() - cobradas)
                         .arg(e.Message()));
        return;
    }
    ImprimirFacturas(facturas);
}

}  // namespace

QList<int> GenerarFacturas(const TGeneracionFacturas& g) {
    TDataBaseZMK& db = DefaultDB();
    TFacturacion facturacion(db, g);
    {
        TTransactionGuard transaccion(db);
        auto proceso = std::make_unique<TSplashLevel>(ProgramString(10010), ProgramString(10011));
        Splash().SetText(ProgramString(10012), 10);
        facturacion.CrearLineas();
        const Currency total = facturacion.Totalizar();
        proceso.reset();
        facturacion.Confirmar(total);
        TSplashLevel guardando(ProgramString(10020), ProgramString(10021));
        transaccion.Commit();
    }
    const QList<int> facturas = facturacion.Facturas();
    if (g.cobrar) CobrarEImprimir(facturas, g);
    return facturas;
}

void ComprobarBajasMatriculas(const QDate& fecha) {
    TDataBaseZMK& db = DefaultDB();
    const QString condicion = QStringLiteral("ActivaT02 AND FechaBajaT02<=") +
                              ValorSQL(int(DateTimeToSerial(QDateTime(fecha, QTime(0, 0)))));
    QSqlQuery q = db.Query(
        QStringLiteral(
            "SELECT COUNT(IDMatriculaT02) AS NMatrActivasYDeBaja\nFROM T02Matriculas\nWHERE ") +
        condicion);
    const int cuenta = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    if (cuenta == 0) return;
    TQuestion pregunta{
        QStringLiteral("IMPORTANTE"),
        QStringLiteral("Hay ") + QString::number(cuenta) +
            QStringLiteral(" matrículas activas pero con fecha de baja anterior o igual a ") +
            fecha.toString(QStringLiteral("dd/MM/yyyy")) +
            QStringLiteral(
                "\n\n¿Quiere dar de baja estas matrículas antes de facturar? \nAl dar de "
                "baja una matrícula todos sus conceptos de cobro también se borrarán.\n\n"),
        {TMsgButton::Yes, TMsgButton::No, TMsgButton::Cancel},
        TMsgIcon::Warning,
        TMsgButton::Cancel};
    const TMsgButton respuesta = Prompt().Ask(pregunta);
    if (respuesta == TMsgButton::No) return;
    if (respuesta != TMsgButton::Yes) throw EAbort();

    TTransactionGuard transaccion(db);
    QList<int> ids;
    QSqlQuery m = db.Query(QStringLiteral("SELECT * FROM T02Matriculas WHERE ") + condicion);
    while (m.next()) ids << m.value(QStringLiteral("IDMatriculaT02")).toInt();
    m.finish();
    for (int id : ids) CambiarActivaMatricula(id, false, false);
    TQuestion fin{QString(),
                  QStringLiteral("El proceso ha finalizado correctamente\n\nSe han dado de baja ") +
                      QString::number(ids.size()) +
                      QStringLiteral(" matrículas\ny todos los conceptos de cobro de estas "
                                     "matrículas se han borrado.\n\n¿Aceptar el proceso?"),
                  {TMsgButton::Yes, TMsgButton::No},
                  TMsgIcon::Information,
                  TMsgButton::None};
    if (Prompt().Ask(fin) != TMsgButton::Yes) throw EAbort();
    transaccion.Commit();
}

std::vector<TSeleccionConcepto> ConceptosAlumno(int idAlumno, int mes, bool sinMes) {
    const QString sql = kConsultaConceptos + QStringLiteral("WHERE (IDAlumnoT01=") +
                        ValorSQL(idAlumno) +
                        QStringLiteral(") AND  (ActivoT14) AND (NOT (IDMatriculaT02 IS NULL)) \n") +
                        kOrdenConceptos;
    std::vector<TSeleccionConcepto> lista;
    for (const TFilaConcepto& f : LeerFilas(DefaultDB(), sql)) {
        const bool mesElegido = mes >= 1 && mes <= 12 && f.meses[size_t(mes - 1)];
        const bool sinMesFila = MesCoincide(f, -1);
        // A one-off charge still active was never billed: a late enrolment pays it now.
        const bool pendiente = !f.esCuota && !sinMesFila;
        if (!mesElegido && !(sinMes && sinMesFila) && !pendiente) continue;
        TSeleccionConcepto s;
        s.idConcepto = f.idConcepto;
        s.unidadesLeidas = s.unidades = f.unidades;
        s.grupo = f.nombreGrupo.toString();
        s.concepto = f.concepto;
        s.precio = f.importeBase;
        lista.push_back(s);
    }
    return lista;
}

}  // namespace zmk
