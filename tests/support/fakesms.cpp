#include "tests/support/fakesms.h"

#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include "messaging/clientehttp.h"
#include "messaging/serviciosms.h"
#include "tests/support/testdb.h"

namespace zmk::test {

namespace {

// Short enough for fast tests, long enough for a loaded machine.
constexpr int kEsperaPruebas = 1500;

QList<std::pair<QString, QString>> PartesMultipart(const QByteArray& tipo,
                                                   const QByteArray& cuerpo) {
    QList<std::pair<QString, QString>> campos;
    const qsizetype b = tipo.indexOf("boundary=");
    if (b < 0) return campos;
    QByteArray frontera = tipo.mid(b + 9).trimmed();
    if (frontera.startsWith('"')) frontera = frontera.mid(1, frontera.size() - 2);
    const QByteArray separador = "--" + frontera;
    qsizetype pos = cuerpo.indexOf(separador);
    while (pos >= 0) {
        pos += separador.size();
        if (cuerpo.mid(pos, 2) == "--") break;
        const qsizetype siguiente = cuerpo.indexOf(separador, pos);
        if (siguiente < 0) break;
        QByteArray parte = cuerpo.mid(pos + 2, siguiente - pos - 4);  // without CRLFs
        const qsizetype fin = parte.indexOf("\r\n\r\n");
        const QByteArray cabeceras = parte.left(fin);
        const qsizetype n = cabeceras.indexOf("name=\"");
        const qsizetype cierre = cabeceras.indexOf('"', n + 6);
        campos << std::pair{QString::fromUtf8(cabeceras.mid(n + 6, cierre - n - 6)),
                            QString::fromUtf8(parte.mid(fin + 4))};
        pos = siguiente;
    }
    return campos;
}

QString Valor(const QList<std::pair<QString, QString>>& pares, const QString& nombre) {
    for (const auto& [n, v] : pares)
        if (n == nombre) return v;
    return QString();
}

}  // namespace

QList<std::pair<QString, QString>> DecodificaConsulta(const QByteArray& consulta) {
    QList<std::pair<QString, QString>> pares;
    for (const QByteArray& item : consulta.split('&')) {
        if (item.isEmpty()) continue;
        const qsizetype eq = item.indexOf('=');
        const QByteArray nombre = eq < 0 ? item : item.left(eq);
        const QByteArray valor = eq < 0 ? QByteArray() : item.mid(eq + 1);
        pares << std::pair{QString::fromUtf8(QByteArray::fromPercentEncoding(nombre)),
                           QString::fromUtf8(QByteArray::fromPercentEncoding(valor))};
    }
    return pares;
}

QString TPeticionRecibida::Parametro(const QString& nombre) const {
    return Valor(parametros, nombre);
}

QString TPeticionRecibida::Campo(const QString& nombre) const {
    return Valor(campos, nombre);
}

QStringList TPeticionRecibida::NombresCampos() const {
    QStringList nombres;
    for (const auto& c : campos) nombres << c.first;
    return nombres;
}

QSslCertificate CertificadoPruebas() {
    QFile pem(QStringLiteral(ESCOLIA_SOURCE_DIR "/tests/support/fakesms_cert.pem"));
    pem.open(QIODevice::ReadOnly);
    return QSslCertificate(pem.readAll());
}

TServidorFalso::TServidorFalso(bool tls) {
    if (tls) {
        auto* seguro = new QSslServer;
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        QFile clave(QStringLiteral(ESCOLIA_SOURCE_DIR "/tests/support/fakesms_key.pem"));
        clave.open(QIODevice::ReadOnly);
        ssl.setLocalCertificate(CertificadoPruebas());
        ssl.setPrivateKey(QSslKey(clave.readAll(), QSsl::Rsa));
        ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
        seguro->setSslConfiguration(ssl);
        connect(seguro, &QSslServer::errorOccurred, this, [this] { ++erroresTls_; });
        server_.reset(seguro);
    } else {
        server_ = std::make_unique<QTcpServer>();
    }
    server_->listen(QHostAddress::LocalHost, 0);
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Lee(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString TServidorFalso::Direccion(const QString& esquema) const {
    return esquema + QStringLiteral("://127.0.0.1:") + QString::number(Puerto());
}

void TServidorFalso::Lee(QTcpSocket* socket) {
    QByteArray datos = socket->property("datos").toByteArray() + socket->readAll();
    socket->setProperty("datos", datos);
    if (datos.isEmpty()) return;
    if (!(datos[0] >= 'A' && datos[0] <= 'Z')) {
        ++rechazos_;
        socket->abort();
        return;
    }
    const qsizetype fin = datos.indexOf("\r\n\r\n");
    if (fin < 0) return;
    const QList<QByteArray> lineas = datos.left(fin).split('\n');
    qsizetype largo = 0;
    QByteArray tipo;
    for (const QByteArray& l : lineas.mid(1)) {
        const qsizetype dp = l.indexOf(':');
        const QByteArray nombre = l.left(dp).trimmed().toLower();
        if (nombre == "content-length") largo = l.mid(dp + 1).trimmed().toLongLong();
        if (nombre == "content-type") tipo = l.mid(dp + 1).trimmed();
    }
    if (datos.size() < fin + 4 + largo) return;
    socket->setProperty("datos", QByteArray());
    TPeticionRecibida p;
    const QList<QByteArray> peticion = lineas.first().trimmed().split(' ');
    p.metodo = peticion.value(0);
    const QByteArray destino = peticion.value(1);
    const qsizetype q = destino.indexOf('?');
    p.ruta = q < 0 ? destino : destino.left(q);
    p.consulta = q < 0 ? QByteArray() : destino.mid(q + 1);
    p.parametros = DecodificaConsulta(p.consulta);
    if (tipo.startsWith("multipart/form-data"))
        p.campos = PartesMultipart(tipo, datos.mid(fin + 4, largo));
    peticiones_ << p;
    const TRespuestaFalsa r = responde ? responde(p) : TRespuestaFalsa{};
    QPointer<QTcpSocket> destinoSocket(socket);
    auto envia = [destinoSocket, r] {
        if (!destinoSocket || destinoSocket->state() != QAbstractSocket::ConnectedState) return;
        if (r.corta) {
            destinoSocket->abort();
            return;
        }
        const QByteArray cabecera =
            "HTTP/1.1 " + QByteArray::number(r.estado) + (r.estado == 200 ? " OK" : " Error") +
            "\r\nContent-Type: text/plain; charset=utf-8\r\n"
            "Content-Length: " +
            QByteArray::number(r.cuerpo.size()) + "\r\nConnection: close\r\n\r\n";
        destinoSocket->write(cabecera + r.cuerpo);
        destinoSocket->disconnectFromHost();
    };
    if (r.retrasoMs > 0)
        QTimer::singleShot(r.retrasoMs, this, envia);
    else
        envia();
}

TContabilidadFalsa::TContabilidadFalsa() {
    responde = [this](const TPeticionRecibida& p) {
        TRespuestaFalsa r;
        r.retrasoMs = retrasoMs;
        if (p.Parametro(QStringLiteral("SMSTYPE")) == QLatin1String("INTENTO"))
            r.cuerpo = ("<?xml version=\"1.0\"?><SMS_SEND_RESULT><MESSAGE_RESULT>" + mensaje +
                        "</MESSAGE_RESULT><MSG_ERROR>" + error + "</MSG_ERROR><ALLOWED>" +
                        permitido + "</ALLOWED></SMS_SEND_RESULT>")
                           .toUtf8();
        else
            r.cuerpo = "<SMS_SEND_RESULT><MESSAGE_RESULT>OK</MESSAGE_RESULT></SMS_SEND_RESULT>";
        return r;
    };
}

QList<TPeticionRecibida> TContabilidadFalsa::DeTipo(const QString& tipo) const {
    QList<TPeticionRecibida> lista;
    for (const TPeticionRecibida& p : Peticiones())
        if (p.Parametro(QStringLiteral("SMSTYPE")) == tipo) lista << p;
    return lista;
}

TPasarelaFalsa::TPasarelaFalsa(bool tls) : TServidorFalso(tls) {
    responde = [this](const TPeticionRecibida&) {
        TRespuestaFalsa r;
        const int k = int(Peticiones().size()) - 1;
        r.cuerpo = respuestas.value(std::min<int>(k, int(respuestas.size()) - 1)).toUtf8();
        r.retrasoMs = k < lentas ? kEsperaPruebas * 2 : retrasoMs;
        if (k < errores) r.estado = 500;
        return r;
    };
}

quint16 PuertoCerrado() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 puerto = server.serverPort();
    server.close();
    return puerto;
}

TEntornoSMS::TEntornoSMS(const QStringList& bases)
    : previo_(ArchivoIniSMS()), esperaPrevia_(TClienteHttp::TiempoEspera()) {
    lenta.lentas = 1 << 20;
    ini = dir_.filePath(QStringLiteral("ZMKEscoliaV16EXT.INI"));
    EscribeIni(contabilidad.Direccion(), Bases(bases));
    SetArchivoIniSMS(ini);
    TClienteHttp::SetTiempoEspera(kEsperaPruebas);
}

TEntornoSMS::~TEntornoSMS() {
    SetArchivoIniSMS(previo_);
    TClienteHttp::SetTiempoEspera(esperaPrevia_);
}

QStringList TEntornoSMS::Bases(const QStringList& tipos) const {
    QStringList bases;
    for (const QString& t : tipos) {
        if (t == QLatin1String("ok"))
            bases << pasarela.Direccion() + QStringLiteral("/APIv2/");
        else if (t == QLatin1String("tls"))
            bases << pasarela.Direccion(QStringLiteral("https")) + QStringLiteral("/APIv2/");
        else if (t == QLatin1String("certificado"))
            bases << segura.Direccion(QStringLiteral("https")) + QStringLiteral("/APIv2/");
        else if (t == QLatin1String("lenta"))
            bases << lenta.Direccion() + QStringLiteral("/APIv2/");
        else
            bases << QStringLiteral("http://127.0.0.1:%1/APIv2/").arg(PuertoCerrado());
    }
    return bases;
}

void TEntornoSMS::EscribeIni(const QString& direccion, const QStringList& pasarelas,
                             const QString& parametros) {
    QFile::remove(ini);
    QSettings s(ini, QSettings::IniFormat);
    s.beginGroup(QStringLiteral("SMS"));
    s.setValue(QStringLiteral("Contabilidad"), direccion);
    for (int k = 0; k < pasarelas.size(); ++k)
        s.setValue(QStringLiteral("Pasarela%1").arg(k + 1), pasarelas[k]);
    s.setValue(QStringLiteral("PaginaCuenta"), QStringLiteral("https://sms.example.com/cuenta"));
    s.setValue(QStringLiteral("ParametrosConsulta"), parametros);
    s.endGroup();
    s.sync();
}

CliResult RunCliConServicios(const QStringList& args, const QByteArray& input) {
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    p.start(QStringLiteral(ESCOLIA_CLI), args);
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    if (p.state() != QProcess::NotRunning) loop.exec();
    return CliResult{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                     QString::fromUtf8(p.readAllStandardOutput()),
                     QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace zmk::test
