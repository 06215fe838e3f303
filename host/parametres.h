#pragma once
// The program-wide parameter block: named values with typed reads and defaults.
// Names compare without regard to case; only values marked writable are persisted.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>

#include "host/currency.h"

namespace zmk {

class TZMKObject;

class TParametres {
  public:
    int AsInteger(const QString& name, int def = 0) const;
    QString AsString(const QString& name, const QString& def = QString()) const;
    bool AsBoolean(const QString& name, bool def = false) const;
    QDateTime AsDateTime(const QString& name, const QDateTime& def = QDateTime()) const;
    Currency AsCurrency(const QString& name, Currency def = Currency()) const;
    // The object whose handle the value holds, or nullptr (0, stale or of another class).
    template <class T>
    T* AsObject(const QString& name) const;

    // Sets (or creates) a value. A new name starts as writable.
    void SetParametreValue(const QString& name, const QVariant& value);
    // Null (an invalid variant) when the name does not exist.
    QVariant GetParametreValue(const QString& name) const;
    bool ParamExists(const QString& name) const;
    void AddParam(const QString& name, const QVariant& value, bool writable = true);
    void DeleteParam(const QString& name);
    void Clear();
    QStringList Names() const;

    // The saved flag: whether the value goes into the saved block.
    bool Writables(const QString& name) const;
    void SetWritables(const QString& name, bool writable);

    // Saved form of the writable values (ours: JSON), and its reading back.
    QByteArray SaveToBytes() const;
    void LoadFromBytes(const QByteArray& bytes);

  private:
    struct Entry {
        QString name;
        QVariant value;
        bool writable = true;
    };
    const Entry* Find(const QString& name) const;
    std::map<QString, Entry> entries_;  // keyed by the lower-case name
};

// The framework's program-wide block.
TParametres& Parametres();

}  // namespace zmk

#include "host/zmkobject.h"

template <class T>
T* zmk::TParametres::AsObject(const QString& name) const {
    return TZMKObject::As<T>(AsInteger(name, 0));
}
