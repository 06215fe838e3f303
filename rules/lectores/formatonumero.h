#pragma once
// What a spreadsheet's number format shows: a spreadsheet keeps dates and times as day numbers
// and only the cell's format tells them apart from other numbers.
#include <QString>
#include <QVariant>

namespace zmk {

enum class TClaseFormato { Numero, Fecha, FechaHora, Hora };

// The class of a format code ("dd/mm/yyyy", "[$-409]h:mm AM/PM", "#,##0.00"): its date and time
// letters outside quoted texts, escapes and brackets (but "[h]" of elapsed hours).
TClaseFormato ClaseFormatoNumero(const QString& codigo);
// The class of the formats Excel numbers without writing their code (14 is the short date).
TClaseFormato ClaseFormatoPredefinido(int identificador);

// The day number as its format shows it: a date, a date with its time, a time of day, or the
// number itself (ValorNumero). origen is the day 0 of the workbook.
QVariant ValorConFormato(double numero, TClaseFormato clase, const QDate& origen);

}  // namespace zmk
