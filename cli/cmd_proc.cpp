#include "cli/cmd_core.h"
#include "cli/commands.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/grid.h"
#include "host/parametres.h"
#include "host/rights.h"
#include "maintenance/userrights.h"
#include "schema/schema.h"

namespace zmk::cli {

namespace {

struct ScreenObjects {
    std::unique_ptr<TQuerySQL> query;
    std::unique_ptr<TQuerySQL> gridQuery;
    std::unique_ptr<TZMKDBGrid> grid;
};

QVariantList ParseKeys(const QString& text) {
    QVariantList keys;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        int key = part.trimmed().toInt(&ok);
        if (!ok) throw UsageError{QStringLiteral("Clave no válida: %1").arg(part)};
        keys << key;
    }
    return keys;
}

std::pair<const schema::Table*, QVariantList> ParseTableKeys(const QString& text) {
    int colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0) throw UsageError{QStringLiteral("Se esperaba TABLA:CLAVE: %1").arg(text)};
    QVariantList keys = ParseKeys(text.mid(colon + 1));
    if (keys.isEmpty()) throw UsageError{QStringLiteral("Se esperaba TABLA:CLAVE: %1").arg(text)};
    const schema::Table* table = schema::FindTable(text.left(colon));
    if (!table || table->key.isEmpty())
        throw EZMKError(QStringLiteral("No existe la tabla %1").arg(text.left(colon)));
    return {table, keys};
}

// A screen's query over the whole table, ordered by key and positioned on the given record.
std::unique_ptr<TQuerySQL> ScreenQuery(const schema::Table& table, const QVariant& key) {
    RequireTableRight(table.name, ProgramTableCaption(table.name), TTableRight::View);
    auto ds = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM ") + table.name + QStringLiteral(" ORDER BY ") + table.key,
        false);
    ZMKApp().AttachDataSet(*ds, table.dataSourceId);
    ds->Open();
    if (!ds->Locate(table.key, key))
        throw EZMKError(QStringLiteral("No existe el registro %1 en la tabla %2")
                            .arg(key.toString(), table.name));
    return std::make_unique<TQuerySQL>(std::move(ds));
}

int RunProc(CliContext& ctx) {
    if (ctx.args.isEmpty())
        throw UsageError{QStringLiteral("proc necesita el nombre del procedimiento")};
    QString name = ctx.args.first();
    QStringList rest = ctx.args.mid(1);
    QString query_arg, grid_arg, selected_arg;
    QList<std::pair<QString, QVariant>> params;
    while (!rest.isEmpty()) {
        QString arg = rest.takeFirst();
        auto value = [&]() {
            if (rest.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            return rest.takeFirst();
        };
        if (arg == QLatin1String("--query")) {
            query_arg = value();
        } else if (arg == QLatin1String("--grid")) {
            grid_arg = value();
        } else if (arg == QLatin1String("--selected")) {
            selected_arg = value();
        } else {
            int eq = arg.indexOf(QLatin1Char('='));
            if (eq <= 0)
                throw UsageError{QStringLiteral("Se esperaba PARAMETRO=VALOR: %1").arg(arg)};
            params << std::pair{arg.left(eq), ParseCliValue(arg.mid(eq + 1))};
        }
    }
    QVariantList selected = ParseKeys(selected_arg);
    if (!ZMKApp().Procedures().Exists(name))
        throw EZMKError(QStringLiteral("No existe el procedimiento \"%1\"").arg(name));

    OpenDefaultDatabase(ctx);
    ScreenObjects screen;
    TParametres& block = Parametres();
    for (const QString& p : {QStringLiteral("PRMIP_TQUERYSQL"), QStringLiteral("PRMIP_DATASET"),
                             QStringLiteral("PRMIP_DBGRID"), QStringLiteral("PRMIP_ZMKFORM")})
        block.SetParametreValue(p, 0);
    for (int i = 1; i <= 6; ++i)
        block.DeleteParam(QStringLiteral("PRMS%1").arg(i, 2, 10, QLatin1Char('0')));
    for (const auto& [param, value] : params) block.SetParametreValue(param, value);

    if (!query_arg.isEmpty()) {
        auto [table, keys] = ParseTableKeys(query_arg);
        screen.query = ScreenQuery(*table, keys.first());
    }
    if (!grid_arg.isEmpty()) {
        auto [table, keys] = ParseTableKeys(grid_arg);
        RequireTableRight(table->name, ProgramTableCaption(table->name), TTableRight::View);
        screen.gridQuery = GridQuery(*table, keys);
        screen.grid = std::make_unique<TZMKDBGrid>(*screen.gridQuery);
        screen.grid->SetSelectedKeys(selected);
        block.SetParametreValue(QStringLiteral("PRMIP_DBGRID"), screen.grid->Handle());
    }
    // The screen's query is the one given, else the grid's.
    TQuerySQL* query = screen.query ? screen.query.get() : screen.gridQuery.get();
    if (query) {
        block.SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query->Handle());
        block.SetParametreValue(QStringLiteral("PRMIP_DATASET"), query->DataSet().Handle());
    }

    ZMKApp().Procedures().ExecuteProcedure(name);
    // Without a screen nobody accepts a record the procedure left in edit ("Importar formato"):
    // it is posted, as accepting it on the screen does, with the rules.
    if (query && (query->DataSet().State() == TDataSetState::Edit ||
                  query->DataSet().State() == TDataSetState::Insert))
        query->DataSet().Post();

    for (int i = 1; i <= 6; ++i) {
        QString out_name = QStringLiteral("PRMS%1").arg(i, 2, 10, QLatin1Char('0'));
        if (block.ParamExists(out_name))
            *ctx.out << out_name << "=" << FormatCliValue(block.GetParametreValue(out_name))
                     << "\n";
    }
    return kExitOk;
}

const QString kUsoParam = QStringLiteral("param get NOMBRE | param set NOMBRE VALOR [--create]");

// The column of an option that exists; names are exact, without regard to case.
QString ExistingOption(const QString& name) {
    const QString column = ParametrosApp().ValueColumnOf(name);
    if (column.isEmpty())
        throw EZMKError(QStringLiteral("No existe el parámetro '%1' (param set NOMBRE VALOR "
                                       "--create lo crea)")
                            .arg(name));
    return column;
}

int RunParam(CliContext& ctx) {
    ParametrosApp().SetExactNames(true);
    if (ctx.args.size() == 2 && ctx.args[0] == QLatin1String("get")) {
        OpenDefaultDatabase(ctx);
        ExistingOption(ctx.args[1]);
        *ctx.out << FormatCliValue(ParametrosApp().GetValue(ctx.args[1])) << "\n";
        return kExitOk;
    }
    QStringList args = ctx.args;
    const bool create = args.removeAll(QStringLiteral("--create")) > 0;
    if (args.size() == 3 && args[0] == QLatin1String("set")) {
        OpenDefaultDatabase(ctx);
        const QString column = ParametrosApp().ValueColumnOf(args[1]);
        if (column.isEmpty()) {
            if (!create) ExistingOption(args[1]);
            const QVariant value = ParseCliValue(args[2]);
            if (!value.isValid())
                throw EZMKError(QStringLiteral("Un parámetro nuevo necesita un valor, no NULL"));
            ParametrosApp().SetValue(args[1], value);
        } else {
            // The value is read by the type the option already has.
            ParametrosApp().SetValue(args[1], ParseColumnValue(column, args[2]));
        }
        return kExitOk;
    }
    throw UsageError{kUsoParam};
}

}  // namespace

std::unique_ptr<TQuerySQL> GridQuery(const schema::Table& table, const QVariantList& keys) {
    QString order = QStringLiteral("CASE ") + table.key;
    for (int i = 0; i < keys.size(); ++i) {
        order += QStringLiteral(" WHEN ") + ValorSQL(keys[i]) + QStringLiteral(" THEN ") +
                 QString::number(i);
    }
    order += QStringLiteral(" END");
    auto ds = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM ") + table.name + QStringLiteral(" WHERE ") + table.key +
            QStringLiteral(" IN (") + SqlKeyList(keys) + QStringLiteral(") ORDER BY ") + order,
        false);
    ZMKApp().AttachDataSet(*ds, table.dataSourceId);
    ds->Open();
    return std::make_unique<TQuerySQL>(std::move(ds));
}

void RegisterProcCommand() {
    RegisterCommand(QStringLiteral("proc"),
                    QStringLiteral("proc NOMBRE [PARAMETRO=VALOR]... [--query TABLA:CLAVE] [--grid "
                                   "TABLA:CLAVE[,CLAVE]...] [--selected CLAVE[,CLAVE]...]"),
                    RunProc);
}

void RegisterParamCommand() {
    RegisterCommand(QStringLiteral("param"), kUsoParam, RunParam);
}

}  // namespace zmk::cli
