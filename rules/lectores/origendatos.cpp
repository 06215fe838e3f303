#include "rules/lectores/origendatos.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "host/errors.h"
#include "rules/lectores/lectoraccess.h"
#include "rules/lectores/lectorhojacalculo.h"
#include "rules/lectores/lectortexto.h"
#include "rules/lectores/lectorxls.h"

namespace zmk {

QString ErrorLecturaArchivo(const QString& archivo, const QString& motivo) {
    return QStringLiteral("No se puede leer el archivo ") + QFileInfo(archivo).fileName() +
           QStringLiteral(": ") + motivo;
}

QStringList NombresColumnas(const QList<QString>& cabecera) {
    QStringList nombres;
    for (qsizetype i = 0; i < cabecera.size(); ++i) {
        const QString nombre = cabecera[i].trimmed();
        nombres << (nombre.isEmpty() ? QStringLiteral("F") + QString::number(i + 1) : nombre);
    }
    return nombres;
}

QVariant ValorNumero(double numero) {
    // Below 2^53 every whole double is exact as a qlonglong.
    if (std::isfinite(numero) && numero == std::floor(numero) && std::fabs(numero) < 9.0e15)
        return QVariant(qlonglong(numero));
    return QVariant(numero);
}

TTablaOrigen TablaDesdeCeldas(const QString& nombre, const QList<QVariantList>& celdas) {
    TTablaOrigen tabla;
    tabla.nombre = nombre;
    auto tieneValor = [](const QVariant& v) {
        return v.isValid() && !v.isNull() &&
               !(v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty());
    };
    qsizetype ancho = 0;
    for (const QVariantList& fila : celdas)
        for (qsizetype c = fila.size(); c > ancho; --c)
            if (tieneValor(fila[c - 1])) {
                ancho = c;
                break;
            }
    if (celdas.isEmpty() || ancho == 0) return tabla;
    QStringList cabecera;
    for (qsizetype c = 0; c < ancho; ++c)
        cabecera << (c < celdas.first().size() ? celdas.first()[c].toString() : QString());
    tabla.columnas = NombresColumnas(cabecera);
    for (qsizetype r = 1; r < celdas.size(); ++r) {
        const QVariantList& celda = celdas[r];
        if (std::none_of(celda.begin(), celda.end(), tieneValor)) continue;
        QVariantList fila = celda.mid(0, ancho);
        while (fila.size() < ancho) fila << QVariant();
        tabla.filas << fila;
    }
    return tabla;
}

std::unique_ptr<TOrigenDatos> AbrirOrigenDatos(const QString& archivo) {
    const QFileInfo info(archivo);
    const QString extension = info.suffix().toLower();
    auto es = [&](const char* e) { return extension == QLatin1String(e); };
    if (!es("txt") && !es("csv") && !es("xls") && !es("xlsx") && !es("ods") && !es("mdb") &&
        !es("accdb"))
        throw EZMKError(QStringLiteral("Extensión de archivo desconocida"));
    if (!info.exists() || !info.isFile())
        throw EZMKError(ErrorLecturaArchivo(archivo, QStringLiteral("el archivo no existe")));
    if (info.size() == 0)
        throw EZMKError(ErrorLecturaArchivo(archivo, QStringLiteral("el archivo está vacío")));
    if (es("txt") || es("csv")) return std::make_unique<TLectorTexto>(archivo);
    if (es("xls")) return std::make_unique<TLectorXls>(archivo);
    if (es("xlsx") || es("ods")) return std::make_unique<TLectorHojaCalculo>(archivo);
    return std::make_unique<TLectorAccess>(archivo);
}

}  // namespace zmk
