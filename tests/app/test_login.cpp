// The logins of the program: the application password at start-up and the company's users.
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "app/mainwindow.h"
#include "host/errors.h"
#include "maintenance/forms/password.h"
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

}  // namespace
}  // namespace zmk::test
