#include "rules/lectores/formatonumero.h"

#include <QDateTime>
#include <cmath>

#include "rules/lectores/origendatos.h"

namespace zmk {

TClaseFormato ClaseFormatoNumero(const QString& codigo) {
    // The date and time letters of the first section (the one of positive numbers), "h" for
    // an AM/PM or elapsed-time part.
    QString letras;
    for (qsizetype i = 0; i < codigo.size(); ++i) {
        const QChar c = codigo.at(i).toLower();
        if (c == u';') break;
        if (c == u'"') {
            const qsizetype fin = codigo.indexOf(u'"', i + 1);
            if (fin < 0) break;
            i = fin;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;  // an escaped or spacing character
        } else if (c == u'[') {
            const qsizetype fin = codigo.indexOf(u']', i + 1);
            if (fin < 0) break;
            const QString dentro = codigo.mid(i + 1, fin - i - 1).toLower();
            for (QChar t : {QChar(u'h'), QChar(u'm'), QChar(u's')})
                if (!dentro.isEmpty() && dentro.count(t) == dentro.size()) letras += t;
            i = fin;
        } else if (c == u'a' &&
                   (codigo.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0 ||
                    codigo.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0)) {
            letras += u'h';
            i += codigo.at(i + 1) == u'/' ? 2 : 4;
        } else if (c == u'd' || c == u'y' || c == u'm' || c == u'h' || c == u's') {
            letras += c;
        }
    }
    bool fecha = false, hora = false;
    for (qsizetype i = 0; i < letras.size(); ++i) {
        const QChar c = letras.at(i);
        if (c != u'm') {
            (c == u'h' || c == u's' ? hora : fecha) = true;
            continue;
        }
        // "m" is the minutes after hours or before seconds, else the month.
        qsizetype antes = i, despues = i;
        while (antes > 0 && letras.at(antes - 1) == u'm') --antes;
        while (despues + 1 < letras.size() && letras.at(despues + 1) == u'm') ++despues;
        const bool minutos = (antes > 0 && letras.at(antes - 1) == u'h') ||
                             (despues + 1 < letras.size() && letras.at(despues + 1) == u's');
        (minutos ? hora : fecha) = true;
        i = despues;
    }
    if (fecha && hora) return TClaseFormato::FechaHora;
    if (fecha) return TClaseFormato::Fecha;
    if (hora) return TClaseFormato::Hora;
    return TClaseFormato::Numero;
}

TClaseFormato ClaseFormatoPredefinido(int identificador) {
    if ((identificador >= 14 && identificador <= 17) ||
        (identificador >= 27 && identificador <= 31) ||
        (identificador >= 34 && identificador <= 36) ||
        (identificador >= 50 && identificador <= 58))
        return TClaseFormato::Fecha;
    if (identificador == 22) return TClaseFormato::FechaHora;
    if ((identificador >= 18 && identificador <= 21) || identificador == 32 ||
        identificador == 33 || (identificador >= 45 && identificador <= 47))
        return TClaseFormato::Hora;
    return TClaseFormato::Numero;
}

QVariant ValorConFormato(double numero, TClaseFormato clase, const QDate& origen) {
    if (clase == TClaseFormato::Numero || !std::isfinite(numero) || std::fabs(numero) > 3.0e6)
        return ValorNumero(numero);
    // Milliseconds rounded, so that 0.99999999 of a day is midnight of the next.
    const auto ms = static_cast<qint64>(std::llround(numero * 86400000.0));
    const qint64 dias = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    const QDate fecha = origen.addDays(dias);
    const QTime hora = QTime::fromMSecsSinceStartOfDay(int(ms - dias * 86400000));
    switch (clase) {
        case TClaseFormato::Fecha:
            return fecha;
        case TClaseFormato::Hora:
            if (dias == 0) return hora;
            return QDateTime(fecha, hora);
        default:
            return QDateTime(fecha, hora);
    }
}

}  // namespace zmk
