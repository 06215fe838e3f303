// escolia-cli users --app: the application's users in the program's own settings store, found
// where the program looks ($XDG_CONFIG_HOME here), managed by its administrator only.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "maintenance/passwordhash.h"
#include "maintenance/passwordszmkapp.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

const bool kFastHashes = qputenv("ESCOLIA_PASSWORD_HASH_COST", "minimum");

class CliUsersApp : public ::testing::Test {
  protected:
    CliUsersApp() : previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    }
    ~CliUsersApp() override { qputenv("XDG_CONFIG_HOME", previous_); }

    CliResult Run(const QStringList& login, const QStringList& args) {
        return RunCli(login + QStringList{"users", "--app"} + args);
    }
    // The settings file the program reads its users from.
    QString StoreFile() const {
        return dir_.path() + QStringLiteral("/Torvanware/ZMK/ZMKAPP/ZMKEscoliaV16EXT.conf");
    }
    std::unique_ptr<TZMKPasswordsZMKApp> Store() const {
        auto key = std::make_unique<QSettings>(StoreFile(), QSettings::IniFormat);
        return std::make_unique<TZMKPasswordsZMKApp>(std::move(key));
    }

    QTemporaryDir dir_;
    QByteArray previous_;
    const QStringList admin_{"--user", "admin", "--password", "Clave1"};
};

TEST_F(CliUsersApp, TheAdministratorManagesTheUsersTheProgramLogsIn) {
    // Nobody is asked while no login is required: the first administrator is made so.
    CliResult r = Run({}, {"require", "on"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Se ha creado un usuario por defecto")) << r.err.toStdString();
    ASSERT_TRUE(QFile::exists(StoreFile()));
    r = Run({}, {"reset-password", "admin", "--password", "Clave1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    r = Run({}, {"list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("--user admin --password")) << r.err.toStdString();
    r = Run({"--user", "admin", "--password", "kiwop"}, {"list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("El nombre de usuario o la contraseña no son correctos"));

    r = Run(admin_, {"add", "eva", "--password", "Eva1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Run(admin_, {"edit", "EVA", "--password", "Eva2"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Run(admin_, {"list"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Requerir usuario: Si\nadmin\neva\n");

    // Another user is no administrator, and the administrator stays.
    r = Run({"--user", "eva", "--password", "Eva2"}, {"delete", "admin"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Solamente el administrador de la aplicación"))
        << r.err.toStdString();
    r = Run(admin_, {"delete", "admin"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("No se puede borrar el usuario \"admin\"")) << r.err.toStdString();

    std::unique_ptr<TZMKPasswordsZMKApp> store = Store();
    EXPECT_TRUE(store->NeedUserName());
    EXPECT_TRUE(store->Login("eva", "Eva2"));
    EXPECT_FALSE(store->Login("eva", "Eva1"));
    EXPECT_TRUE(IsPasswordHash(store->GetUser("eva").password));
    QFile file(StoreFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const char* clear : {"Clave1", "Eva1", "Eva2", "kiwop"})
        EXPECT_FALSE(text.contains(clear)) << clear;

    r = Run(admin_, {"delete", "eva"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Run(admin_, {"require", "off"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_FALSE(Store()->NeedUserName());
    EXPECT_EQ(Store()->UserNames(), QStringList{"admin"});
}

TEST_F(CliUsersApp, AResetWithoutPasswordPrintsOneAndWrongUsageChangesNothing) {
    ASSERT_EQ(Run({}, {"require", "on"}).status, 0);
    CliResult r = Run({}, {"reset-password", "ADMIN"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_TRUE(r.out.startsWith("Nueva contraseña de admin: ")) << r.out.toStdString();
    const QString password = r.out.section(": ", 1).trimmed();
    EXPECT_EQ(password.size(), 12);
    EXPECT_TRUE(Store()->Login("admin", password));

    QFile file(StoreFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const QStringList login{"--user", "admin", "--password", password};
    for (const QStringList& args :
         {QStringList{"add", "luis", "--admin"}, QStringList{"add", "luis", "--full-name", "Luis"},
          QStringList{"edit", "admin"}, QStringList{"require", "maybe"}, QStringList{"purge"},
          QStringList{"add"}}) {
        r = Run(login, args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
    }
    // A name or password the store cannot take is refused in its words.
    r = Run(login, {"add", "luis pons"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("sólo puede tener letras y números")) << r.err.toStdString();
    r = Run({}, {"reset-password", "nadie", "--password", "X1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("No existe el usuario \"nadie\"")) << r.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

}  // namespace
}  // namespace zmk::test
