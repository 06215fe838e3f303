// Creating a company database of the current version.
#include "schema/schema.h"

#include <QFile>
#include <QFileInfo>

#include "host/database.h"
#include "host/errors.h"
#include "host/transactionguard.h"

namespace zmk::schema {

namespace {

const QString kMasterFileName = QStringLiteral("ZMKEscoExtV4.MMDB");

QString ColumnDefinition(const Table& table, const Column& c) {
    switch (c.type) {
        case TFieldType::AutoInc:
            // AUTOINCREMENT: a deleted last key is never handed out again.
            return c.name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
        case TFieldType::Integer:
            if (c.name == table.key) return c.name + QStringLiteral(" INTEGER PRIMARY KEY");
            return c.name + QStringLiteral(" INTEGER");
        case TFieldType::Boolean:
            // Like a Yes/No column, a flag is never Null: a missing or Null value stores its
            // default.
            return c.name + QStringLiteral(" INTEGER NOT NULL ON CONFLICT REPLACE DEFAULT ") +
                   (c.starts == Column::Starts::True ? QLatin1Char('1') : QLatin1Char('0'));
        case TFieldType::Currency:
        case TFieldType::DateTime:
        case TFieldType::Float:
            return c.name + QStringLiteral(" REAL");
        case TFieldType::String:
        case TFieldType::Memo:
            // The company data always compared text without regard to case; queries rely on it.
            return c.name + QStringLiteral(" TEXT COLLATE NOCASE");
        case TFieldType::Blob:
            return c.name + QStringLiteral(" BLOB");
        case TFieldType::Unknown:
            break;
    }
    return c.name;
}

// References are integer columns named ID... other than the table's own key.
bool IsReference(const Table& table, const Column& c) {
    return c.type == TFieldType::Integer && c.name.startsWith(QLatin1String("ID")) &&
           c.name != table.key;
}

}  // namespace

QStringList CreateStatements() {
    QStringList statements;
    for (const Table& t : Tables()) {
        QStringList defs;
        for (const Column& c : t.columns) defs << ColumnDefinition(t, c);
        statements << QStringLiteral("CREATE TABLE %1 (\n  %2\n)")
                          .arg(t.name, defs.join(QStringLiteral(",\n  ")));
    }
    // No foreign keys (rows whose parent is gone are kept on purpose), but every reference is
    // indexed because joins and cascades go through them.
    for (const Table& t : Tables())
        for (const Column& c : t.columns)
            if (IsReference(t, c))
                statements << QStringLiteral("CREATE INDEX IX_%1 ON %2 (%1)").arg(c.name, t.name);
    statements << QStringLiteral("CREATE INDEX IX_CodigoT01 ON T01Alumnos (CodigoT01)");
    statements << QStringLiteral(
        "CREATE INDEX IX_NombreParametroT99 ON T99ParametrosAplicacion (NombreParametroT99)");
    return statements;
}

void CreateSchema(TDataBaseZMK& db) {
    for (const QString& sql : CreateStatements()) db.ExecuteSQL(sql);
    db.Prepared(QStringLiteral("INSERT INTO TZMKVersionInfo (NombreAplicacion, NumeroVersion, "
                               "MasterFileName) VALUES (?, ?, ?)"),
                {kNombreAplicacionBD, kVersionBaseDatos, kMasterFileName});
}

std::unique_ptr<TDataBaseZMK> CreateCompanyDatabase(const QString& path) {
    if (QFileInfo::exists(path)) throw EZMKError(QStringLiteral("Ya existe el archivo:\n") + path);
    std::unique_ptr<TDataBaseZMK> db = TDataBaseZMK::Create(path);
    try {
        TTransactionGuard transaction(*db);
        CreateSchema(*db);
        transaction.Commit();
    } catch (...) {
        // A half-built company file must not be left behind to be opened later.
        db.reset();
        for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(path + suffix);
        throw;
    }
    return db;
}

}  // namespace zmk::schema
