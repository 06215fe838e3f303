#include "app/migracion.h"

#include <QFile>
#include <QFileInfo>

#include "host/prompt.h"

namespace zmk {

QString MigraConfiguracionAnterior(const QString& appFile) {
    const QString dir = QFileInfo(appFile).absolutePath() + u'/';
    const QString mdr = appFile + QStringLiteral(".MDR");
    const QString ini = appFile + QStringLiteral(".INI");
    const std::pair<const char*, const char*> candidates[] = {{"ZMKEscolia21", "2.1"},
                                                              {"ZMKEscolia20", "2.0"}};
    for (const auto& [base, version] : candidates) {
        const QString old = dir + QString::fromLatin1(base);
        if (QFile::exists(mdr) || !QFile::exists(old + QStringLiteral(".MDR"))) continue;
        // QFile::copy refuses an existing target, as the copy of the ".MDR" must.
        if (!QFile::copy(old + QStringLiteral(".MDR"), mdr)) continue;
        if (QFile::exists(old + QStringLiteral(".INI"))) {
            QFile::remove(ini);
            QFile::copy(old + QStringLiteral(".INI"), ini);
        }
        Informa(QStringLiteral("SE HA DETECTADO UNA VERSIÓN ANTERIOR\n\nSe ha actualizado "
                               "correctamente el archivo\nde configuración de la versión ") +
                QString::fromLatin1(version) + QStringLiteral(" a la ") + QStringLiteral("2.2") +
                QStringLiteral("\n\n") +
                QStringLiteral("Ahora dispone de la misma configuración que tenía") +
                QStringLiteral("\n") + QStringLiteral("antes en ZMK-Escolia"));
        return QString::fromLatin1(version);
    }
    return QString();
}

}  // namespace zmk
