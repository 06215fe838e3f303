#pragma once
// A statement prepared once and run many times: values are bound in order in their storage
// form (Currency, booleans and dates as the database keeps them), rows are read by column
// name or position, and an INSERT gives the key of the row it made.
#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zmk {

class TDataBaseZMK;

class TPreparedStatement {
  public:
    // Placeholders are "?"; a statement the engine does not accept raises at once.
    TPreparedStatement(TDataBaseZMK& db, const QString& sql);
    // "INSERT INTO table (columns) VALUES (?, ...)".
    static TPreparedStatement Insert(TDataBaseZMK& db, const QString& table,
                                     const QStringList& columns);

    // Runs with these values. A statement that reads is positioned before its first row;
    // one that writes is finished at once, keeping its key and row count.
    void Run(const QVariantList& values = {});
    bool Next();
    QVariant Value(int column) const;
    // The column of that name, looked up once per statement.
    QVariant Value(const QString& column);
    // Releases the rows read, so the statement holds nothing between runs.
    void Finish();

    QVariant LastInsertId() const { return last_insert_id_; }
    int RowsAffected() const { return rows_affected_; }

  private:
    QSqlQuery query_;
    QHash<QString, int> columns_;
    QVariant last_insert_id_;
    int rows_affected_ = 0;
};

}  // namespace zmk
