#include "host/datetime.h"

#include <cmath>

namespace zmk {
namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
std::optional<QDateTime> fixed_now;
}  // namespace

double DateTimeToSerial(const QDateTime& value) {
    double days = double(kEpoch.daysTo(value.date()));
    double fraction = value.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction still counts forward from the day's start, as the serial's
    // sign only applies to the whole-day part.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime SerialToDateTime(double serial) {
    double whole = std::trunc(serial);
    double fraction = std::fabs(serial - whole);
    qint64 ms = std::llround(fraction * kMsPerDay);
    if (ms >= qint64(kMsPerDay)) {
        ms = 0;
        whole += serial < 0 ? -1 : 1;
    }
    return QDateTime(kEpoch.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QDateTime Ahora() {
    return fixed_now ? *fixed_now : QDateTime::currentDateTime();
}

QDate Hoy() {
    return Ahora().date();
}

void FijarAhora(const std::optional<QDateTime>& fixed) {
    fixed_now = fixed;
}

std::optional<QDateTime> VarToDateTime(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    switch (value.metaType().id()) {
        case QMetaType::QDateTime:
            return value.toDateTime();
        case QMetaType::QDate:
            return QDateTime(value.toDate(), QTime(0, 0));
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::LongLong:
            return SerialToDateTime(value.toDouble());
        case QMetaType::QString: {
            QString text = value.toString().trimmed();
            for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd",
                                       "dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy"}) {
                QDateTime parsed = QDateTime::fromString(text, QLatin1String(format));
                if (parsed.isValid()) return parsed;
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace zmk
