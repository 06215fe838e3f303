#pragma once
// Where the SMS service is: the maker's accounting address, the gateway's base addresses and the
// account web page, deployment settings of the INI file's [SMS] section, read when they are used.
#include <QSettings>
#include <QString>
#include <QStringList>

namespace zmk {

struct TServicioSMS {
    // [SMS] Contabilidad: scheme and host of the accounting endpoint ("/SMS/sms_send.asp" follows).
    QString contabilidad;
    // [SMS] Pasarela1 .. Pasarela6: the gateway's base addresses, each ending in "/APIv2/", in the
    // order they are tried.
    QStringList pasarelas;
    // [SMS] PaginaCuenta: the account web page the identification page links to.
    QString paginaCuenta;
    // [SMS] ParametrosConsulta: the installation's own query parameters ("a=1&b=2"), sent first.
    QString parametrosConsulta;

    static constexpr int kMaxPasarelas = 6;
    static TServicioSMS DeIni(QSettings& ini);
    bool Configurado() const { return !contabilidad.isEmpty() && !pasarelas.isEmpty(); }
};

// The INI file the settings come from (the program's; escolia-cli's --ini). Empty: none.
void SetArchivoIniSMS(const QString& path);
QString ArchivoIniSMS();
// The settings as the INI file holds them now.
TServicioSMS ServicioSMS();
// Raises, telling what to configure, when the service has no addresses.
void ExigirServicioConfigurado(const TServicioSMS& servicio);

}  // namespace zmk
