#include <QRegularExpression>

#include "cli/cmd_core.h"
#include "cli/commands.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "maintenance/usersession.h"

namespace zmk::cli {

namespace {

bool ReturnsRows(const QString& sql) {
    static const QRegularExpression query(QStringLiteral(R"(^\s*(SELECT|WITH|PRAGMA|VALUES)\b)"),
                                          QRegularExpression::CaseInsensitiveOption);
    return query.match(sql).hasMatch();
}

// Tabs and line breaks inside a value would break the row format.
QString Cell(const QVariant& value) {
    QString text = FormatCliValue(value);
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

int RunSql(CliContext& ctx) {
    if (ctx.args.size() != 1) throw UsageError{QStringLiteral("sql necesita una sentencia")};
    OpenDefaultDatabase(ctx);
    // A statement reaches every table: the rights of a user who is not an administrator would
    // mean nothing.
    if (!PuedeGestionarUsuarios())
        throw EZMKError(QStringLiteral(
            "Solamente un administrador de la base de datos puede ejecutar sentencias SQL.\n"
            "Entre con un usuario administrador: --user NOMBRE --password CONTRASEÑA"));
    const QString& sql = ctx.args.first();
    TDataBaseZMK& db = DefaultDB();
    if (!ReturnsRows(sql)) {
        *ctx.out << db.ExecuteSQL(sql) << "\n";
        return kExitOk;
    }
    auto ds = db.GetTSQLDataSet(sql, true);
    ds->Open();
    *ctx.out << ds->FieldNames().join(QLatin1Char('\t')) << "\n";
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QStringList cells;
        for (int i = 0; i < ds->FieldCount(); ++i) cells << Cell(ds->Fields(i).Value());
        *ctx.out << cells.join(QLatin1Char('\t')) << "\n";
    }
    return kExitOk;
}

}  // namespace

void RegisterSqlCommand() {
    RegisterCommand(QStringLiteral("sql"),
                    QStringLiteral("sql \"SENTENCIA\"                       SELECT: cabecera y "
                                   "filas separadas por tabuladores; otras: filas afectadas"),
                    RunSql);
}

}  // namespace zmk::cli
