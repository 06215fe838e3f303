#include "core/parametrosapp.h"

#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/transactionguard.h"

namespace zmk {

namespace {

const char* const kValueColumns[] = {
    "",
    "ValorIntegerT99",
    "ValorCurrencyT99",
    "ValorFechaHoraT99",
    "ValorFechaHoraT99",
    "ValorBooleanT99",
    "ValorTextoT99",
    "ValorMemoT99",
    "ValorOLET99",
};
constexpr int kTypeCodes = 9;

const QString kTable = QStringLiteral("T99ParametrosAplicacion");

// The first code whose value column is the row's; 0 when none is.
int TypeCodeOfColumn(const QString& column) {
    for (int code = 0; code < kTypeCodes; ++code)
        if (column.compare(QLatin1String(kValueColumns[code]), Qt::CaseInsensitive) == 0)
            return code;
    return tpInvalido;
}

bool IsNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

}  // namespace

QString TParametrosApp::ValueColumn(int typeCode) {
    if (typeCode <= 0 || typeCode >= kTypeCodes) return QString();
    return QLatin1String(kValueColumns[typeCode]);
}

int TParametrosApp::TypeCodeOfValue(const QVariant& value) {
    if (IsNull(value)) return tpInvalido;
    if (value.metaType() == QMetaType::fromType<Currency>()) return tpCurrency;
    switch (value.metaType().id()) {
        case QMetaType::Short:
        case QMetaType::Int:
        case QMetaType::LongLong:
            return tpInteger;
        case QMetaType::Float:
        case QMetaType::Double:
        case QMetaType::UChar:
            return tpFloat;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return tpFecha;
        case QMetaType::Bool:
            return tpBoolean;
        case QMetaType::QString:
        case QMetaType::QByteArray:
            return tpTexto;
        default:
            return tpInvalido;
    }
}

TDataBaseZMK& TParametrosApp::CheckDataBase() {
    TDataBaseZMK* db = db_ ? db_ : ZMKApp().GetDefaultDB();
    if (!db) throw EZMKError(QStringLiteral("DataBaseZMK no inicializada en TParametrosApp"));
    if (!db->Connected())
        throw EZMKError(
            QStringLiteral("La base de datos no está conectada\nNo se pueden leer parámetros"));
    return *db;
}

namespace {
// The wildcards of LIKE in a name standing only for themselves.
QString LiteralPattern(QString name) {
    name.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    name.replace(QLatin1Char('%'), QLatin1String("\\%"));
    name.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return name;
}

// The store matches names with LIKE (without regard to case); exact names escape its wildcards.
std::unique_ptr<TDataSet> RowQuery(TDataBaseZMK& db, const QString& name, bool exact) {
    auto ds = db.GetTSQLDataSet(
        QStringLiteral("SELECT * FROM ") + kTable +
            QStringLiteral(" WHERE NombreParametroT99 LIKE ") +
            (exact ? ValorSQL(db, LiteralPattern(name)) + QStringLiteral(" ESCAPE '\\'")
                   : ValorSQL(db, name)),
        false);
    ds->Open();
    return ds;
}
}  // namespace

QString TParametrosApp::ValueColumnOf(const QString& name) {
    auto ds = RowQuery(CheckDataBase(), name, exact_names_);
    if (ds->IsEmpty()) return QString();
    return ds->FieldByName(QStringLiteral("NombreCampoValorT99")).AsString();
}

QVariant TParametrosApp::GetValue(const QString& name) {
    TDataBaseZMK& db = CheckDataBase();
    auto ds = RowQuery(db, name, exact_names_);
    if (ds->IsEmpty()) return QVariant();
    QString column = ds->FieldByName(QStringLiteral("NombreCampoValorT99")).AsString();
    TField* field = ds->FindField(column);
    return field ? field->Value() : QVariant();
}

bool TParametrosApp::AsBoolean(const QString& name, bool def) {
    try {
        QVariant v = GetValue(name);
        if (IsNull(v)) return def;
        if (v.metaType().id() == QMetaType::Bool) return v.toBool();
        if (v.metaType().id() == QMetaType::QString) {
            QString s = v.toString().trimmed().toLower();
            if (s == QLatin1String("true")) return true;
            if (s == QLatin1String("false")) return false;
        }
        auto c = VarToCurrency(v);
        return c ? !c->IsZero() : def;
    } catch (const std::exception&) {
        return def;
    }
}

int TParametrosApp::AsInteger(const QString& name, int def) {
    try {
        QVariant v = GetValue(name);
        if (IsNull(v)) return def;
        if (v.metaType().id() == QMetaType::QString) {
            bool ok = false;
            int n = v.toString().trimmed().toInt(&ok);
            return ok ? n : def;
        }
        auto c = VarToCurrency(v);
        if (!c) return def;
        qlonglong n = c->Rounded(0).Raw() / Currency::kScale;
        return (n < INT_MIN || n > INT_MAX) ? def : int(n);
    } catch (const std::exception&) {
        return def;
    }
}

QString TParametrosApp::AsString(const QString& name, const QString& def) {
    try {
        QVariant v = GetValue(name);
        if (IsNull(v)) return def;
        if (v.metaType() == QMetaType::fromType<Currency>()) return v.value<Currency>().ToString();
        if (v.metaType().id() == QMetaType::Bool)
            return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        return v.toString();
    } catch (const std::exception&) {
        return def;
    }
}

void TParametrosApp::SetValue(const QString& name, const QVariant& value) {
    TDataBaseZMK& db = CheckDataBase();
    auto ds = RowQuery(db, name, exact_names_);
    if (ds->IsEmpty()) {
        int code = TypeCodeOfValue(value);
        if (code == tpInvalido) return;
        DefineParametro(name, QString(), value, code);
        return;
    }
    int code = TypeCodeOfColumn(ds->FieldByName(QStringLiteral("NombreCampoValorT99")).AsString());
    if (code == tpInvalido) throw EZMKError(QStringLiteral("El tipo de parametro no es válido"));
    ds->Edit();
    try {
        ds->FieldByName(ValueColumn(code)).SetValue(value);
        ds->Post();
    } catch (...) {
        ds->Cancel();
        throw;
    }
}

void TParametrosApp::DefineParametro(const QString& name, const QString& description,
                                     const QVariant& value, int typeCode) {
    TDataBaseZMK& db = CheckDataBase();
    if (typeCode <= tpInvalido || typeCode >= kTypeCodes)
        throw EZMKError(QStringLiteral("El tipo de parametro no es válido"));
    // A declaration never stops the caller once the database is there.
    try {
        auto ds = RowQuery(db, name, exact_names_);
        const bool exists = !ds->IsEmpty();
        const int rowCode =
            exists ? TypeCodeOfColumn(
                         ds->FieldByName(QStringLiteral("NombreCampoValorT99")).AsString())
                   : tpInvalido;
        // Declared as it is: nothing to write, and so no wait for another workstation's lock.
        if (exists && rowCode == typeCode &&
            ds->FieldByName(QStringLiteral("DescrParametroT99")).AsString() == description)
            return;
        std::optional<TTransactionGuard> transaction;
        if (!OpenDeclarations(db, transaction)) return;
        if (!exists) {
            int id = VarAEnter(UltimValor(db, kTable, QStringLiteral("IDParamAplicT99"))) + 1;
            QString column = ValueColumn(typeCode);
            CreaRegistre(db, kTable,
                         {QStringLiteral("IDParamAplicT99"), QStringLiteral("NombreParametroT99"),
                          QStringLiteral("DescrParametroT99"),
                          QStringLiteral("NombreCampoValorT99"), column},
                         {id, name, description, column, value});
        } else {
            ds->Edit();
            ds->FieldByName(QStringLiteral("DescrParametroT99")).SetValue(description);
            if (rowCode != typeCode) {
                ds->FieldByName(QStringLiteral("NombreCampoValorT99"))
                    .SetValue(ValueColumn(typeCode));
                ds->FieldByName(ValueColumn(typeCode)).SetValue(value);
            }
            ds->Post();
        }
        if (transaction) transaction->Commit();
    } catch (const std::exception&) {
    }
}

// The transaction a declaration writes in: the reload's, begun with its first change, or one
// of its own. Opening a company does not wait for a lock to write descriptions: when another
// workstation is saving, the reload's declarations are left for the next open (false).
bool TParametrosApp::OpenDeclarations(TDataBaseZMK& db, std::optional<TTransactionGuard>& own) {
    if (!reloading_) {
        own.emplace(db);
        return true;
    }
    if (reload_failed_) return false;
    if (!reload_transaction_) {
        try {
            reload_transaction_ =
                std::make_unique<TTransactionGuard>(db, TTransactionLock::WriteIfFree);
        } catch (const std::exception&) {
            reload_failed_ = true;
            return false;
        }
    }
    return true;
}

void TParametrosApp::AddReloadHandler(const QString& key, ReloadHandler handler) {
    for (const auto& [k, h] : handlers_)
        if (k == key) return;
    handlers_.emplace_back(key, std::move(handler));
}

void TParametrosApp::RemoveReloadHandler(const QString& key) {
    std::erase_if(handlers_, [&](const auto& entry) { return entry.first == key; });
}

void TParametrosApp::NotifyReload() {
    TDataBaseZMK* db = db_ ? db_ : ZMKApp().GetDefaultDB();
    if (!db || !db->Connected() || !db->TableExists(kTable)) return;
    auto handlers = handlers_;
    // The handlers' declarations share one transaction, begun only if one changes something.
    reloading_ = true;
    reload_failed_ = false;
    try {
        for (auto& [key, handler] : handlers) handler();
    } catch (...) {
        reload_transaction_.reset();
        reloading_ = false;
        throw;
    }
    if (reload_transaction_) {
        try {
            reload_transaction_->Commit();
        } catch (const std::exception&) {
        }
        reload_transaction_.reset();
    }
    reloading_ = false;
}

TParametrosApp& ParametrosApp() {
    static TParametrosApp instance;
    return instance;
}

}  // namespace zmk
