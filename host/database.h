#pragma once
// The company database: one SQLite file reached through QtSql.
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

#include "host/fieldtype.h"
#include "host/zmkobject.h"

namespace zmk {

class TDataSet;

class TDataBaseZMK : public TZMKObject {
  public:
    // Opens an existing company file; refuses a missing file or one that is not a database.
    static std::unique_ptr<TDataBaseZMK> Open(const QString& path);
    // Opens an existing company file for reading only: SQLite itself refuses every write.
    static std::unique_ptr<TDataBaseZMK> OpenReadOnly(const QString& path);
    // Creates (or opens) the file, for building a new database.
    static std::unique_ptr<TDataBaseZMK> Create(const QString& path);
    ~TDataBaseZMK() override;

    const QString& FileName() const { return path_; }
    bool Connected() const;
    bool ReadOnly() const { return read_only_; }
    QSqlDatabase Connection() const;

    // Runs a statement; returns the rows affected. Failure raises EDatabaseError.
    int ExecuteSQL(const QString& sql);
    // A query that has run, positioned before its first row.
    QSqlQuery Query(const QString& sql);
    // Runs a prepared statement with bound values (in storage form).
    QSqlQuery Prepared(const QString& sql, const QVariantList& values);

    std::unique_ptr<TDataSet> GetTSQLDataSet(const QString& sql, bool readOnly = true);
    std::unique_ptr<TDataSet> GetTDataSet(const QString& table);

    // One transaction at a time. With writeLock the write lock is taken at once, so that
    // readers of counters inside the transaction are serialised with other workstations.
    void BeginTrans(bool writeLock = false);
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return in_transaction_; }

    // Whether work may go on with respect to records being edited on screens (above 0: yes).
    int PendingEditQuestion() const;
    void SetPendingEditQuestion(std::function<int()> question);

    // SQL literals.
    QString ConvertToSqlString(TFieldType type, const QVariant& value) const;
    QString GetSQLDateTime(const QDateTime& value) const;

    QStringList Tables() const;
    bool TableExists(const QString& table) const;
    QStringList Columns(const QString& table) const;
    QString PrimaryKey(const QString& table) const;

  private:
    TDataBaseZMK(QString path, QString connectionName, bool readOnly);
    static void CheckFile(const QString& path);
    static std::unique_ptr<TDataBaseZMK> Connect(const QString& path, bool readOnly);
    void Configure();
    QString path_;
    QString connection_name_;
    bool read_only_;
    bool in_transaction_ = false;
    // Table structure does not change while the program runs, except by statements that say so.
    mutable QHash<QString, QStringList> columns_cache_;
    mutable QHash<QString, QString> key_cache_;
    std::function<int()> pending_edit_question_;
};

// Storage form of a logical value (booleans 0/1, money as REAL, dates as day serials) and back.
QVariant ToStorage(const QVariant& value);
QVariant FromStorage(TFieldType type, const QVariant& raw);

// A quoted SQL text literal.
QString QuoteSqlText(const QString& text);

}  // namespace zmk
