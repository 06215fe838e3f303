#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>

#include "maintenance/forms/password.h"
#include "maintenance/forms/passwords.h"
#include "maintenance/forms/uservalues.h"
#include "maintenance/passwordhash.h"
#include "maintenance/passwordsdatabase.h"
#include "maintenance/passwordszmkapp.h"
#include "maintenance/userrights.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

const bool kFastHashes = qputenv("ESCOLIA_PASSWORD_HASH_COST", "minimum");

class UsersDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        store.SetNeedUserName(true);
        store.AddUser(TUserValues{"ana", "Ana1", "Ana Gil", kUserEscritura});
    }
    QString Cell(TccFRMUserValues& d, int row, int column) {
        return d.sgPermisos->item(row, column)->text();
    }
    test::TestDatabase tdb;
    TZMKPasswordsDataBase store{&tdb.db()};
};

TEST_F(UsersDialogs, LoginSaysTheSameForEveryRefusalAndSlowsDownAfterThree) {
    TccFRMPassword dialog(store);
    dialog.SetRetryDelay(150);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Password"));
    EXPECT_EQ(dialog.ebPassword->echoMode(), QLineEdit::Password);
    const QStringList tries[] = {{"ana", "ana1"}, {"nadie", "Ana1"}, {"ANA", "x"}};
    for (const QStringList& t : tries) {
        dialog.ebUsuario->setText(t[0]);
        dialog.ebPassword->setText(t[1]);
        dialog.bbAceptarClick();
        EXPECT_EQ(tdb.prompt().Log().last(),
                  QStringLiteral("ERROR ZMK-Escolia: El nombre de usuario o la contraseña no "
                                 "son correctos"))
            << tdb.prompt().Log().last().toStdString();
        EXPECT_TRUE(dialog.ebPassword->text().isEmpty());
    }
    EXPECT_EQ(dialog.FailedAttempts(), 3);
    EXPECT_FALSE(dialog.bbAceptar->isEnabled());
    dialog.ebUsuario->setText("ana");
    dialog.ebPassword->setText("Ana1");
    dialog.bbAceptarClick();  // ignored while waiting
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    QElapsedTimer waited;
    waited.start();
    while (!dialog.bbAceptar->isEnabled() && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(dialog.bbAceptar->isEnabled());
    dialog.bbAceptarClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(store.CurrentUser().userName, QStringLiteral("ana"));
    EXPECT_TRUE(dialog.HelpText().contains(QStringLiteral("--db ARCHIVO users reset-password")));
}

TEST_F(UsersDialogs, EditorGridFollowsTheViewRuleAndStoresTheRights) {
    TccFRMUserValues editor(store, TUserEdit::Add, QString(), ProgramTables());
    ASSERT_EQ(editor.sgPermisos->rowCount(), ProgramTables().size());
    EXPECT_EQ(editor.sgPermisos->verticalHeaderItem(0)->text(), QStringLiteral("Alumnos"));
    EXPECT_EQ(editor.lblCaption->text(), QStringLiteral("Usuario de \"Base de Datos\""));
    EXPECT_EQ(editor.clbPropiedades->count(), 2);
    const int facturas = int(ProgramTables().indexOf("T15FacturasCab=Cabecera de las facturas"));
    editor.ToggleRight(facturas, 0);  // Ver off: all four off
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Cell(editor, facturas, c), QStringLiteral("No"));
    editor.ToggleRight(facturas, 3);  // Borrar on: Ver on too
    EXPECT_EQ(Cell(editor, facturas, 0), QStringLiteral("Si"));
    EXPECT_EQ(Cell(editor, facturas, 1), QStringLiteral("No"));
    EXPECT_EQ(Cell(editor, facturas, 3), QStringLiteral("Si"));

    editor.ebUsuario->setText("luis");
    editor.ebPassword->setText("mal clave");
    EXPECT_TRUE(test::ErrorMessage([&] {
                    editor.bbAceptarClick();
                }).startsWith(QStringLiteral("La contraseña sólo puede")));
    EXPECT_TRUE(store.GetUser("luis").IsEmpty());
    editor.ebPassword->setText(QString());  // an empty password is accepted
    editor.clbPropiedades->item(1)->setCheckState(Qt::Checked);
    editor.bbAceptarClick();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(store.GetUser("luis").properties, kUserEscritura);
    EXPECT_EQ(store.UserRights("luis").Find("T15FacturasCab")->Value(), 9);
    EXPECT_TRUE(store.Login("luis", QString()));

    // Changing the name only keeps the password; the administrator keeps its properties.
    TccFRMUserValues modify(store, TUserEdit::Modify, "ana", ProgramTables());
    EXPECT_FALSE(modify.ebPassword->isEnabled());
    modify.ebNombre->setText("Ana Gil Pons");
    modify.bbAceptarClick();
    EXPECT_TRUE(store.Login("ana", "Ana1"));
    EXPECT_EQ(store.GetUser("ana").fullName, QStringLiteral("Ana Gil Pons"));
    TccFRMUserValues admin(store, TUserEdit::Modify, "admin", ProgramTables());
    admin.clbPropiedades->item(0)->setCheckState(Qt::Unchecked);
    admin.bbAceptarClick();
    EXPECT_EQ(store.GetUser("admin").properties, 3);
}

TEST_F(UsersDialogs, ListDeletesAfterAskingAndTellsOnceAboutTheRestart) {
    TccFRMPasswords list(store, ProgramTables());
    EXPECT_TRUE(list.cbRequerirUsuario->isChecked());
    ASSERT_EQ(list.lvUsuarios->topLevelItemCount(), 2);
    EXPECT_EQ(list.lvUsuarios->topLevelItem(1)->text(2), QStringLiteral("Lectura/Escritura"));
    list.lvUsuarios->setCurrentItem(list.lvUsuarios->topLevelItem(1));
    tdb.prompt().Push("no");
    list.Borrar();
    EXPECT_EQ(list.lvUsuarios->topLevelItemCount(), 2);
    tdb.prompt().Push("yes");
    list.Borrar();
    EXPECT_EQ(store.UserNames(), QStringList{"admin"});
    EXPECT_EQ(tdb.prompt().Log().filter("tendrán efecto").size(), 1);
    list.SetRequerirUsuario(false);
    EXPECT_FALSE(list.lvUsuarios->isEnabled());
    EXPECT_EQ(tdb.prompt().Log().filter("tendrán efecto").size(), 1);
    list.runEditor = [](TccFRMUserValues& editor) {
        editor.ebUsuario->setText("eva");
        editor.ebPassword->setText("Eva1");
        editor.bbAceptarClick();
        return editor.result();
    };
    list.Nuevo();
    EXPECT_FALSE(store.GetUser("eva").IsEmpty());
    EXPECT_TRUE(IsPasswordHash(store.GetUser("eva").password));
}

TEST(AppUsersDialogs, TheLoginsHelpNamesTheApplicationsOwnWayBackIn) {
    QTemporaryDir settings;
    auto key = std::make_unique<QSettings>(settings.filePath("registry.ini"), QSettings::IniFormat);
    TZMKPasswordsZMKApp app(std::move(key));
    TccFRMPassword login(app);
    EXPECT_TRUE(login.HelpText().contains("escolia-cli users --app reset-password USUARIO"));
    EXPECT_FALSE(login.HelpText().contains("--db"));
}

// Pictures of the dialogs for a look (ESCOLIA_SCREENSHOTS: the folder to write them to).
TEST_F(UsersDialogs, Screenshots) {
    const QString dir = qEnvironmentVariable("ESCOLIA_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "ESCOLIA_SCREENSHOTS not set";
    TccFRMPassword login(store);
    TccFRMPasswords list(store, ProgramTables());
    TccFRMUserValues editor(store, TUserEdit::Modify, "ana", ProgramTables());
    for (auto [widget, name] : {std::pair<QWidget*, const char*>{&login, "login"},
                                {&list, "usuarios"},
                                {&editor, "usuario"}}) {
        widget->show();
        QApplication::processEvents();
        EXPECT_TRUE(widget->grab().save(dir + "/" + name + ".png"));
    }
    // The application's store: no properties, no table rights.
    QTemporaryDir settings;
    auto key = std::make_unique<QSettings>(settings.filePath("registry.ini"), QSettings::IniFormat);
    TZMKPasswordsZMKApp app(std::move(key));
    app.SetNeedUserName(true);
    app.AddUser(TUserValues{"eva", "Eva1", "eva", 0});
    TccFRMPasswords appList(app, QStringList());
    TccFRMUserValues appEditor(app, TUserEdit::Modify, "eva", QStringList());
    TccFRMPassword appLogin(app);
    for (auto [widget, name] : {std::pair<QWidget*, const char*>{&appList, "usuarios_app"},
                                {&appEditor, "usuario_app"},
                                {&appLogin, "login_app"}}) {
        widget->show();
        QApplication::processEvents();
        EXPECT_TRUE(widget->grab().save(dir + "/" + name + ".png"));
    }
}

}  // namespace
}  // namespace zmk
