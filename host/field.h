#pragma once
// A field of a data set: its name, logical type and the value of the current record, with the
// typed reads and the conversions of what is assigned to it.
#include <QDateTime>
#include <QString>
#include <QVariant>

#include "host/currency.h"
#include "host/fieldtype.h"

namespace zmk {

class TDataSet;

// Null is an invalid QVariant or a null one.
inline bool IsNullVariant(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

class TField {
  public:
    TField(TDataSet* owner, int index, QString name, TFieldType type, bool readOnly);

    const QString& FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool value) { read_only_ = value; }
    TDataSet* DataSet() const { return owner_; }
    int Index() const { return index_; }

    // The value in the current record (the edit buffer while editing); invalid QVariant is Null.
    QVariant Value() const;
    QVariant OldValue() const;
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;  // Null reads as 0
    qlonglong AsLargeInt() const;
    bool AsBoolean() const;
    Currency AsCurrency() const;
    double AsFloat() const;
    QDateTime AsDateTime() const;

    // Assigns in edit, insert or set-key state, converted to the field's type; fires the
    // data-change hook. An empty text assigned to a non-text field makes it Null.
    void SetValue(const QVariant& value);
    void SetAsString(const QString& value) { SetValue(value); }
    void SetAsInteger(int value) { SetValue(value); }
    void SetAsBoolean(bool value) { SetValue(value); }
    void SetAsCurrency(Currency value) { SetValue(QVariant::fromValue(value)); }
    void SetAsDateTime(const QDateTime& value) { SetValue(value); }
    void Clear() { SetValue(QVariant()); }

    // The value converted to the field's type, or an error in the program's words.
    QVariant Coerce(const QVariant& value) const;

  private:
    TDataSet* owner_;
    int index_;
    QString name_;
    TFieldType type_;
    bool read_only_;
};

}  // namespace zmk
