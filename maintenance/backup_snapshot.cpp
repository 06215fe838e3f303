#include "maintenance/backup_snapshot.h"

#include <sqlite3.h>

#include <QFile>
#include <QStringList>
#include <memory>

#include "host/errors.h"

namespace zmk {

namespace {

constexpr int kBusyTimeoutMs = 10000;

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

Db OpenDb(const QString& file, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        throw EZMKError(QStringLiteral("No se puede abrir la base de datos:\n") + file + u'\n' +
                        QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    return db;
}

}  // namespace

void SnapshotDatabase(const QString& source, const QString& target) {
    // A writable connection tidies the log files away when it closes; a file this user may not
    // write is read through a read-only one.
    Db from = [&] {
        try {
            return OpenDb(source, SQLITE_OPEN_READWRITE);
        } catch (const EZMKError&) {
            return OpenDb(source, SQLITE_OPEN_READONLY);
        }
    }();
    Db to = OpenDb(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup)
        throw EZMKError(QStringLiteral("No se puede copiar la base de datos:\n") + source + u'\n' +
                        QString::fromUtf8(sqlite3_errmsg(to.get())));
    // All pages in one step: one read transaction, so one committed state of the source.
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < 100; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
        sqlite3_sleep(100);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw EZMKError(QStringLiteral("No se puede copiar la base de datos:\n") + source + u'\n' +
                        QString::fromUtf8(sqlite3_errstr(rc)));
}

void CheckDatabaseIntegrity(const QString& file) {
    QStringList findings;
    try {
        Db db = OpenDb(file, SQLITE_OPEN_READWRITE);
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(db.get(), "PRAGMA integrity_check", -1, &raw, nullptr);
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
        if (rc != SQLITE_OK) findings << QString::fromUtf8(sqlite3_errmsg(db.get()));
        while (rc == SQLITE_OK && (rc = sqlite3_step(raw)) == SQLITE_ROW)
            findings << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
        if (rc != SQLITE_OK && rc != SQLITE_DONE && findings.isEmpty())
            findings << QString::fromUtf8(sqlite3_errmsg(db.get()));
    } catch (const EZMKError& e) {
        findings << e.Message();
    }
    if (findings != QStringList{QStringLiteral("ok")})
        throw EZMKError(QStringLiteral("La base de datos restaurada está dañada:\n") +
                        findings.mid(0, 5).join(u'\n'));
}

}  // namespace zmk
