// The billing forms' operations from the command line. The choices a form offers are flags;
// questions asked on the way (the final confirmation, the ask dialog) take --answer.
#include "cli/cmd_billing.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <climits>
#include <map>
#include <optional>

#include "billing/chequeosepa.h"
#include "billing/factura.h"
#include "billing/formfuncionesfacturas.h"
#include "billing/formgenerarfacturas.h"
#include "billing/funcionesfacturas.h"
#include "billing/generarfacturas.h"
#include "billing/liquidaciones.h"
#include "cli/commands.h"
#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk::cli {
namespace {

const QString kUsoGenerate = QStringLiteral(
    "billing generate --month M|none --year Y --date YYYY-MM-DD --series ID [--by-concept] "
    "[--rows all|current|selected] [--students K,...] [--concepts K,...] [--collect]");
const QString kUsoApply = QStringLiteral(
    "billing apply collect|return|cancel-return|cancel-collect|delete --invoices K,... "
    "[--date YYYY-MM-DD] [--payment-method ID] [--reactivate]");
const QString kUsoRecalc = QStringLiteral("billing recalc-all");
const QString kUsoSettlements = QStringLiteral(
    "settlements generate (--from YYYY-MM-DD --to YYYY-MM-DD | --months YYYY-MM[,YYYY-MM...]) "
    "--date YYYY-MM-DD [--description TEXT]");
const QString kUsoSepa = QStringLiteral("sepa-check [--apply]");

// The years the billing screens accept.
constexpr int kPrimerAnyo = 1900;
constexpr int kUltimoAnyo = 2100;

// Flags with values and switches, in any order.
class Flags {
  public:
    Flags(const QStringList& args, const QStringList& switches, const QString& uso) : uso_(uso) {
        for (int i = 0; i < args.size(); ++i) {
            const QString& a = args[i];
            if (!a.startsWith(QLatin1String("--")))
                throw UsageError{QStringLiteral("usage: ") + uso};
            if (switches.contains(a)) {
                values_[a] = QString();
                continue;
            }
            if (i + 1 >= args.size()) throw UsageError{a + QStringLiteral(" necesita un valor")};
            values_[a] = args[++i];
        }
    }
    bool Has(const QString& name) const { return values_.count(name) > 0; }
    QString Value(const QString& name) const {
        auto it = values_.find(name);
        return it == values_.end() ? QString() : it->second;
    }
    QString Required(const QString& name) const {
        if (!Has(name)) throw UsageError{QStringLiteral("usage: ") + uso_};
        return Value(name);
    }
    int Int(const QString& name, int minimo = 1, int maximo = INT_MAX) const {
        bool ok = false;
        const int n = Required(name).toInt(&ok);
        if (!ok || n < minimo || n > maximo)
            throw UsageError{
                maximo == INT_MAX
                    ? QStringLiteral("%1: se esperaba un número entero mayor que 0, no '%2'")
                          .arg(name, Value(name))
                    : QStringLiteral("%1: se esperaba un número del %2 al %3, no '%4'")
                          .arg(name)
                          .arg(minimo)
                          .arg(maximo)
                          .arg(Value(name))};
        return n;
    }
    QDate Date(const QString& name) const {
        static const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}$)"));
        const QString text = Required(name);
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (!iso.match(text).hasMatch() || !d.isValid() || d.year() < kPrimerAnyo ||
            d.year() > kUltimoAnyo)
            throw UsageError{
                QStringLiteral("%1: se esperaba una fecha AAAA-MM-DD, no '%2'").arg(name, text)};
        return d;
    }
    QList<int> Keys(const QString& name) const {
        QList<int> keys;
        for (const QString& p : Value(name).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            keys << p.trimmed().toInt(&ok);
            if (!ok || keys.last() <= 0)
                throw UsageError{QStringLiteral("%1: clave no válida: '%2'").arg(name, p)};
        }
        return keys;
    }

  private:
    QString uso_;
    std::map<QString, QString> values_;
};

// Keys given on the command line must name rows that exist.
void ExigirClaves(const QString& tabla, const QString& clave, const QList<int>& ids,
                  const QString& que) {
    for (int id : ids)
        if (CompteRegistres(DefaultDB(), clave, tabla,
                            clave + QStringLiteral("=") + ValorSQL(id)) == 0)
            throw EZMKError(QStringLiteral("No existe %1 %2").arg(que).arg(id));
}

QList<int> Column(const QString& sql) {
    QList<int> ids;
    QSqlQuery q = DefaultDB().Query(sql);
    while (q.next()) ids << q.value(0).toInt();
    return ids;
}

// The rows the host grid would give: every row of the screen, the current (first) row, or the
// selected ones.
QList<int> Rows(const QString& rows, const QList<int>& selected, const QString& allSql) {
    if (rows == QLatin1String("selected")) return selected;
    const QList<int> all = Column(allSql);
    if (rows == QLatin1String("all")) return all;
    if (rows == QLatin1String("current")) {
        if (!selected.isEmpty()) return {selected.first()};
        return all.isEmpty() ? QList<int>() : QList<int>{all.first()};
    }
    throw UsageError{QStringLiteral("--rows: all, current o selected")};
}

int Generate(CliContext& ctx) {
    const Flags f(ctx.args.mid(1), {QStringLiteral("--by-concept"), QStringLiteral("--collect")},
                  kUsoGenerate);
    const bool porConcepto = f.Has(QStringLiteral("--by-concept"));
    // Every choice is checked before the database is touched.
    const bool sinMes = f.Required(QStringLiteral("--month")) == QLatin1String("none");
    const int mes = sinMes ? 0 : f.Int(QStringLiteral("--month"), 1, 12);
    const bool conAnyo = !sinMes || f.Has(QStringLiteral("--year"));
    const int anyo = conAnyo ? f.Int(QStringLiteral("--year"), kPrimerAnyo, kUltimoAnyo) : 0;
    const QDate fecha = f.Date(QStringLiteral("--date"));
    const int idSerie = f.Int(QStringLiteral("--series"));
    const QList<int> elegidos =
        f.Keys(porConcepto ? QStringLiteral("--concepts") : QStringLiteral("--students"));
    if (f.Has(porConcepto ? QStringLiteral("--students") : QStringLiteral("--concepts")))
        throw UsageError{
            QStringLiteral("--students es para facturar por alumno y --concepts "
                           "con --by-concept")};
    const QString rowsFlag = f.Value(QStringLiteral("--rows"));
    if (!rowsFlag.isEmpty() && !QStringList{"all", "current", "selected"}.contains(rowsFlag))
        throw UsageError{QStringLiteral("--rows: all, current o selected")};
    OpenDefaultDatabase(ctx);
    if (porConcepto)
        ExigirClaves(QStringLiteral("T14ConceptosMatricula"),
                     QStringLiteral("IDConceptoMatriculaT14"), elegidos,
                     QStringLiteral("el concepto"));
    else
        ExigirClaves(QStringLiteral("T01Alumnos"), QStringLiteral("IDAlumnoT01"), elegidos,
                     QStringLiteral("el alumno"));
    TFormGenerarFacturas form = TFormGenerarFacturas::Inicial(
        porConcepto ? TFormGenerarFacturas::kPorConcepto : TFormGenerarFacturas::kPorAlumno);
    form.sinMes = sinMes;
    form.mes = mes;
    if (conAnyo) form.anyo = anyo;
    form.fecha = fecha;
    form.idSerie = idSerie;
    const QString centro = ValorSQL(IDCentroActual());
    if (porConcepto) {
        QString rows = rowsFlag;
        if (rows.isEmpty())
            rows = elegidos.isEmpty() ? QStringLiteral("all") : QStringLiteral("selected");
        form.conceptos =
            Rows(rows, elegidos,
                 QStringLiteral("SELECT IDConceptoMatriculaT14 FROM T14ConceptosMatricula "
                                "INNER JOIN T02Matriculas ON IDMatriculaT02=IDMatriculaT14 "
                                "WHERE IDCentroT02=") +
                     centro + QStringLiteral(" ORDER BY IDConceptoMatriculaT14"));
        form.alumnos = form.conceptos.isEmpty()
                           ? QList<int>()
                           : Column(QStringLiteral("SELECT IDAlumnoT02 FROM T14ConceptosMatricula "
                                                   "INNER JOIN T02Matriculas ON "
                                                   "IDMatriculaT02=IDMatriculaT14 WHERE "
                                                   "IDConceptoMatriculaT14 IN (") +
                                    SqlKeyList(form.conceptos) + QStringLiteral(")"));
    } else {
        QString rows = rowsFlag;
        if (rows.isEmpty())
            rows = elegidos.isEmpty() ? QStringLiteral("all") : QStringLiteral("selected");
        form.alumnos =
            Rows(rows, elegidos,
                 QStringLiteral("SELECT IDAlumnoT01 FROM T01Alumnos WHERE IDCentroT01=") + centro +
                     QStringLiteral(" ORDER BY CodigoT01"));
    }
    const bool cobrar = f.Has(QStringLiteral("--collect"));
    const QList<int> facturas = form.Facturar(cobrar);
    QList<int> sinCobrar;
    for (int id : facturas) {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral(
                "SELECT IDFacturaCabT15,SerieT15,NumeroT15,CodigoAlumnoT15,ImporteTotalT15,"
                "CobradaT15 "
                "FROM T15FacturasCab WHERE IDFacturaCabT15=") +
            ValorSQL(id));
        if (!q.next()) continue;
        *ctx.out << q.value(0).toString() << '\t' << q.value(1).toString() << '\t'
                 << q.value(2).toString() << '\t' << q.value(3).toString() << '\t'
                 << VarToCurrency(q.value(4)).value_or(Currency()).ToString(2) << '\n';
        if (cobrar && !q.value(5).toBool()) sinCobrar << id;
    }
    if (sinCobrar.isEmpty()) return kExitOk;
    // The invoices stay saved; what was not collected is said, and the run is not a success.
    QStringList ids;
    for (int id : sinCobrar) ids << QString::number(id);
    *ctx.err << "ERROR "
             << QStringLiteral(
                    "Se han creado %1 facturas y se han cobrado %2; quedan sin cobrar "
                    "%3: %4 (cóbrelas con billing apply collect --invoices %4)")
                    .arg(facturas.size())
                    .arg(facturas.size() - sinCobrar.size())
                    .arg(sinCobrar.size())
                    .arg(ids.join(QLatin1Char(',')))
             << '\n';
    return kExitFailed;
}

int Apply(CliContext& ctx) {
    static const std::map<QString, TAccionFactura> acciones{
        {QStringLiteral("collect"), TAccionFactura::Cobrar},
        {QStringLiteral("return"), TAccionFactura::Devolver},
        {QStringLiteral("cancel-return"), TAccionFactura::AnularDevolucion},
        {QStringLiteral("cancel-collect"), TAccionFactura::AnularCobro},
        {QStringLiteral("delete"), TAccionFactura::Borrar},
    };
    auto it = acciones.find(ctx.args.value(1));
    if (it == acciones.end()) throw UsageError{QStringLiteral("usage: ") + kUsoApply};
    const Flags f(ctx.args.mid(2), {QStringLiteral("--reactivate")}, kUsoApply);
    const QList<int> ids = f.Keys(QStringLiteral("--invoices"));
    if (ids.isEmpty()) throw UsageError{QStringLiteral("usage: ") + kUsoApply};
    const std::optional<QDate> fecha = f.Has(QStringLiteral("--date"))
                                           ? std::optional(f.Date(QStringLiteral("--date")))
                                           : std::nullopt;
    const int idFormaCobro =
        f.Has(QStringLiteral("--payment-method")) ? f.Int(QStringLiteral("--payment-method")) : 0;
    OpenDefaultDatabase(ctx);
    ExigirClaves(QStringLiteral("T15FacturasCab"), QStringLiteral("IDFacturaCabT15"), ids,
                 QStringLiteral("la factura"));
    if (idFormaCobro > 0)
        ExigirClaves(QStringLiteral("T17FormasCobro"), QStringLiteral("IDFormaCobroT17"),
                     {idFormaCobro}, QStringLiteral("la forma de cobro"));
    TFormFuncionesFacturas form = TFormFuncionesFacturas::Inicial();
    form.accion = it->second;
    form.ids = ids;
    if (fecha) form.fechaCobro = form.fechaDevolucion = *fecha;
    if (idFormaCobro > 0) form.idFormaCobro = idFormaCobro;
    form.desfacturar = f.Has(QStringLiteral("--reactivate"));
    form.imprimir = false;
    *ctx.out << form.Aceptar() << '\n';
    return kExitOk;
}

int Billing(CliContext& ctx) {
    const QString sub = ctx.args.value(0);
    if (sub == QLatin1String("generate")) return Generate(ctx);
    if (sub == QLatin1String("apply")) return Apply(ctx);
    if (sub == QLatin1String("recalc-all") && ctx.args.size() == 1) {
        OpenDefaultDatabase(ctx);
        RecalcularFacturasAntiguas();
        return kExitOk;
    }
    throw UsageError{QStringLiteral("usage: ") + kUsoGenerate + '\n' + kUsoApply + '\n' +
                     kUsoRecalc};
}

int Settlements(CliContext& ctx) {
    if (ctx.args.value(0) != QLatin1String("generate"))
        throw UsageError{QStringLiteral("usage: ") + kUsoSettlements};
    const Flags f(ctx.args.mid(1), {}, kUsoSettlements);
    const bool periodo = f.Has(QStringLiteral("--from")) || f.Has(QStringLiteral("--to"));
    if (periodo == f.Has(QStringLiteral("--months")))
        throw UsageError{QStringLiteral("usage: ") + kUsoSettlements};
    const QDate fechaLiquidacion = f.Date(QStringLiteral("--date"));
    const QDate desde = periodo ? f.Date(QStringLiteral("--from")) : QDate();
    const QDate hasta = periodo ? f.Date(QStringLiteral("--to")) : QDate();
    if (periodo && hasta < desde)
        throw UsageError{QStringLiteral("--to no puede ser anterior a --from")};
    static const QRegularExpression mesAnyo(QStringLiteral(R"(^\d{4}-(0[1-9]|1[0-2])$)"));
    for (const QString& m :
         f.Value(QStringLiteral("--months")).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!mesAnyo.match(m.trimmed()).hasMatch())
            throw UsageError{
                QStringLiteral("--months: se esperaba AAAA-MM[,AAAA-MM...], no '%1'").arg(m)};
    OpenDefaultDatabase(ctx);
    TFormGenerarLiquidaciones form = TFormGenerarLiquidaciones::Inicial();
    form.fechaLiquidacion = fechaLiquidacion;
    form.FechaCambiada();
    form.descripcion = f.Value(QStringLiteral("--description")).left(50);
    if (periodo) {
        form.fechaInicial = desde;
        form.fechaFinal = hasta;
    } else {
        form.mensual = true;
        for (const QString& m :
             f.Value(QStringLiteral("--months")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool encontrado = false;
            for (int k = 0; k < form.meses.size(); ++k)
                if (form.meses[k].mid(11, 4) + QLatin1Char('-') + form.meses[k].right(2) ==
                    m.trimmed())
                    form.marcados[k] = encontrado = true;
            if (!encontrado)
                throw EZMKError(
                    QStringLiteral(
                        "El mes %1 no está entre los doce anteriores a la fecha de la liquidación")
                        .arg(m.trimmed()));
        }
    }
    *ctx.out << form.Aceptar() << '\n';
    return kExitOk;
}

int SepaCheck(CliContext& ctx) {
    const Flags f(ctx.args, {QStringLiteral("--apply")}, kUsoSepa);
    OpenDefaultDatabase(ctx);
    for (const QString& linea : InformeDatosSEPA(false)) *ctx.out << linea << '\n';
    if (!f.Has(QStringLiteral("--apply"))) return kExitOk;
    ctx.out->flush();
    if (!PreguntaSiNo(QStringLiteral("¿ACEPTAR y procesar los cambios?"), TMsgIcon::Question,
                      TMsgButton::No))
        return kExitAborted;
    InformeDatosSEPA(true);
    return kExitOk;
}

}  // namespace

void RegisterBillingCommands() {
    RegisterCommand(QStringLiteral("billing"), kUsoGenerate + '\n' + kUsoApply + '\n' + kUsoRecalc,
                    Billing);
    RegisterCommand(QStringLiteral("settlements"), kUsoSettlements, Settlements);
    RegisterCommand(QStringLiteral("sepa-check"), kUsoSepa, SepaCheck);
}

}  // namespace zmk::cli
