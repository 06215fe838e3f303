#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "core/parametrosapp.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/errors.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {
class ParametrosAppTest : public ::testing::Test {
  protected:
    test::TestDatabase tdb;
    TParametrosApp params;  // bound to the default database on first use
    QString ColumnOf(const QString& name) {
        return tdb
            .Scalar(QStringLiteral("SELECT NombreCampoValorT99 FROM T99ParametrosAplicacion "
                                   "WHERE NombreParametroT99='%1'")
                        .arg(name))
            .toString();
    }
};
}  // namespace

TEST_F(ParametrosAppTest, ReadsFallBackToTheDefault) {
    EXPECT_EQ(params.AsInteger(QStringLiteral("Nada"), 4), 4);
    EXPECT_FALSE(params.GetValue(QStringLiteral("Nada")).isValid());
    params.SetValue(QStringLiteral("Texto12"), QStringLiteral("12"));
    EXPECT_EQ(params.AsInteger(QStringLiteral("Texto12"), 0), 12);
    params.SetValue(QStringLiteral("TextoMalo"), QStringLiteral("abc"));
    EXPECT_EQ(params.AsInteger(QStringLiteral("TextoMalo"), 9), 9);
    EXPECT_EQ(params.AsString(QStringLiteral("TextoMalo"), QString()), QStringLiteral("abc"));
    params.SetValue(QStringLiteral("Activo"), true);
    EXPECT_TRUE(params.AsBoolean(QStringLiteral("Activo"), false));
}

TEST_F(ParametrosAppTest, NewRowsTakeTheColumnOfTheValuesType) {
    params.SetValue(QStringLiteral("Doble"), 2.5);
    EXPECT_EQ(ColumnOf(QStringLiteral("Doble")), QStringLiteral("ValorFechaHoraT99"));
    params.SetValue(QStringLiteral("Entero"), 3);
    EXPECT_EQ(ColumnOf(QStringLiteral("Entero")), QStringLiteral("ValorIntegerT99"));
    params.SetValue(QStringLiteral("Dinero"), QVariant::fromValue(*Currency::Parse("1.5")));
    EXPECT_EQ(ColumnOf(QStringLiteral("Dinero")), QStringLiteral("ValorCurrencyT99"));
    // A Null value on a new name is not storable: no row.
    params.SetValue(QStringLiteral("Nulo"), QVariant());
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T99ParametrosAplicacion WHERE "
                                        "NombreParametroT99='Nulo'"))
                  .toInt(),
              0);
    // The first row got identifier 1, the next ones follow.
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT MIN(IDParamAplicT99) FROM T99ParametrosAplicacion"))
                  .toInt(),
              1);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT MAX(IDParamAplicT99) FROM T99ParametrosAplicacion"))
                  .toInt(),
              3);
}

TEST_F(ParametrosAppTest, AnExistingRowKeepsItsType) {
    params.SetValue(QStringLiteral("Bandera"), false);
    params.SetValue(QStringLiteral("Bandera"), 1);
    EXPECT_EQ(ColumnOf(QStringLiteral("Bandera")), QStringLiteral("ValorBooleanT99"));
    EXPECT_TRUE(params.AsBoolean(QStringLiteral("Bandera"), false));
    tdb.db().ExecuteSQL(
        QStringLiteral("INSERT INTO T99ParametrosAplicacion (IDParamAplicT99, "
                       "NombreParametroT99, NombreCampoValorT99) VALUES (50, "
                       "'Roto', 'OtraCosa')"));
    try {
        params.SetValue(QStringLiteral("Roto"), 1);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("El tipo de parametro no es válido"));
    }
}

TEST_F(ParametrosAppTest, DefineKeepsTheUsersValueWhenTheTypeIsTheSame) {
    params.DefineParametro(QStringLiteral("Opcion"), QStringLiteral("primera"), 5, tpInteger);
    params.SetValue(QStringLiteral("Opcion"), 8);
    params.DefineParametro(QStringLiteral("Opcion"), QStringLiteral("segunda"), 5, tpInteger);
    EXPECT_EQ(params.AsInteger(QStringLiteral("Opcion"), 0), 8);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT DescrParametroT99 FROM T99ParametrosAplicacion"))
                  .toString(),
              QStringLiteral("segunda"));
    // A different type moves the parameter to the new column with the new value.
    params.DefineParametro(QStringLiteral("Opcion"), QStringLiteral("tercera"), QStringLiteral("x"),
                           tpTexto);
    EXPECT_EQ(ColumnOf(QStringLiteral("Opcion")), QStringLiteral("ValorTextoT99"));
    EXPECT_EQ(params.AsString(QStringLiteral("Opcion"), QString()), QStringLiteral("x"));
    EXPECT_THROW(params.DefineParametro(QStringLiteral("Mal"), QString(), 1, tpInvalido),
                 EZMKError);
}

TEST_F(ParametrosAppTest, NamesMatchWithLikeWildcards) {
    params.SetValue(QStringLiteral("AXB"), 1);
    // "_" stands for any one character, as the store matches with LIKE.
    EXPECT_EQ(params.AsInteger(QStringLiteral("A_B"), 0), 1);
    EXPECT_EQ(params.AsInteger(QStringLiteral("axb"), 0), 1);
    // Exact names (the ones a user types) match only themselves, still without regard to case.
    params.SetExactNames(true);
    EXPECT_EQ(params.AsInteger(QStringLiteral("A_B"), 0), 0);
    EXPECT_EQ(params.AsInteger(QStringLiteral("%"), 0), 0);
    EXPECT_EQ(params.AsInteger(QStringLiteral("axb"), 0), 1);
    EXPECT_EQ(params.ValueColumnOf(QStringLiteral("A%")), QString());
    EXPECT_EQ(params.ValueColumnOf(QStringLiteral("AXB")), QStringLiteral("ValorIntegerT99"));
}

TEST_F(ParametrosAppTest, ReloadHandlersRunOnceEachInOrder) {
    QStringList calls;
    params.AddReloadHandler(QStringLiteral("a"), [&] { calls << "a"; });
    params.AddReloadHandler(QStringLiteral("b"), [&] { calls << "b"; });
    params.AddReloadHandler(QStringLiteral("a"), [&] { calls << "again"; });
    params.NotifyReload();
    params.RemoveReloadHandler(QStringLiteral("a"));
    params.NotifyReload();
    EXPECT_EQ(calls, (QStringList{"a", "b", "b"}));
}

TEST(ParametrosAppNoDatabase, ReadsGiveTheDefaultAndWritesRefuse) {
    TParametrosApp params;
    EXPECT_EQ(params.AsInteger(QStringLiteral("x"), 3), 3);
    try {
        params.SetValue(QStringLiteral("x"), 1);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("DataBaseZMK no inicializada en TParametrosApp"));
    }
}

// Opening a company while another workstation is saving: the options' declarations neither
// wait for its lock one by one nor fail the open; they are written, in one go, once it is free,
// and an open that finds them declared writes nothing.
TEST_F(ParametrosAppTest, DeclarationsOnOpenDoNotWaitForAnotherWorkstation) {
    params.AddReloadHandler(QStringLiteral("opciones"), [&] {
        for (int i = 1; i <= 3; ++i)
            params.DefineParametro(QStringLiteral("Opcion%1").arg(i),
                                   QStringLiteral("Opción número %1").arg(i), i, tpInteger);
    });
    auto otroPuesto = TDataBaseZMK::Open(tdb.path());
    otroPuesto->BeginTrans();
    QElapsedTimer reloj;
    reloj.start();
    params.NotifyReload();
    EXPECT_LT(reloj.elapsed(), 2000);
    EXPECT_FALSE(tdb.db().InTransaction());
    otroPuesto->RollbackTrans();
    const QString cuenta = QStringLiteral(
        "SELECT COUNT(*) FROM T99ParametrosAplicacion WHERE NombreParametroT99 LIKE 'Opcion%'");
    EXPECT_EQ(tdb.Scalar(cuenta).toInt(), 0);

    params.NotifyReload();
    EXPECT_EQ(tdb.Scalar(cuenta).toInt(), 3);
    EXPECT_EQ(params.AsInteger(QStringLiteral("Opcion2"), 0), 2);

    otroPuesto->BeginTrans();
    reloj.restart();
    params.NotifyReload();
    EXPECT_LT(reloj.elapsed(), 2000);
    otroPuesto->RollbackTrans();
}
