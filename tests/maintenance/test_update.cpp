#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "maintenance/updateexe.h"
#include "tests/support/fakesms.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

using test::TPeticionRecibida;
using test::TRespuestaFalsa;
using test::TServidorFalso;

const QString kKey = QStringLiteral("Software/Torvanware/ZMK/ZMKAPP/ZMKEscoliaV16EXT");

// An installation whose facts are in a settings file of the test, asking a fake service.
class UpdateCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        registryFile = dir.filePath(QStringLiteral("registry.ini"));
        auto reg = Registry();
        reg->setValue("ExeBuild", "5.2.9");
        reg->setValue("ExeFileName", dir.filePath("no-existe"));
        reg->setValue("ZMKFileDate", QDateTime(QDate(2026, 3, 4), QTime(10, 20)));
        reg->setValue("language", "es");
        inst.titulo = QStringLiteral("ZMK-Escolia v16");
        inst.servicio = server.Direccion();
        inst.programDir = dir.path();
        inst.exeBuild = QStringLiteral("16.0.1");
        inst.registro = [this] { return Registry(); };
    }
    std::unique_ptr<QSettings> Registry() const {
        auto s = std::make_unique<QSettings>(registryFile, QSettings::IniFormat);
        s->beginGroup(kKey);
        return s;
    }
    TZMKUpdateExe Update() {
        TZMKUpdateExe u(inst);
        u.Conexion().SetTimeout(400);
        return u;
    }
    void Answer(const QByteArray& body) {
        server.responde = [body](const TPeticionRecibida&) { return TRespuestaFalsa{body}; };
    }
    static QByteArray Files(const QByteArray& sections, int count) {
        return "[HEADER]\nACTIVE=1\n[UPDATE]\nFILES=" + QByteArray::number(count) + "\n" + sections;
    }
    test::TestDatabase tdb;
    QTemporaryDir dir;
    QString registryFile;
    TServidorFalso server;
    TUpdateInstallation inst;
};

TEST_F(UpdateCheck, QueryAndFileDecisions) {
    TZMKUpdateExe u = Update();
    EXPECT_EQ(u.QueryString("INFO_AUTO"),
              QStringLiteral("ZMKUPDATEBUILD=16.0.1&QUERYTYPE=INFO_AUTO&BUILD=5.2.9&ZMKFILEDATE="
                             "202603041020&LANG=es"));
    Registry()->setValue("ZMKUpdateFileDate_7", QDateTime(QDate(2026, 5, 1), QTime(0, 0)));
    Answer(
        Files("[FILEINFO1]\nIDUPDATEFILE=1\nFILENAME=a.zmk\nMINBUILD=5.2.10\n"
              "[FILEINFO2]\nIDUPDATEFILE=2\nFILENAME=b.zmk\nMINBUILD=5.2.1\nMAXBUILD=5.2.5\n"
              "[FILEINFO3]\nIDUPDATEFILE=7\nFILENAME=c.zmk\nDATETIME=20260501000000\n"
              "[FILEINFO4]\nIDUPDATEFILE=7\nFILENAME=d.zmk\nDATETIME=20260501000001\n"
              "[FILEINFO6]\nIDUPDATEFILE=9\nFILENAME=f.zmk\nMINBUILD=5.2.0\n",
              6));
    EXPECT_EQ(u.Check("INFO_MANUAL"), 2);
    ASSERT_EQ(server.Peticiones().size(), 1);
    EXPECT_EQ(server.Peticiones()[0].ruta, QByteArray("/zmkupdate.htm"));
    EXPECT_EQ(server.Peticiones()[0].Parametro("QUERYTYPE"), QStringLiteral("INFO_MANUAL"));
    EXPECT_EQ(u.NeededFiles()[0].fileName, QStringLiteral("d.zmk"));
    const QStringList log = u.LogLines();
    // "5.2.10" is before "5.2.9" as text: the file is for builds it does not reach.
    EXPECT_TRUE(log.contains("Necesita actualizar(a.zmk) ->  NO - Build: 5.2.9 sólo de 5.2.10 a "))
        << log.join('\n').toStdString();
    EXPECT_TRUE(
        log.contains("Necesita actualizar(b.zmk) ->  NO - Build: 5.2.9 sólo de 5.2.1 a 5.2.5"));
    EXPECT_TRUE(
        log.contains("Necesita actualizar(c.zmk) ->  NO - Fecha INI:01/05/2026 00:00:00 "
                     "<= FechaRegistro:01/05/2026 00:00:00"));
    EXPECT_TRUE(log.contains("Necesita actualizar(d.zmk) ->  SI"));
    EXPECT_TRUE(Registry()->contains("ZMKUpdateLastTimeConnect"));
    EXPECT_FALSE(DecodeUpdateDateTime("20260001000000").isValid());
    EXPECT_GT(CompareBuilds("5.2.10", "5.2.9"), 0);
    EXPECT_EQ(CompareBuilds("5.02.9", "5.2.9"), 0);
    EXPECT_LT(CompareBuilds("5.2", "5.2.1"), 0);
    EXPECT_LT(CompareBuilds("5.2.9b", "5.2.9c"), 0);

    // Forced: every file, and the service is told.
    u.ClearRegistryData();
    EXPECT_FALSE(Registry()->contains("ExeBuild"));
    EXPECT_FALSE(Registry()->contains("ZMKUpdateFileDate_7"));
    EXPECT_TRUE(Registry()->contains("language"));
    EXPECT_EQ(u.Check("INFO_MANUAL"), 5);
    EXPECT_EQ(server.Peticiones().last().Parametro("ALLFILES"), QStringLiteral("1"));
    EXPECT_TRUE(u.LogLines().last().endsWith(" SI (Modo forzar activado)"));
}

TEST_F(UpdateCheck, RedirectionsErrorsAndBrokenConnections) {
    TZMKUpdateExe u = Update();
    server.responde = [this](const TPeticionRecibida&) {
        return TRespuestaFalsa{"[HEADER]\nREDIRECT=" + server.Direccion().toUtf8() + "/otra.htm\n"};
    };
    EXPECT_EQ(u.Check("INFO_MANUAL"), 0);
    EXPECT_EQ(server.Peticiones().size(), 6);
    EXPECT_EQ(server.Peticiones().last().ruta, QByteArray("/otra.htm"));
    EXPECT_TRUE(u.LastError().endsWith("Demasiados redireccionamientos (6)"));
    EXPECT_EQ(u.LogLines().filter("Redirigiendo a \"").size(), 6);
    EXPECT_THROW(u.RunCheck(false, true, "INFO_MANUAL", true), EZMKError);

    Answer(
        "[HEADER]\nACTIVE=1\nERROR=Licencia "
        "caducada\n[UPDATE]\nFILES=1\n[FILEINFO1]\nFILENAME=x\n");
    EXPECT_EQ(u.Check("INFO_MANUAL"), 0);
    EXPECT_EQ(u.LastError(), QStringLiteral("Licencia caducada"));

    const auto connectionError = [&](TRespuestaFalsa r) {
        server.responde = [r](const TPeticionRecibida&) { return r; };
        return test::ErrorMessage([&] { u.Check("INFO_MANUAL"); });
    };
    const QString dropped = connectionError(TRespuestaFalsa{"", 0, 200, true});
    EXPECT_TRUE(
        dropped.startsWith("No se ha podido conectar con el servidor\n\nMensaje de error:\n"
                           "Error al intentar realizar la conexión con el servidor Web\n"
                           "Mensaje de Error al acceder a \"" +
                           server.Direccion() + "/zmkupdate.htm\":"))
        << dropped.toStdString();
    EXPECT_TRUE(
        dropped.endsWith("EL SERVICIO NO ESTA ACTIVO EN ESTE MOMENTO\nINTENTELO MAS TARDE"));
    EXPECT_TRUE(
        connectionError(TRespuestaFalsa{"lento", 1500}).contains("Tiempo de espera agotado"));
    EXPECT_TRUE(connectionError(TRespuestaFalsa{"", 0, 500}).contains("El servidor respondió 500"));
    EXPECT_TRUE(u.LogLines().last().startsWith("No puede conectar con el servidor: "));

    inst.servicio.clear();
    const int before = int(server.Peticiones().size());
    EXPECT_TRUE(
        test::ErrorMessage([&] { Update().Check("INFO_AUTO"); }).contains("no está configurado"));
    EXPECT_EQ(server.Peticiones().size(), before);
}

TEST_F(UpdateCheck, UpdaterStartsWithTheTitleAndPeriodicCheckWaitsItsDays) {
    Answer(Files("[FILEINFO1]\nFILENAME=a.zmk\n", 1));
    TZMKUpdateExe u = Update();
    QString started;
    QStringList arguments;
    bool closed = false;
    u.startProgram = [&](const QString& program, const QStringList& args) {
        started = program, arguments = args;
        return true;
    };
    u.closeApplication = [&] { closed = true; };
    tdb.prompt().Push("yes");
    EXPECT_TRUE(test::ErrorMessage([&] {
                    u.RunCheck(false, true, "INFO_MANUAL", true);
                }).startsWith("El programa ZMK-Update no se encuentra instalado"));
    QFile updater(dir.filePath("ZMKUpdate"));
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
    updater.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    updater.close();
    u.SetForced(true);
    tdb.prompt().Push("yes");
    EXPECT_TRUE(u.RunCheck(false, true, "INFO_MANUAL", true));
    EXPECT_EQ(started, dir.filePath("ZMKUpdate"));
    EXPECT_EQ(arguments, (QStringList{"ZMK-Escolia v16", "/allfiles"}));
    EXPECT_TRUE(closed);

    // "Cada mes": 29 days after the last contact nothing happens, at 31 it asks the service.
    Parametres().SetParametreValue("ZMKUpdate_Dias", 30);
    Parametres().SetParametreValue("ZMKUpdate_AlertOnUpdate", false);
    Answer("[HEADER]\nACTIVE=1\n[UPDATE]\nFILES=0\n");
    TZMKUpdateExe periodic = Update();
    Registry()->setValue("ZMKUpdateLastTimeConnect", QDateTime(QDate(2026, 1, 1), QTime(9, 0)));
    const int requests = int(server.Peticiones().size());
    FijarAhora(QDateTime(QDate(2026, 1, 30), QTime(9, 0)));
    EXPECT_FALSE(periodic.PeriodicCheck());
    EXPECT_EQ(server.Peticiones().size(), requests);
    FijarAhora(QDateTime(QDate(2026, 2, 1), QTime(9, 0)));
    EXPECT_TRUE(periodic.PeriodicCheck());
    EXPECT_EQ(server.Peticiones().size(), requests + 1);
    EXPECT_EQ(server.Peticiones().last().Parametro("QUERYTYPE"), QStringLiteral("INFO_AUTO"));
    FijarAhora(std::nullopt);
    Parametres().SetParametreValue("ZMKUpdate_Dias", 0);
    EXPECT_FALSE(periodic.PeriodicCheck());
}

TEST_F(UpdateCheck, LogFileOneLinePerStepPerMonth) {
    Answer("[HEADER]\nACTIVE=1\n[UPDATE]\nFILES=0\n");
    TZMKUpdateExe u = Update();
    u.SetLogToFile(true);
    FijarAhora(QDateTime(QDate(2026, 4, 2), QTime(8, 5, 1)));
    u.Check("INFO_MANUAL");
    FijarAhora(std::nullopt);
    QFile log(dir.filePath("ZMKUpdateDownload/ZMKUpdateLog_202604.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().startsWith(
        "2026-04-02 08:05:01\tZMK-Escolia v16\tObteniendo QueryString de ZMK-Escolia v16\r\n"));
}

TEST_F(UpdateCheck, CommandLinePrintsTheLogAndTheFiles) {
    const QString ini = dir.filePath("ZMKEscoliaV16EXT.INI");
    QSettings(ini, QSettings::IniFormat).setValue("ACTUALIZACIONES/Servicio", server.Direccion());
    Registry()->setValue("ZMKUpdateFileDate_3", QDateTime(QDate(2026, 5, 1), QTime(0, 0)));
    Answer(
        Files("[FILEINFO1]\nIDUPDATEFILE=3\nFILENAME=escolia.zmk\nDESTFILENAME=x.zmk\n"
              "BYTES=1200\nDATETIME=20260101000000\nDESCRIPCION=Pantallas\n",
              1));
    const QStringList base{"update", "check", "--ini", ini, "--settings", registryFile};
    test::CliResult r = test::RunCliConServicios(base + QStringList{"--manual"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("LOG Obteniendo QueryString de ZMK-Escolia v16"));
    EXPECT_TRUE(r.out.contains("La versión instalada está actualizada"));
    EXPECT_EQ(server.Peticiones().last().Parametro("QUERYTYPE"), QStringLiteral("INFO_MANUAL"));
    r = test::RunCliConServicios(base + QStringList{"--force"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("escolia.zmk\tx.zmk\t1200\tPantallas\n"));
    EXPECT_EQ(server.Peticiones().last().Parametro("ALLFILES"), QStringLiteral("1"));
    EXPECT_EQ(server.Peticiones().last().Parametro("QUERYTYPE"), QStringLiteral("INFO_AUTO"));
    Answer("[HEADER]\nERROR=Servicio en mantenimiento\n");
    r = test::RunCliConServicios(base);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("ERROR Servicio en mantenimiento"));

    // Without a service, --force forgets nothing.
    Registry()->setValue("ZMKUpdateFileDate_3", QDateTime(QDate(2026, 5, 1), QTime(0, 0)));
    QSettings(ini, QSettings::IniFormat).remove("ACTUALIZACIONES/Servicio");
    r = test::RunCliConServicios(base + QStringList{"--force"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("no está configurado")) << r.err.toStdString();
    EXPECT_TRUE(Registry()->contains("ZMKUpdateFileDate_3"));
}

}  // namespace
}  // namespace zmk
