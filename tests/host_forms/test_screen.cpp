#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTableView>

#include "core/centroactual.h"
#include "host/currency.h"
#include "host/forms/appdefinition.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "host/parametres.h"
#include "tests/host_forms/pantallas.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {
// The centres with their code inside the record form's panel.
TScreenDef Centros() {
    TControlDef panel;
    panel.name = QStringLiteral("PControlsEntradaDades");
    panel.type = QStringLiteral("panel");
    TControlDef codigo =
        test::Edicion(QStringLiteral("ZMKdbeCodigo"), QStringLiteral("CodigoCentroT20"));
    codigo.label = QStringLiteral("Código");
    panel.children << codigo;
    return test::PantallaCentros({panel});
}
}  // namespace

TEST(Screen, TypingEditsTheRecordAndPostingWritesIt) {
    test::TestDatabase tdb;
    tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES ('A')"));
    auto opened = test::AbrePantalla(Centros());
    TZMKScreen& screen = *opened;
    auto* edit = screen.findChild<QLineEdit*>(QStringLiteral("ZMKdbeCodigo"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("A"));
    edit->setText(QStringLiteral("B"));
    emit edit->textEdited(edit->text());
    EXPECT_EQ(screen.DataSet()->State(), TDataSetState::Edit);
    // Closing with unsaved changes asks; the default (Yes) saves them.
    EXPECT_TRUE(screen.CanClose());
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT CodigoCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("B"));
    EXPECT_TRUE(tdb.prompt().Log().first().contains(QStringLiteral("¿Guardar los cambios?")));
}

TEST(Screen, ARefusedInsertShowsTheRulesTextAndKeepsTheScreenAsItWas) {
    test::TestDatabase tdb;
    TScreenDef def = Centros();
    def.table = QStringLiteral("T03Cursos");
    def.dataSource = 110;
    def.sql = QStringLiteral("SELECT * FROM T03Cursos");
    def.columns.clear();
    def.form.clear();
    TZMKScreen screen(def, 11778);
    screen.setAttribute(Qt::WA_DeleteOnClose, false);
    screen.OpenQuery();
    EXPECT_FALSE(screen.Run([&] { screen.DataSet()->Append(); }));
    EXPECT_EQ(screen.DataSet()->State(), TDataSetState::Browse);
    EXPECT_TRUE(tdb.prompt().Log().last().startsWith(
        QStringLiteral("ERROR ZMK-Escolia: No ha seleccionado ningún CENTRO")));
}

namespace {
void Trigger(TZMKScreen& screen, const QString& caption) {
    QAction* a = test::Accion(screen, caption);
    ASSERT_NE(a, nullptr) << caption.toStdString();
    a->trigger();
}
}  // namespace

TEST(Screen, UndoingTypedChangesAsksFirstAndANewRecordBecomesTheGridsCurrentRow) {
    test::TestDatabase tdb;
    tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES ('A')"));
    auto opened = test::AbrePantalla(Centros());
    TZMKScreen& screen = *opened;
    auto* edit = screen.findChild<QLineEdit*>(QStringLiteral("ZMKdbeCodigo"));
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Nuevo")));
    edit->setText(QStringLiteral("Z"));
    emit edit->textEdited(edit->text());
    ASSERT_TRUE(screen.HasChanges());
    // No (the default) keeps the typed record; Yes drops it.
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Cancelar")));
    EXPECT_EQ(screen.DataSet()->State(), TDataSetState::Insert);
    EXPECT_EQ(edit->text(), QStringLiteral("Z"));
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Cancelar")));
    EXPECT_EQ(screen.DataSet()->State(), TDataSetState::Browse);
    EXPECT_EQ(tdb.prompt().Log().size(), 4);  // two questions, each with its answer
    EXPECT_TRUE(tdb.prompt().Log().first().contains(QStringLiteral("¿Desea deshacerlos?")));

    // A record without changes is left at once; a posted new one is the grid's current row.
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Nuevo")));
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Cancelar")));
    EXPECT_EQ(tdb.prompt().Log().size(), 4);
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Nuevo")));
    edit->setText(QStringLiteral("B"));
    emit edit->textEdited(edit->text());
    ASSERT_NO_FATAL_FAILURE(Trigger(screen, QStringLiteral("Aceptar")));
    auto* grid = screen.findChild<QTableView*>(QStringLiteral("DBGrid"));
    ASSERT_EQ(screen.DataSet()->RecNo(), 2);
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST(Screen, AmountsInListsFollowTheCurrencyMask) {
    const QVariant amount = QVariant::fromValue(Currency::FromRaw(12345000));  // 1234.5
    Parametres().DeleteParam(QStringLiteral("DIVISA_MASK"));
    EXPECT_EQ(TDataSetModel::DisplayText(amount, QStringLiteral("money")),
              QStringLiteral("1.234,50"));
    Parametres().SetParametreValue(QStringLiteral("DIVISA_MASK"), QStringLiteral("#0.000"));
    EXPECT_EQ(TDataSetModel::DisplayText(amount, QStringLiteral("money")),
              QStringLiteral("1234,500"));
    Parametres().DeleteParam(QStringLiteral("DIVISA_MASK"));
    // Being typed: read back as shown, two decimals at least.
    EXPECT_EQ(TDataSetModel::DisplayText(amount, QStringLiteral("amount")),
              QStringLiteral("1234,50"));
    EXPECT_EQ(TDataSetModel::DisplayText(QVariant::fromValue(Currency::FromRaw(-1234)),
                                         QStringLiteral("amount")),
              QStringLiteral("-0,1234"));
}
