#pragma once
// Dates and times are stored as day serials: whole days since 30 December 1899, the fraction
// being the time of day. SQL compares them as plain numbers.
#include <QDateTime>
#include <QVariant>
#include <optional>

namespace zmk {

double DateTimeToSerial(const QDateTime& value);
QDateTime SerialToDateTime(double serial);

// "Now" and "today" of the program; a fixed clock makes runs reproducible.
QDateTime Ahora();
QDate Hoy();
void FijarAhora(const std::optional<QDateTime>& fixed);

// Reads a date-time from a variant holding a date, a date-time, a serial number or ISO text.
std::optional<QDateTime> VarToDateTime(const QVariant& value);

}  // namespace zmk
