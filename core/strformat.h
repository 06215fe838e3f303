#pragma once
// printf-like formatting of the numbered texts, in the manner of the original platform's routine:
// "%s" (text; numbers and currency are shown as text, Null as nothing), "%d" and "%u" (whole
// numbers; precision = minimum digits), "%x" (upper-case hexadecimal), "%f" (fixed decimals,
// 2 unless a precision is given; whole numbers and currency accepted), "%%" (a percent sign).
// A width pads with blanks on the left, or on the right after "-".
#include <QString>
#include <QVariantList>
#include <optional>

namespace zmk {

// nullopt when the placeholders do not match the arguments in count or type.
std::optional<QString> TryFormatText(const QString& format, const QVariantList& args);
// The formatted text, or format itself when it does not match the arguments.
QString FormatText(const QString& format, const QVariantList& args);

}  // namespace zmk
