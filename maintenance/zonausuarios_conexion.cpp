#include "maintenance/zonausuarios_conexion.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QStringDecoder>
#include <QTimer>

#include "core/splash.h"
#include "host/errors.h"

namespace zmk {

void TIniText::Clear() {
    sections_.clear();
    text_.clear();
}

void TIniText::Load(const QString& text) {
    Clear();
    text_ = text;
    QString section;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toUpper();
            sections_[section];
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq <= 0 || section.isEmpty()) continue;
        sections_[section][line.left(eq).trimmed().toUpper()] = line.mid(eq + 1).trimmed();
    }
}

bool TIniText::HasSection(const QString& section) const {
    return sections_.contains(section.toUpper());
}

QString TIniText::Value(const QString& section, const QString& key, const QString& def) const {
    const auto s = sections_.constFind(section.toUpper());
    if (s == sections_.constEnd()) return def;
    return s->value(key.toUpper(), def);
}

void TZonaUsuarios_Conexion::SetProxy(const QString& host, int port) {
    proxy_host_ = host.trimmed();
    proxy_port_ = port;
}

namespace {

QString ErrorDeConexion(const QString& address, const QString& message) {
    const QString sinConsulta =
        address.left(address.indexOf(u'?') < 0 ? address.size() : address.indexOf(u'?'));
    return QStringLiteral(
               "Error al intentar realizar la conexión con el servidor Web\n"
               "Mensaje de Error al acceder a \"") +
           sinConsulta + QStringLiteral("\":\n") + message +
           QStringLiteral(
               "\n\nPosibles causas del error:\n- No está conectado a internet\n- La "
               "configuración de internet no es correcta\n- El antivirus o corta fuegos impide "
               "la conexión\n- El servidor Web no está disponible en este momento\n\n"
               "Asegúrese de tener conexión a internet o vuelva a intentarlo más tarde");
}

QString TextoDe(const QByteArray& body) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(body);
    return utf8.hasError() ? QString::fromLatin1(body) : text;
}

}  // namespace

QString TZonaUsuarios_Conexion::Descarga(const QString& address) {
    TSplashLevel splash(QStringLiteral("Descargando"),
                        QStringLiteral("Descargando datos de internet"));
    QNetworkAccessManager manager;
    if (!proxy_host_.isEmpty())
        manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxy_host_,
                                       quint16(qBound(0, proxy_port_, 65535))));
    else
        manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request{QUrl(address)};
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    request.setSslConfiguration(ssl);
    // The service redirects in its answer; HTTP redirections are not followed blindly.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer clock;
    clock.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&clock, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(
        reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
            if (total > 0)
                Splash().SetPosition(
                    QStringLiteral("Recibidos: %1 bytes de %2").arg(received).arg(total),
                    int(qMin<qint64>(received, total) * 100 / total), 100);
            else
                Splash().SetText(QStringLiteral("Recibidos: %1 bytes").arg(received), 50);
        });
    clock.start(timeout_ms_);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    clock.stop();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString message;
    if (timedOut)
        message = QStringLiteral("Tiempo de espera agotado (%1 ms)").arg(timeout_ms_);
    else if (status >= 300)
        message = QStringLiteral("El servidor respondió %1 %2")
                      .arg(status)
                      .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    else if (reply->error() != QNetworkReply::NoError)
        message = reply->errorString();
    const QByteArray body = message.isEmpty() ? reply->readAll() : QByteArray();
    delete reply;
    if (!message.isEmpty()) throw EZMKError(ErrorDeConexion(address, message));
    return TextoDe(body);
}

TIniText TZonaUsuarios_Conexion::Consulta(const QString& address, const QString& query,
                                          QString& error) {
    TIniText ini;
    error.clear();
    QString target = address;
    bool redirected = false;
    for (int i = 0; i < kMaxRedirecciones; ++i) {
        ini.Clear();
        redirected = false;
        try {
            ini.Load(Descarga(target + (target.contains(u'?') ? QString() : QStringLiteral("?")) +
                              query));
        } catch (const EZMKError& e) {
            error = e.Message();
            break;
        }
        error = ini.Value(QStringLiteral("HEADER"), QStringLiteral("ERROR"));
        const QString redirect = ini.Value(QStringLiteral("HEADER"), QStringLiteral("REDIRECT"));
        if (redirect.isEmpty()) break;
        redirected = true;
        Log(QStringLiteral("Redirigiendo a \"") + redirect + u'"');
        target = redirect;
    }
    if (ini.IsEmpty())
        error +=
            QStringLiteral("\r\nEL SERVICIO NO ESTA ACTIVO EN ESTE MOMENTO\nINTENTELO MAS TARDE");
    else if (redirected)
        error += QStringLiteral("\r\nDemasiados redireccionamientos (%1)").arg(kMaxRedirecciones);
    if (ini.IsEmpty()) {
        Log(QStringLiteral("No puede conectar con el servidor: ") + error);
        throw EZMKError(
            QStringLiteral("No se ha podido conectar con el servidor\n\nMensaje de error:\n") +
            error);
    }
    return ini;
}

}  // namespace zmk
