#include "rules/lectores/origendatos.h"

#include <QFileInfo>

#include "host/errors.h"
#include "rules/lectores/lectortexto.h"

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

std::unique_ptr<TOrigenDatos> AbrirOrigenDatos(const QString& archivo) {
    const QString extension = QFileInfo(archivo).suffix().toLower();
    if (extension == QLatin1String("txt") || extension == QLatin1String("csv"))
        return std::make_unique<TLectorTexto>(archivo);
    throw EZMKError(QStringLiteral("Extensión de archivo desconocida"));
}

}  // namespace zmk
