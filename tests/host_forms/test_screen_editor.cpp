// Data-source plug-in editors beside the screens' data-aware edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QToolButton>
#include <memory>

#include "host/database.h"
#include "host/datasources.h"
#include "host/forms/appdefinition.h"
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

const QString kPlugin = QStringLiteral("PRUEBA_EDITOR");

// What the fake plug-in saw and how it answers.
struct PluginScript {
    bool accept = true;
    QStringList received;
};
PluginScript script;

class FakeEditor : public TCustomZMKDataSourceAbstract {
  public:
    bool Execute(const QString&) override {
        const QString value = ParamsGetValor(kFieldValue).toString();
        script.received << value;
        if (!script.accept) return false;
        ParamsSetValor(kFieldValue, value + QStringLiteral(" (editado)"));
        return true;
    }
};

// Counts the field changes a data set announces, as the rules would see them.
class FieldChanges : public IDataEventSink {
  public:
    void DataEvent(TDataEvent, TDataSet&) override {}
    void DataChange(TDataSet&, TField* field) override {
        if (field) fields << field->FieldName();
    }
    QStringList fields;
};

class ScreenEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        script = PluginScript{};
        ZMKDataSource_RegisterClassName(kPlugin, [](const QString&) {
            return std::unique_ptr<TCustomZMKDataSourceAbstract>(new FakeEditor);
        });
        tdb_.db().ExecuteSQL(QStringLiteral(
            "INSERT INTO T20Centros (CodigoCentroT20, NombreCentroT20) VALUES ('A', 'Centro')"));
    }
    void TearDown() override { ZMKDataSource_UnRegisterCreateClass(kPlugin); }

    static TScreenDef Def() {
        return test::PantallaCentros(
            {test::Edicion(QStringLiteral("ZMKdbeNombre"), QStringLiteral("NombreCentroT20"),
                           QStringLiteral("prueba_editor")),
             test::Edicion(QStringLiteral("ZMKdbeCodigo"), QStringLiteral("CodigoCentroT20"),
                           QStringLiteral("NO_REGISTRADO"))});
    }
    std::unique_ptr<TZMKScreen> Open() { return test::AbrePantalla(Def()); }

    test::TestDatabase tdb_;
};

}  // namespace

TEST_F(ScreenEditor, TheButtonEditsTheFieldAsTypingWouldAndCancelLeavesTheRecord) {
    auto screen = Open();
    auto* button = screen->findChild<QToolButton*>(QStringLiteral("ZMKdbeNombreEditor"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("..."));
    EXPECT_EQ(button->toolTip(), QStringLiteral("prueba_editor"));
    // A name no plug-in answers to gets no button; the edit itself still shows its field.
    EXPECT_EQ(screen->findChild<QToolButton*>(QStringLiteral("ZMKdbeCodigoEditor")), nullptr);
    EXPECT_EQ(screen->findChild<QLineEdit*>(QStringLiteral("ZMKdbeCodigo"))->text(),
              QStringLiteral("A"));

    FieldChanges changes;
    screen->DataSet()->AddObserver(&changes);
    script.accept = false;
    button->click();
    EXPECT_EQ(script.received, QStringList{QStringLiteral("Centro")});
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Browse);
    EXPECT_TRUE(changes.fields.isEmpty());

    script.accept = true;
    button->click();
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Edit);
    EXPECT_EQ(screen->DataSet()->FieldByName(QStringLiteral("NombreCentroT20")).AsString(),
              QStringLiteral("Centro (editado)"));
    EXPECT_TRUE(changes.fields.contains(QStringLiteral("NombreCentroT20")));
    auto* edit = screen->findChild<QLineEdit*>(QStringLiteral("ZMKdbeNombre"));
    EXPECT_EQ(edit->text(), QStringLiteral("Centro (editado)"));

    // F4 in the edit opens the same editor on what the edit now shows.
    QAction* f4 = nullptr;
    for (QAction* a : edit->actions())
        if (a->shortcut() == QKeySequence(Qt::Key_F4)) f4 = a;
    ASSERT_NE(f4, nullptr);
    f4->trigger();
    EXPECT_EQ(script.received.last(), QStringLiteral("Centro (editado)"));
    EXPECT_TRUE(screen->Run([&] { screen->DataSet()->Post(); }));
    screen->DataSet()->RemoveObserver(&changes);
    EXPECT_EQ(tdb_.Scalar(QStringLiteral("SELECT NombreCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("Centro (editado) (editado)"));
}

TEST_F(ScreenEditor, AnImageClassGivesTheButtonItsPictureAndMissingRightsRefuseTheValue) {
    ZMKDataSource_AddImageBitmapFromOtherClass(kPlugin, QStringLiteral("SEARCH"));
    auto screen = Open();
    auto* button = screen->findChild<QToolButton*>(QStringLiteral("ZMKdbeNombreEditor"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->text().isEmpty());
    EXPECT_FALSE(button->icon().isNull());

    class NoModify : public TRightsProvider {
        bool Allows(const QString&, TTableRight right) const override {
            return right != TTableRight::Modify;
        }
    };
    auto previous = SetRightsProvider(std::make_unique<NoModify>());
    button->click();
    SetRightsProvider(std::move(previous));
    EXPECT_EQ(screen->DataSet()->State(), TDataSetState::Browse);
    EXPECT_EQ(screen->findChild<QLineEdit*>(QStringLiteral("ZMKdbeNombre"))->text(),
              QStringLiteral("Centro"));
    EXPECT_TRUE(LastMessage(tdb_.prompt())
                    .contains(QStringLiteral("No tiene permiso para modificar «Centros».")));
}
