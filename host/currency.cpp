#include "host/currency.h"

#include <QLocale>
#include <QMetaType>
#include <algorithm>
#include <cmath>

#include "host/errors.h"

namespace zmk {
namespace {

using Wide = __int128;

Wide Pow10(int n) {
    Wide r = 1;
    while (n-- > 0) r *= 10;
    return r;
}

Wide Multiply(Wide a, Wide b) {
    Wide r;
    if (__builtin_mul_overflow(a, b, &r)) ThrowImporteFueraDeRango();
    return r;
}

// The program's one rounding: num / den with the quotient rounded half away from zero.
Wide DivRound(Wide num, Wide den) {
    if (den == 0) ThrowImporteFueraDeRango();
    const bool negative = (num < 0) != (den < 0);
    if (num < 0) num = -num;
    if (den < 0) den = -den;
    Wide q = num / den;
    if (2 * (num % den) >= den) ++q;
    return negative ? -q : q;
}

Currency FromWide(Wide raw) {
    if (raw > Currency::kMaxRaw || raw < -Currency::kMaxRaw) ThrowImporteFueraDeRango();
    return Currency::FromRaw(int64_t(raw));
}

struct ConvertersRegistration {
    ConvertersRegistration() {
        QMetaType::registerConverter<Currency, double>(&Currency::ToDouble);
        QMetaType::registerConverter<Currency, QString>(
            static_cast<QString (Currency::*)() const>(&Currency::ToString));
        QMetaType::registerConverter<Currency, qlonglong>(
            [](const Currency& c) { return qlonglong(c.Rounded(0).Raw() / Currency::kScale); });
        QMetaType::registerConverter<Currency, int>(
            [](const Currency& c) { return int(c.Rounded(0).Raw() / Currency::kScale); });
    }
};
const ConvertersRegistration converters_registration;

}  // namespace

void ThrowImporteFueraDeRango() {
    throw EZMKError(QStringLiteral("Importe fuera de rango"));
}

Currency Currency::MulDiv(std::initializer_list<Currency> factors, Currency divisor, int decimals) {
    decimals = std::clamp(decimals, 0, 4);
    // The exact value is the product of raw/kScale over the factors, over raw/kScale of the
    // divisor; counted in steps of 10^-decimals.
    Wide num = Pow10(decimals);
    Wide den = divisor.raw_;
    bool first = true;
    for (Currency f : factors) {
        num = Multiply(num, f.raw_);
        if (!first) den = Multiply(den, kScale);
        first = false;
    }
    if (first) num = Multiply(num, kScale);
    return FromWide(Multiply(DivRound(num, den), Pow10(4 - decimals)));
}

Currency Currency::FromDouble(double value) {
    if (!std::isfinite(value)) ThrowImporteFueraDeRango();
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
        if (!ok) return std::nullopt;
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
    // A number: from here on, too large is out of range and too small rounds to zero.
    while (digits.size() > 1 && digits[0] == QLatin1Char('0')) digits.remove(0, 1);
    if (digits == QLatin1String("0")) return Currency();
    // Value = digits * 10^(exponent - decimals): its integer part has this many digits.
    const qint64 magnitude = qint64(digits.size()) + exponent - decimals;
    if (magnitude > 15) ThrowImporteFueraDeRango();
    if (magnitude < -5) return Currency();
    // Only the digits down to the fifth decimal decide the rounding to four.
    const qint64 kept = std::max<qint64>(0, magnitude + 5);
    const bool dropped = digits.size() > kept;
    if (dropped) digits.truncate(kept);
    Wide mantissa = 0;
    for (QChar ch : digits) mantissa = mantissa * 10 + (ch.unicode() - '0');
    // mantissa * 10^(magnitude - digits) is the value (less what was dropped).
    const int shift = int(4 + magnitude - digits.size());
    Wide raw;
    if (shift >= 0) {
        raw = mantissa * Pow10(shift);
    } else {
        // shift is -1: the fifth decimal decides; the digits dropped after it never do.
        raw = DivRound(mantissa, Pow10(-shift));
    }
    if (negative) raw = -raw;
    return FromWide(raw);
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
    const int64_t rounded = Rounded(decimals).raw_;
    const bool negative = rounded < 0;
    const uint64_t abs = uint64_t(negative ? -rounded : rounded);
    QString s = QString::number(abs / kScale);
    if (decimals > 0) {
        QString f =
            QString::number(abs % kScale).rightJustified(4, QLatin1Char('0')).left(decimals);
        s += QLatin1Char('.') + f;
    }
    if (negative) s.prepend(QLatin1Char('-'));
    return s;
}

std::optional<Currency> VarToCurrency(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    if (value.metaType() == QMetaType::fromType<Currency>()) return value.value<Currency>();
    switch (value.metaType().id()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return Currency::FromDouble(value.toDouble());
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::UChar:
            return Currency::FromRaw(value.toLongLong() * Currency::kScale);
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            // Checked before scaling: a large integer must not wrap into another amount.
            const qlonglong units = value.toLongLong();
            if (value.metaType().id() == QMetaType::ULongLong && value.toULongLong() > INT64_MAX)
                ThrowImporteFueraDeRango();
            if (units > Currency::kMaxRaw / Currency::kScale ||
                units < -Currency::kMaxRaw / Currency::kScale)
                ThrowImporteFueraDeRango();
            return Currency::FromRaw(units * Currency::kScale);
        }
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
