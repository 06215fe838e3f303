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

#include "host/errors.h"
#include "host/fieldtype.h"
#include "host/zmkobject.h"

class QSqlError;

namespace zmk {

class TDataSet;

// Another workstation held the write lock for longer than the busy timeout.
class EDatabaseBusy : public EDatabaseError {
  public:
    EDatabaseBusy();
};

class TDataBaseZMK : public TZMKObject {
  public:
    // Opens an existing company file; refuses a missing file or one that is not a database.
    static std::unique_ptr<TDataBaseZMK> Open(const QString& path);
    // Opens an existing company file for reading only: SQLite itself refuses every write.
    static std::unique_ptr<TDataBaseZMK> OpenReadOnly(const QString& path);
    // Creates (or opens) the file, for building a new database.
    static std::unique_ptr<TDataBaseZMK> Create(const QString& path);
    // How long a connection opened from now on waits for another workstation's write lock
    // before it gives up with EDatabaseBusy: ESCOLIA_BUSY_TIMEOUT_MS, else 10 s.
    static int BusyTimeout();
    static void SetBusyTimeout(int milliseconds);
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

    // One transaction at a time; TTransactionGuard (host/transactionguard.h) is the way to use
    // them. A write transaction takes the write lock at its start (waiting up to the busy
    // timeout), so it never fails half-way because another workstation began writing after it;
    // only a transaction that will surely not write may go without (writeLock false).
    void BeginTrans(bool writeLock = true, bool waitForLock = true);
    void CommitTrans();
    // Undoes the transaction; when the engine has already undone it (a full disk, an I/O
    // error), there is nothing left to undo and nothing is raised.
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
    bool EngineInTransaction() const;
    QString path_;
    QString connection_name_;
    bool read_only_;
    bool in_transaction_ = false;
    int busy_timeout_ms_ = 0;
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

// The keys written for "IN (...)": "3,7,12". Keys are integers; anything else is refused.
QString SqlKeyList(const QList<int>& keys);
QString SqlKeyList(const QVariantList& keys);

// Raises the engine's error in the program's terms: EDatabaseBusy when another workstation
// holds the lock, else EDatabaseError with the engine's text.
[[noreturn]] void RaiseSqlError(const QSqlError& error);

}  // namespace zmk
