#include "host/field.h"

#include "host/dataset.h"
#include "host/datetime.h"
#include "host/errors.h"

namespace zmk {

namespace {

// Integers need no money range.
bool IsIntegral(const QVariant& v) {
    switch (v.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return true;
        default:
            return false;
    }
}

}  // namespace

TField::TField(TDataSet* owner, int index, QString name, TFieldType type, bool readOnly)
    : owner_(owner), index_(index), name_(std::move(name)), type_(type), read_only_(readOnly) {}

QVariant TField::Value() const {
    return owner_->Current(index_);
}

QVariant TField::OldValue() const {
    if (owner_->current_ < 0 || owner_->current_ >= owner_->RecordCount()) return QVariant();
    if (owner_->state_ == TDataSetState::Insert) return QVariant();
    return owner_->rows_[size_t(owner_->current_)][index_];
}

bool TField::IsNull() const {
    return IsNullVariant(Value());
}

QString TField::AsString() const {
    QVariant v = Value();
    if (IsNullVariant(v)) return QString();
    if (v.metaType() == QMetaType::fromType<Currency>()) return v.value<Currency>().ToString();
    if (v.metaType().id() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (v.metaType().id() == QMetaType::QDateTime) {
        QDateTime d = v.toDateTime();
        return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("dd/MM/yyyy"))
                                       : d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    return v.toString();
}

int TField::AsInteger() const {
    return int(AsLargeInt());
}

qlonglong TField::AsLargeInt() const {
    QVariant v = Value();
    if (IsNullVariant(v)) return 0;
    if (IsIntegral(v)) return v.toLongLong();
    if (auto c = VarToCurrency(v)) return c->Rounded(0).Raw() / Currency::kScale;
    throw EConvertError(QStringLiteral("'%1' no es un valor entero válido").arg(v.toString()));
}

bool TField::AsBoolean() const {
    QVariant v = Value();
    if (IsNullVariant(v)) return false;
    if (v.metaType().id() == QMetaType::QString) {
        QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true")) return true;
        if (s == QLatin1String("false") || s.isEmpty()) return false;
    }
    if (auto c = VarToCurrency(v)) return !c->IsZero();
    throw EConvertError(QStringLiteral("'%1' no es un valor booleano válido").arg(v.toString()));
}

Currency TField::AsCurrency() const {
    QVariant v = Value();
    if (IsNullVariant(v)) return Currency();
    if (auto c = VarToCurrency(v)) return *c;
    throw EConvertError(QStringLiteral("'%1' no es un valor numérico válido").arg(v.toString()));
}

double TField::AsFloat() const {
    QVariant v = Value();
    if (IsNullVariant(v)) return 0;
    if (v.metaType().id() == QMetaType::QDateTime) return DateTimeToSerial(v.toDateTime());
    if (auto c = VarToCurrency(v)) {
        if (v.metaType().id() == QMetaType::Double) return v.toDouble();
        return c->ToDouble();
    }
    throw EConvertError(QStringLiteral("'%1' no es un valor numérico válido").arg(v.toString()));
}

QDateTime TField::AsDateTime() const {
    QVariant v = Value();
    if (IsNullVariant(v)) return QDateTime();
    if (auto d = VarToDateTime(v)) return *d;
    throw EConvertError(QStringLiteral("'%1' no es una fecha válida").arg(v.toString()));
}

QVariant TField::Coerce(const QVariant& value) const {
    if (IsNullVariant(value)) return QVariant();
    bool text_in = value.metaType().id() == QMetaType::QString;
    if (text_in && value.toString().isEmpty() && type_ != TFieldType::String &&
        type_ != TFieldType::Memo && type_ != TFieldType::Unknown)
        return QVariant();
    auto bad = [&](const char* what) {
        QString shown = value.metaType() == QMetaType::fromType<Currency>()
                            ? value.value<Currency>().ToString()
                            : value.toString();
        return EConvertError(QStringLiteral("'%1' no es %2 para el campo '%3'")
                                 .arg(shown, QString::fromUtf8(what), name_));
    };
    switch (type_) {
        case TFieldType::Boolean: {
            if (value.metaType().id() == QMetaType::Bool) return value.toBool();
            if (text_in) {
                QString s = value.toString().trimmed().toLower();
                if (s == QLatin1String("true") || s == QLatin1String("sí") ||
                    s == QLatin1String("si"))
                    return true;
                if (s == QLatin1String("false") || s == QLatin1String("no")) return false;
            }
            if (auto c = VarToCurrency(value)) return !c->IsZero();
            throw bad("un valor booleano válido");
        }
        case TFieldType::Integer:
        case TFieldType::AutoInc: {
            if (IsIntegral(value)) {
                const qlonglong n = value.toLongLong();
                if (n >= INT_MIN && n <= INT_MAX) return int(n);
                return n;
            }
            auto c = VarToCurrency(value);
            if (!c || c->Rounded(0) != *c) throw bad("un valor entero válido");
            qlonglong n = c->Raw() / Currency::kScale;
            if (n >= INT_MIN && n <= INT_MAX) return int(n);
            return n;
        }
        case TFieldType::Currency: {
            auto c = VarToCurrency(value);
            if (!c) throw bad("un valor numérico válido");
            return QVariant::fromValue(*c);
        }
        case TFieldType::Float: {
            if (value.metaType() == QMetaType::fromType<Currency>())
                return value.value<Currency>().ToDouble();
            bool ok = false;
            double d =
                QString(value.toString()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok) throw bad("un valor numérico válido");
            return d;
        }
        case TFieldType::DateTime: {
            auto d = VarToDateTime(value);
            if (!d || !d->isValid()) throw bad("una fecha válida");
            return *d;
        }
        case TFieldType::String:
        case TFieldType::Memo:
            if (value.metaType() == QMetaType::fromType<Currency>())
                return value.value<Currency>().ToString();
            return value.toString();
        case TFieldType::Blob:
            return value.toByteArray();
        case TFieldType::Unknown:
            break;
    }
    return value;
}

void TField::SetValue(const QVariant& value) {
    owner_->Assign(*this, value);
}

}  // namespace zmk
