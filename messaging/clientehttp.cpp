#include "messaging/clientehttp.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QStringDecoder>
#include <QTimer>

namespace zmk {

namespace {

int& MilisegundosEspera() {
    static int ms = 10000;
    return ms;
}

QNetworkRequest Peticion(const QUrl& url, bool tls) {
    QNetworkRequest request(url);
    if (tls) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
        request.setSslConfiguration(ssl);
    }
    return request;
}

}  // namespace

QString TRespuestaHttp::Texto() const {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8(cuerpo);
    return utf8.hasError() ? QString::fromLatin1(cuerpo) : texto;
}

TClienteHttp& TClienteHttp::Tls() {
    static TClienteHttp cliente(true);
    return cliente;
}

TClienteHttp& TClienteHttp::Plano() {
    static TClienteHttp cliente(false);
    return cliente;
}

TClienteHttp& TClienteHttp::Para(const QString& url) {
    return url.startsWith(QLatin1String("https"), Qt::CaseInsensitive) ? Tls() : Plano();
}

void TClienteHttp::SetTiempoEspera(int ms) {
    MilisegundosEspera() = ms;
}

int TClienteHttp::TiempoEspera() {
    return MilisegundosEspera();
}

QNetworkAccessManager& TClienteHttp::Manager() {
    // Owned by the application object, so it goes when the program ends.
    if (manager_.isNull()) manager_ = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager_;
}

TRespuestaHttp TClienteHttp::Espera(QNetworkReply* reply) {
    QEventLoop loop;
    QTimer reloj;
    reloj.setSingleShot(true);
    bool agotado = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&reloj, &QTimer::timeout, &loop, [&] {
        agotado = true;
        reply->abort();
    });
    reloj.start(MilisegundosEspera());
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    reloj.stop();
    TRespuestaHttp r;
    if (agotado) {
        r.error = QStringLiteral("Tiempo de espera agotado (%1 ms)").arg(MilisegundosEspera());
    } else if (reply->error() != QNetworkReply::NoError) {
        r.error = reply->errorString();
    } else {
        r.ok = true;
        r.cuerpo = reply->readAll();
    }
    reply->deleteLater();
    return r;
}

TRespuestaHttp TClienteHttp::Get(const QUrl& url) {
    return Espera(Manager().get(Peticion(url, tls_)));
}

TRespuestaHttp TClienteHttp::PostFormulario(const QUrl& url, const TCamposFormulario& campos) {
    auto* multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (const auto& [nombre, valor] : campos) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"%1\"").arg(nombre));
        part.setBody(valor.toUtf8());
        multipart->append(part);
    }
    QNetworkReply* reply = Manager().post(Peticion(url, tls_), multipart);
    multipart->setParent(reply);
    return Espera(reply);
}

}  // namespace zmk
