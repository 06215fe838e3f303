#pragma once
// Fake SMS services on 127.0.0.1 for the tests: an accounting endpoint and a gateway that record
// every request and answer as the test scripts them, and the INI file that points the program
// at them.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <utility>

namespace zmk::test {

struct TPeticionRecibida {
    QByteArray metodo;
    QByteArray ruta;                                // without the query
    QByteArray consulta;                            // the raw query, as sent
    QList<std::pair<QString, QString>> parametros;  // the query, decoded, in order
    QList<std::pair<QString, QString>> campos;      // the multipart form, decoded, in order
    QString Parametro(const QString& nombre) const;
    QString Campo(const QString& nombre) const;
    QStringList NombresCampos() const;
};

struct TRespuestaFalsa {
    QByteArray cuerpo;
    int retrasoMs = 0;  // answer this late (past the client's time-out: no answer)
    int estado = 200;
    bool corta = false;  // close the connection without answering
};

// An HTTP/1.1 server answering one request per connection; over TLS with the test's own
// self-signed certificate (tests/support/fakesms_cert.pem, for 127.0.0.1) when tls.
class TServidorFalso : public QObject {
  public:
    explicit TServidorFalso(bool tls = false);
    quint16 Puerto() const { return server_->serverPort(); }
    // "http://127.0.0.1:port" (or with another scheme).
    QString Direccion(const QString& esquema = QStringLiteral("http")) const;
    const QList<TPeticionRecibida>& Peticiones() const { return peticiones_; }
    // Connections that did not speak plain HTTP (a TLS handshake), closed at once.
    int RechazosNoHttp() const { return rechazos_; }
    // TLS handshakes that failed (the client refused the certificate).
    int ErroresTls() const { return erroresTls_; }
    std::function<TRespuestaFalsa(const TPeticionRecibida&)> responde;

  private:
    void Lee(class QTcpSocket* socket);
    std::unique_ptr<QTcpServer> server_;
    QList<TPeticionRecibida> peticiones_;
    int rechazos_ = 0;
    int erroresTls_ = 0;
};

// The accounting endpoint: "INTENTO" is answered with ALLOWED = permitido, the reports with an
// acknowledgement.
class TContabilidadFalsa : public TServidorFalso {
  public:
    TContabilidadFalsa();
    QString permitido = QStringLiteral("YES");
    QString mensaje = QStringLiteral("ENVIO NO AUTORIZADO");
    QString error = QStringLiteral("Cuenta sin saldo");
    int retrasoMs = 0;
    // The requests of one type ("INTENTO", "ENVIADO", "ERROR").
    QList<TPeticionRecibida> DeTipo(const QString& tipo) const;
};

// The gateway: answers with the scripted replies in turn (the last one repeats).
class TPasarelaFalsa : public TServidorFalso {
  public:
    explicit TPasarelaFalsa(bool tls = false);
    QStringList respuestas{QStringLiteral("0|OK|1|0.05|99.95")};
    int retrasoMs = 0;
    // Replies that come too late for this many requests first.
    int lentas = 0;
    // Server errors (HTTP 500) for this many requests first.
    int errores = 0;
};

// The certificate of the TLS fakes, to trust it for one test.
QSslCertificate CertificadoPruebas();

// A port on 127.0.0.1 where nothing listens.
quint16 PuertoCerrado();

// The fakes, an INI file naming them, and a short client time-out, for one test.
class TEntornoSMS {
  public:
    // The gateway's six bases: "ok" (the fake gateway over plain HTTP), "tls" (the fake gateway
    // over HTTPS: its handshake fails), "cerrado" (connection refused), "lenta" (a gateway that
    // answers past the time-out), "certificado" (a gateway over TLS with a certificate the system
    // does not trust). Default: two refused, then the fake.
    explicit TEntornoSMS(const QStringList& bases = {QStringLiteral("tls"),
                                                     QStringLiteral("cerrado"),
                                                     QStringLiteral("ok")});
    ~TEntornoSMS();
    TContabilidadFalsa contabilidad;
    TPasarelaFalsa pasarela;
    TPasarelaFalsa lenta;
    TPasarelaFalsa segura{true};
    QString ini;  // the INI file's path
    QString Dir() const { return dir_.path(); }
    // Writes the [SMS] section again (empty addresses: not configured).
    void EscribeIni(const QString& contabilidad, const QStringList& pasarelas,
                    const QString& parametros = QStringLiteral("APP=ESCOLIA&LIC=12%2034"));
    QStringList Bases(const QStringList& tipos) const;

  private:
    QTemporaryDir dir_;
    QString previo_;
    int esperaPrevia_ = 0;
};

// Runs escolia-cli while the fakes keep answering (the test's event loop runs meanwhile).
struct CliResult;
CliResult RunCliConServicios(const QStringList& args, const QByteArray& input = QByteArray());

// Splits an application/x-www-form-urlencoded text (a query) into decoded pairs.
QList<std::pair<QString, QString>> DecodificaConsulta(const QByteArray& consulta);

}  // namespace zmk::test
