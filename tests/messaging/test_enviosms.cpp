// The SMS service's protocol against fake accounting and gateway services: what each request
// carries, in which order, where it goes and what the replies make of the send.
#include <gtest/gtest.h>

#include <QSslCertificate>
#include <QSslConfiguration>

#include "host/errors.h"
#include "messaging/enviosms.h"
#include "tests/support/fakesms.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

TPeticionSMS Peticion(int destinos, int variables = 0) {
    TPeticionSMS p;
    p.usuario = QStringLiteral("ana & co");
    p.password = QStringLiteral("s3cr3t");
    p.remitente = QStringLiteral("Academia");
    p.mensaje = QStringLiteral("Hola");
    for (int k = 1; k <= variables; ++k) p.mensaje += QStringLiteral(" {V%1}").arg(k);
    for (int i = 0; i < destinos; ++i)
        p.destinos << TDestinatari{QStringLiteral("60011122%1").arg(i),
                                   QStringLiteral("N%1").arg(i)};
    for (int k = 1; k <= variables; ++k) {
        p.variables.nombres << QStringLiteral("{V%1}").arg(k);
        QStringList valores;
        for (int i = 0; i < destinos; ++i) valores << QStringLiteral("v%1r%2").arg(k).arg(i);
        p.variables.valores << valores;
    }
    return p;
}

TRespostaSendSMS Envia(test::TEntornoSMS& e, const TPeticionSMS& p) {
    TRespostaSendSMS r;
    EnviaSMS(ServicioSMS(), p, r);
    (void)e;
    return r;
}

QStringList Tipos(const test::TContabilidadFalsa& c) {
    QStringList tipos;
    for (const auto& p : c.Peticiones()) tipos << p.Parametro(QStringLiteral("SMSTYPE"));
    return tipos;
}

TEST(ProtocoloSMS, BatchWithVariablesIsOneRequestAfterTheFailingBases) {
    test::TEntornoSMS e;  // TLS base, refused base, then the fake gateway
    e.pasarela.respuestas = {QStringLiteral("1|OK|3|0.1500|42.5000")};
    const TRespostaSendSMS r = Envia(e, Peticion(3, 2));
    EXPECT_EQ(r.sent, 3);
    EXPECT_EQ(r.failed, 0);
    EXPECT_EQ(r.cost, Currency::Parse(QStringLiteral("0.15")).value());
    EXPECT_EQ(r.balance, Currency::Parse(QStringLiteral("42.5")).value());
    // The HTTPS base was tried twice over TLS (never in plain text), then the refused one twice.
    EXPECT_EQ(e.pasarela.RechazosNoHttp(), 2);
    ASSERT_EQ(e.pasarela.Peticiones().size(), 1);
    const test::TPeticionRecibida& g = e.pasarela.Peticiones().first();
    EXPECT_EQ(g.metodo, "POST");
    EXPECT_EQ(g.ruta, "/APIv2/sendsms.php");
    EXPECT_EQ(g.NombresCampos(), (QStringList{"username", "password", "remitente", "replace_vars",
                                              "var1", "var2", "destino", "mensaje"}));
    EXPECT_EQ(g.Campo("username"), QStringLiteral("ana & co"));
    EXPECT_EQ(g.Campo("password"), QStringLiteral("s3cr3t"));
    EXPECT_EQ(g.Campo("remitente"), QStringLiteral("Academia"));
    EXPECT_EQ(g.Campo("replace_vars"), QStringLiteral("{V1}|{V2}"));
    EXPECT_EQ(g.Campo("var1"), QStringLiteral("v1r0|v1r1|v1r2"));
    EXPECT_EQ(g.Campo("var2"), QStringLiteral("v2r0|v2r1|v2r2"));
    EXPECT_EQ(g.Campo("destino"), QStringLiteral("600111220,600111221,600111222"));
    EXPECT_EQ(g.Campo("mensaje"), QStringLiteral("Hola {V1} {V2}"));
    // Authorisation first, then the report of what was sent.
    EXPECT_EQ(Tipos(e.contabilidad), (QStringList{"INTENTO", "ENVIADO"}));
    const test::TPeticionRecibida& a = e.contabilidad.Peticiones().first();
    EXPECT_EQ(a.metodo, "GET");
    EXPECT_EQ(a.ruta, "/SMS/sms_send.asp");
    EXPECT_EQ(a.consulta,
              "APP=ESCOLIA&LIC=12%2034&SMSVALOR=3_INTENTO&SMSTYPE=INTENTO&SMSCOUNT=3"
              "&USERNAME=ana%20%26%20co&SMSPROVIDER=Trevana");
    EXPECT_EQ(e.contabilidad.Peticiones()[1].Parametro("SMSVALOR"), QStringLiteral("3_ENVIADO"));
    EXPECT_FALSE(e.contabilidad.Peticiones()[1].consulta.contains("ESTADO"));
}

TEST(ProtocoloSMS, OneRecipientIsSentAloneWithItsValuesEvenWithoutVariables) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    TPeticionSMS p = Peticion(1, 1);
    p.mensaje = QStringLiteral("{v1} y {V1}");
    const TRespostaSendSMS r = Envia(e, p);
    EXPECT_EQ(r.sent, 1);
    ASSERT_EQ(e.pasarela.Peticiones().size(), 1);
    const test::TPeticionRecibida& g = e.pasarela.Peticiones().first();
    EXPECT_EQ(g.NombresCampos(),
              (QStringList{"username", "password", "remitente", "destino", "mensaje"}));
    EXPECT_EQ(g.Campo("mensaje"), QStringLiteral("v1r0 y v1r0"));
    EXPECT_EQ(g.Campo("destino"), QStringLiteral("600111220"));
}

TEST(ProtocoloSMS, NineVariablesSendOneByOneAddingCostsAndKeepingTheLastBalance) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.pasarela.respuestas = {QStringLiteral("0|OK|1|0.05|9.95"), QStringLiteral("0|OK|1|0.05|9.90"),
                             QStringLiteral("0|OK|1|0.05|9.85")};
    const TRespostaSendSMS r = Envia(e, Peticion(3, 9));
    ASSERT_EQ(e.pasarela.Peticiones().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.pasarela.Peticiones()[i].Campo("destino"), QStringLiteral("60011122%1").arg(i));
        EXPECT_TRUE(e.pasarela.Peticiones()[i].Campo("mensaje").startsWith(
            QStringLiteral("Hola v1r%1 v2r%1").arg(i)));
        EXPECT_FALSE(e.pasarela.Peticiones()[i].Campo("mensaje").contains(u'{'));
    }
    EXPECT_EQ(r.sent, 3);
    EXPECT_EQ(r.cost, Currency::Parse(QStringLiteral("0.15")).value());
    EXPECT_EQ(r.balance, Currency::Parse(QStringLiteral("9.85")).value());
    EXPECT_EQ(e.contabilidad.DeTipo("ENVIADO").first().Parametro("SMSCOUNT"), QStringLiteral("3"));
}

TEST(ProtocoloSMS, AcceptedAllowedValuesIgnoreCase) {
    for (const char* valor : {"yes", "Yes", "1"}) {
        test::TEntornoSMS e({QStringLiteral("ok")});
        e.contabilidad.permitido = QString::fromUtf8(valor);
        EXPECT_EQ(Envia(e, Peticion(2)).sent, 2) << valor;
    }
}

TEST(ProtocoloSMS, NotAllowedSendsNothingAndReportsTheError) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.contabilidad.permitido = QStringLiteral("NO");
    const TRespostaSendSMS r = Envia(e, Peticion(2));
    EXPECT_EQ(r.sent, 0);
    EXPECT_EQ(r.failed, 2);
    EXPECT_EQ(r.error, QStringLiteral("ENVIO NO AUTORIZADO\nCuenta sin saldo"));
    EXPECT_TRUE(e.pasarela.Peticiones().isEmpty());
    ASSERT_EQ(Tipos(e.contabilidad), (QStringList{"INTENTO", "ERROR"}));
    const test::TPeticionRecibida& informe = e.contabilidad.Peticiones()[1];
    EXPECT_EQ(informe.Parametro("SMSCOUNT"), QStringLiteral("2"));
    EXPECT_EQ(informe.Parametro("ESTADO"), r.error);
    EXPECT_EQ(informe.Parametro("SMSVALOR"), QStringLiteral("2_ERROR_") + r.error);
    EXPECT_TRUE(
        informe.consulta.endsWith("&ESTADO=ENVIO%20NO%20AUTORIZADO%0ACuenta%20sin%20saldo"));
}

TEST(ProtocoloSMS, EveryReplyTypeGivesItsErrorText) {
    const std::pair<const char*, const char*> casos[] = {
        {"2|Destino erróneo|0|0|0", "ERROR: Destino erróneo"},
        {"3|login|0|0|0", "USUARIO/PASSWORD INCORRECTO: login"},
        {"4|remitente largo|0|0|0", "ERROR EN EL REMITENTE: remitente largo"},
        {"5|sin saldo|0|0|0", "CREDITO INSUFICIENTE: sin saldo"},
        {"7|raro|0|0|0|extra|mas", "ERROR INDEFINIDO: 7|raro|0|0|0|extra|mas"},
        {"-1|negativo", "ERROR INDEFINIDO: -1|negativo"},
    };
    for (const auto& [respuesta, error] : casos) {
        test::TEntornoSMS e({QStringLiteral("ok")});
        e.pasarela.respuestas = {QString::fromUtf8(respuesta)};
        const TRespostaSendSMS r = Envia(e, Peticion(2));
        EXPECT_EQ(r.sent, 0) << respuesta;
        EXPECT_EQ(r.failed, 2) << respuesta;
        EXPECT_EQ(r.error, QString::fromUtf8(error));
        EXPECT_EQ(e.contabilidad.DeTipo("ERROR").first().Parametro("ESTADO"),
                  QString::fromUtf8(error));
    }
    // Without "|" a reply counts as type 0; a type that is not a number as well.
    for (const char* correcta : {"OK", "x|y|1|0.1|2"}) {
        const TRespostaSendSMS r = LeeRespuestaPasarela(QString::fromUtf8(correcta));
        EXPECT_EQ(r.type, 0);
        EXPECT_TRUE(r.error.isEmpty());
    }
    const TRespostaSendSMS r = LeeRespuestaPasarela(QStringLiteral("1|txt|12|0,25|3.5|6|7"));
    EXPECT_EQ(r.number, 12);
    EXPECT_EQ(r.cost, Currency::Parse(QStringLiteral("0.25")).value());
    EXPECT_EQ(r.balance, Currency::Parse(QStringLiteral("3.5")).value());
}

TEST(ProtocoloSMS, OneByOneStopsAfterCredentialsSenderOrCreditErrors) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.pasarela.respuestas = {QStringLiteral("0|OK|1|0.05|9"), QStringLiteral("5|sin saldo")};
    const TRespostaSendSMS r = Envia(e, Peticion(4, 9));
    EXPECT_EQ(e.pasarela.Peticiones().size(), 2);
    EXPECT_EQ(r.sent, 1);
    EXPECT_EQ(r.failed, 3);
    const QStringList lineas = r.error.split(u'\n');
    ASSERT_EQ(lineas.size(), 2);
    EXPECT_EQ(lineas[0], QStringLiteral("CREDITO INSUFICIENTE: sin saldo - 2/4"));
    EXPECT_TRUE(lineas[1].contains(QStringLiteral("los 2 mensajes restantes no se han enviado")));
    EXPECT_EQ(Tipos(e.contabilidad), (QStringList{"INTENTO", "ENVIADO", "ERROR"}));
    EXPECT_EQ(e.contabilidad.DeTipo("ERROR").first().Parametro("SMSCOUNT"), QStringLiteral("3"));
}

TEST(ProtocoloSMS, OneByOneGoesOnAfterOtherErrorsNumberingThem) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.pasarela.respuestas = {QStringLiteral("2|mal número"), QStringLiteral("0|OK|1|0.05|9")};
    const TRespostaSendSMS r = Envia(e, Peticion(3, 9));
    EXPECT_EQ(e.pasarela.Peticiones().size(), 3);
    EXPECT_EQ(r.sent, 2);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.error, QStringLiteral("ERROR: mal número - 1/3"));
}

TEST(ProtocoloSMS, EachBaseIsTriedTwiceAndAServerErrorIsAFailedAttempt) {
    test::TEntornoSMS e({QStringLiteral("ok"), QStringLiteral("cerrado")});
    e.pasarela.errores = 1;
    EXPECT_EQ(Envia(e, Peticion(2)).sent, 2);
    EXPECT_EQ(e.pasarela.Peticiones().size(), 2);
}

TEST(ProtocoloSMS, AnUntrustedCertificateIsAFailedAttemptAndATrustedOneIsUsed) {
    test::TEntornoSMS e({QStringLiteral("certificado"), QStringLiteral("ok")});
    EXPECT_EQ(Envia(e, Peticion(2)).sent, 2);
    EXPECT_TRUE(e.segura.Peticiones().isEmpty());
    EXPECT_GE(e.segura.ErroresTls(), 1);
    EXPECT_EQ(e.pasarela.Peticiones().size(), 1);
    // Trusted (as a real gateway's is), the same base delivers over TLS.
    const QSslConfiguration previa = QSslConfiguration::defaultConfiguration();
    QSslConfiguration confiada = previa;
    confiada.addCaCertificate(test::CertificadoPruebas());
    QSslConfiguration::setDefaultConfiguration(confiada);
    test::TEntornoSMS t({QStringLiteral("certificado")});
    const TRespostaSendSMS r = Envia(t, Peticion(2));
    QSslConfiguration::setDefaultConfiguration(previa);
    EXPECT_EQ(r.sent, 2);
    ASSERT_EQ(t.segura.Peticiones().size(), 1);
    EXPECT_EQ(t.segura.Peticiones().first().Campo("destino"),
              QStringLiteral("600111220,600111221"));
}

TEST(ProtocoloSMS, NoBaseAnsweringInTimeFailsEveryMessage) {
    test::TEntornoSMS e(
        {QStringLiteral("cerrado"), QStringLiteral("lenta"), QStringLiteral("tls")});
    const TRespostaSendSMS r = Envia(e, Peticion(2));
    EXPECT_EQ(e.lenta.Peticiones().size(), 2);
    EXPECT_EQ(e.pasarela.RechazosNoHttp(), 2);
    EXPECT_EQ(r.sent, 0);
    EXPECT_EQ(r.failed, 2);
    EXPECT_EQ(r.error, QStringLiteral("No se pudo conectar al servidor"));
    EXPECT_EQ(e.contabilidad.DeTipo("ERROR").first().Parametro("ESTADO"), r.error);
}

TEST(ProtocoloSMS, AnUnreachableAccountingEndpointEndsTheSendWithTheInternetText) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.EscribeIni(QStringLiteral("http://127.0.0.1:%1").arg(test::PuertoCerrado()),
                 e.Bases({QStringLiteral("ok")}));
    TRespostaSendSMS r;
    try {
        EnviaSMS(ServicioSMS(), Peticion(2), r);
        FAIL();
    } catch (const EZMKError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral(
            "ERROR AL CONECTAR A INTERNET\nCompruebe que dispone de conexión a internet\n")));
        EXPECT_GT(error.Message().split(u'\n').size(), 4);
    }
    EXPECT_TRUE(e.pasarela.Peticiones().isEmpty());
    // A slow answer is no answer either.
    test::TEntornoSMS lento({QStringLiteral("ok")});
    lento.contabilidad.retrasoMs = 5000;
    EXPECT_THROW(EnviaSMS(ServicioSMS(), Peticion(2), r), EZMKError);
    EXPECT_TRUE(lento.pasarela.Peticiones().isEmpty());
}

TEST(ServicioSMS, AddressesComeFromTheIniFileAndAreRequired) {
    test::TEntornoSMS e({QStringLiteral("ok"), QStringLiteral("tls")});
    TServicioSMS s = ServicioSMS();
    EXPECT_TRUE(s.Configurado());
    EXPECT_EQ(s.pasarelas.size(), 2);
    EXPECT_EQ(s.paginaCuenta, QStringLiteral("https://sms.example.com/cuenta"));
    e.EscribeIni(QString(), e.Bases({QStringLiteral("ok")}));
    try {
        ExigirServicioConfigurado(ServicioSMS());
        FAIL();
    } catch (const EZMKError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("no está configurado")));
        EXPECT_TRUE(error.Message().contains(e.ini));
    }
    e.EscribeIni(e.contabilidad.Direccion(), {});
    EXPECT_FALSE(ServicioSMS().Configurado());
}

}  // namespace
}  // namespace zmk
