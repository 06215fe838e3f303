// escolia-cli's sms commands against the fake services: the wizard's checks, questions and log.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/messaging/datos_sms.h"
#include "tests/support/fakesms.h"

namespace zmk {
namespace {

class SmsCli : public ::testing::Test {
  protected:
    QStringList Alumnos(const QString& filas, const QString& claves) {
        return {QStringLiteral("--table"),       QStringLiteral("T01Alumnos"),
                QStringLiteral("--id-field"),    QStringLiteral("IDAlumnoT01"),
                QStringLiteral("--name-field"),  QStringLiteral("NombreCompletoT01"),
                QStringLiteral("--phone-field"), QStringLiteral("Telf1T01,TelfPadreT01"),
                QStringLiteral("--fields"),      QStringLiteral("CodigoT01, EMailT01"),
                QStringLiteral("--rows"),        filas,
                QStringLiteral("--keys"),        claves};
    }
    QStringList Envio(const QStringList& destinatarios, const QString& mensaje) {
        return QStringList{QStringLiteral("--db"),     a.t.path(),
                           QStringLiteral("--answer"), QStringLiteral("yes"),
                           QStringLiteral("sms"),      QStringLiteral("send")} +
               destinatarios + QStringList{QStringLiteral("--message"),  mensaje,
                                           QStringLiteral("--sender"),   QStringLiteral("ACADEMIA"),
                                           QStringLiteral("--user"),     QStringLiteral("academia"),
                                           QStringLiteral("--password"), QStringLiteral("Clave-9x"),
                                           QStringLiteral("--ini"),      e.ini};
    }
    test::AlumnosSMS a;
    test::TEntornoSMS e{{QStringLiteral("ok")}};
};

TEST_F(SmsCli, SendsToTheSelectedStudentsAndParentsLoggingOnStdout) {
    e.pasarela.respuestas = {QStringLiteral("0|OK|3|0.15|20")};
    test::CliResult r =
        test::RunCliConServicios(QStringList{QStringLiteral("--verbose")} +
                                 Envio(Alumnos(QStringLiteral("selected"), QStringLiteral("3,1")),
                                       QStringLiteral("Código {CodigoT01}")));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(e.pasarela.Peticiones().size(), 1);
    const test::TPeticionRecibida& g = e.pasarela.Peticiones().first();
    // Carla's own phone is written with "+": not sent; her father's is.
    EXPECT_EQ(g.Campo("destino"), QStringLiteral("600 111 222,699000111"));
    EXPECT_EQ(g.Campo("var1"), QStringLiteral("7|9"));
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("AVISO no se envía (número no válido): ERROR ->Carla")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("QUESTION")));
    EXPECT_TRUE(r.out.contains(QStringLiteral(" Enviando 2 SMS\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral(" SMS enviados: 2\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral(" Fin del proceso de envio\n")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("PROGRESS")));
    EXPECT_FALSE(r.out.contains(QStringLiteral("Clave-9x")));
    EXPECT_FALSE(r.err.contains(QStringLiteral("Clave-9x")));
    // The settings are stored beside the INI file, readable by the user only.
    const QString mdr = e.Dir() + QStringLiteral("/ZMKEscoliaV16EXT.MDR");
    ASSERT_TRUE(QFile::exists(mdr));
    EXPECT_EQ(int(QFile::permissions(mdr)) & 0x0077, 0);
}

TEST_F(SmsCli, AnUnconfiguredServiceRefusesBeforeAsking) {
    e.EscribeIni(QString(), {});
    test::CliResult r = test::RunCliConServicios(
        Envio({QStringLiteral("--numbers"), QStringLiteral("600111222")}, QStringLiteral("Hola")));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no está configurado")));
    EXPECT_FALSE(r.err.contains(QStringLiteral("QUESTION")));
}

TEST_F(SmsCli, PartialOrFailedSendsExitWithOneAndSayWhatWasDone) {
    e.pasarela.respuestas = {QStringLiteral("2|no existe")};
    test::CliResult r = test::RunCliConServicios(
        Envio({QStringLiteral("--numbers"), QStringLiteral("600111222,711222333")},
              QStringLiteral("Hola")));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("SMS no enviados: 2")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("El proceso finalizó con errores")));
    test::CliResult invalido = test::RunCliConServicios(
        Envio({QStringLiteral("--numbers"), QStringLiteral("911222333")}, QStringLiteral("Hola")));
    EXPECT_EQ(invalido.status, 1);
    EXPECT_TRUE(invalido.err.contains(QStringLiteral("\"911222333\" no es un número de móvil")));
    test::CliResult largo =
        test::RunCliConServicios(Envio({QStringLiteral("--numbers"), QStringLiteral("600111222")},
                                       QString(70, u'a') + QStringLiteral("ç")));
    EXPECT_EQ(largo.status, 1);
    EXPECT_TRUE(largo.err.contains(QStringLiteral("como máximo 70 caracteres")));
    EXPECT_EQ(e.contabilidad.DeTipo("INTENTO").size(), 1);
}

TEST_F(SmsCli, ExportWritesTheOperatorFileAndAsksBeforeReplacingIt) {
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("envio"));
    const QStringList orden =
        QStringList{QStringLiteral("--db"), a.t.path(), QStringLiteral("sms"),
                    QStringLiteral("export"), archivo} +
        Alumnos(QStringLiteral("all"), QStringLiteral("1,2,3")) +
        QStringList{QStringLiteral("--message"), QStringLiteral("Ven; {CodigoT01}"),
                    QStringLiteral("--notify")};
    test::CliResult r = test::RunCliConServicios(orden);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile f(archivo + QStringLiteral(".txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              QStringLiteral("600 111 222#1#Ven; 7\r\n699000111#1#Ven; 9\r\n"));
    test::CliResult otra = test::RunCliConServicios(
        QStringList{QStringLiteral("--answer"), QStringLiteral("no")} + orden);
    EXPECT_EQ(otra.status, 3);
    EXPECT_TRUE(otra.err.contains(QStringLiteral("¿QUIERE SOBREESCRIBIRLO?")));
    EXPECT_TRUE(e.contabilidad.Peticiones().isEmpty());
    test::CliResult uso =
        test::RunCliConServicios({QStringLiteral("sms"), QStringLiteral("send"),
                                  QStringLiteral("--message"), QStringLiteral("x")});
    EXPECT_EQ(uso.status, 2);
}

TEST_F(SmsCli, TheScreensProcedureAsksTheWizardsChoicesInOrder) {
    // The program's INI file, in a data directory of the test's own.
    const QByteArray previo = qgetenv("XDG_DATA_HOME");
    QTemporaryDir datos;
    QDir().mkpath(datos.filePath(QStringLiteral("Torvanware/zmk-escolia")));
    QFile::copy(e.ini,
                datos.filePath(QStringLiteral("Torvanware/zmk-escolia/ZMKEscoliaV16EXT.INI")));
    qputenv("XDG_DATA_HOME", datos.path().toUtf8());
    test::CliResult r = test::RunCliConServicios({QStringLiteral("--db"),
                                                  a.t.path(),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("todos"),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("madre"),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("Hola {CodigoT01}"),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("ACADEMIA"),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("academia"),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("Clave-9x"),
                                                  QStringLiteral("--answer"),
                                                  QStringLiteral("yes"),
                                                  QStringLiteral("proc"),
                                                  QStringLiteral("FormularioEnviarSMS"),
                                                  QStringLiteral("PRME01=T01Alumnos"),
                                                  QStringLiteral("PRME02=IDAlumnoT01"),
                                                  QStringLiteral("PRME03=NombreCompletoT01"),
                                                  QStringLiteral("PRME04=Telf1T01"),
                                                  QStringLiteral("PRME05=CodigoT01"),
                                                  QStringLiteral("--grid"),
                                                  QStringLiteral("T01Alumnos:1,2,3")});
    qputenv("XDG_DATA_HOME", previo);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(e.pasarela.Peticiones().size(), 1);
    EXPECT_EQ(e.pasarela.Peticiones().first().Campo("destino"), QStringLiteral("722333444"));
    EXPECT_EQ(e.pasarela.Peticiones().first().Campo("mensaje"), QStringLiteral("Hola 9"));
}

}  // namespace
}  // namespace zmk
