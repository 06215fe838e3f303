#include "core/sqlhelpers.h"

#include <QSqlQuery>

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/sqlliteral.h"

namespace zmk {

namespace {

const QString kNewLine = QStringLiteral("\n");

}  // namespace

QString ValorSQL(const QVariant& value) {
    return SqlLiteral(value);
}

QString ValorSQL(TDataBaseZMK& db, const QVariant& value) {
    return SqlLiteral(value, &db);
}

void CreaRegistre(TDataBaseZMK& db, const QString& table, const QStringList& fields,
                  const QVariantList& values) {
    if (fields.size() != values.size())
        throw EZMKError(QStringLiteral(
            "ERROR a CreaRegistre: La longitud de Camps és diferent de la longitud de valors!"));
    QStringList literals;
    for (const QVariant& v : values) literals << ValorSQL(db, v);
    QString sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                  fields.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                  literals.join(QStringLiteral(", ")) + QStringLiteral(")");
    try {
        db.ExecuteSQL(sql);
    } catch (EZMKError& e) {
        QString message = QStringLiteral("Error al insertar registros (Tipo \"") + e.ClassName() +
                          QStringLiteral("\"):") + kNewLine + e.Message();
        // The insert helper shows the statement when the display option is off.
        if (!ZMKApp().ShowStatements()) message += QStringLiteral("\n\nSQL Generado:\n") + sql;
        e.SetMessage(message);
        throw;
    }
}

QVariant CreaRegistreNouID(TDataBaseZMK& db, const QString& table, const QString& idField,
                           const QStringList& fields, const QVariantList& values) {
    CreaRegistre(db, table, fields, values);
    return UltimValor(db, table, idField);
}

void ModificaRegistres(TDataBaseZMK& db, const QString& table, const QString& assignments,
                       const QString& condition) {
    QString sql =
        QStringLiteral("UPDATE ") + table + kNewLine + QStringLiteral("SET ") + assignments;
    if (!condition.isEmpty()) sql += kNewLine + QStringLiteral("WHERE ") + condition;
    try {
        db.ExecuteSQL(sql);
    } catch (EZMKError& e) {
        QString message = QStringLiteral("Error al modificar registros (Tipo \"") + e.ClassName() +
                          QStringLiteral("\"):") + kNewLine + e.Message();
        // The update helper shows the statement when the display option is on.
        if (ZMKApp().ShowStatements()) message += QStringLiteral("\n\nSQL Generado:\n") + sql;
        e.SetMessage(message);
        throw;
    }
}

void EsborraRegistres(TDataBaseZMK& db, const QString& table, const QString& condition) {
    db.ExecuteSQL(QStringLiteral("DELETE FROM ") + table + kNewLine + QStringLiteral("WHERE ") +
                  condition);
}

int CompteRegistres(TDataBaseZMK& db, const QString& field, const QString& table,
                    const QString& condition) {
    QString sql = QStringLiteral("SELECT COUNT(") + field + QStringLiteral(") AS CANTIDAD") +
                  kNewLine + QStringLiteral("FROM ") + table;
    if (!condition.isEmpty()) sql += kNewLine + QStringLiteral("WHERE (") + condition + ")";
    QSqlQuery q = db.Query(sql);
    return q.next() ? q.value(0).toInt() : 0;
}

QVariant UltimValor(TDataBaseZMK& db, const QString& table, const QString& field) {
    QSqlQuery q = db.Query(QStringLiteral("SELECT MAX(") + field + QStringLiteral(") As Ultim") +
                           kNewLine + QStringLiteral("FROM ") + table);
    if (!q.next() || q.value(0).isNull()) return QVariant();
    return FromStorage(ResolveFieldType(field), q.value(0));
}

QVariant ValorCamp(const QString& table, const QString& field, const QString& condition) {
    TDataBaseZMK& db = DefaultDB();
    QSqlQuery q =
        db.Query(QStringLiteral("SELECT ") + field.toLower() + QStringLiteral(" AS TheField") +
                 kNewLine + QStringLiteral("FROM ") + table.toLower() + kNewLine +
                 QStringLiteral("WHERE ") + condition.toLower());
    if (!q.next()) return QVariant();
    return FromStorage(ResolveFieldType(field), q.value(0));
}

int VarAEnter(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QString) {
        bool ok = false;
        int n = value.toString().trimmed().toInt(&ok);
        if (ok) return n;
    }
    auto c = VarToCurrency(value);
    if (!c) return 0;
    qlonglong n = c->Rounded(0).Raw() / Currency::kScale;
    return (n < INT_MIN || n > INT_MAX) ? 0 : int(n);
}

}  // namespace zmk
