// The logins of the program: the application password at start-up and the company's users.
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/menuactions.h"
#include "host/errors.h"
#include "maintenance/forms/password.h"
#include "maintenance/forms/passwords.h"
#include "maintenance/passwordsdatabase.h"
#include "maintenance/passwordszmkapp.h"
#include "maintenance/usersession.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

const bool kFastHashes = qputenv("ESCOLIA_PASSWORD_HASH_COST", "minimum");

class NarrowWindow : public TFRMMenu {
  protected:
    int ScreenWidth() const override { return 800; }
};

// Answers the next login dialog with a name and password, or cancels it.
void AnswerLogin(const QString& user, const QString& password, bool cancel = false) {
    QTimer::singleShot(0, [=] {
        auto* dialog = dynamic_cast<TccFRMPassword*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (cancel) {
            dialog->reject();
            return;
        }
        dialog->ebUsuario->setText(user);
        dialog->ebPassword->setText(password);
        dialog->bbAceptarClick();
    });
}

class Logins : public AppFixture {
  protected:
    void TearDown() override {
        CierraSesionBaseDatos();
        FijaUsuarioAplicacion(TUserValues());
        AppFixture::TearDown();
    }
};

TEST_F(Logins, ApplicationPasswordAtStartUpOrTheProgramEnds) {
    NewConfig();
    {
        TZMKPasswordsZMKApp store(config_->Registry());
        store.SetNeedUserName(true);
        store.AddUser(TUserValues{"pepe", "Pepe1", "pepe", 0});
    }
    {
        NarrowWindow w;
        AnswerLogin(QString(), QString(), true);
        EXPECT_THROW(ArrancaAplicacion(*config_, w), EAbort);
    }
    NewConfig();
    NarrowWindow w;
    AnswerLogin("PEPE", "Pepe1");
    EXPECT_TRUE(ArrancaAplicacion(*config_, w));
    EXPECT_NE(ZMKApp().GetDefaultDB(), nullptr);
}

TEST_F(Logins, CompanyLoginDecidesTheConnectionAndTheUsersMenu) {
    NewConfig();
    NarrowWindow w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));  // the demo company, no users yet
    w.UpdateActions();
    EXPECT_TRUE(w.Action("ActConfUsuariosBaseDatos")->isEnabled());
    {
        TZMKPasswordsDataBase store;
        store.SetNeedUserName(true);
        store.AddUser(TUserValues{"lector", "Leer1", "Lector", 0});
    }
    config_->Disconnect();
    AnswerLogin(QString(), QString(), true);
    EXPECT_EQ(ErrorMessage([&] { config_->DataBases().OpenDatabase(0); }),
              QStringLiteral("No tiene permiso para abrir la base de datos"));
    EXPECT_EQ(ZMKApp().GetDefaultDB(), nullptr);

    AnswerLogin("lector", "Leer1");
    config_->DataBases().OpenDatabase(0);
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    EXPECT_TRUE(DefaultDB().ReadOnly());
    w.UpdateActions();
    EXPECT_FALSE(w.Action("ActConfUsuariosBaseDatos")->isEnabled());

    // The wizard's manager check logs in again: the reader is no manager.
    const QString file = config_->DataBases().OpenEntry().archivo;
    AnswerLogin("lector", "Leer1");
    EXPECT_FALSE(config_->DataBases().Hooks().esAdministrador(*TDataBaseZMK::Open(file)));
    AnswerLogin("admin", "kiwop");
    EXPECT_TRUE(config_->DataBases().Hooks().esAdministrador(*TDataBaseZMK::Open(file)));
}

TEST_F(Logins, ApplicationUsersFromTheMenuLogInAtTheNextStart) {
    NewConfig();
    {
        NarrowWindow w;
        ASSERT_TRUE(ArrancaAplicacion(*config_, w));  // no application login yet
        w.UpdateActions();
        QAction* action = w.Action("ActConfUsuariosAplicacion");
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* list = dynamic_cast<TccFRMPasswords*>(QApplication::activeModalWidget());
            ASSERT_NE(list, nullptr);
            shown = true;
            list->cbRequerirUsuario->click();
            list->runEditor = [](TccFRMUserValues& editor) {
                // Name and password only: no properties, no table rights.
                EXPECT_TRUE(editor.sgPermisos->isHidden());
                EXPECT_TRUE(editor.clbPropiedades->isHidden());
                EXPECT_TRUE(editor.ebNombre->isHidden());
                editor.ebUsuario->setText("eva");
                editor.ebPassword->setText("Eva1");
                editor.bbAceptarClick();
                return editor.result();
            };
            list->Nuevo();
            ASSERT_EQ(list->lvUsuarios->topLevelItemCount(), 2);
            // A kind would read "Sólo lectura", which these users are not.
            EXPECT_TRUE(list->lvUsuarios->isColumnHidden(2));
            list->lvUsuarios->setCurrentItem(list->lvUsuarios->topLevelItem(1));
            list->runEditor = [](TccFRMUserValues& editor) {
                editor.cbCambiarPassword->setChecked(true);
                editor.ebPassword->setText("Eva2");
                editor.bbAceptarClick();
                return editor.result();
            };
            list->Modificar();
            list->reject();
        });
        action->trigger();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(Log().join(u'\n').contains("Se ha creado un usuario por defecto"));
    }
    {
        TZMKPasswordsZMKApp store(config_->Registry());
        EXPECT_TRUE(store.NeedUserName());
        EXPECT_EQ(store.UserNames(), (QStringList{"admin", "eva"}));
        EXPECT_FALSE(store.Login("eva", "Eva1"));
    }

    // The next start asks; the new user gets in, but may not manage the users.
    NewConfig();
    {
        NarrowWindow w;
        AnswerLogin("EVA", "Eva2");
        ASSERT_TRUE(ArrancaAplicacion(*config_, w));
        EXPECT_EQ(UsuarioAplicacion().userName, QStringLiteral("eva"));
        w.UpdateActions();
        EXPECT_FALSE(w.Action("ActConfUsuariosAplicacion")->isEnabled());
        EXPECT_TRUE(ErrorMessage([&] {
                        UsuariosAplicacion(&w);
                    }).startsWith("Solamente el administrador de la aplicación"));
    }
    NewConfig();
    NarrowWindow w;
    AnswerLogin("admin", "kiwop");
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    w.UpdateActions();
    EXPECT_TRUE(w.Action("ActConfUsuariosAplicacion")->isEnabled());
}

}  // namespace
}  // namespace zmk::test
