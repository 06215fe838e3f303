// Per-table rights and read-only databases as the screens see them.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <memory>

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/appdefinition.h"
#include "host/forms/menuform.h"
#include "host/forms/screen.h"
#include "host/rights.h"
#include "tests/host_forms/pantallas.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

// The last message shown (empty when none was).
QString LastMessage(TScriptedPrompt& prompt) {
    const QStringList log = prompt.Log();
    return log.isEmpty() ? QString() : log.last();
}

// Refuses the listed rights on one table.
class Refusing : public TRightsProvider {
  public:
    Refusing(QString table, std::initializer_list<TTableRight> refused)
        : table_(std::move(table)), refused_(refused) {}
    bool Allows(const QString& table, TTableRight right) const override {
        return table.compare(table_, Qt::CaseInsensitive) != 0 ||
               std::find(refused_.begin(), refused_.end(), right) == refused_.end();
    }

  private:
    QString table_;
    std::vector<TTableRight> refused_;
};

// Installs a provider for the length of a test.
class ProviderScope {
  public:
    explicit ProviderScope(std::unique_ptr<TRightsProvider> p)
        : previous_(SetRightsProvider(std::move(p))) {}
    ~ProviderScope() { SetRightsProvider(std::move(previous_)); }

  private:
    std::unique_ptr<TRightsProvider> previous_;
};

TScreenDef Centros() {
    return test::PantallaCentros(
        {test::Edicion(QStringLiteral("ZMKdbeCodigo"), QStringLiteral("CodigoCentroT20"))});
}

TScreenDef Cursos() {
    TScreenDef def;
    def.id = QStringLiteral("cursos");
    def.caption = QStringLiteral("Cursos");
    def.table = QStringLiteral("T03Cursos");
    def.dataSource = 110;
    def.sql = QStringLiteral("SELECT * FROM T03Cursos WHERE IDCentroT03 = :MASTER");
    return def;
}

QAction* Action(TZMKScreen& screen, const QString& text) {
    return test::Accion(screen, text);
}

std::unique_ptr<TZMKScreen> OpenScreen(const TScreenDef& def) {
    return test::AbrePantalla(def);
}

// Types into an edit as the user does: the text changes, then the edit is left.
void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->textEdited(text);
    emit edit->editingFinished();
}

QString Codigo() {
    QSqlQuery q = DefaultDB().Query(QStringLiteral("SELECT CodigoCentroT20 FROM T20Centros"));
    return q.next() ? q.value(0).toString() : QString();
}

}  // namespace

TEST(ScreenRights, RefusedRightsDisableTheActionsAndTypingIsRefusedWithTheReason) {
    test::TestDatabase tdb;
    tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES ('A')"));
    ProviderScope scope(std::make_unique<Refusing>(
        QStringLiteral("t20centros"),
        std::initializer_list{TTableRight::Modify, TTableRight::Delete}));
    auto screen = OpenScreen(Centros());
    EXPECT_TRUE(Action(*screen, QStringLiteral("Nuevo"))->isEnabled());
    QAction* modify = Action(*screen, QStringLiteral("Modificar"));
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_FALSE(Action(*screen, QStringLiteral("Borrar"))->isEnabled());
    modify->trigger();  // the key does nothing
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Browse);

    auto* edit = screen->findChild<QLineEdit*>(QStringLiteral("ZMKdbeCodigo"));
    Type(edit, QStringLiteral("B"));
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Browse);
    EXPECT_EQ(edit->text(), QStringLiteral("A"));
    EXPECT_EQ(LastMessage(tdb.prompt()),
              QStringLiteral("ERROR ZMK-Escolia: No tiene permiso para modificar «Centros».\\nPida "
                             "acceso a un administrador."));
    EXPECT_EQ(Codigo(), QStringLiteral("A"));

    // Adding is still allowed.
    Action(*screen, QStringLiteral("Nuevo"))->trigger();
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Insert);
    screen->DataSet()->Cancel();
}

TEST(ScreenRights, AScreenWhoseTableCannotBeSeenDoesNotOpenAndItsDetailIsLeftOut) {
    test::TestDatabase tdb;
    TAppDefinition app;
    app.nodes = {TZMKNode{5, 0, 4, QStringLiteral("Cursos")},
                 TZMKNode{6, 0, 4, QStringLiteral("Centros")}};
    app.nodeScreens = {{5, QStringLiteral("cursos")}, {6, QStringLiteral("centros")}};
    app.screens.insert(QStringLiteral("cursos"), Cursos());
    TScreenDef centros = Centros();
    centros.details << TScreenDef::Detail{QStringLiteral("cursos"), QStringLiteral("IDCentroT20"),
                                          QStringLiteral("IDCentroT03"),
                                          std::make_shared<TScreenDef>(Cursos())};
    app.screens.insert(QStringLiteral("centros"), centros);
    TZMKMenuForm menu;
    menu.SetAppDefinition(app);
    EXPECT_EQ(TZMKScreen(centros, 6).Details().size(), 1u);

    ProviderScope scope(std::make_unique<Refusing>(QStringLiteral("T03Cursos"),
                                                   std::initializer_list{TTableRight::View}));
    EXPECT_FALSE(menu.CanOpenNode(5));
    EXPECT_TRUE(menu.CanOpenNode(6));
    EXPECT_EQ(menu.OpenNode(5), nullptr);
    EXPECT_EQ(LastMessage(tdb.prompt()),
              QStringLiteral("WARNING ZMK-Escolia: No tiene permiso para ver «Cursos».\\nPida "
                             "acceso a un administrador."));
    EXPECT_EQ(menu.centralWidget(), nullptr);
    TZMKScreen direct(Cursos(), 5);
    direct.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_THROW(direct.OpenQuery(), EZMKError);

    TZMKScreen* master = menu.OpenNode(6);
    ASSERT_NE(master, nullptr);
    EXPECT_TRUE(master->Details().empty());
}

TEST(ScreenRights, AReadOnlyDatabaseRefusesEveryChangeInTheScreenAndInSql) {
    test::TestDatabase tdb;
    tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES ('A')"));
    const QString path = tdb.path();
    ZMKApp().SetDefaultDB(TDataBaseZMK::OpenReadOnly(path));
    ASSERT_TRUE(DefaultDB().ReadOnly());
    EXPECT_EQ(Codigo(), QStringLiteral("A"));
    EXPECT_THROW(DefaultDB().ExecuteSQL(
                     QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES ('B')")),
                 EDatabaseError);
    EXPECT_THROW(DefaultDB().ExecuteSQL(QStringLiteral("DELETE FROM T20Centros")), EDatabaseError);

    auto screen = OpenScreen(Centros());
    for (const char* text : {"Nuevo", "Modificar", "Borrar"})
        EXPECT_FALSE(Action(*screen, QString::fromUtf8(text))->isEnabled()) << text;
    Type(screen->findChild<QLineEdit*>(QStringLiteral("ZMKdbeCodigo")), QStringLiteral("B"));
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Browse);
    EXPECT_EQ(LastMessage(tdb.prompt()),
              QStringLiteral("ERROR ZMK-Escolia: La base de datos está abierta sólo para lectura: "
                             "«Centros» no admite cambios.\\nPara hacer cambios, entre con un "
                             "usuario que tenga permiso de escritura."));
    // Past the screen's own refusal, SQLite refuses the write itself.
    EXPECT_FALSE(screen->Run([&] {
        screen->DataSet()->Edit();
        screen->DataSet()->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue("Z");
        screen->DataSet()->Post();
    }));
    screen->DataSet()->Cancel();
    screen.reset();
    EXPECT_EQ(Codigo(), QStringLiteral("A"));

    // The read-only open checks the file as the ordinary one does.
    EXPECT_THROW(TDataBaseZMK::OpenReadOnly(path + QStringLiteral(".no")), EDatabaseError);
    QFile text(path + QStringLiteral(".txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database at all");
    text.close();
    EXPECT_THROW(TDataBaseZMK::OpenReadOnly(text.fileName()), EDatabaseError);
}
