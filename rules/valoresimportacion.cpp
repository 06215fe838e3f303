#include "rules/valoresimportacion.h"

#include <QDate>
#include <cmath>

#include "core/bancos.h"
#include "schema/schema.h"

namespace zmk {

namespace {

bool Entero(double d) {
    return std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.0e15;
}

}  // namespace

QString TextoDeValor(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull()) return QString();
    switch (valor.metaType().id()) {
        case QMetaType::Double: {
            const double d = valor.toDouble();
            return Entero(d) ? QString::number(qlonglong(d)) : QString::number(d, 'g', 15);
        }
        case QMetaType::QDate:
            return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        case QMetaType::QDateTime: {
            const QDateTime dt = valor.toDateTime();
            return dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("dd/MM/yyyy"))
                                            : dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        }
        case QMetaType::Bool:
            return valor.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
        default:
            return valor.toString();
    }
}

std::optional<qlonglong> LeerCodigo(const QVariant& valor) {
    switch (valor.metaType().id()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
            return valor.toLongLong();
        case QMetaType::Double:
            if (Entero(valor.toDouble())) return qlonglong(valor.toDouble());
            return std::nullopt;
        case QMetaType::QString: {
            bool ok = false;
            const qlonglong n = valor.toString().trimmed().toLongLong(&ok);
            if (ok) return n;
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

std::optional<QDateTime> LeerFecha(const QVariant& valor) {
    switch (valor.metaType().id()) {
        case QMetaType::QDate:
            return QDateTime(valor.toDate(), QTime(0, 0));
        case QMetaType::QDateTime:
            return valor.toDateTime();
        case QMetaType::QString: {
            const QString t = valor.toString().trimmed();
            // Day before month, as Spanish files write them; the ISO order too.
            for (const char* formato :
                 {"d/M/yyyy", "d-M-yyyy", "d.M.yyyy", "yyyy-M-d", "yyyy/M/d", "d/M/yy", "d-M-yy"}) {
                QDate fecha = QDate::fromString(t, QLatin1String(formato));
                if (!fecha.isValid()) continue;
                // Two-digit years: the last hundred years, as birth dates are.
                if (QLatin1String(formato).endsWith(QLatin1String("/yy")) ||
                    QLatin1String(formato).endsWith(QLatin1String("-yy"))) {
                    fecha = fecha.addYears(100);
                    while (fecha.year() > QDate::currentDate().year()) fecha = fecha.addYears(-100);
                }
                return QDateTime(fecha, QTime(0, 0));
            }
            const QDateTime iso = QDateTime::fromString(t, Qt::ISODate);
            if (iso.isValid()) return iso;
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

int LongitudColumna(const QString& columna) {
    const schema::Table* t = schema::FindTable(QStringLiteral("T01Alumnos"));
    for (const schema::Column& c : t->columns)
        if (c.name.compare(columna, Qt::CaseInsensitive) == 0) return c.size;
    return 0;
}

TValorColumna ValorParaColumna(const QString& columna, const QVariant& valor) {
    TValorColumna r;
    if (!valor.isValid() || valor.isNull()) return r;
    switch (schema::ColumnType(columna)) {
        case TFieldType::Integer:
        case TFieldType::AutoInc:
            if (const auto n = LeerCodigo(valor))
                r.valor = *n;
            else
                r.error = QStringLiteral("no es un número entero");
            return r;
        case TFieldType::DateTime:
            if (const auto f = LeerFecha(valor))
                r.valor = *f;
            else
                r.error = QStringLiteral("no es una fecha");
            return r;
        default: {
            QString texto = TextoDeValor(valor);
            const int longitud = LongitudColumna(columna);
            if (longitud > 0 && texto.size() > longitud) {
                texto.truncate(longitud);
                r.cortado = true;
            }
            r.valor = texto;
            return r;
        }
    }
}

QString IBANParaGuardar(const QString& iban) {
    const QString limpio = LimpiarCodigo(iban);
    if (!limpio.isEmpty() && ComprobarIBAN(limpio, false, false, false, false).isEmpty())
        return limpio;
    return iban;
}

}  // namespace zmk
