#include "messaging/serviciosms.h"

#include <QFileInfo>

#include "host/errors.h"

namespace zmk {

namespace {

QString& ArchivoIni() {
    static QString path;
    return path;
}

// A value with commas reads as a list; it is the text as written.
QString Texto(const QVariant& valor) {
    if (valor.metaType().id() == QMetaType::QStringList)
        return valor.toStringList().join(u',').trimmed();
    return valor.toString().trimmed();
}

}  // namespace

TServicioSMS TServicioSMS::DeIni(QSettings& ini) {
    TServicioSMS s;
    ini.beginGroup(QStringLiteral("SMS"));
    s.contabilidad = Texto(ini.value(QStringLiteral("Contabilidad")));
    while (s.contabilidad.endsWith(u'/')) s.contabilidad.chop(1);
    for (int k = 1; k <= kMaxPasarelas; ++k) {
        const QString base = Texto(ini.value(QStringLiteral("Pasarela%1").arg(k)));
        if (!base.isEmpty()) s.pasarelas << base;
    }
    s.paginaCuenta = Texto(ini.value(QStringLiteral("PaginaCuenta")));
    s.parametrosConsulta = Texto(ini.value(QStringLiteral("ParametrosConsulta")));
    ini.endGroup();
    return s;
}

void SetArchivoIniSMS(const QString& path) {
    ArchivoIni() = path;
}

QString ArchivoIniSMS() {
    return ArchivoIni();
}

TServicioSMS ServicioSMS() {
    if (ArchivoIni().isEmpty() || !QFileInfo::exists(ArchivoIni())) return {};
    QSettings ini(ArchivoIni(), QSettings::IniFormat);
    return TServicioSMS::DeIni(ini);
}

void ExigirServicioConfigurado(const TServicioSMS& servicio) {
    if (servicio.Configurado()) return;
    const QString archivo =
        ArchivoIni().isEmpty() ? QStringLiteral("de configuración") : u'"' + ArchivoIni() + u'"';
    throw EZMKError(QStringLiteral("El servicio de envío de SMS no está configurado.\nIndique la "
                                   "dirección de contabilidad (Contabilidad) y las de la pasarela "
                                   "(Pasarela1 ... Pasarela6) en la sección [SMS] del archivo %1.")
                        .arg(archivo));
}

}  // namespace zmk
