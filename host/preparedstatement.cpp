#include "host/preparedstatement.h"

#include <QSqlError>
#include <QSqlRecord>

#include "host/database.h"
#include "host/errors.h"

namespace zmk {

TPreparedStatement::TPreparedStatement(TDataBaseZMK& db, const QString& sql)
    : query_(db.Connection()) {
    query_.setForwardOnly(true);
    if (!query_.prepare(sql)) RaiseSqlError(query_.lastError());
}

TPreparedStatement TPreparedStatement::Insert(TDataBaseZMK& db, const QString& table,
                                              const QStringList& columns) {
    return TPreparedStatement(
        db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(table, columns.join(QStringLiteral(", ")),
                     QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
}

void TPreparedStatement::Run(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) query_.bindValue(i, ToStorage(values[i]));
    if (!query_.exec()) {
        const QSqlError error = query_.lastError();
        query_.finish();
        RaiseSqlError(error);
    }
    if (query_.isSelect()) return;
    last_insert_id_ = query_.lastInsertId();
    rows_affected_ = query_.numRowsAffected();
    query_.finish();
}

bool TPreparedStatement::Next() {
    return query_.next();
}

QVariant TPreparedStatement::Value(int column) const {
    return query_.value(column);
}

QVariant TPreparedStatement::Value(const QString& column) {
    if (columns_.isEmpty()) {
        const QSqlRecord record = query_.record();
        for (int i = 0; i < record.count(); ++i) columns_.insert(record.fieldName(i), i);
    }
    auto it = columns_.constFind(column);
    if (it == columns_.constEnd())
        throw EDatabaseError(QStringLiteral("Campo '%1' no encontrado").arg(column));
    return query_.value(*it);
}

void TPreparedStatement::Finish() {
    query_.finish();
}

}  // namespace zmk
