#include "rules/lectores/lectortexto.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <array>

#include "host/errors.h"

namespace zmk {

namespace {

// Windows-1252 between 0x80 and 0x9F; the rest of its upper half is Latin-1. The five bytes it
// leaves undefined are kept as the C1 controls of the same value.
constexpr std::array<char16_t, 32> kWindows1252Alto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DesdeWindows1252(const QByteArray& bytes) {
    QString texto;
    texto.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        texto += (b >= 0x80 && b < 0xA0) ? QChar(kWindows1252Alto[b - 0x80]) : QChar(char16_t(b));
    }
    return texto;
}

// How many times c appears on the first line, outside double quotes.
int CuentaFueraDeComillas(const QString& texto, QChar c) {
    int n = 0;
    bool dentro = false;
    for (QChar ch : texto) {
        if (ch == u'\n' && !dentro) break;
        if (ch == u'"') dentro = !dentro;
        if (ch == c && !dentro) ++n;
    }
    return n;
}

}  // namespace

QString DecodificarTexto(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8.decode(bytes);
    if (!utf8.hasError()) return texto;
    return DesdeWindows1252(bytes);
}

TFormatoTexto DetectarFormatoTexto(const QString& texto) {
    TFormatoTexto formato;
    int mejor = 0;
    for (QChar c : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        const int n = CuentaFueraDeComillas(texto, c);
        if (n > mejor) {
            mejor = n;
            formato.delimitador = c;
        }
    }
    // A field that starts and ends with the quote, on the first lines.
    int dobles = 0, simples = 0;
    const QStringList lineas = texto.left(8192).split(u'\n');
    for (const QString& linea : lineas)
        for (const QString& campo : linea.split(formato.delimitador)) {
            const QString c = campo.trimmed();
            if (c.size() < 2) continue;
            if (c.startsWith(u'"') && c.endsWith(u'"')) ++dobles;
            if (c.startsWith(u'\'') && c.endsWith(u'\'')) ++simples;
        }
    if (simples > dobles) formato.comillas = u'\'';
    return formato;
}

QList<QStringList> SepararRegistros(const QString& texto, const TFormatoTexto& formato) {
    QList<QStringList> registros;
    QStringList registro;
    QString campo;
    bool entreComillas = false, citado = false, hayAlgo = false;
    auto cierraCampo = [&] {
        registro << (citado ? campo : campo.trimmed());
        campo.clear();
        citado = false;
    };
    auto cierraRegistro = [&] {
        cierraCampo();
        if (hayAlgo) registros << registro;
        registro.clear();
        hayAlgo = false;
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (entreComillas) {
            if (c != formato.comillas) {
                campo += c;
            } else if (i + 1 < texto.size() && texto.at(i + 1) == formato.comillas) {
                campo += c;
                ++i;
            } else {
                entreComillas = false;
            }
        } else if (c == formato.comillas && campo.trimmed().isEmpty()) {
            entreComillas = citado = hayAlgo = true;
            campo.clear();
        } else if (c == formato.delimitador) {
            cierraCampo();
            hayAlgo = true;
        } else if (c == u'\n') {
            cierraRegistro();
        } else if (c != u'\r' && !(citado && c.isSpace())) {
            campo += c;
            if (!c.isSpace()) hayAlgo = true;
        }
    }
    cierraRegistro();
    return registros;
}

TLectorTexto::TLectorTexto(const QString& archivo) : TOrigenDatos(archivo) {
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(ErrorLecturaArchivo(archivo, file.errorString()));
    const QString texto = DecodificarTexto(file.readAll());
    const QList<QStringList> registros = SepararRegistros(texto, DetectarFormatoTexto(texto));
    if (registros.isEmpty())
        throw EZMKError(ErrorLecturaArchivo(archivo, QStringLiteral("el archivo está vacío")));
    const QFileInfo info(archivo);
    tabla_.nombre = info.fileName().chopped(4) + u'#' + info.suffix();
    tabla_.columnas = NombresColumnas(registros.first());
    const qsizetype n = tabla_.columnas.size();
    for (qsizetype r = 1; r < registros.size(); ++r) {
        QVariantList fila;
        fila.reserve(n);
        for (qsizetype c = 0; c < n; ++c) {
            const QString valor = c < registros[r].size() ? registros[r][c] : QString();
            fila << (valor.isEmpty() ? QVariant() : QVariant(valor));
        }
        tabla_.filas << fila;
    }
}

QStringList TLectorTexto::Tablas() {
    return {tabla_.nombre};
}

TTablaOrigen TLectorTexto::LeerTabla(const QString& nombre) {
    if (nombre.compare(tabla_.nombre, Qt::CaseInsensitive) != 0)
        throw EZMKError(QStringLiteral("No existe la tabla ") + nombre);
    return tabla_;
}

}  // namespace zmk
