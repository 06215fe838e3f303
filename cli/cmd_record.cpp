#include <algorithm>

#include "cli/cmd_core.h"
#include "cli/commands.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/rights.h"
#include "maintenance/userrights.h"
#include "schema/schema.h"

namespace zmk::cli {

namespace {

struct Assignment {
    QString field;
    QVariant value;
};

const schema::Table& TableOf(const QString& name) {
    const schema::Table* table = schema::FindTable(name);
    if (!table || table->key.isEmpty())
        throw EZMKError(QStringLiteral("No existe la tabla %1").arg(name));
    return *table;
}

// Each value is read by its column's type; a column of another table is refused.
QList<Assignment> ParseAssignments(const schema::Table& table, const QStringList& args) {
    QList<Assignment> list;
    for (const QString& arg : args) {
        int eq = arg.indexOf(QLatin1Char('='));
        if (eq <= 0) throw UsageError{QStringLiteral("Se esperaba CAMPO=VALOR: %1").arg(arg)};
        const QString field = arg.left(eq);
        const auto column = std::find_if(
            table.columns.begin(), table.columns.end(),
            [&](const auto& c) { return c.name.compare(field, Qt::CaseInsensitive) == 0; });
        if (column == table.columns.end())
            throw EZMKError(QStringLiteral("Campo '%1' no encontrado").arg(field));
        list << Assignment{column->name, ParseColumnValue(column->name, arg.mid(eq + 1))};
    }
    return list;
}

// A screen's data set on the table: the library's hooks see it under the table's identifier.
std::unique_ptr<TDataSet> ScreenDataSet(const schema::Table& table, const QString& condition) {
    TDataBaseZMK& db = DefaultDB();
    auto ds = db.GetTSQLDataSet(
        QStringLiteral("SELECT * FROM ") + table.name + QStringLiteral(" WHERE ") + condition,
        false);
    ZMKApp().AttachDataSet(*ds, table.dataSourceId);
    ds->Open();
    return ds;
}

int ParseKey(const QString& keyText) {
    bool ok = false;
    const int key = keyText.toInt(&ok);
    if (!ok || key <= 0)
        throw EZMKError(QStringLiteral("La clave debe ser un número entero: %1").arg(keyText));
    return key;
}

std::unique_ptr<TDataSet> ScreenRecord(const schema::Table& table, int key) {
    auto ds = ScreenDataSet(table, table.key + QStringLiteral("=") + ValorSQL(key));
    if (ds->IsEmpty())
        throw EZMKError(
            QStringLiteral("No existe el registro %1 en la tabla %2").arg(key).arg(table.name));
    return ds;
}

// Assigns in the order given, as typing would; a failure leaves nothing written.
void AssignAndPost(TDataSet& ds, const QList<Assignment>& assignments) {
    try {
        for (const Assignment& a : assignments) ds.FieldByName(a.field).SetValue(a.value);
        ds.Post();
    } catch (...) {
        ds.Cancel();
        throw;
    }
}

int RunRecord(CliContext& ctx) {
    if (ctx.args.size() < 2)
        throw UsageError{QStringLiteral("record necesita una acción y una tabla")};
    QString action = ctx.args[0];
    if (action == QLatin1String("insert")) {
        const schema::Table& table = TableOf(ctx.args[1]);
        auto assignments = ParseAssignments(table, ctx.args.mid(2));
        OpenDefaultDatabase(ctx);
        RequireTableRight(table.name, ProgramTableCaption(table.name), TTableRight::Add);
        auto ds = ScreenDataSet(table, QStringLiteral("1=0"));
        ds->Append();
        AssignAndPost(*ds, assignments);
        *ctx.out << FormatCliValue(ds->FieldByName(table.key).Value()) << "\n";
        return kExitOk;
    }
    if (action == QLatin1String("edit")) {
        if (ctx.args.size() < 3)
            throw UsageError{QStringLiteral("record edit TABLA CLAVE CAMPO=VALOR...")};
        const schema::Table& table = TableOf(ctx.args[1]);
        const int key = ParseKey(ctx.args[2]);
        auto assignments = ParseAssignments(table, ctx.args.mid(3));
        OpenDefaultDatabase(ctx);
        RequireTableRight(table.name, ProgramTableCaption(table.name), TTableRight::Modify);
        auto ds = ScreenRecord(table, key);
        ds->Edit();
        AssignAndPost(*ds, assignments);
        return kExitOk;
    }
    if (action == QLatin1String("delete")) {
        if (ctx.args.size() != 3) throw UsageError{QStringLiteral("record delete TABLA CLAVE")};
        const schema::Table& table = TableOf(ctx.args[1]);
        const int key = ParseKey(ctx.args[2]);
        OpenDefaultDatabase(ctx);
        RequireTableRight(table.name, ProgramTableCaption(table.name), TTableRight::Delete);
        auto ds = ScreenRecord(table, key);
        ds->Delete();
        return kExitOk;
    }
    throw UsageError{QStringLiteral("Acción desconocida: %1").arg(action)};
}

}  // namespace

void RegisterRecordCommand() {
    RegisterCommand(QStringLiteral("record"),
                    QStringLiteral("record insert TABLA CAMPO=VALOR... | record edit TABLA CLAVE "
                                   "CAMPO=VALOR... | record delete TABLA CLAVE"),
                    RunRecord);
}

}  // namespace zmk::cli
