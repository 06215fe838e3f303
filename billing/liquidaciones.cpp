#include "billing/liquidaciones.h"

#include <QLocale>
#include <QSqlQuery>

#include "core/centroactual.h"
#include "core/importes.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/transactionguard.h"
#include "rules/comunes.h"

namespace zmk {

namespace {
QString Fecha(const QDate& d) {
    return ValorSQL(QDateTime(d, QTime(0, 0)));
}
}  // namespace

void RecalcularLiquidacion(int idLiquidacion) {
    TDataBaseZMK& db = DefaultDB();
    QSqlQuery q =
        db.Query(QStringLiteral(
                     "SELECT ImporteLineaT28 FROM T28LiquidacionesCue WHERE IDLiquidacionCabT28=") +
                 ValorSQL(idLiquidacion));
    Currency suma;
    while (q.next()) suma += VarToCurrency(q.value(0)).value_or(Currency());
    q.finish();
    ModificaRegistres(db, QStringLiteral("T27LiquidacionesCab"),
                      QStringLiteral("ImporteLiquidadoT27=") + ValorSQL(QVariant::fromValue(suma)),
                      QStringLiteral("IDLiquidacionCabT27=") + ValorSQL(idLiquidacion));
}

int GenerarLiquidacion(int idCentro, int idLiquidacion, const QDate& fechaFinal,
                       const QDate& fechaInicial, const QDate& fechaLiquidacion,
                       const QString& prefijo, const QString& descripcion) {
    if (fechaInicial > fechaFinal)
        throw EZMKError(QStringLiteral("La fecha inicial (%1) es posterior a la fecha final (%2)")
                            .arg(fechaInicial.toString(QStringLiteral("dd/MM/yyyy")),
                                 fechaFinal.toString(QStringLiteral("dd/MM/yyyy"))));
    TDataBaseZMK& db = DefaultDB();
    TTransactionGuard transaccion(db);
    int id = idLiquidacion;
    if (idLiquidacion < 1) {
        QSqlQuery max = db.Query(QStringLiteral("SELECT Max(NLiquidacionT27) AS MaxNumero FROM "
                                                "T27LiquidacionesCab\nWHERE IDCentroT27=") +
                                 ValorSQL(idCentro));
        const int numero = (max.next() ? max.value(0).toInt() : 0) + 1;
        max.finish();
        auto centro = db.GetTSQLDataSet(
            QStringLiteral("SELECT * FROM T20Centros\nWHERE IDCentroT20=") + ValorSQL(idCentro),
            true);
        centro->Open();
        if (centro->IsEmpty())
            throw EZMKError(QStringLiteral("No existe ningún centro con IDCentro: ") +
                            QString::number(idCentro));
        auto c = [&](const char* campo) {
            return centro->FieldByName(QLatin1String(campo)).Value();
        };
        id = VarAEnter(CreaRegistreNouID(
            db, QStringLiteral("T27LiquidacionesCab"), QStringLiteral("IDLiquidacionCabT27"),
            {QStringLiteral("IDCentroT27"), QStringLiteral("NLiquidacionT27"),
             QStringLiteral("FechaLiquidacionT27"), QStringLiteral("DescrLiquidacionT27"),
             QStringLiteral("CodigoT27"), QStringLiteral("NombreT27"),
             QStringLiteral("DireccionT27"), QStringLiteral("CPT27"),
             QStringLiteral("PoblacionT27"), QStringLiteral("ProvinciaT27"),
             QStringLiteral("Telf1T27"), QStringLiteral("Telf2T27"), QStringLiteral("FaxT27"),
             QStringLiteral("EMailT27"), QStringLiteral("CIFT27"),
             QStringLiteral("ImporteLiquidadoT27"), QStringLiteral("ComentariosT27")},
            {c("IDCentroT20"), numero, QDateTime(fechaLiquidacion, QTime(0, 0)),
             descripcion.left(50), c("CodigoCentroT20"), c("NombreCentroT20"), c("DireccionT20"),
             c("CPT20"), c("PoblacionT20"), c("ProvinciaT20"), c("Telf1T20"), c("Telf2T20"),
             c("FaxT20"), c("EMailT20"), c("CIFT20"), QVariant::fromValue(Currency()),
             QVariant()}));
    }
    const QString f = Fecha(fechaFinal), i = Fecha(fechaInicial);
    // IIF and IsNull written as standard CASE and IS NULL.
    QSqlQuery cursos = db.Query(
        QStringLiteral(
            "SELECT CodigoT03,DescripcionT03,ImporteColabT03,Sum(CASE WHEN FechaAltaT02<=") +
        f + QStringLiteral(" AND (FechaBajaT02 IS NULL OR FechaBajaT02>") + f +
        QStringLiteral(") THEN 1 ELSE 0 END) AS NAltas,Sum(CASE WHEN FechaBajaT02>=") + i +
        QStringLiteral(" AND FechaBajaT02<=") + f +
        QStringLiteral(" THEN -1 ELSE 0 END) AS NBajas FROM (T03Cursos LEFT JOIN T05Grupos ON "
                       "T03Cursos.IDCursoT03 = T05Grupos.IDCursoT05) LEFT JOIN T02Matriculas ON "
                       "T05Grupos.IDGrupoT05 = T02Matriculas.IDGrupoT02 WHERE IDCentroT03=") +
        ValorSQL(idCentro) +
        QStringLiteral(" GROUP BY IDCursoT03,CodigoT03,DescripcionT03,ImporteColabT03"));
    struct TLinea {
        QVariant codigo;
        QString descripcion;
        Currency precio;
        int altas;
    };
    std::vector<TLinea> lineas;
    while (cursos.next()) {
        const int altas = cursos.value(3).toInt();
        if (altas == 0) continue;
        lineas.push_back({cursos.value(0), prefijo + cursos.value(1).toString(),
                          VarToCurrency(cursos.value(2)).value_or(Currency()), altas});
    }
    cursos.finish();
    for (const TLinea& l : lineas) {
        const Currency importe = ImporteLineaLiquidacion(Currency(l.altas), l.precio);
        CreaRegistre(db, QStringLiteral("T28LiquidacionesCue"),
                     {QStringLiteral("IDLiquidacionCabT28"), QStringLiteral("CodigoT28"),
                      QStringLiteral("DescripcionT28"), QStringLiteral("PrecioUnitarioT28"),
                      QStringLiteral("UnidadesT28"), QStringLiteral("ImporteLineaT28")},
                     {id, l.codigo, l.descripcion, QVariant::fromValue(l.precio),
                      QVariant::fromValue(Currency(l.altas)), QVariant::fromValue(importe)});
    }
    RecalcularLiquidacion(id);
    transaccion.Commit();
    return id;
}

TFormGenerarLiquidaciones TFormGenerarLiquidaciones::Inicial() {
    TFormGenerarLiquidaciones f;
    f.fechaLiquidacion = Hoy();
    f.FechaCambiada();
    return f;
}

void TFormGenerarLiquidaciones::FechaCambiada() {
    const QDate primero(fechaLiquidacion.year(), fechaLiquidacion.month(), 1);
    fechaInicial = primero.addMonths(-1);
    fechaFinal = primero.addDays(-1);
    meses.clear();
    marcados.clear();
    const QLocale es(QLocale::Spanish);
    for (int k = 0; k < 12; ++k) {
        const QDate d = primero.addMonths(-k);
        QString nombre = es.standaloneMonthName(d.month(), QLocale::LongFormat);
        if (!nombre.isEmpty()) nombre[0] = nombre[0].toUpper();
        meses << nombre.leftJustified(11, QLatin1Char(' '), true) + QString::number(d.year()) +
                     QStringLiteral("     ") +
                     QStringLiteral("%1").arg(d.month(), 2, 10, QLatin1Char('0'));
        marcados << false;
    }
}

int TFormGenerarLiquidaciones::Aceptar() const {
    ExigirCentroActual();
    const int centro = IDCentroActual();
    if (!mensual)
        return GenerarLiquidacion(centro, 0, fechaFinal, fechaInicial, fechaLiquidacion, QString(),
                                  descripcion);
    int id = 0;
    for (int k = 0; k < meses.size(); ++k) {
        if (!marcados.value(k)) continue;
        const QString& e = meses[k];
        const int anyo = e.mid(11, 4).toInt();
        const int mes = e.mid(20, 2).toInt();
        const QDate inicio(anyo, mes, 1);
        const QString prefijo =
            QStringLiteral("%1/%2 ").arg(anyo).arg(mes, 2, 10, QLatin1Char('0'));
        id = GenerarLiquidacion(centro, id, inicio.addMonths(1).addDays(-1), inicio,
                                fechaLiquidacion, prefijo, descripcion);
    }
    return id;
}

}  // namespace zmk
