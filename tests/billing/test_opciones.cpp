// Billing and currency options and money masks.
#include <gtest/gtest.h>

#include "billing/opciones.h"
#include "core/parametrosapp.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

TEST(OpcionesFacturacion, DeclaresDefaultsKeepsStoredValuesAndPublishesTheCurrency) {
    test::TestDatabase t;
    ParametrosApp().SetValue(QStringLiteral("NumerarFacturas"), false);
    ParametrosApp().SetValue(QStringLiteral("DIVISANAME"), QStringLiteral("USD"));
    DeclararOpcionesFacturacion();
    DeclararOpcionesDivisa();
    EXPECT_FALSE(ParametrosApp().AsBoolean(QStringLiteral("NumerarFacturas"), true));
    EXPECT_TRUE(ParametrosApp().AsBoolean(QStringLiteral("EvitarDuplicadosConceptos"), false));
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("GR_D_NLineasCabecera"), 0), 2);
    EXPECT_EQ(ParametrosApp().AsString(QStringLiteral("GR_D_LineaDetalle"), {}),
              QString(72, QLatin1Char('D')) + QLatin1Char(' ') + QString(7, QLatin1Char('T')));
    EXPECT_TRUE(ParametrosApp().GetValue(QStringLiteral("DefaultFormatoFactura")).isNull());
    EXPECT_EQ(t.Scalar(QStringLiteral("SELECT DescrParametroT99 FROM T99ParametrosAplicacion WHERE "
                                      "NombreParametroT99='ComprobarFechaBajaMatrAlFact'"))
                  .toString(),
              "Comprobar la fecha de baja de las matrículas al facturar");
    EXPECT_EQ(Parametres().AsString(QStringLiteral("DIVISA_NOM")), "USD");
    EXPECT_EQ(Parametres().AsString(QStringLiteral("DIVISA_MASK")), "#,#0.00");
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("DIVISA_TOTALROUND")), 100);
}

TEST(OpcionesFacturacion, MasksGroupThousandsAndRoundHalfAwayFromZero) {
    auto c = [](const char* s) { return *Currency::Parse(QLatin1String(s)); };
    EXPECT_EQ(FormatearMascara(c("1234567.125"), QStringLiteral("#,##0.00")), "1.234.567,13");
    EXPECT_EQ(FormatearMascara(c("-0.125"), QStringLiteral("#,#0.00")), "-0,13");
    EXPECT_EQ(FormatearMascara(c("12.5"), QStringLiteral("#,#0.00##")), "12,50");
    EXPECT_EQ(FormatearMascara(c("0.0001"), QStringLiteral("0.00")), "0,00");
    EXPECT_EQ(FormatearMascara(c("-0.0001"), QStringLiteral("0.00")), "0,00");
    EXPECT_EQ(FormatearMascara(c("999.999"), QStringLiteral("0")), "1000");
}

TEST(OpcionesFacturacion, SepaConceptPreviewUsesTheSampleValues) {
    EXPECT_EQ(EjemploConceptoSepa(QStringLiteral("{concepto} [{fra_nombre_mes}]")),
              "CONCEPTO ENERO");
}

}  // namespace
}  // namespace zmk
