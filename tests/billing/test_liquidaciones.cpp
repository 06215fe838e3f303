// Settlements of a centre's courses.
#include <gtest/gtest.h>

#include "billing/liquidaciones.h"
#include "host/errors.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

class Liquidaciones : public ::testing::Test {
  protected:
    void SetUp() override {
        // 2025-09-30 is day 45930.
        for (const char* fechas : {"45800,NULL", "45900,45930", "45930,NULL", "45931,NULL",
                                   "45700,45929", "45700,45935"})
            e_.Exec(QStringLiteral("INSERT INTO T02Matriculas (IDGrupoT02,IDCentroT02,ActivaT02,"
                                   "FechaAltaT02,FechaBajaT02) VALUES (1,1,1,%1)")
                        .arg(QLatin1String(fechas)));
    }
    test::TestDatabase t_;
    test::EmpresaFacturacion e_{t_};
};

TEST_F(Liquidaciones, CountsEnrolmentsActiveAtTheEndAndRoundsHalfAwayFromZero) {
    const int id = GenerarLiquidacion(1, 0, QDate(2025, 9, 30), QDate(2025, 9, 1),
                                      QDate(2025, 10, 2), QString(), QStringLiteral("Septiembre"));
    // Counted: started 45800, started on the final date, left after it. Not: left on it, before it,
    // started after it.
    EXPECT_EQ(
        e_.Scalar(QStringLiteral("SELECT UnidadesT28 || '|' || PrecioUnitarioT28 || '|' || "
                                 "ImporteLineaT28 || '|' || CodigoT28 FROM T28LiquidacionesCue"))
            .toString(),
        "3.0|12.125|36.38|ING");
    EXPECT_EQ(
        e_.Scalar(QStringLiteral("SELECT NLiquidacionT27 || '|' || ImporteLiquidadoT27 || '|' || "
                                 "NombreT27 FROM T27LiquidacionesCab WHERE IDLiquidacionCabT27=%1")
                      .arg(id))
            .toString(),
        "1|36.38|Centro Uno");
}

TEST_F(Liquidaciones, NumbersCountPerCentreAndBadInputWritesNothing) {
    e_.Exec(
        "INSERT INTO T20Centros (IDCentroT20,CodigoCentroT20,NombreCentroT20) VALUES "
        "(2,'C2','Dos')");
    GenerarLiquidacion(1, 0, QDate(2025, 9, 30), QDate(2025, 9, 1), QDate(2025, 10, 2), {}, {});
    GenerarLiquidacion(1, 0, QDate(2025, 9, 30), QDate(2025, 9, 1), QDate(2025, 10, 2), {}, {});
    const int otra =
        GenerarLiquidacion(2, 0, QDate(2025, 9, 30), QDate(2025, 9, 1), QDate(2025, 10, 2), {}, {});
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT NLiquidacionT27 FROM T27LiquidacionesCab WHERE "
                                    "IDLiquidacionCabT27=%1")
                         .arg(otra)),
              1);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT ImporteLiquidadoT27 FROM T27LiquidacionesCab WHERE "
                                    "IDLiquidacionCabT27=%1")
                         .arg(otra)),
              0);
    EXPECT_THROW(
        GenerarLiquidacion(1, 0, QDate(2025, 9, 1), QDate(2025, 9, 30), QDate(2025, 10, 2), {}, {}),
        EZMKError);
    try {
        GenerarLiquidacion(7, 0, QDate(2025, 9, 30), QDate(2025, 9, 1), QDate(2025, 10, 2), {}, {});
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No existe ningún centro con IDCentro: 7"));
    }
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T27LiquidacionesCab")), 3);
}

TEST_F(Liquidaciones, TheMonthlyChoiceAddsEveryCheckedMonthToOneSettlement) {
    TFormGenerarLiquidaciones f = TFormGenerarLiquidaciones::Inicial();
    f.fechaLiquidacion = QDate(2025, 10, 20);
    f.FechaCambiada();
    EXPECT_EQ(f.fechaInicial, QDate(2025, 9, 1));
    EXPECT_EQ(f.fechaFinal, QDate(2025, 9, 30));
    ASSERT_EQ(f.meses.size(), 12);
    EXPECT_EQ(f.meses[1], QStringLiteral("Septiembre 2025     09"));
    f.mensual = true;
    f.marcados[0] = f.marcados[1] = f.marcados[2] = true;
    f.Aceptar();
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T27LiquidacionesCab")), 1);
    EXPECT_EQ(e_.Scalar(QStringLiteral("SELECT GROUP_CONCAT(SUBSTR(DescripcionT28,1,8),';') FROM "
                                       "T28LiquidacionesCue"))
                  .toString(),
              "2025/10 ;2025/09 ;2025/08 ");
}

}  // namespace
}  // namespace zmk
