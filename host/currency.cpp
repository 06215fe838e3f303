#include "host/currency.h"

#include <QLocale>
#include <QMetaType>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zmk {
namespace {

int64_t Pow10(int n) {
    int64_t r = 1;
    while (n-- > 0) r *= 10;
    return r;
}

// Divides with the quotient rounded half away from zero.
int64_t DivRound(__int128 num, __int128 den) {
    bool negative = (num < 0) != (den < 0);
    if (num < 0) num = -num;
    if (den < 0) den = -den;
    __int128 q = num / den;
    __int128 r = num % den;
    if (2 * r >= den) ++q;
    return int64_t(negative ? -q : q);
}

struct ConvertersRegistration {
    ConvertersRegistration() {
        QMetaType::registerConverter<Currency, double>(&Currency::ToDouble);
        QMetaType::registerConverter<Currency, QString>(
            static_cast<QString (Currency::*)() const>(&Currency::ToString));
        QMetaType::registerConverter<Currency, qlonglong>(
            [](const Currency& c) { return qlonglong(DivRound(c.Raw(), Currency::kScale)); });
        QMetaType::registerConverter<Currency, int>(
            [](const Currency& c) { return int(DivRound(c.Raw(), Currency::kScale)); });
    }
};
const ConvertersRegistration converters_registration;

}  // namespace

Currency Currency::FromDouble(double value) {
    if (!std::isfinite(value)) return Currency();
    // The shortest text that reads back as the same double is the decimal the user meant.
    auto shortest = Parse(QString::number(value, 'g', QLocale::FloatingPointShortest));
    return shortest ? *shortest : Currency();
}

std::optional<Currency> Currency::Parse(const QString& input) {
    QString text = input.trimmed();
    if (text.isEmpty()) return std::nullopt;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    int exponent = 0;
    int e = text.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0) {
        bool ok = false;
        exponent = text.mid(e + 1).toInt(&ok);
        if (!ok || exponent > 30 || exponent < -30) return std::nullopt;
        text.truncate(e);
    }
    bool negative = false;
    int pos = 0;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    QString digits;
    int decimals = 0;
    bool seen_point = false;
    for (; pos < text.size(); ++pos) {
        QChar ch = text[pos];
        if (ch.isDigit() && ch.unicode() < 128) {
            digits += ch;
            if (seen_point) ++decimals;
        } else if (ch == QLatin1Char('.') && !seen_point) {
            seen_point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits.isEmpty()) return std::nullopt;
    decimals -= exponent;
    // Value = digits * 10^-decimals; bring it to four decimals, rounding half away from zero.
    while (digits.size() > 1 && digits[0] == QLatin1Char('0')) digits.remove(0, 1);
    if (digits.size() > 30) return std::nullopt;
    __int128 mantissa = 0;
    for (QChar ch : digits) mantissa = mantissa * 10 + (ch.unicode() - '0');
    int shift = 4 - decimals;
    __int128 raw;
    if (shift >= 0) {
        if (shift > 20) return mantissa == 0 ? std::optional<Currency>(Currency()) : std::nullopt;
        raw = mantissa;
        for (int i = 0; i < shift; ++i) raw *= 10;
    } else {
        if (-shift > 36) return Currency();
        __int128 den = 1;
        for (int i = 0; i < -shift; ++i) den *= 10;
        raw = DivRound(mantissa, den);
    }
    if (raw > __int128(INT64_MAX)) return std::nullopt;
    return FromRaw(negative ? -int64_t(raw) : int64_t(raw));
}

QString Currency::ToString() const {
    QString s = ToString(4);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    return s;
}

QString Currency::ToString(int decimals) const {
    decimals = std::clamp(decimals, 0, 4);
    int64_t rounded = Rounded(decimals).raw_;
    bool negative = rounded < 0;
    uint64_t abs = negative ? uint64_t(-(rounded + 1)) + 1 : uint64_t(rounded);
    uint64_t units = abs / kScale;
    uint64_t frac = abs % kScale;
    QString s = QString::number(units);
    if (decimals > 0) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0')).left(decimals);
        s += QLatin1Char('.') + f;
    }
    if (negative) s.prepend(QLatin1Char('-'));
    return s;
}

Currency Currency::Rounded(int decimals) const {
    decimals = std::clamp(decimals, 0, 4);
    int64_t step = Pow10(4 - decimals);
    return FromRaw(DivRound(raw_, step) * step);
}

Currency Currency::operator*(Currency o) const {
    return FromRaw(DivRound(__int128(raw_) * o.raw_, kScale));
}

Currency Currency::operator/(Currency o) const {
    if (o.raw_ == 0) throw std::domain_error("Currency division by zero");
    return FromRaw(DivRound(__int128(raw_) * kScale, o.raw_));
}

std::optional<Currency> VarToCurrency(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    if (value.metaType() == QMetaType::fromType<Currency>()) return value.value<Currency>();
    switch (value.metaType().id()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return Currency::FromDouble(value.toDouble());
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::UChar:
            return Currency::FromRaw(value.toLongLong() * Currency::kScale);
        case QMetaType::Bool:
            return Currency(value.toBool() ? -1 : 0);
        case QMetaType::QString:
        case QMetaType::QByteArray:
            return Currency::Parse(value.toString());
        default:
            return std::nullopt;
    }
}

}  // namespace zmk
