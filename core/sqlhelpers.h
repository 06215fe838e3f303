#pragma once
// Building and running the routine statements against the company database. Every value that
// goes into SQL text passes through ValorSQL.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace zmk {

class TDataBaseZMK;

// The SQL literal of a value: NULL, numbers, TRUE/FALSE, quoted text, dates as day serials.
QString ValorSQL(const QVariant& value);
QString ValorSQL(TDataBaseZMK& db, const QVariant& value);

void CreaRegistre(TDataBaseZMK& db, const QString& table, const QStringList& fields,
                  const QVariantList& values);
QVariant CreaRegistreNouID(TDataBaseZMK& db, const QString& table, const QString& idField,
                           const QStringList& fields, const QVariantList& values);
void ModificaRegistres(TDataBaseZMK& db, const QString& table, const QString& assignments,
                       const QString& condition);
void EsborraRegistres(TDataBaseZMK& db, const QString& table, const QString& condition);
int CompteRegistres(TDataBaseZMK& db, const QString& field, const QString& table,
                    const QString& condition);
QVariant UltimValor(TDataBaseZMK& db, const QString& table, const QString& field);
// On the open company database.
QVariant ValorCamp(const QString& table, const QString& field, const QString& condition);
int VarAEnter(const QVariant& value);

}  // namespace zmk
