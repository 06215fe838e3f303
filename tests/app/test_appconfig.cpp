#include <QCoreApplication>
#include <QStandardPaths>

#include "app/migracion.h"
#include "core/strings.h"
#include "host/errors.h"
#include "host/resources.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

using AppConfig = AppFixture;

TEST_F(AppConfig, ChangingFilesGoToTheDataDirectoryUnlessTheExecutableDirectoryHoldsTheIni) {
    const QString exe = ExeDir() + QStringLiteral("/escolia");
    TAppLocations loc = TAppLocations::ForExecutable(exe, QStringLiteral("ZMKEscoliaV16EXT"));
    EXPECT_EQ(loc.exeDir, ExeDir());
    EXPECT_EQ(loc.exeName, QStringLiteral("escolia"));
    EXPECT_EQ(loc.dataDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    ASSERT_NO_FATAL_FAILURE(Write(ExeDir() + QStringLiteral("/ZMKEscoliaV16EXT.INI"), "[INIT]\n"));
    loc = TAppLocations::ForExecutable(exe, QStringLiteral("ZMKEscoliaV16EXT"));
    EXPECT_EQ(loc.dataDir, ExeDir());

    TZMKAppConfig& config = NewConfig();
    EXPECT_EQ(config.ResourceFile(), DataDir() + QStringLiteral("/ZMKEscoliaV16EXT.MDR"));
    EXPECT_EQ(config.BackupResourceFile(), DataDir() + QStringLiteral("/ZMKEscoliaV16EXT_Seg.MDR"));
    EXPECT_EQ(config.IniFileName(), DataDir() + QStringLiteral("/ZMKEscoliaV16EXT.INI"));
    EXPECT_EQ(config.ZMKFileName(), ExeDir() + QStringLiteral("/ZMKEscoliaV16EXT.ZMK"));
    EXPECT_EQ(config.LanguageFile(QStringLiteral("English")),
              ExeDir() + QStringLiteral("/lang/escolia_English.lang"));
    EXPECT_EQ(config.ChangesFile(), ExeDir() + QStringLiteral("/lang/escolia.lang_changes"));
    EXPECT_EQ(config.MasterDatabaseFileName(3),
              ExeDir() + QStringLiteral("/MastersMDB/ZMKEscoExtV3.MMDB"));
}

TEST_F(AppConfig, TwoSavesLeaveTheFirstAsBackupAndTheBlockComesBack) {
    TZMKAppConfig& config = NewConfig();
    Parametres().SetParametreValue(QStringLiteral("PRMPruebaGuardado"), QStringLiteral("primera"));
    config.SaveResources();
    const QByteArray first = Read(config.ResourceFile());
    ASSERT_FALSE(first.isEmpty());
    EXPECT_FALSE(QFile::exists(config.BackupResourceFile()));

    Parametres().SetParametreValue(QStringLiteral("PRMPruebaGuardado"), QStringLiteral("segunda"));
    config.SaveResources();
    EXPECT_EQ(Read(config.BackupResourceFile()), first);
    EXPECT_NE(Read(config.ResourceFile()), first);

    // Loading the ".MDR" restores the saved block.
    Parametres().SetParametreValue(QStringLiteral("PRMPruebaGuardado"), QStringLiteral("otra"));
    config.LoadResources();
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMPruebaGuardado")),
              QStringLiteral("segunda"));

    // A third save replaces the backup with the second file.
    const QByteArray second = Read(config.ResourceFile());
    config.SaveResources();
    EXPECT_EQ(Read(config.BackupResourceFile()), second);
    Parametres().DeleteParam(QStringLiteral("PRMPruebaGuardado"));
}

TEST_F(AppConfig, ResourceFileKeepsOtherResourcesAndADamagedOneRaises) {
    TZMKAppConfig& config = NewConfig();
    RecursosZMK().Insert(90005, QByteArray("informe"));
    config.SaveResources();
    RecursosZMK().Clear();
    config.LoadResources();
    EXPECT_EQ(RecursosZMK().Find(90005).value_or(QByteArray()), QByteArray("informe"));
    EXPECT_TRUE(RecursosZMK().Find(TRecursosZMK::kParametres).has_value());
    RecursosZMK().Remove(90005);

    ASSERT_NO_FATAL_FAILURE(Write(config.ResourceFile(), "no es un archivo de recursos"));
    EXPECT_THROW(config.LoadResources(), EZMKError);
}

TEST_F(AppConfig, MigrationTakesVersion21FirstAndNothingWhenTheCurrentFileExists) {
    const QString a = DataDir() + QStringLiteral("/ZMKEscoliaV16EXT");
    // Fresh installation: nothing to take, no message.
    EXPECT_EQ(MigraConfiguracionAnterior(a), QString());
    EXPECT_TRUE(Log().isEmpty());

    ASSERT_NO_FATAL_FAILURE(Write(DataDir() + QStringLiteral("/ZMKEscolia21.MDR"), "mdr21"));
    ASSERT_NO_FATAL_FAILURE(Write(DataDir() + QStringLiteral("/ZMKEscolia21.INI"), "ini21"));
    ASSERT_NO_FATAL_FAILURE(Write(DataDir() + QStringLiteral("/ZMKEscolia20.MDR"), "mdr20"));
    ASSERT_NO_FATAL_FAILURE(Write(DataDir() + QStringLiteral("/ZMKEscolia20.INI"), "ini20"));
    ASSERT_NO_FATAL_FAILURE(Write(a + QStringLiteral(".INI"), "current"));
    EXPECT_EQ(MigraConfiguracionAnterior(a), QStringLiteral("2.1"));
    EXPECT_EQ(Read(a + QStringLiteral(".MDR")), QByteArray("mdr21"));
    EXPECT_EQ(Read(a + QStringLiteral(".INI")), QByteArray("ini21"));
    ASSERT_EQ(Log().size(), 1);
    EXPECT_EQ(Log()[0], QStringLiteral(
                            "INFO ZMK-Escolia v16: SE HA DETECTADO UNA VERSIÓN ANTERIOR\\n\\nSe ha "
                            "actualizado correctamente el archivo\\nde configuración de la versión "
                            "2.1 a la 2.2\\n\\nAhora dispone de la misma configuración que "
                            "tenía\\nantes en ZMK-Escolia"));

    // The current ".MDR" now exists: nothing more is copied.
    EXPECT_EQ(MigraConfiguracionAnterior(a), QString());
    EXPECT_EQ(Read(a + QStringLiteral(".MDR")), QByteArray("mdr21"));

    // Without a 2.1 ".MDR", the 2.0 pair is taken.
    QFile::remove(a + QStringLiteral(".MDR"));
    QFile::remove(DataDir() + QStringLiteral("/ZMKEscolia21.MDR"));
    EXPECT_EQ(MigraConfiguracionAnterior(a), QStringLiteral("2.0"));
    EXPECT_EQ(Read(a + QStringLiteral(".MDR")), QByteArray("mdr20"));
    EXPECT_EQ(Read(a + QStringLiteral(".INI")), QByteArray("ini20"));
}

TEST_F(AppConfig, LanguagesComeFromTheLangFolderByTheExecutableName) {
    TZMKAppConfig& config = NewConfig();
    EXPECT_FALSE(QDir(config.LangDir()).exists());
    config.InitTranslation();  // creates the folder
    EXPECT_TRUE(QDir(config.LangDir()).exists());
    EXPECT_TRUE(config.AvailableLanguages().isEmpty());

    ASSERT_NO_FATAL_FAILURE(
        Write(config.LangDir() + QStringLiteral("/escolia_English.lang"), "[X]\na=b\n"));
    ASSERT_NO_FATAL_FAILURE(Write(config.LangDir() + QStringLiteral("/escolia_Català.lang"), ""));
    ASSERT_NO_FATAL_FAILURE(
        Write(config.LangDir() + QStringLiteral("/escolia_.lang"), ""));  // empty name
    ASSERT_NO_FATAL_FAILURE(
        Write(config.LangDir() + QStringLiteral("/otro_Francais.lang"), ""));  // other program
    ASSERT_NO_FATAL_FAILURE(
        Write(config.LangDir() + QStringLiteral("/escolia_Deutsch.lng"), ""));  // other extension
    ASSERT_NO_FATAL_FAILURE(Write(config.LangDir() + QStringLiteral("/escolia.lang_changes"), ""));
    EXPECT_EQ(config.AvailableLanguages(),
              (QStringList{QStringLiteral("Català"), QStringLiteral("English")}));
}

TEST_F(AppConfig, SetLanguageIsStoredAndLoadedAndReadAtStart) {
    TZMKAppConfig& config = NewConfig();
    QDir().mkpath(config.LangDir());
    ASSERT_NO_FATAL_FAILURE(
        Write(config.LanguageFile(QStringLiteral("English")), "[CC.Common]\nyes=Yes\n"));
    config.SetLanguage(QStringLiteral("English"));
    EXPECT_EQ(config.Registry()->value(QStringLiteral("language")).toString(),
              QStringLiteral("English"));
    EXPECT_EQ(Translate().ValueDef(QStringLiteral("CC.Common.yes"), QStringLiteral("Sí")),
              QStringLiteral("Yes"));

    // The next start reads the stored language.
    TZMKAppConfig& again = NewConfig();
    again.InitTranslation();
    EXPECT_EQ(again.Language(), QStringLiteral("English"));
    EXPECT_EQ(Translate().ValueDef(QStringLiteral("CC.Common.yes"), QStringLiteral("Sí")),
              QStringLiteral("Yes"));

    // A language without its file leaves the built-in texts.
    again.SetLanguage(QStringLiteral("Klingon"));
    EXPECT_EQ(Translate().ValueDef(QStringLiteral("CC.Common.yes"), QStringLiteral("Sí")),
              QStringLiteral("Sí"));
    again.SetLanguage(QString());
}

TEST_F(AppConfig, QtsOwnDialogsFollowTheLanguageFilesLocale) {
    TZMKAppConfig& config = NewConfig();
    QDir().mkpath(config.LangDir());
    ASSERT_NO_FATAL_FAILURE(
        Write(config.LanguageFile(QStringLiteral("Català")), "[CC.Common]\nlocale=ca\n"));
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    config.SetLanguage(QString());
    EXPECT_EQ(cancel(), QStringLiteral("Cancelar"));
    config.SetLanguage(QStringLiteral("Català"));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel·la"));
    config.SetLanguage(QString());
    EXPECT_EQ(cancel(), QStringLiteral("Cancelar"));
}

TEST_F(AppConfig, HelpQueryOrderAndLanguageWithoutSigns) {
    TZMKAppConfig& config = NewConfig();
    config.SetLanguage(QStringLiteral("es-ES cat_1"));
    const QString q = config.HelpQuery(true, true);
    EXPECT_TRUE(q.startsWith(QStringLiteral("&MDI=1&BUILD=") + TZMKAppConfig::FileVersion() +
                             QStringLiteral("&LANG=esEScat_1&ZMKFILEDATE=")));
    EXPECT_TRUE(q.contains(QStringLiteral("&ZMKFILESAVECOUNTER=")));
    EXPECT_TRUE(config.HelpQuery(true, false).startsWith(QStringLiteral("&MDI=0&")));
    EXPECT_TRUE(config.HelpQuery(false, false).startsWith(QStringLiteral("&BUILD=")));
    config.SetLanguage(QString());
}

TEST_F(AppConfig, ApplicationFileIdentity) {
    TZMKAppConfig& config = NewConfig();
    const QByteArray nodes = R"("nodes": [{"id": 1, "parent": 0, "kind": 5, "caption": "Menú"}])";
    ASSERT_NO_FATAL_FAILURE(
        Write(config.ZMKFileName(), R"({"application": "Otra Aplicación", )" + nodes + "}"));
    config.LoadAppDefinition();
    EXPECT_EQ(config.IdentityError(),
              SharedStringFmt(1611, {QStringLiteral("ZMK-Escolia 2014 EXTENDED"),
                                     QStringLiteral("Otra Aplicación")}));

    ASSERT_NO_FATAL_FAILURE(Write(
        config.ZMKFileName(), R"({"application": "zmk-escolia 2014 extended", )" + nodes + "}"));
    config.LoadAppDefinition();
    EXPECT_EQ(config.IdentityError(), QString());  // without regard to case
    EXPECT_EQ(config.Definition().nodes.size(), 1u);

    // An empty tree passes, whatever it is called.
    ASSERT_NO_FATAL_FAILURE(Write(config.ZMKFileName(), R"({"application": "Otra", "nodes": []})"));
    config.LoadAppDefinition();
    EXPECT_EQ(config.IdentityError(), QString());

    // Without a file beside the executable, the built-in definition is loaded.
    QFile::remove(config.ZMKFileName());
    config.LoadAppDefinition();
    EXPECT_FALSE(config.Definition().nodes.empty());
    EXPECT_EQ(config.IdentityError(), QString());
}

TEST_F(AppConfig, IniFileBeforeConfigurationRaises) {
    TAppStartupSettings none;
    TZMKAppConfig config(Locations(), none);
    try {
        config.IniFile();
        FAIL() << "no error";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("IniFile not available, not initialized ZMKApplication"));
    }
}

}  // namespace
}  // namespace zmk::test
