#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "core/parametrosapp.h"
#include "host/errors.h"
#include "maintenance/passwordhash.h"
#include "maintenance/passwordsdatabase.h"
#include "maintenance/passwordszmkapp.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

// The hashes of these tests are cheap; the escolia-cli runs inherit it.
const bool kFastHashes = qputenv("ESCOLIA_PASSWORD_HASH_COST", "minimum");

TUserValues User(const QString& name, const QString& password, int props = 0) {
    return TUserValues{name, password, name, props};
}

TEST(TableUserRights, ViewFollowsTheOtherRightsAndValuesReadAsBits) {
    TTableUserRights r{QStringLiteral("T01Alumnos")};
    r.SetValue(0);
    r.Set(TTableUserRights::Borrar, true);
    EXPECT_TRUE(r.Has(TTableUserRights::Ver));
    EXPECT_EQ(r.Value(), 9);
    r.Set(TTableUserRights::Ver, false);
    EXPECT_EQ(r.Value(), 0);

    const TTablesUserRights list = TTablesUserRights::Parse(
        QStringLiteral("T01Alumnos=0000000005,T03Cursos=abc,T15FacturasCab=0000000002"));
    ASSERT_EQ(list.Items().size(), 2);
    EXPECT_TRUE(list.Allows(QStringLiteral("t01alumnos"), TTableUserRights::Ver));
    EXPECT_TRUE(list.Allows(QStringLiteral("T01Alumnos"), TTableUserRights::Modificar));
    EXPECT_FALSE(list.Allows(QStringLiteral("T01Alumnos"), TTableUserRights::Anadir));
    EXPECT_FALSE(list.Allows(QStringLiteral("T01Alumnos"), TTableUserRights::Borrar));
    // A value that is not a number is ignored: the table stays unrestricted.
    EXPECT_TRUE(list.Allows(QStringLiteral("T03Cursos"), TTableUserRights::Borrar));
    // Adding without seeing cannot be stored: it reads back with seeing.
    EXPECT_EQ(list.Find(QStringLiteral("T15FacturasCab"))->Value(), 3);
    EXPECT_EQ(list.ToString(), QStringLiteral("T01Alumnos=0000000005,T15FacturasCab=0000000003"));
}

TEST(PasswordHash, HashesMatchCaseSensitivelyAndOlderTextStillMatches) {
    const QString hash = HashPassword(QStringLiteral("Secreto1"));
    EXPECT_TRUE(IsPasswordHash(hash));
    EXPECT_FALSE(hash.contains(QStringLiteral("Secreto1")));
    EXPECT_NE(hash, HashPassword(QStringLiteral("Secreto1")));  // salted
    EXPECT_TRUE(PasswordMatches(hash, QStringLiteral("Secreto1")));
    EXPECT_FALSE(PasswordMatches(hash, QStringLiteral("secreto1")));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("viejo"), QStringLiteral("viejo")));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("viejo"), QStringLiteral("VIEJO")));
    EXPECT_EQ(StoredPassword(hash), hash);
}

TEST(PasswordsCheck, NamesAndPasswordsOnlyLettersAndDigits) {
    EXPECT_EQ(test::ErrorMessage([] { TCustomZMKPasswords::CheckValid("", "a"); }),
              QStringLiteral("El nombre de usuario no tiene valor"));
    EXPECT_TRUE(test::ErrorMessage([] {
                    TCustomZMKPasswords::CheckValid("ana_1", "a");
                }).startsWith(QStringLiteral("El nombre de usuario sólo puede")));
    EXPECT_TRUE(test::ErrorMessage([] {
                    TCustomZMKPasswords::CheckValid("ana", "a b");
                }).startsWith(QStringLiteral("La contraseña sólo puede")));
    EXPECT_EQ(test::ErrorMessage([] { TCustomZMKPasswords::CheckValid("Ana1", ""); }), "");
}

class DataBaseStore : public ::testing::Test {
  protected:
    QString SlotText(int n) {
        return tdb
            .Scalar(QStringLiteral("SELECT ValorTextoT99 FROM T99ParametrosAplicacion "
                                   "WHERE NombreParametroT99='USER_VALUE_%1'")
                        .arg(n))
            .toString();
    }
    test::TestDatabase tdb;
    TZMKPasswordsDataBase store{&tdb.db()};
};

TEST_F(DataBaseStore, LoginRulesOfTheBuiltInAdministrator) {
    EXPECT_FALSE(store.NeedUserName());
    EXPECT_TRUE(store.IsAdministrator());  // nobody logged in, no login in force
    store.SetNeedUserName(true);
    ASSERT_FALSE(tdb.prompt().Log().isEmpty());
    EXPECT_TRUE(tdb.prompt().Log().last().contains(QStringLiteral("\"kiwop\"")));
    EXPECT_TRUE(store.Login(QStringLiteral("ADMIN"), QStringLiteral("kiwop")));
    EXPECT_EQ(store.CurrentUser().userName, QStringLiteral("admin"));
    EXPECT_TRUE(store.IsAdministrator());
    EXPECT_FALSE(store.Login(QStringLiteral("admin"), QStringLiteral("KIWOP")));
    EXPECT_FALSE(store.LoggedIn());
    EXPECT_FALSE(store.Login(QStringLiteral("nadie"), QStringLiteral("kiwop")));

    store.ModifyUser(User(QStringLiteral("admin"), QStringLiteral("nueva"), 0));
    EXPECT_TRUE(tdb.prompt().Log().last().contains(QStringLiteral("es el ADMINISTRADOR")));
    EXPECT_EQ(store.GetUser(QStringLiteral("admin")).properties, 3);
    EXPECT_TRUE(store.Login(QStringLiteral("admin"), QStringLiteral("nueva")));
    EXPECT_EQ(test::ErrorMessage([&] { store.DeleteUser(QStringLiteral("Admin")); }),
              QStringLiteral("No se puede borrar el usuario \"Admin\""));
    EXPECT_EQ(test::ErrorMessage([&] { store.DeleteUser(QStringLiteral("otro")); }),
              QStringLiteral("No puede modificar el usuario"));
}

TEST_F(DataBaseStore, TenSlotsEmptyPasswordsAndNothingInClear) {
    store.AddUser(User(QStringLiteral("vacio"), QString(), kUserEscritura));
    EXPECT_TRUE(store.Login(QStringLiteral("vacio"), QString()));
    EXPECT_FALSE(store.Login(QStringLiteral("vacio"), QStringLiteral("x")));
    for (int i = 2; i <= 10; ++i)
        store.AddUser(User(QStringLiteral("user%1").arg(i), QStringLiteral("Clave%1x").arg(i)));
    EXPECT_EQ(store.UserNames().size(), 10);
    const QString before = tdb.Dump();
    EXPECT_EQ(test::ErrorMessage([&] { store.AddUser(User("once", "a")); }),
              QStringLiteral("No puede crear más usuarios"));
    EXPECT_EQ(tdb.Dump(), before);
    EXPECT_FALSE(before.contains(QStringLiteral("Clave5x")));
    EXPECT_TRUE(SlotText(5).startsWith(QStringLiteral("user5|$argon2id$")));
    EXPECT_TRUE(SlotText(5).endsWith(QStringLiteral("|user5|0000000000")));

    store.DeleteUser(QStringLiteral("USER3"));
    EXPECT_EQ(SlotText(3), QString());
    store.AddUser(User(QStringLiteral("nuevo"), QStringLiteral("n")));
    EXPECT_EQ(store.SlotOf(QStringLiteral("nuevo")), 3);
    EXPECT_TRUE(test::ErrorMessage([&] {
                    store.AddUser(User("NUEVO", "a"));
                }).startsWith(QStringLiteral("Ya existe el usuario")));
}

TEST_F(DataBaseStore, SlotsAndRightsAsStored) {
    EXPECT_EQ(TZMKPasswordsDataBase::ParseSlot(QStringLiteral("ana|x")).fullName, QString());
    EXPECT_EQ(TZMKPasswordsDataBase::ParseSlot(QStringLiteral("ana|x|Ana|abc")).properties, 0);
    EXPECT_EQ(TZMKPasswordsDataBase::ParseSlot(QStringLiteral("ana|x|Ana|0000000002")).properties,
              2);
    store.AddUser(User(QStringLiteral("ana"), QStringLiteral("a")));
    TTablesUserRights rights;
    rights.Get(QStringLiteral("T15FacturasCab")).SetValue(1);
    store.SetUserRights(QStringLiteral("ana"), rights);
    EXPECT_EQ(tdb.Scalar("SELECT ValorMemoT99 FROM T99ParametrosAplicacion WHERE "
                         "NombreParametroT99='USER_VALUE_1_TBLRIGHTS'")
                  .toString(),
              QStringLiteral("T15FacturasCab=0000000001"));
    EXPECT_EQ(tdb.Scalar("SELECT DescrParametroT99 FROM T99ParametrosAplicacion WHERE "
                         "NombreParametroT99='USER_VALUE_1_TBLRIGHTS'")
                  .toString(),
              QStringLiteral("Propiedades acceso usuario 1"));
    // A refused save writes neither the user nor its rights.
    const QString before = tdb.Dump();
    EXPECT_FALSE(
        test::ErrorMessage([&] { store.SaveUser(User("ANA", "x"), rights, true); }).isEmpty());
    EXPECT_EQ(tdb.Dump(), before);
    // Changing the user's password keeps the rights.
    store.ModifyUser(User(QStringLiteral("ana"), QStringLiteral("b")));
    EXPECT_FALSE(store.UserRights(QStringLiteral("ANA"))
                     .Allows(QStringLiteral("T15FacturasCab"), TTableUserRights::Modificar));
}

TEST_F(DataBaseStore, OlderTypedPasswordsLogInAndEndHashed) {
    TParametrosApp options;
    options.SetDataBase(&tdb.db());
    options.SetValue(QStringLiteral("USER_NEED"), true);
    options.SetValue(QStringLiteral("USER_VALUE_1"),
                     QStringLiteral("admin|kiwop|admin|0000000003"));
    options.SetValue(QStringLiteral("USER_VALUE_2"), QStringLiteral("luis|Luis22|Luis|0000000002"));
    options.SetValue(QStringLiteral("USER_VALUE_3"), QStringLiteral("eva|Eva3|Eva|0000000000"));
    EXPECT_TRUE(store.NeedUserName());
    EXPECT_FALSE(store.Login(QStringLiteral("luis"), QStringLiteral("luis22")));
    EXPECT_TRUE(store.Login(QStringLiteral("LUIS"), QStringLiteral("Luis22")));
    EXPECT_TRUE(IsPasswordHash(store.GetUser(QStringLiteral("luis")).password));
    // The save at that login took the other older passwords with it.
    const QString dump = tdb.Dump();
    for (const char* clear : {"kiwop", "Luis22", "Eva3"})
        EXPECT_FALSE(dump.contains(QLatin1String(clear))) << clear;
    EXPECT_TRUE(store.Login(QStringLiteral("eva"), QStringLiteral("Eva3")));
    EXPECT_TRUE(store.Login(QStringLiteral("admin"), QStringLiteral("kiwop")));
    EXPECT_FALSE(store.MayWrite() && store.CurrentUser().userName == QStringLiteral("eva"));
}

TEST(AppStore, UsersUnderTheApplicationKey) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("registry.ini"));
    auto settings = [&] {
        auto s = std::make_unique<QSettings>(file, QSettings::IniFormat);
        s->beginGroup(QStringLiteral("Software/Torvanware/ZMK/ZMKAPP/Prueba"));
        return s;
    };
    TZMKPasswordsZMKApp store(settings());
    EXPECT_EQ(store.Title(), QStringLiteral("Aplicación"));
    EXPECT_TRUE(store.PropertyNames().isEmpty());
    EXPECT_EQ(test::ErrorMessage([&] { store.GetUser(QStringLiteral("pepe")); }),
              QStringLiteral("No existe el usuario \"pepe\""));
    store.SetNeedUserName(true);
    store.AddUser(User(QStringLiteral("Pepe"), QStringLiteral("Pepe123"), 0));
    EXPECT_EQ(store.UserNames(), (QStringList{"Pepe", "admin"}));

    TZMKPasswordsZMKApp again(settings());
    EXPECT_TRUE(again.NeedUserName());
    EXPECT_EQ(again.GetUser(QStringLiteral("PEPE")).fullName, QStringLiteral("Pepe"));
    EXPECT_TRUE(again.Login(QStringLiteral("pepe"), QStringLiteral("Pepe123")));
    EXPECT_FALSE(again.Login(QStringLiteral("pepe"), QStringLiteral("pepe123")));
    EXPECT_TRUE(again.Login(QStringLiteral("admin"), QStringLiteral("kiwop")));
    again.DeleteUser(QStringLiteral("pepe"));
    EXPECT_EQ(again.UserNames(), QStringList{"admin"});

    QFile text(file);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray content = text.readAll();
    EXPECT_TRUE(content.contains("NEEDUSERNAME=true"));
    EXPECT_FALSE(content.contains("kiwop"));
    EXPECT_FALSE(content.contains("Pepe123"));
}

}  // namespace
}  // namespace zmk
