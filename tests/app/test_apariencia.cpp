#include <gtest/gtest.h>

#include <QCommandLinkButton>
#include <QTemporaryDir>

#include "app/aboutbox.h"
#include "app/asistentemdi.h"

using namespace zmk;

TEST(AsistenteMDI, ChoiceAndCheckBoxAreWrittenAtOnce) {
    QTemporaryDir dir;
    QSettings ini(dir.filePath(QStringLiteral("app.INI")), QSettings::IniFormat);
    EXPECT_TRUE(DebePreguntarModoVentana(true, 1024, ini));
    EXPECT_FALSE(DebePreguntarModoVentana(true, 1023, ini));
    EXPECT_FALSE(DebePreguntarModoVentana(false, 1280, ini));

    TccFRMAsistenteMDI dlg(nullptr, ini);
    dlg.show();
    dlg.findChild<QCheckBox*>(QStringLiteral("chkRecuerda"))->setChecked(true);
    EXPECT_TRUE(ini.value(QStringLiteral("INIT/RememberMDIOption")).toBool());
    EXPECT_FALSE(DebePreguntarModoVentana(true, 1280, ini));
    dlg.findChild<QCommandLinkButton*>(QStringLiteral("btnMultiplesVentanas"))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(ini.value(QStringLiteral("INIT/MDI")).toBool());

    TccFRMAsistenteMDI otro(nullptr, ini);
    otro.show();
    otro.findChild<QCommandLinkButton*>(QStringLiteral("btnVentanaUnica"))->click();
    EXPECT_EQ(otro.result(), QDialog::Rejected);
    EXPECT_FALSE(ini.value(QStringLiteral("INIT/MDI"), true).toBool());
}

TEST(AboutBox, MemoryInMegabytes) {
    EXPECT_EQ(Megabytes(0), QStringLiteral("1.0 MB"));
    EXPECT_EQ(Megabytes(1048575), QStringLiteral("1.0 MB"));
    EXPECT_EQ(Megabytes(1048576), QStringLiteral("2.0 MB"));
    TMemoria m = LeeMemoria(
        "MemTotal:        2048 kB\nMemFree:  10 kB\nMemAvailable:    1024 kB\n"
        "SwapFree:  512 kB\n");
    EXPECT_EQ(m.fisica, 2048 * 1024);
    EXPECT_EQ(m.fisicaDisponible, 1024 * 1024);
    EXPECT_EQ(m.virtualDisponible, 1536 * 1024);
    EXPECT_TRUE(LineaAplicacionGuardada({}).isEmpty());
    QString linea = LineaAplicacionGuardada({QString(), QDate(2026, 3, 5), 17});
    EXPECT_TRUE(linea.endsWith(QStringLiteral(" ZMK: 05/03/2026 - 17"))) << linea.toStdString();
}
