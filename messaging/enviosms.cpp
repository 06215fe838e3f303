#include "messaging/enviosms.h"

#include <QUrl>

#include "core/splash.h"
#include "core/strings.h"
#include "host/errors.h"
#include "messaging/clientehttp.h"

namespace zmk {

namespace {

QString Codifica(const QString& valor) {
    return QString::fromLatin1(QUrl::toPercentEncoding(valor));
}

// One request to the accounting endpoint; raises when it cannot be reached.
QString Contabiliza(const TServicioSMS& servicio, const QString& tipo, int cuenta,
                    const QString& usuario, const QString& estado = QString()) {
    QString valor = QString::number(cuenta) + u'_' + tipo;
    if (!estado.isEmpty()) valor += u'_' + estado;
    QString consulta = servicio.parametrosConsulta;
    consulta += QStringLiteral("&SMSVALOR=") + Codifica(valor) + QStringLiteral("&SMSTYPE=") +
                Codifica(tipo) + QStringLiteral("&SMSCOUNT=") + QString::number(cuenta) +
                QStringLiteral("&USERNAME=") + Codifica(usuario) + QStringLiteral("&SMSPROVIDER=") +
                Codifica(QString::fromLatin1(kProveedorSMS));
    if (!estado.isEmpty()) consulta += QStringLiteral("&ESTADO=") + Codifica(estado);
    if (consulta.startsWith(u'&')) consulta.remove(0, 1);
    const QString direccion = servicio.contabilidad + QStringLiteral("/SMS/sms_send.asp");
    QUrl url(direccion);
    url.setQuery(consulta, QUrl::TolerantMode);
    TRespuestaHttp r = TClienteHttp::Para(direccion).Get(url);
    if (!r.ok) throw EZMKError(SharedString(2101) + u'\n' + r.error);
    return r.Texto();
}

// Posts to each base address in turn, twice each; nullopt when no attempt got an answer.
std::optional<QString> PostPasarela(const TServicioSMS& servicio, const TCamposFormulario& campos) {
    for (const QString& base : servicio.pasarelas) {
        const QString direccion = base + QStringLiteral("sendsms.php");
        for (int intento = 0; intento < 2; ++intento) {
            TRespuestaHttp r =
                TClienteHttp::Para(direccion).PostFormulario(QUrl(direccion), campos);
            if (r.ok) return r.Texto();
        }
    }
    return std::nullopt;
}

TCamposFormulario CamposComunes(const TPeticionSMS& p) {
    return {{QStringLiteral("username"), p.usuario},
            {QStringLiteral("password"), p.password},
            {QStringLiteral("remitente"), p.remitente}};
}

bool Correcto(int type) {
    return type == 0 || type == 1;
}

// Credentials, sender or credit: every later message would fail the same way.
bool DetieneEnvio(int type) {
    return type >= 3 && type <= 5;
}

void EnviaEnLote(const TServicioSMS& servicio, const TPeticionSMS& p, TRespostaSendSMS& r) {
    const int n = int(p.destinos.size());
    TCamposFormulario campos = CamposComunes(p);
    campos << std::pair{QStringLiteral("replace_vars"), p.variables.nombres.join(u'|')};
    for (int k = 0; k < p.variables.Count(); ++k)
        campos << std::pair{QStringLiteral("var%1").arg(k + 1), p.variables.valores[k].join(u'|')};
    QStringList telefonos;
    for (const TDestinatari& d : p.destinos) telefonos << d.phone;
    campos << std::pair{QStringLiteral("destino"), telefonos.join(u',')}
           << std::pair{QStringLiteral("mensaje"), p.mensaje};
    std::optional<QString> respuesta = PostPasarela(servicio, campos);
    if (!respuesta) {
        r.failed = n;
        r.error = SharedString(2107);
        return;
    }
    TRespostaSendSMS reply = LeeRespuestaPasarela(*respuesta);
    r.type = reply.type;
    r.text = reply.text;
    r.number = reply.number;
    if (Correcto(reply.type)) {
        r.sent = n;
        r.cost = reply.cost;
        r.balance = reply.balance;
    } else {
        r.failed = n;
        r.error = reply.error;
    }
}

void EnviaUnoAUno(const TServicioSMS& servicio, const TPeticionSMS& p, TRespostaSendSMS& r) {
    const int n = int(p.destinos.size());
    TSplashLevel nivel(QStringLiteral("Enviando mensajes manualmente"), QString(), false, 0, true);
    QStringList errores;
    for (int i = 0; i < n; ++i) {
        const TDestinatari& d = p.destinos[i];
        Splash().SetPosition(QStringLiteral("Mensaje para ") + d.phone + u' ' + d.name, i, n);
        QString mensaje = p.mensaje;
        for (int k = 0; k < p.variables.Count(); ++k)
            mensaje.replace(p.variables.nombres[k], p.variables.valores[k].value(i),
                            Qt::CaseInsensitive);
        TCamposFormulario campos = CamposComunes(p);
        campos << std::pair{QStringLiteral("destino"), d.phone}
               << std::pair{QStringLiteral("mensaje"), mensaje};
        std::optional<QString> respuesta = PostPasarela(servicio, campos);
        TRespostaSendSMS reply;
        if (respuesta) {
            reply = LeeRespuestaPasarela(*respuesta);
        } else {
            reply.type = -1;
            reply.error = SharedString(2107);
        }
        r.type = reply.type;
        r.text = reply.text;
        r.number = reply.number;
        if (respuesta && Correcto(reply.type)) {
            ++r.sent;
            r.cost += reply.cost;
            r.balance = reply.balance;
            continue;
        }
        ++r.failed;
        const QString posicion = QString::number(i + 1) + u'/' + QString::number(n);
        if (!reply.error.isEmpty()) errores << reply.error + QStringLiteral(" - ") + posicion;
        if (respuesta && DetieneEnvio(reply.type) && i + 1 < n) {
            const int resto = n - i - 1;
            r.failed += resto;
            errores << QStringLiteral(
                           "Envío detenido en el mensaje %1: los %2 mensajes restantes "
                           "no se han enviado porque fallarían por el mismo motivo.")
                           .arg(posicion)
                           .arg(resto);
            break;
        }
    }
    r.error = errores.join(u'\n');
}

}  // namespace

TRespostaSendSMS LeeRespuestaPasarela(const QString& respuesta) {
    TRespostaSendSMS r;
    if (!respuesta.contains(u'|')) return r;
    const QStringList partes = respuesta.split(u'|');
    r.type = partes.value(0).trimmed().toInt();
    r.text = partes.value(1);
    r.number = partes.value(2).trimmed().toInt();
    r.cost = Currency::Parse(partes.value(3)).value_or(Currency());
    r.balance = Currency::Parse(partes.value(4)).value_or(Currency());
    switch (r.type) {
        case 0:
        case 1:
            break;
        case 2:
            r.error = QStringLiteral("ERROR: ") + r.text;
            break;
        case 3:
            r.error = SharedStringFmt(2103, {r.text});
            break;
        case 4:
            r.error = SharedStringFmt(2104, {r.text});
            break;
        case 5:
            r.error = SharedStringFmt(2105, {r.text});
            break;
        default:
            r.error = SharedStringFmt(2106, {respuesta});
            break;
    }
    return r;
}

QString ValorElemento(const QString& texto, const QString& nombre) {
    const QString abre = u'<' + nombre + u'>';
    const qsizetype inicio = texto.indexOf(abre);
    if (inicio < 0) return QString();
    const qsizetype fin = texto.indexOf(QStringLiteral("</") + nombre + u'>');
    const qsizetype desde = inicio + abre.size();
    if (fin < desde) return QString();
    return texto.mid(desde, fin - desde);
}

void EnviaSMS(const TServicioSMS& servicio, const TPeticionSMS& p, TRespostaSendSMS& r) {
    r = TRespostaSendSMS();
    const int n = int(p.destinos.size());
    TSplashLevel nivel(QStringLiteral("Enviar ") + QString::number(n) + QStringLiteral(" SMS"),
                       QStringLiteral("Autorizando..."), false, 0, false);
    const QString resultado =
        ValorElemento(Contabiliza(servicio, QStringLiteral("INTENTO"), n, p.usuario),
                      QStringLiteral("SMS_SEND_RESULT"));
    const QString permitido = ValorElemento(resultado, QStringLiteral("ALLOWED")).trimmed();
    if (permitido.compare(QLatin1String("YES"), Qt::CaseInsensitive) != 0 &&
        permitido != QLatin1String("1")) {
        r.failed = n;
        r.error = ValorElemento(resultado, QStringLiteral("MESSAGE_RESULT")) + u'\n' +
                  ValorElemento(resultado, QStringLiteral("MSG_ERROR"));
    } else {
        Splash().SetText(QStringLiteral("Enviando..."), 0);
        if (n > 1 && p.variables.Count() <= 8)
            EnviaEnLote(servicio, p, r);
        else
            EnviaUnoAUno(servicio, p, r);
        Splash().SetText(QStringLiteral("Desconectando..."), 0);
    }
    if (r.sent > 0) Contabiliza(servicio, QStringLiteral("ENVIADO"), r.sent, p.usuario);
    if (r.failed > 0) Contabiliza(servicio, QStringLiteral("ERROR"), r.failed, p.usuario, r.error);
}

}  // namespace zmk
