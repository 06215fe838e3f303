// A company database opened for a user who may only read, and screens the user may not see.
#include <QAction>

#include "app/mainwindow.h"
#include "core/strings.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/rights.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

// A narrow screen: no window-mode question.
class NarrowMenu : public TFRMMenu {
  protected:
    int ScreenWidth() const override { return 800; }
};

class NoStudentsNorCentres : public TRightsProvider {
  public:
    bool Allows(const QString& table, TTableRight right) const override {
        return right != TTableRight::View ||
               (table.compare(QStringLiteral("T01Alumnos"), Qt::CaseInsensitive) != 0 &&
                table.compare(QStringLiteral("T20Centros"), Qt::CaseInsensitive) != 0);
    }
};

class ReadOnlyCompany : public AppFixture {};

TEST_F(ReadOnlyCompany, TheLoginsReadOnlyFlagOpensTheFileForReadingOnly) {
    NewConfig();
    NarrowMenu w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));  // first run: the demo company, writable
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    EXPECT_FALSE(DefaultDB().ReadOnly());

    // The users module answers the login: this user may only read.
    config_->DataBases().Hooks().inicioSesion = [](TDataBaseZMK&) { return true; };
    config_->Disconnect();
    config_->DataBases().OpenDatabase(0);
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    EXPECT_TRUE(config_->ReadOnly());
    EXPECT_TRUE(DefaultDB().ReadOnly());
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("ZMK-Escolia v16 \"Academia Demo\" ") + SharedString(1004));
    EXPECT_THROW(DefaultDB().ExecuteSQL(QStringLiteral("UPDATE T20Centros SET NombreCentroT20 = "
                                                       "'Otro'")),
                 EDatabaseError);
    EXPECT_FALSE(TableAllows(QStringLiteral("T01Alumnos"), TTableRight::Add));
    EXPECT_TRUE(TableAllows(QStringLiteral("T01Alumnos"), TTableRight::View));
    const QString log = Log().join(u'\n');
    EXPECT_FALSE(log.contains(QStringLiteral("ERROR"))) << log.toStdString();

    // A user who may write gets the ordinary connection again.
    config_->DataBases().Hooks().inicioSesion = [](TDataBaseZMK&) { return false; };
    config_->Disconnect();
    config_->DataBases().OpenDatabase(0);
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    EXPECT_FALSE(DefaultDB().ReadOnly());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZMK-Escolia v16 \"Academia Demo\""));
}

TEST_F(ReadOnlyCompany, AScreenTheUserMayNotSeeHasItsMenuEntryAndButtonDisabled) {
    NewConfig();
    NarrowMenu w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    auto entry = [&w](int node) {
        return w.findChild<QAction*>(QStringLiteral("MenuItem_idnode_%1").arg(node));
    };
    ASSERT_NE(entry(11780), nullptr);  // Alumnos
    ASSERT_NE(entry(11778), nullptr);  // Cursos
    w.UpdateActions();
    EXPECT_TRUE(entry(11780)->isEnabled());
    EXPECT_TRUE(w.Action(QStringLiteral("ActLAlumnos"))->isEnabled());
    EXPECT_TRUE(w.Action(QStringLiteral("ActLSelectCentro"))->isEnabled());

    auto previous = SetRightsProvider(std::make_unique<NoStudentsNorCentres>());
    w.UpdateActions();
    EXPECT_FALSE(entry(11780)->isEnabled());
    EXPECT_FALSE(w.Action(QStringLiteral("ActLAlumnos"))->isEnabled());
    EXPECT_FALSE(w.Action(QStringLiteral("ActLSelectCentro"))->isEnabled());
    EXPECT_TRUE(entry(11778)->isEnabled());
    EXPECT_TRUE(w.Action(QStringLiteral("ActLCursos"))->isEnabled());
    SetRightsProvider(std::move(previous));
}

}  // namespace
}  // namespace zmk::test
