#include "host/parametres.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "host/datetime.h"

namespace zmk {

namespace {
QString Key(const QString& name) {
    return name.toLower();
}
bool IsNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}
}  // namespace

const TParametres::Entry* TParametres::Find(const QString& name) const {
    auto it = entries_.find(Key(name));
    return it == entries_.end() ? nullptr : &it->second;
}

int TParametres::AsInteger(const QString& name, int def) const {
    const Entry* e = Find(name);
    if (!e || IsNull(e->value)) return def;
    if (auto c = VarToCurrency(e->value)) {
        return int(c->Rounded(0).Raw() / Currency::kScale);
    }
    return def;
}

QString TParametres::AsString(const QString& name, const QString& def) const {
    const Entry* e = Find(name);
    if (!e || IsNull(e->value)) return def;
    if (e->value.metaType() == QMetaType::fromType<Currency>())
        return e->value.value<Currency>().ToString();
    return e->value.toString();
}

bool TParametres::AsBoolean(const QString& name, bool def) const {
    const Entry* e = Find(name);
    if (!e || IsNull(e->value)) return def;
    if (e->value.metaType().id() == QMetaType::QString) {
        QString s = e->value.toString().trimmed().toLower();
        if (s == QLatin1String("true")) return true;
        if (s == QLatin1String("false")) return false;
    }
    if (auto c = VarToCurrency(e->value)) return !c->IsZero();
    return def;
}

QDateTime TParametres::AsDateTime(const QString& name, const QDateTime& def) const {
    const Entry* e = Find(name);
    if (!e || IsNull(e->value)) return def;
    return VarToDateTime(e->value).value_or(def);
}

Currency TParametres::AsCurrency(const QString& name, Currency def) const {
    const Entry* e = Find(name);
    if (!e || IsNull(e->value)) return def;
    return VarToCurrency(e->value).value_or(def);
}

void TParametres::SetParametreValue(const QString& name, const QVariant& value) {
    auto it = entries_.find(Key(name));
    if (it == entries_.end()) {
        entries_.emplace(Key(name), Entry{name, value, true});
    } else {
        it->second.value = value;
    }
}

QVariant TParametres::GetParametreValue(const QString& name) const {
    const Entry* e = Find(name);
    return e ? e->value : QVariant();
}

bool TParametres::ParamExists(const QString& name) const {
    return Find(name) != nullptr;
}

void TParametres::AddParam(const QString& name, const QVariant& value, bool writable) {
    entries_[Key(name)] = Entry{name, value, writable};
}

void TParametres::DeleteParam(const QString& name) {
    entries_.erase(Key(name));
}

void TParametres::Clear() {
    entries_.clear();
}

QStringList TParametres::Names() const {
    QStringList names;
    for (const auto& [key, e] : entries_) names << e.name;
    return names;
}

bool TParametres::Writables(const QString& name) const {
    const Entry* e = Find(name);
    return e && e->writable;
}

void TParametres::SetWritables(const QString& name, bool writable) {
    auto it = entries_.find(Key(name));
    if (it != entries_.end()) it->second.writable = writable;
}

// Each value is saved with its kind so that it reads back as the same type.
QByteArray TParametres::SaveToBytes() const {
    QJsonArray list;
    for (const auto& [key, e] : entries_) {
        if (!e.writable) continue;
        QJsonObject o;
        o[QStringLiteral("name")] = e.name;
        const QVariant& v = e.value;
        if (IsNull(v)) {
            o[QStringLiteral("type")] = QStringLiteral("null");
        } else if (v.metaType() == QMetaType::fromType<Currency>()) {
            o[QStringLiteral("type")] = QStringLiteral("currency");
            o[QStringLiteral("value")] = v.value<Currency>().ToString();
        } else if (v.metaType().id() == QMetaType::QDateTime ||
                   v.metaType().id() == QMetaType::QDate) {
            o[QStringLiteral("type")] = QStringLiteral("datetime");
            o[QStringLiteral("value")] = DateTimeToSerial(*VarToDateTime(v));
        } else if (v.metaType().id() == QMetaType::Bool) {
            o[QStringLiteral("type")] = QStringLiteral("boolean");
            o[QStringLiteral("value")] = v.toBool();
        } else if (v.metaType().id() == QMetaType::Double) {
            o[QStringLiteral("type")] = QStringLiteral("double");
            o[QStringLiteral("value")] = v.toDouble();
        } else if (v.canConvert<qlonglong>() && v.metaType().id() != QMetaType::QString &&
                   v.metaType().id() != QMetaType::QByteArray) {
            o[QStringLiteral("type")] = QStringLiteral("integer");
            o[QStringLiteral("value")] = QString::number(v.toLongLong());
        } else {
            o[QStringLiteral("type")] = QStringLiteral("string");
            o[QStringLiteral("value")] = v.toString();
        }
        list.append(o);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

void TParametres::LoadFromBytes(const QByteArray& bytes) {
    const QJsonArray list = QJsonDocument::fromJson(bytes).array();
    for (const QJsonValue& item : list) {
        QJsonObject o = item.toObject();
        QString name = o.value(QStringLiteral("name")).toString();
        if (name.isEmpty()) continue;
        QString type = o.value(QStringLiteral("type")).toString();
        QJsonValue raw = o.value(QStringLiteral("value"));
        QVariant value;
        if (type == QLatin1String("currency")) {
            value = QVariant::fromValue(Currency::Parse(raw.toString()).value_or(Currency()));
        } else if (type == QLatin1String("datetime")) {
            value = SerialToDateTime(raw.toDouble());
        } else if (type == QLatin1String("boolean")) {
            value = raw.toBool();
        } else if (type == QLatin1String("double")) {
            value = raw.toDouble();
        } else if (type == QLatin1String("integer")) {
            qlonglong n = raw.toString().toLongLong();
            value = (n >= INT_MIN && n <= INT_MAX) ? QVariant(int(n)) : QVariant(n);
        } else if (type == QLatin1String("string")) {
            value = raw.toString();
        }
        AddParam(name, value, true);
    }
}

TParametres& Parametres() {
    static TParametres block;
    return block;
}

}  // namespace zmk
