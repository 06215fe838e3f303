#include "host/database.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlRecord>

#include "host/collation.h"
#include "host/currency.h"
#include "host/dataset.h"
#include "host/datetime.h"
#include "host/errors.h"

namespace zmk {

namespace {
int connection_counter = 0;
int busy_timeout = -1;  // not yet read from the environment

QString ErrorText(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty()) text = error.text();
    return text;
}

// SQLITE_BUSY and SQLITE_LOCKED, with or without their extended codes.
bool IsBusy(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok && ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED);
}

sqlite3* SqliteHandle(const QSqlDatabase& connection) {
    if (!connection.isOpen()) return nullptr;
    const QVariant handle = connection.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}
}  // namespace

EDatabaseBusy::EDatabaseBusy()
    : EDatabaseError(QStringLiteral("Otro puesto está guardando datos; vuelva a intentarlo")) {}

void RaiseSqlError(const QSqlError& error) {
    if (IsBusy(error)) throw EDatabaseBusy();
    throw EDatabaseError(ErrorText(error));
}

int TDataBaseZMK::BusyTimeout() {
    if (busy_timeout < 0) {
        bool ok = false;
        const int ms = qEnvironmentVariableIntValue("ESCOLIA_BUSY_TIMEOUT_MS", &ok);
        busy_timeout = ok && ms >= 0 ? ms : 10000;
    }
    return busy_timeout;
}

void TDataBaseZMK::SetBusyTimeout(int milliseconds) {
    busy_timeout = std::max(0, milliseconds);
}

TDataBaseZMK::TDataBaseZMK(QString path, QString connectionName, bool readOnly)
    : path_(std::move(path)), connection_name_(std::move(connectionName)), read_only_(readOnly) {}

void TDataBaseZMK::CheckFile(const QString& path) {
    QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw EDatabaseError(QStringLiteral("No se encuentra la base de datos:\n%1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EDatabaseError(QStringLiteral("No se puede abrir la base de datos:\n%1").arg(path));
    QByteArray header = file.read(16);
    if (header != QByteArray("SQLite format 3\0", 16))
        throw EDatabaseError(
            QStringLiteral("El archivo no es una base de datos válida:\n%1").arg(path));
}

std::unique_ptr<TDataBaseZMK> TDataBaseZMK::Open(const QString& path) {
    CheckFile(path);
    return Connect(path, false);
}

std::unique_ptr<TDataBaseZMK> TDataBaseZMK::OpenReadOnly(const QString& path) {
    CheckFile(path);
    return Connect(path, true);
}

std::unique_ptr<TDataBaseZMK> TDataBaseZMK::Create(const QString& path) {
    return Connect(path, false);
}

std::unique_ptr<TDataBaseZMK> TDataBaseZMK::Connect(const QString& path, bool readOnly) {
    QString name = QStringLiteral("zmk-db-%1").arg(++connection_counter);
    std::unique_ptr<TDataBaseZMK> db(new TDataBaseZMK(path, name, readOnly));
    QSqlDatabase conn = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    conn.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeout());
    if (readOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    conn.setConnectOptions(options);
    if (!conn.open())
        throw EDatabaseError(QStringLiteral("No se puede abrir la base de datos:\n%1\n%2")
                                 .arg(path, ErrorText(conn.lastError())));
    db->Configure();
    return db;
}

void TDataBaseZMK::Configure() {
    // WAL lets readers go on while another workstation writes; FULL survives power loss. A
    // reading connection changes neither: the file keeps the mode its writers gave it.
    if (!read_only_) {
        Query(QStringLiteral("PRAGMA journal_mode=WAL"));
        ExecuteSQL(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    busy_timeout_ms_ = BusyTimeout();
    ExecuteSQL(QStringLiteral("PRAGMA busy_timeout=%1").arg(busy_timeout_ms_));
    // Names sort the Spanish way in every list ("Álvarez" with the A's, "Ñ" after "N").
    InstallSpanishCollation(Connection());
    // Like Jet, text compares without regard to case in LIKE.
    ExecuteSQL(QStringLiteral("PRAGMA case_sensitive_like=OFF"));
}

TDataBaseZMK::~TDataBaseZMK() {
    {
        QSqlDatabase conn = QSqlDatabase::database(connection_name_, false);
        if (conn.isOpen()) {
            if (in_transaction_) QSqlQuery(QStringLiteral("ROLLBACK"), conn);
            conn.close();
        }
    }
    QSqlDatabase::removeDatabase(connection_name_);
}

bool TDataBaseZMK::Connected() const {
    return Connection().isOpen();
}

QSqlDatabase TDataBaseZMK::Connection() const {
    return QSqlDatabase::database(connection_name_, false);
}

QSqlQuery TDataBaseZMK::Query(const QString& sql) {
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.exec(sql)) RaiseSqlError(q.lastError());
    return q;
}

QSqlQuery TDataBaseZMK::Prepared(const QString& sql, const QVariantList& values) {
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) RaiseSqlError(q.lastError());
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
    if (!q.exec()) RaiseSqlError(q.lastError());
    return q;
}

int TDataBaseZMK::ExecuteSQL(const QString& sql) {
    static const QRegularExpression ddl(QStringLiteral(R"(^\s*(CREATE|ALTER|DROP)\b)"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (ddl.match(sql).hasMatch()) {
        columns_cache_.clear();
        key_cache_.clear();
    }
    QSqlQuery q = Query(sql);
    return q.numRowsAffected();
}

std::unique_ptr<TDataSet> TDataBaseZMK::GetTSQLDataSet(const QString& sql, bool readOnly) {
    return std::make_unique<TDataSet>(*this, sql, readOnly);
}

std::unique_ptr<TDataSet> TDataBaseZMK::GetTDataSet(const QString& table) {
    if (!TableExists(table))
        throw EDatabaseError(QStringLiteral("No existe la tabla %1").arg(table));
    return std::make_unique<TDataSet>(*this, QStringLiteral("SELECT * FROM ") + table, false,
                                      table);
}

void TDataBaseZMK::BeginTrans(bool writeLock, bool waitForLock) {
    if (in_transaction_) throw EDatabaseError(QStringLiteral("Ya hay una transacción en curso"));
    sqlite3* handle = waitForLock ? nullptr : SqliteHandle(Connection());
    if (handle) sqlite3_busy_timeout(handle, 0);
    try {
        Query(writeLock ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    } catch (...) {
        if (handle) sqlite3_busy_timeout(handle, busy_timeout_ms_);
        throw;
    }
    if (handle) sqlite3_busy_timeout(handle, busy_timeout_ms_);
    in_transaction_ = true;
}

void TDataBaseZMK::CommitTrans() {
    if (!in_transaction_) throw EDatabaseError(QStringLiteral("No hay ninguna transacción activa"));
    Query(QStringLiteral("COMMIT"));
    in_transaction_ = false;
}

void TDataBaseZMK::RollbackTrans() {
    if (!in_transaction_) throw EDatabaseError(QStringLiteral("No hay ninguna transacción activa"));
    in_transaction_ = false;
    if (EngineInTransaction()) Query(QStringLiteral("ROLLBACK"));
}

bool TDataBaseZMK::EngineInTransaction() const {
    sqlite3* handle = SqliteHandle(Connection());
    return !handle || sqlite3_get_autocommit(handle) == 0;
}

int TDataBaseZMK::PendingEditQuestion() const {
    return pending_edit_question_ ? pending_edit_question_() : 1;
}

void TDataBaseZMK::SetPendingEditQuestion(std::function<int()> question) {
    pending_edit_question_ = std::move(question);
}

QString QuoteSqlText(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString SqlKeyList(const QList<int>& keys) {
    QStringList parts;
    parts.reserve(keys.size());
    for (int key : keys) parts << QString::number(key);
    return parts.join(QLatin1Char(','));
}

QString SqlKeyList(const QVariantList& keys) {
    QStringList parts;
    parts.reserve(keys.size());
    for (const QVariant& key : keys) {
        bool ok = false;
        const qlonglong n = key.toLongLong(&ok);
        if (!ok)
            throw EConvertError(
                QStringLiteral("'%1' no es un valor entero válido").arg(key.toString()));
        parts << QString::number(n);
    }
    return parts.join(QLatin1Char(','));
}

QString TDataBaseZMK::GetSQLDateTime(const QDateTime& value) const {
    QString s = QString::number(DateTimeToSerial(value), 'f', 8);
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    return s;
}

QString TDataBaseZMK::ConvertToSqlString(TFieldType type, const QVariant& value) const {
    if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
    switch (type) {
        case TFieldType::Boolean:
            return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        case TFieldType::Integer:
        case TFieldType::AutoInc: {
            bool ok = false;
            qlonglong n = value.toLongLong(&ok);
            if (!ok)
                throw EConvertError(
                    QStringLiteral("'%1' no es un valor entero válido").arg(value.toString()));
            return QString::number(n);
        }
        case TFieldType::Float: {
            bool ok = false;
            double d = value.toDouble(&ok);
            if (!ok)
                throw EConvertError(
                    QStringLiteral("'%1' no es un valor numérico válido").arg(value.toString()));
            return QString::number(d, 'g', QLocale::FloatingPointShortest);
        }
        case TFieldType::Currency: {
            auto c = VarToCurrency(value);
            if (!c)
                throw EConvertError(
                    QStringLiteral("'%1' no es un valor numérico válido").arg(value.toString()));
            return c->ToString();
        }
        case TFieldType::DateTime: {
            auto d = VarToDateTime(value);
            if (!d)
                throw EConvertError(
                    QStringLiteral("'%1' no es una fecha válida").arg(value.toString()));
            return GetSQLDateTime(*d);
        }
        default:
            return QuoteSqlText(value.toString());
    }
}

QStringList TDataBaseZMK::Tables() const {
    return Connection().tables(QSql::Tables);
}

bool TDataBaseZMK::TableExists(const QString& table) const {
    for (const QString& t : Tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QStringList TDataBaseZMK::Columns(const QString& table) const {
    QString key = table.toLower();
    if (auto it = columns_cache_.constFind(key); it != columns_cache_.constEnd()) return *it;
    QSqlRecord rec = Connection().record(table);
    QStringList names;
    for (int i = 0; i < rec.count(); ++i) names << rec.fieldName(i);
    if (!names.isEmpty()) columns_cache_.insert(key, names);
    return names;
}

QString TDataBaseZMK::PrimaryKey(const QString& table) const {
    QString key = table.toLower();
    if (auto it = key_cache_.constFind(key); it != key_cache_.constEnd()) return *it;
    QSqlIndex index = Connection().primaryIndex(table);
    QString name = index.count() == 1 ? index.fieldName(0) : QString();
    if (!name.isEmpty()) key_cache_.insert(key, name);
    return name;
}

QVariant ToStorage(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QVariant();
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().ToDouble();
    switch (value.metaType().id()) {
        case QMetaType::Bool:
            return value.toBool() ? 1 : 0;
        case QMetaType::QDateTime:
        case QMetaType::QDate:
            return DateTimeToSerial(*VarToDateTime(value));
        default:
            return value;
    }
}

QVariant FromStorage(TFieldType type, const QVariant& raw) {
    if (!raw.isValid() || raw.isNull()) return QVariant();
    switch (type) {
        case TFieldType::Boolean:
            if (raw.metaType().id() == QMetaType::QString) {
                QString s = raw.toString().trimmed().toLower();
                if (s == QLatin1String("true")) return true;
                if (s == QLatin1String("false")) return false;
            }
            return raw.toDouble() != 0;
        case TFieldType::Currency: {
            auto c = VarToCurrency(raw);
            return c ? QVariant::fromValue(*c) : QVariant();
        }
        case TFieldType::DateTime: {
            bool ok = false;
            double serial = raw.toDouble(&ok);
            if (ok) return SerialToDateTime(serial);
            auto d = VarToDateTime(raw);
            return d ? QVariant(*d) : QVariant();
        }
        case TFieldType::Integer:
        case TFieldType::AutoInc: {
            qlonglong n = raw.toLongLong();
            if (n >= INT_MIN && n <= INT_MAX) return int(n);
            return n;
        }
        case TFieldType::Float:
            return raw.toDouble();
        case TFieldType::String:
        case TFieldType::Memo:
            return raw.toString();
        default:
            if (raw.metaType().id() == QMetaType::LongLong) {
                qlonglong n = raw.toLongLong();
                if (n >= INT_MIN && n <= INT_MAX) return int(n);
            }
            return raw;
    }
}

}  // namespace zmk
