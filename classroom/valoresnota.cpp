#include "classroom/valoresnota.h"

#include <QRegularExpression>

#include "host/errors.h"

namespace zmk {

QString LimpiaValor(const QString& valor) {
    QString limpio;
    limpio.reserve(valor.size());
    for (QChar c : valor)
        if (c != QLatin1Char('=') && c != QLatin1Char('{') && c != QLatin1Char('|') &&
            c != QLatin1Char('}'))
            limpio += c;
    return limpio;
}

QStringList SeparaValores(const QString& texto) {
    QStringList items;
    qsizetype desde = 0;
    while (desde < texto.size()) {
        qsizetype barra = texto.indexOf(QLatin1Char('|'), desde);
        if (barra < 0) barra = texto.size();
        items << texto.mid(desde, barra - desde);
        desde = barra + 1;
    }
    return items;
}

QString UneValores(const QStringList& valores) {
    QStringList limpios;
    limpios.reserve(valores.size());
    for (const QString& v : valores) limpios << LimpiaValor(v);
    return limpios.join(QLatin1Char('|'));
}

namespace {

QString SinBlancosIniciales(const QString& texto) {
    qsizetype i = 0;
    while (i < texto.size() && texto[i] <= QLatin1Char(' ')) ++i;
    return texto.mid(i);
}

}  // namespace

QStringList LineasTexto(const QString& texto) {
    if (texto.isEmpty()) return {};
    QStringList lineas = texto.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
    return lineas;
}

TValoresConcepto DecodificaValoresConcepto(const QString& texto) {
    const auto fallback = [&texto] { return TValoresConcepto{{}, LineasTexto(texto)}; };
    const QString t = SinBlancosIniciales(texto);
    if (!t.startsWith(QLatin1Char('{'))) return fallback();
    const qsizetype cierre = t.indexOf(QLatin1Char('}'));
    if (cierre < 0) return fallback();
    TValoresConcepto r;
    r.subconceptos = SeparaValores(t.mid(1, cierre - 1));
    const QString resto = SinBlancosIniciales(t.mid(cierre + 1));
    const qsizetype cierreValores = resto.indexOf(QLatin1Char('}'));
    if (!resto.startsWith(QLatin1Char('{')) || cierreValores < 0) return fallback();
    r.valores = SeparaValores(resto.mid(1, cierreValores - 1));
    return r;
}

QString CodificaValoresConcepto(const QStringList& subconceptos, const QStringList& valores) {
    return QLatin1Char('{') + UneValores(subconceptos) + QStringLiteral("}{") +
           UneValores(valores) + QLatin1Char('}');
}

void ComprobarLongitudValores(const QStringList& subconceptos, const QStringList& valores) {
    const qsizetype longitud = CodificaValoresConcepto(subconceptos, valores).size();
    if (longitud > kLongitudMaximaValores)
        throw EZMKError(
            QStringLiteral("Demasiado largo\n\nDebe asignar menos subconceptos o menos valores "
                           "posibles, ya que no\nse puede guardar un campo tan largo en la base "
                           "de datos\n(") +
            QString::number(longitud) + QStringLiteral(" carácteres codificados)"));
}

}  // namespace zmk
