// The billing forms' operations from the command line. The choices a form offers are flags;
// questions asked on the way (the final confirmation, the ask dialog) take --answer.
#include "cli/cmd_billing.h"

#include <QSqlQuery>
#include <map>

#include "billing/chequeosepa.h"
#include "billing/factura.h"
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
    int Int(const QString& name) const {
        bool ok = false;
        const int n = Required(name).toInt(&ok);
        if (!ok) throw UsageError{name + QStringLiteral(": se esperaba un número")};
        return n;
    }
    QDate Date(const QString& name) const {
        const QDate d = QDate::fromString(Required(name), Qt::ISODate);
        if (!d.isValid()) throw UsageError{name + QStringLiteral(": se esperaba YYYY-MM-DD")};
        return d;
    }
    QList<int> Keys(const QString& name) const {
        QList<int> keys;
        for (const QString& p : Value(name).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            keys << p.trimmed().toInt(&ok);
            if (!ok) throw UsageError{QStringLiteral("Clave no válida: %1").arg(p)};
        }
        return keys;
    }

  private:
    QString uso_;
    std::map<QString, QString> values_;
};

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
    OpenDefaultDatabase(ctx);
    const bool porConcepto = f.Has(QStringLiteral("--by-concept"));
    TFormGenerarFacturas form = TFormGenerarFacturas::Inicial(
        porConcepto ? TFormGenerarFacturas::kPorConcepto : TFormGenerarFacturas::kPorAlumno);
    const QString mes = f.Required(QStringLiteral("--month"));
    form.sinMes = mes == QLatin1String("none");
    form.mes = form.sinMes ? 0 : f.Int(QStringLiteral("--month"));
    form.anyo = form.sinMes && !f.Has(QStringLiteral("--year")) ? form.anyo
                                                                : f.Int(QStringLiteral("--year"));
    form.fecha = f.Date(QStringLiteral("--date"));
    form.idSerie = f.Int(QStringLiteral("--series"));
    const QString centro = ValorSQL(IDCentroActual());
    if (porConcepto) {
        const QList<int> elegidos = f.Keys(QStringLiteral("--concepts"));
        QString rows = f.Value(QStringLiteral("--rows"));
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
        const QList<int> elegidos = f.Keys(QStringLiteral("--students"));
        QString rows = f.Value(QStringLiteral("--rows"));
        if (rows.isEmpty())
            rows = elegidos.isEmpty() ? QStringLiteral("all") : QStringLiteral("selected");
        form.alumnos =
            Rows(rows, elegidos,
                 QStringLiteral("SELECT IDAlumnoT01 FROM T01Alumnos WHERE IDCentroT01=") + centro +
                     QStringLiteral(" ORDER BY CodigoT01"));
    }
    const QList<int> facturas = form.Facturar(f.Has(QStringLiteral("--collect")));
    for (int id : facturas) {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral(
                "SELECT IDFacturaCabT15,SerieT15,NumeroT15,CodigoAlumnoT15,ImporteTotalT15 "
                "FROM T15FacturasCab WHERE IDFacturaCabT15=") +
            ValorSQL(id));
        if (!q.next()) continue;
        *ctx.out << q.value(0).toString() << '\t' << q.value(1).toString() << '\t'
                 << q.value(2).toString() << '\t' << q.value(3).toString() << '\t'
                 << VarToCurrency(q.value(4)).value_or(Currency()).ToString(2) << '\n';
    }
    return kExitOk;
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
    OpenDefaultDatabase(ctx);
    TFormFuncionesFacturas form = TFormFuncionesFacturas::Inicial();
    form.accion = it->second;
    form.ids = f.Keys(QStringLiteral("--invoices"));
    if (form.ids.isEmpty()) throw UsageError{QStringLiteral("usage: ") + kUsoApply};
    if (f.Has(QStringLiteral("--date")))
        form.fechaCobro = form.fechaDevolucion = f.Date(QStringLiteral("--date"));
    if (f.Has(QStringLiteral("--payment-method")))
        form.idFormaCobro = f.Int(QStringLiteral("--payment-method"));
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
    OpenDefaultDatabase(ctx);
    TFormGenerarLiquidaciones form = TFormGenerarLiquidaciones::Inicial();
    form.fechaLiquidacion = f.Date(QStringLiteral("--date"));
    form.FechaCambiada();
    form.descripcion = f.Value(QStringLiteral("--description")).left(50);
    if (periodo) {
        form.fechaInicial = f.Date(QStringLiteral("--from"));
        form.fechaFinal = f.Date(QStringLiteral("--to"));
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
