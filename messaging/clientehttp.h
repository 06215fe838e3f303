#pragma once
// The SMS service's two HTTP clients, one over TLS and one plain, created on first use and kept
// until the program ends. Calls block behind the progress window: a local event loop runs until
// the answer arrives or the time-out passes. Certificates are always verified; a TLS error is a
// failed request like any other.
#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <utility>

class QNetworkReply;

namespace zmk {

struct TRespuestaHttp {
    bool ok = false;
    QByteArray cuerpo;
    QString error;          // why it failed
    QString Texto() const;  // the body as text (UTF-8, else Latin-1)
};

// Form fields in the order they are sent.
using TCamposFormulario = QList<std::pair<QString, QString>>;

class TClienteHttp {
  public:
    static TClienteHttp& Tls();
    static TClienteHttp& Plano();
    // The TLS client for an address beginning with "https" (without regard to case), else plain.
    static TClienteHttp& Para(const QString& url);

    TRespuestaHttp Get(const QUrl& url);
    // A multipart form POST.
    TRespuestaHttp PostFormulario(const QUrl& url, const TCamposFormulario& campos);

    // Milliseconds a request may take (10000); tests shorten it.
    static void SetTiempoEspera(int ms);
    static int TiempoEspera();

  private:
    explicit TClienteHttp(bool tls) : tls_(tls) {}
    QNetworkAccessManager& Manager();
    TRespuestaHttp Espera(QNetworkReply* reply);

    bool tls_;
    QPointer<QNetworkAccessManager> manager_;
};

}  // namespace zmk
