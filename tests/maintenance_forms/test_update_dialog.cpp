#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "host/parametres.h"
#include "maintenance/forms/configzmkupdate.h"
#include "tests/support/fakesms.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

class UpdateDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        file = dir.filePath("registry.ini");
        Registry()->setValue("ExeBuild", "16.0");
        Registry()->setValue("ZMKUpdateLastTimeConnect", QDateTime(QDate(2026, 2, 3), QTime(4, 5)));
        inst.titulo = "ZMK-Escolia v16";
        inst.servicio = server.Direccion();
        inst.programDir = dir.path();
        inst.registro = [this] { return Registry(); };
        server.responde = [](const test::TPeticionRecibida&) {
            return test::TRespuestaFalsa{"[HEADER]\nACTIVE=1\n[UPDATE]\nFILES=0\n"};
        };
    }
    std::unique_ptr<QSettings> Registry() const {
        auto s = std::make_unique<QSettings>(file, QSettings::IniFormat);
        s->beginGroup("Software/Torvanware/ZMK/ZMKAPP/ZMKEscoliaV16EXT");
        return s;
    }
    test::TestDatabase tdb;
    QTemporaryDir dir;
    QString file;
    test::TServidorFalso server;
    TUpdateInstallation inst;
};

TEST_F(UpdateDialog, ShowsTheSettingsAndChecksNow) {
    TZMKUpdateExe update(inst);
    update.Conexion().SetTimeout(1000);
    TFRMConfigZMKUpdate dialog(update);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Actualizaciones automáticas"));
    EXPECT_EQ(dialog.cbActualizacionsTiempo->currentText(), QStringLiteral("Cada semana"));
    EXPECT_TRUE(dialog.cbAlertOnUpdate->isChecked());
    EXPECT_EQ(dialog.lblUltimaConexion->text(),
              QStringLiteral("Última conexión: 03/02/2026 04:05"));
    EXPECT_TRUE(dialog.lblUltimaActualizacion->isHidden());

    dialog.cbForzarDescarga->setChecked(true);
    dialog.bbActualizarAhoraClick();
    ASSERT_EQ(server.Peticiones().size(), 1);
    EXPECT_EQ(server.Peticiones()[0].Parametro("ALLFILES"), QStringLiteral("1"));
    EXPECT_EQ(server.Peticiones()[0].Parametro("QUERYTYPE"), QStringLiteral("INFO_MANUAL"));
    EXPECT_FALSE(Registry()->contains("ExeBuild"));
    EXPECT_TRUE(tdb.prompt().Log().last().contains("La versión instalada está actualizada"));
    EXPECT_NE(dialog.lblUltimaConexion->text(),
              QStringLiteral("Última conexión: 03/02/2026 04:05"));
}

TEST_F(UpdateDialog, AcceptChecksTheProxyAndStoresEverySetting) {
    TZMKUpdateExe update(inst);
    TFRMConfigZMKUpdate dialog(update);
    dialog.cbUseProxy->setChecked(true);
    dialog.ebProxyServer->setText("proxy.local");
    dialog.ebProxyPort->setText("0");
    EXPECT_EQ(test::ErrorMessage([&] { dialog.bbAceptarClick(); }),
              QStringLiteral("Puerto del proxy no válido"));
    dialog.ebProxyPort->setText("3128");
    dialog.ebProxyServer->setText("  ");
    EXPECT_EQ(test::ErrorMessage([&] { dialog.bbAceptarClick(); }),
              QStringLiteral("Nombre del servidor proxy no válido"));
    EXPECT_FALSE(Parametres().ParamExists("ZonaUsuarios_UsarProxy"));
    dialog.ebProxyServer->setText("proxy.local");
    dialog.cbActualizacionsTiempo->setCurrentIndex(1);
    dialog.cbAlertOnUpdate->setChecked(false);
    dialog.bbAceptarClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Parametres().AsInteger("ZMKUpdate_Dias"), 30);
    EXPECT_FALSE(Parametres().AsBoolean("ZMKUpdate_AlertOnUpdate", true));
    EXPECT_EQ(Parametres().AsString("ZonaUsuarios_ProxyServer"), QStringLiteral("proxy.local"));
    EXPECT_EQ(Parametres().AsInteger("ZonaUsuarios_ProxyPort"), 3128);
    EXPECT_TRUE(Parametres().Writables("ZMKUpdate_Dias"));
    TFRMConfigZMKUpdate again(update);
    EXPECT_EQ(again.cbActualizacionsTiempo->currentText(), QStringLiteral("Cada mes"));
    again.cbUseProxy->setChecked(false);
    again.bbAceptarClick();
    EXPECT_EQ(Parametres().AsString("ZonaUsuarios_ProxyServer", "x"), QString());
    EXPECT_EQ(Parametres().AsInteger("ZonaUsuarios_ProxyPort", 9), 0);
}

TEST_F(UpdateDialog, ACheckThatCannotRunForgetsNothing) {
    inst.servicio.clear();
    TZMKUpdateExe unconfigured(inst);
    TFRMConfigZMKUpdate none(unconfigured);
    EXPECT_FALSE(none.lblServicio->isHidden());
    EXPECT_FALSE(none.bbActualizarAhora->isEnabled());
    none.cbForzarDescarga->setChecked(true);
    EXPECT_TRUE(test::ErrorMessage([&] {
                    none.bbActualizarAhoraClick();
                }).startsWith("El servicio de actualizaciones no está configurado"));
    EXPECT_TRUE(Registry()->contains("ExeBuild"));

    // The proxy as typed is used now, and refused before anything is forgotten.
    inst.servicio = server.Direccion();
    TZMKUpdateExe update(inst);
    TFRMConfigZMKUpdate dialog(update);
    EXPECT_TRUE(dialog.lblServicio->isHidden());
    EXPECT_FALSE(dialog.ebProxyServer->isEnabled() || dialog.ebProxyPort->isEnabled());
    dialog.cbUseProxy->setChecked(true);
    EXPECT_TRUE(dialog.ebProxyServer->isEnabled() && dialog.ebProxyPort->isEnabled());
    dialog.ebProxyServer->setText("proxy.local");
    dialog.cbForzarDescarga->setChecked(true);
    EXPECT_EQ(test::ErrorMessage([&] { dialog.bbActualizarAhoraClick(); }),
              QStringLiteral("Puerto del proxy no válido"));
    EXPECT_TRUE(server.Peticiones().isEmpty());
    EXPECT_TRUE(Registry()->contains("ExeBuild"));
}

// Pictures of the dialog before and after "Actualizar ahora", for a look (ESCOLIA_SCREENSHOTS:
// the folder to write them to).
TEST_F(UpdateDialog, Screenshots) {
    const QString dir = qEnvironmentVariable("ESCOLIA_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "ESCOLIA_SCREENSHOTS not set";
    TZMKUpdateExe update(inst);
    update.Conexion().SetTimeout(1000);
    TFRMConfigZMKUpdate dialog(update);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(dir + "/actualizaciones.png"));
    dialog.bbActualizarAhoraClick();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(dir + "/actualizaciones_despues.png"));
}

}  // namespace
}  // namespace zmk
