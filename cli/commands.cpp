#include "cli/commands.h"

#include <QDateTime>
#include <QRegularExpression>
#include <climits>
#include <map>
#include <optional>

#include "core/centroactual.h"
#include "core/datosempresa.h"
#include "core/parametrosapp.h"
#include "host/app.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/errors.h"
#include "maintenance/usersession.h"
#include "schema/schema.h"

namespace zmk::cli {

namespace {
struct Command {
    QString usage;
    CommandFn fn;
};
std::map<QString, Command>& Commands() {
    static std::map<QString, Command> commands;
    return commands;
}
}  // namespace

void RegisterCommand(const QString& name, const QString& usage, CommandFn fn) {
    Commands()[name] = Command{usage, std::move(fn)};
}

int RunCommand(const QString& name, CliContext& ctx) {
    auto it = Commands().find(name);
    if (it == Commands().end()) throw UsageError{QStringLiteral("Orden desconocida: %1").arg(name)};
    return it->second.fn(ctx);
}

QStringList CommandUsages() {
    QStringList usages;
    for (const auto& [name, command] : Commands()) usages << command.usage;
    return usages;
}

namespace {

QVariant ParseDate(const QString& text) {
    static const QRegularExpression date(
        QStringLiteral(R"(^\d{4}-\d{2}-\d{2}( \d{2}:\d{2}(:\d{2})?)?$)"));
    if (!date.match(text).hasMatch()) return QVariant();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        QDateTime d = QDateTime::fromString(text, QLatin1String(format));
        if (d.isValid()) return d;
    }
    return QVariant();
}

}  // namespace

QVariant ParseCliValue(const QString& text) {
    if (text == QLatin1String("NULL")) return QVariant();
    if (text == QLatin1String("true")) return true;
    if (text == QLatin1String("false")) return false;
    static const QRegularExpression integer(QStringLiteral(R"(^-?\d{1,9}$)"));
    static const QRegularExpression number(QStringLiteral(R"(^-?\d+\.\d+$|^-?\d{10,18}$)"));
    if (integer.match(text).hasMatch()) return text.toInt();
    if (number.match(text).hasMatch()) {
        if (!text.contains(QLatin1Char('.'))) return text.toLongLong();
        // Up to four decimals a number is an exact decimal (money, units, percentages).
        if (text.size() - text.indexOf(QLatin1Char('.')) - 1 <= 4)
            return QVariant::fromValue(*Currency::Parse(text));
        return text.toDouble();
    }
    if (QVariant d = ParseDate(text); d.isValid()) return d;
    return text;
}

QVariant ParseColumnValue(const QString& column, const QString& text) {
    if (text == QLatin1String("NULL")) return QVariant();
    auto refuse = [&](const QString& expected) {
        return EConvertError(
            QStringLiteral("'%1' no es %2 para el campo '%3'").arg(text, expected, column));
    };
    static const QRegularExpression integer(QStringLiteral(R"(^-?\d{1,18}$)"));
    static const QRegularExpression amount(QStringLiteral(R"(^-?\d{1,14}(\.\d{1,4})?$)"));
    static const QRegularExpression number(QStringLiteral(R"(^-?\d+(\.\d+)?([eE][-+]?\d+)?$)"));
    switch (schema::ColumnType(column)) {
        case TFieldType::String:
        case TFieldType::Memo:
            return text;
        case TFieldType::Integer:
        case TFieldType::AutoInc: {
            if (!integer.match(text).hasMatch())
                throw refuse(QStringLiteral("un valor entero válido"));
            const qlonglong n = text.toLongLong();
            return n >= INT_MIN && n <= INT_MAX ? QVariant(int(n)) : QVariant(n);
        }
        case TFieldType::Boolean:
            if (text == QLatin1String("true")) return true;
            if (text == QLatin1String("false")) return false;
            throw refuse(QStringLiteral("un valor booleano válido (true o false)"));
        case TFieldType::Currency: {
            const std::optional<Currency> c =
                amount.match(text).hasMatch() ? Currency::Parse(text) : std::nullopt;
            if (!c)
                throw refuse(
                    QStringLiteral("un valor numérico válido (punto decimal, hasta "
                                   "cuatro decimales)"));
            return QVariant::fromValue(*c);
        }
        case TFieldType::Float:
            if (!number.match(text).hasMatch())
                throw refuse(QStringLiteral("un valor numérico válido"));
            return text.toDouble();
        case TFieldType::DateTime: {
            QVariant d = ParseDate(text);
            if (!d.isValid())
                throw refuse(QStringLiteral("una fecha válida (AAAA-MM-DD o AAAA-MM-DD HH:MM:SS)"));
            return d;
        }
        case TFieldType::Blob:
            throw EConvertError(QStringLiteral("El campo '%1' guarda datos binarios: no se puede "
                                               "escribir desde la línea de órdenes")
                                    .arg(column));
        case TFieldType::Unknown:
            break;
    }
    throw EConvertError(QStringLiteral("Campo '%1' no encontrado").arg(column));
}

QString FormatCliValue(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().ToString();
    switch (value.metaType().id()) {
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QMetaType::Double:
            // Fifteen digits are what a double holds exactly: a typed SUM of amounts shows the
            // amount, not the binary remainder of its additions.
            return QString::number(value.toDouble(), 'g', 15);
        case QMetaType::QDate:
            return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        case QMetaType::QDateTime: {
            QDateTime d = value.toDateTime();
            return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("yyyy-MM-dd"))
                                           : d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        case QMetaType::QByteArray:
            return QStringLiteral("<%1 bytes>").arg(value.toByteArray().size());
        default:
            return value.toString();
    }
}

CliLogin& RunLogin() {
    static CliLogin login;
    return login;
}

void OpenDefaultDatabase(const CliContext& ctx) {
    if (ZMKApp().GetDefaultDB()) return;
    if (ctx.dbPath.isEmpty())
        throw UsageError{QStringLiteral("Esta orden necesita una base de datos: --db ARCHIVO")};
    // Recognised read only first: a file that is refused is left as it was.
    if (!TDataBaseZMK::OpenReadOnly(ctx.dbPath)->TableExists(QStringLiteral("TZMKVersionInfo")))
        throw EZMKError(QStringLiteral("El archivo no es una base de datos de ZMK-Escolia:\n%1")
                            .arg(ctx.dbPath));
    // The login of a database that keeps users decides whether the run may write at all.
    SetLoginHandler(LoginConCredenciales(RunLogin().user, RunLogin().password));
    bool readOnly = false;
    {
        auto probe = TDataBaseZMK::Open(ctx.dbPath);
        readOnly = IniciaSesionBaseDatos(*probe);
    }
    ZMKApp().SetDefaultDB(readOnly ? TDataBaseZMK::OpenReadOnly(ctx.dbPath)
                                   : TDataBaseZMK::Open(ctx.dbPath));
    // As in the program, the connection publishes the company data (the invoices' issuer).
    RegisterDatosEmpresa();
    ParametrosApp().NotifyReload();
    if (ctx.centre)
        FijaCentroDeLaSesion(*ctx.centre);
    else
        RecargaCentroActual();
}

}  // namespace zmk::cli
