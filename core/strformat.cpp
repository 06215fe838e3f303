#include "core/strformat.h"

#include <QMetaType>

#include "host/currency.h"

namespace zmk {

namespace {

bool IsWholeNumber(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            return true;
        default:
            return false;
    }
}

bool IsFloat(const QVariant& v) {
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

bool IsCurrency(const QVariant& v) {
    return v.typeId() == qMetaTypeId<Currency>();
}

// The program speaks Spanish numbers: a decimal comma, as on the receipts and the screens.
QString WithDecimalComma(QString number) {
    return number.replace(u'.', u',');
}

std::optional<QString> AsText(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QString();
    switch (v.typeId()) {
        case QMetaType::QString:
        case QMetaType::QByteArray:
        case QMetaType::QChar:
            return v.toString();
        default:
            break;
    }
    if (IsWholeNumber(v)) return v.toString();
    if (IsFloat(v)) return WithDecimalComma(QString::number(v.toDouble(), 'g', 15));
    if (IsCurrency(v)) return WithDecimalComma(v.value<Currency>().ToString());
    return std::nullopt;
}

std::optional<QString> Convert(QChar type, int precision, const QVariant& arg) {
    switch (type.toLower().unicode()) {
        case u's': {
            auto text = AsText(arg);
            if (text && precision >= 0) text->truncate(precision);
            return text;
        }
        case u'd':
        case u'u':
        case u'x': {
            if (!IsWholeNumber(arg)) return std::nullopt;
            const bool negative = arg.typeId() != QMetaType::ULongLong && arg.toLongLong() < 0;
            if (negative && type.toLower() != u'd') return std::nullopt;
            const qulonglong magnitude =
                !negative ? arg.toULongLong() : qulonglong(-(arg.toLongLong() + 1)) + 1;
            QString digits = QString::number(magnitude, type.toLower() == u'x' ? 16 : 10).toUpper();
            if (precision > digits.size())
                digits = QString(precision - digits.size(), u'0') + digits;
            return negative ? u'-' + digits : digits;
        }
        case u'f': {
            const int decimals = precision < 0 ? 2 : precision;
            if (IsCurrency(arg) && decimals <= 4)
                return WithDecimalComma(arg.value<Currency>().ToString(decimals));
            if (IsCurrency(arg))
                return WithDecimalComma(
                    QString::number(arg.value<Currency>().ToDouble(), 'f', decimals));
            if (!IsWholeNumber(arg) && !IsFloat(arg)) return std::nullopt;
            return WithDecimalComma(QString::number(arg.toDouble(), 'f', decimals));
        }
        default:
            return std::nullopt;
    }
}

int ReadNumber(const QString& f, qsizetype& i) {
    int n = 0;
    while (i < f.size() && f[i].isDigit() && n < 10000) n = n * 10 + f[i++].digitValue();
    return n;
}

}  // namespace

std::optional<QString> TryFormatText(const QString& format, const QVariantList& args) {
    QString out;
    qsizetype next_arg = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        if (++i >= format.size()) return std::nullopt;
        if (format[i] == u'%') {
            out += u'%';
            continue;
        }
        const bool left = format[i] == u'-';
        if (left) ++i;
        const int width = ReadNumber(format, i);
        int precision = -1;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            precision = ReadNumber(format, i);
        }
        if (i >= format.size() || next_arg >= args.size()) return std::nullopt;
        auto piece = Convert(format[i], precision, args[next_arg++]);
        if (!piece) return std::nullopt;
        if (piece->size() < width) {
            const QString pad(width - piece->size(), u' ');
            *piece = left ? *piece + pad : pad + *piece;
        }
        out += *piece;
    }
    if (next_arg != args.size()) return std::nullopt;
    return out;
}

QString FormatText(const QString& format, const QVariantList& args) {
    return TryFormatText(format, args).value_or(format);
}

}  // namespace zmk
