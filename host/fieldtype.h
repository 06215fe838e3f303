#pragma once
// Logical column types. SQLite keeps only INTEGER/REAL/TEXT/BLOB, so the logical type of a
// column comes from the schema catalog (column names are unique across the database).
#include <QString>
#include <QVariant>
#include <functional>

namespace zmk {

enum class TFieldType {
    Unknown,
    AutoInc,
    Integer,
    Boolean,
    Currency,
    DateTime,
    Float,
    String,
    Memo,
    Blob
};

QString FieldTypeName(TFieldType type);

// Resolves a column name to its logical type; Unknown when the catalog does not know it.
using TFieldTypeResolver = std::function<TFieldType(const QString& column)>;
void SetFieldTypeResolver(TFieldTypeResolver resolver);
TFieldType ResolveFieldType(const QString& column);

// Resolves a column name to the value a new record starts with; invalid when it has none.
using TFieldDefaultResolver = std::function<QVariant(const QString& column)>;
void SetFieldDefaultResolver(TFieldDefaultResolver resolver);
QVariant ResolveFieldDefault(const QString& column);

}  // namespace zmk
