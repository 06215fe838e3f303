#pragma once
// Per-database named options kept in T99ParametrosAplicacion.
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "host/transactionguard.h"

namespace zmk {

// Type codes of a parameter and their value columns.
enum TTipoParametro {
    tpInvalido = 0,
    tpInteger = 1,
    tpCurrency = 2,
    tpFloat = 3,
    tpFecha = 4,
    tpBoolean = 5,
    tpTexto = 6,
    tpMemo = 7,
    tpOLE = 8,
};

class TParametrosApp {
  public:
    using ReloadHandler = std::function<void()>;

    // The database; when unset, the host application's default database.
    void SetDataBase(TDataBaseZMK* db) { db_ = db; }
    // Names match as LIKE patterns ("_" any one character); names a user types (escolia-cli)
    // are exact instead, "%" and "_" standing for themselves.
    void SetExactNames(bool exact) { exact_names_ = exact; }

    QVariant GetValue(const QString& name);
    // The column that holds the option's value ("ValorTextoT99" ...); empty when no option has
    // that name.
    QString ValueColumnOf(const QString& name);
    bool AsBoolean(const QString& name, bool def);
    int AsInteger(const QString& name, int def);
    QString AsString(const QString& name, const QString& def);
    void SetValue(const QString& name, const QVariant& value);
    void DefineParametro(const QString& name, const QString& description, const QVariant& value,
                         int typeCode);

    // A handler is identified by its key; a key already present is not added twice.
    void AddReloadHandler(const QString& key, ReloadHandler handler);
    void RemoveReloadHandler(const QString& key);
    void NotifyReload();

    static QString ValueColumn(int typeCode);
    static int TypeCodeOfValue(const QVariant& value);

  private:
    TDataBaseZMK& CheckDataBase();
    bool OpenDeclarations(TDataBaseZMK& db, std::optional<TTransactionGuard>& own);
    TDataBaseZMK* db_ = nullptr;
    bool reloading_ = false;
    bool reload_failed_ = false;
    std::unique_ptr<TTransactionGuard> reload_transaction_;
    bool exact_names_ = false;
    std::vector<std::pair<QString, ReloadHandler>> handlers_;
};

TParametrosApp& ParametrosApp();

}  // namespace zmk
