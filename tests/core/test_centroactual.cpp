#include <gtest/gtest.h>

#include "core/centroactual.h"
#include "core/parametrosapp.h"
#include "core/register.h"
#include "host/app.h"
#include "host/library.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {
class CentroActualTest : public ::testing::Test {
  protected:
    test::TestDatabase tdb;
    int AddCentro(const QString& code, const QString& name) {
        tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20, "
                                           "NombreCentroT20, ActivoT20) VALUES ('%1', '%2', TRUE)")
                                .arg(code, name));
        return tdb.Scalar(QStringLiteral("SELECT MAX(IDCentroT20) FROM T20Centros")).toInt();
    }
};
}  // namespace

TEST_F(CentroActualTest, FijaPublishesStoresAndCallsBack) {
    int id = AddCentro(QStringLiteral("C01"), QStringLiteral("Centro Norte"));
    int calls = 0;
    SetCentroChangeCallback([&] { ++calls; });
    FijaCentroActual(id);
    EXPECT_EQ(IDCentroActual(), id);
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMCodigoCentroActual")),
              QStringLiteral("C01"));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMNombreCentroActual")),
              QStringLiteral("Centro Norte"));
    EXPECT_FALSE(Parametres().Writables(QStringLiteral("PRMIDCentroActual")));
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("PRMIDCentroActual"), 0), id);
    EXPECT_EQ(calls, 1);
    SetCentroChangeCallback(nullptr);
}

TEST_F(CentroActualTest, AStoredChoiceOfADeletedCentreClearsEverything) {
    int id = AddCentro(QStringLiteral("C01"), QStringLiteral("Norte"));
    FijaCentroActual(id);
    tdb.db().ExecuteSQL(QStringLiteral("DELETE FROM T20Centros"));
    RecargaCentroActual();
    EXPECT_EQ(IDCentroActual(), 0);
    EXPECT_FALSE(ParametrosApp().GetValue(QStringLiteral("PRMIDCentroActual")).isValid());
    EXPECT_TRUE(Parametres().ParamExists(QStringLiteral("PRMIDCentroActual")));
    EXPECT_FALSE(Parametres().GetParametreValue(QStringLiteral("PRMIDCentroActual")).isValid());
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMNombreCentroActual"), QStringLiteral("x")),
              QString());
}

TEST_F(CentroActualTest, MuestraCentroActualStoresTheBlockValueAndReloads) {
    RegisterCoreProcedures();
    TZMKApp app;
    REGISTER_LIBRARY(app.Procedures());
    int id = AddCentro(QStringLiteral("C02"), QStringLiteral("Sur"));
    Parametres().SetParametreValue(QStringLiteral("PRMIDCentroActual"), id);
    app.Procedures().ExecuteProcedure(QStringLiteral("MUESTRA_CENTRO_ACTUAL"));
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("PRMIDCentroActual"), 0), id);
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMCodigoCentroActual")),
              QStringLiteral("C02"));
    // Missing from the block: -1 is stored, no centre is found, the current centre clears.
    Parametres().DeleteParam(QStringLiteral("PRMIDCentroActual"));
    app.Procedures().ExecuteProcedure(QStringLiteral("MUESTRA_CENTRO_ACTUAL"));
    EXPECT_EQ(IDCentroActual(), 0);
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMCodigoCentroActual")), QString());
}
