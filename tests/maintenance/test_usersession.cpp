#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/rights.h"
#include "maintenance/passwordsdatabase.h"
#include "maintenance/usersession.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

const bool kFastHashes = qputenv("ESCOLIA_PASSWORD_HASH_COST", "minimum");

// A company whose login is required: admin, a clerk who may write but only see the invoices,
// and a reader.
class UsersSession : public ::testing::Test {
  protected:
    void SetUp() override {
        TZMKPasswordsDataBase store(&tdb.db());
        store.SetNeedUserName(true);
        store.AddUser(TUserValues{"caja", "Caja1", "Caja", kUserEscritura});
        TTablesUserRights rights;
        rights.Get(QStringLiteral("T15FacturasCab")).SetValue(1);
        rights.Get(QStringLiteral("T04Profesores")).SetValue(0);
        store.SetUserRights(QStringLiteral("caja"), rights);
        store.AddUser(TUserValues{"lector", "Leer1", "Lector", 0});
    }
    void TearDown() override {
        CierraSesionBaseDatos();
        SetLoginHandler(nullptr);
    }
    test::TestDatabase tdb;
};

TEST_F(UsersSession, LoginDecidesRightsAndReadOnly) {
    EXPECT_EQ(test::ErrorMessage([&] { IniciaSesionBaseDatos(tdb.db()); }),
              QStringLiteral("No tiene permiso para abrir la base de datos"));
    SetLoginHandler([](TCustomZMKPasswords&) { return false; });
    EXPECT_EQ(test::ErrorMessage([&] { IniciaSesionBaseDatos(tdb.db()); }),
              QStringLiteral("No tiene permiso para abrir la base de datos"));
    EXPECT_FALSE(LoginBaseDatosActivo());

    SetLoginHandler(LoginConCredenciales("caja", "Caja1"));
    EXPECT_FALSE(IniciaSesionBaseDatos(tdb.db()));
    EXPECT_TRUE(LoginBaseDatosActivo());
    EXPECT_FALSE(PuedeGestionarUsuarios());
    EXPECT_TRUE(TableAllows(QStringLiteral("T15FacturasCab"), TTableRight::View));
    EXPECT_FALSE(TableAllows(QStringLiteral("T15FacturasCab"), TTableRight::Modify));
    EXPECT_FALSE(TableAllows(QStringLiteral("T04Profesores"), TTableRight::View));
    EXPECT_TRUE(TableAllows(QStringLiteral("T01Alumnos"), TTableRight::Delete));
    EXPECT_FALSE(EsGestorBaseDatos(tdb.db()));

    SetLoginHandler(LoginConCredenciales("lector", "Leer1"));
    EXPECT_TRUE(IniciaSesionBaseDatos(tdb.db()));

    SetLoginHandler(LoginConCredenciales("Admin", "kiwop"));
    EXPECT_FALSE(IniciaSesionBaseDatos(tdb.db()));
    EXPECT_TRUE(PuedeGestionarUsuarios());
    EXPECT_TRUE(EsGestorBaseDatos(tdb.db()));

    SetLoginHandler(LoginConCredenciales("nadie", "kiwop"));
    const QString unknown = test::ErrorMessage([&] { IniciaSesionBaseDatos(tdb.db()); });
    SetLoginHandler(LoginConCredenciales("caja", "mala"));
    EXPECT_EQ(test::ErrorMessage([&] { IniciaSesionBaseDatos(tdb.db()); }), unknown);
    EXPECT_EQ(unknown, QStringLiteral("El nombre de usuario o la contraseña no son correctos"));
    // A refused login leaves every right, as a database without users does.
    EXPECT_TRUE(TableAllows(QStringLiteral("T04Profesores"), TTableRight::View));
}

TEST_F(UsersSession, ReadOnlyUserIsRefusedByTheEngine) {
    SetLoginHandler(LoginConCredenciales("lector", "Leer1"));
    ASSERT_TRUE(IniciaSesionBaseDatos(tdb.db()));
    auto db = TDataBaseZMK::OpenReadOnly(tdb.path());
    EXPECT_THROW(db->ExecuteSQL(QStringLiteral("DELETE FROM T99ParametrosAplicacion")), EZMKError);
}

// escolia-cli over a company with the clerk who may not touch invoices.
class UsersCli : public ::testing::Test {
  protected:
    void SetUp() override {
        file = dir.filePath(QStringLiteral("empresa.db"));
        ASSERT_EQ(Cli({"demo", file, "--students", "5"}).status, 0);
        ASSERT_EQ(Cli({"users", "add", "caja", "--password", "Caja1", "--write", "--rights",
                       "T15FacturasCab=V,T04Profesores="})
                      .status,
                  0);
        ASSERT_EQ(Cli({"users", "add", "lector", "--password", "Leer1"}).status, 0);
        ASSERT_EQ(Cli({"users", "require", "on"}).status, 0);
    }
    test::CliResult Cli(QStringList args) {
        if (args.first() != QLatin1String("demo")) args = QStringList{"--db", file} + args;
        return test::RunCli(args);
    }
    QTemporaryDir dir;
    QString file;
};

TEST_F(UsersCli, LoginIsRequiredAndRightsAreEnforced) {
    test::CliResult r = Cli({"sql", "SELECT COUNT(*) FROM T01Alumnos"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No tiene permiso para abrir la base de datos")));
    r = Cli({"--user", "caja", "--password", "caja1", "users", "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no son correctos")));

    const QStringList admin{"--user", "admin", "--password", "kiwop"};
    const QStringList caja{"--user", "caja", "--password", "Caja1"};
    r = Cli(admin + QStringList{"--answer", "yes", "billing", "generate", "--month", "10", "--year",
                                "2025", "--date", "2025-10-01", "--series", "1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString before = Cli(admin + QStringList{"sql", "SELECT * FROM T15FacturasCab"}).out;

    r = Cli(caja + QStringList{"billing", "generate", "--month", "11", "--year", "2025", "--date",
                               "2025-11-01", "--series", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No tiene permiso para añadir registros en")));
    r = Cli(caja + QStringList{"billing", "apply", "collect", "--invoices", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No tiene permiso para modificar «Facturas»")));
    r = Cli(caja + QStringList{"proc", "FUNCIONES_FACTURAS", "--grid", "T15FacturasCab:1"});
    EXPECT_EQ(r.status, 1);
    r = Cli(caja + QStringList{"record", "edit", "T15FacturasCab", "1", "NumeroT15=99"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("«Cabecera de las facturas»")));
    r = Cli(caja + QStringList{"proc", "FUNCIONES_FACTURAS", "--query", "T04Profesores:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No tiene permiso para ver «Profesores»")));
    // Statements would reach every table.
    EXPECT_EQ(Cli(caja + QStringList{"sql", "SELECT 1"}).status, 1);
    EXPECT_EQ(Cli(admin + QStringList{"sql", "SELECT * FROM T15FacturasCab"}).out, before);

    r = Cli({"--user", "lector", "--password", "Leer1", "record", "insert", "T20Centros",
             "NombreCentroT20=Nuevo"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("sólo para lectura")));
}

TEST_F(UsersCli, ManagingUsersNeedsAnAdministratorAndNoPasswordIsKeptInClear) {
    const QStringList admin{"--user", "admin", "--password", "kiwop"};
    EXPECT_EQ(Cli({"--user", "caja", "--password", "Caja1", "users", "add", "otro"}).status, 1);
    test::CliResult r = Cli(admin + QStringList{"users", "list"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(
        r.out.contains(QStringLiteral("caja\tcaja\tLectura/Escritura\t"
                                      "T15FacturasCab=V,T04Profesores=")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("lector\tlector\tSólo lectura")));
    EXPECT_EQ(Cli(admin + QStringList{"users", "edit", "caja", "--password", "Nueva2",
                                      "--full-name", "Caja central"})
                  .status,
              0);
    EXPECT_EQ(Cli({"--user", "caja", "--password", "Nueva2", "users", "list"}).status, 1);
    EXPECT_EQ(Cli(admin + QStringList{"users", "delete", "admin"}).status, 1);
    EXPECT_EQ(Cli(admin + QStringList{"users", "add", "mal_nombre"}).status, 1);

    // Whoever can write the file resets a forgotten password without a login.
    r = Cli({"users", "reset-password", "ADMIN", "--password", "Otra9"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Cli(admin + QStringList{"users", "list"}).status, 1);
    EXPECT_EQ(Cli({"--user", "admin", "--password", "Otra9", "users", "list"}).status, 0);
    r = Cli({"users", "reset-password", "lector"});
    ASSERT_EQ(r.status, 0);
    const QString generated = r.out.section(QStringLiteral(": "), 1).trimmed();
    EXPECT_EQ(generated.size(), 12);
    EXPECT_EQ(Cli({"--user", "lector", "--password", generated, "users", "list"}).status, 1);
    EXPECT_EQ(Cli({"--user", "lector", "--password", generated, "sql", "SELECT 1"}).status, 1);

    QFile db(file);
    ASSERT_TRUE(db.open(QIODevice::ReadOnly));
    const QByteArray bytes = db.readAll();
    for (const char* clear : {"kiwop", "Caja1", "Nueva2", "Leer1", "Otra9"})
        EXPECT_FALSE(bytes.contains(clear)) << clear;
    EXPECT_FALSE(bytes.contains(generated.toUtf8()));
}

}  // namespace
}  // namespace zmk
