#include <gtest/gtest.h>

#include "core/importes.h"
#include "host/errors.h"

namespace zmk {
namespace {

Currency C(const char* text) {
    return *Currency::Parse(QString::fromLatin1(text));
}

TEST(RedondearDecimales, HalvesGoAwayFromZeroWhateverTheirBinaryImage) {
    EXPECT_EQ(RedondearDecimales(C("0.125"), 2), C("0.13"));
    EXPECT_EQ(RedondearDecimales(C("2.675"), 2), C("2.68"));
    EXPECT_EQ(RedondearDecimales(C("-2.125"), 2), C("-2.13"));
    EXPECT_EQ(RedondearDecimales(C("2.125"), 2), C("2.13"));
    EXPECT_EQ(RedondearDecimales(C("1.005"), 2), C("1.01"));
    EXPECT_EQ(RedondearDecimales(C("-0.005"), 2), C("-0.01"));
    EXPECT_EQ(RedondearDecimales(C("2.1249"), 2), C("2.12"));
    EXPECT_EQ(RedondearDecimales(C("-2.1249"), 2), C("-2.12"));
    EXPECT_EQ(RedondearDecimales(C("2.5"), 0), C("3"));
    EXPECT_EQ(RedondearDecimales(C("-2.5"), 0), C("-3"));
    EXPECT_EQ(RedondearDecimales(C("0.12345"), 4), C("0.1235"));
}

TEST(CalcularImportesLinea, DiscountAndVat) {
    TImportesLinea l = CalcularImportesLinea(C("10"), C("3"), C("10"), C("21"));
    EXPECT_EQ(l.base, C("27"));
    EXPECT_EQ(l.total, C("32.67"));
    EXPECT_EQ(l.precio, C("10"));
}

TEST(CalcularImportesLinea, BaseIsInCentsAndTheTotalIsBasePlusItsVat) {
    TImportesLinea l = CalcularImportesLinea(C("0.125"), C("1"), C("0"), C("0"));
    EXPECT_EQ(l.base, C("0.13"));
    EXPECT_EQ(l.total, C("0.13"));

    // 38 less 1.25 % is 37.525: a base of 37.53 and no VAT at 0 %, not a VAT of 0.005.
    l = CalcularImportesLinea(C("38"), C("1"), C("1.25"), C("0"));
    EXPECT_EQ(l.base, C("37.53"));
    EXPECT_EQ(l.Iva(), C("0"));
    EXPECT_EQ(l.total, C("37.53"));

    // 3 x 3.3333 less 15 % = 8.499915 -> 8.50; VAT 1.785 -> 1.79.
    l = CalcularImportesLinea(C("3.3333"), C("3"), C("15"), C("21"));
    EXPECT_EQ(l.base, C("8.5"));
    EXPECT_EQ(l.Iva(), C("1.79"));
    EXPECT_EQ(l.total, C("10.29"));

    // 1.06 less 12.5 % = 0.9275 -> 0.93, whose VAT 0.1953 -> 0.20.
    l = CalcularImportesLinea(C("1.06"), C("1"), C("12.5"), C("21"));
    EXPECT_EQ(l.base, C("0.93"));
    EXPECT_EQ(l.total, C("1.13"));
}

TEST(CalcularImportesLinea, VatIsRoundedOnceFromItsExactValue) {
    // 0.0238 x 21 % = 0.004998: cents 0.00, not 0.01 through an intermediate 0.0050.
    TImportesLinea l = CalcularImportesLinea(C("0.0238"), C("1"), C("0"), C("21"));
    EXPECT_EQ(l.total, C("0.02"));
}

TEST(CalcularImportesLinea, CreditLinesAndFullDiscount) {
    TImportesLinea l = CalcularImportesLinea(C("10"), C("-1"), C("0"), C("21"));
    EXPECT_EQ(l.base, C("-10"));
    EXPECT_EQ(l.total, C("-12.1"));
    l = CalcularImportesLinea(C("-0.125"), C("1"), C("0"), C("0"));
    EXPECT_EQ(l.total, C("-0.13"));
    l = CalcularImportesLinea(C("50"), C("2"), C("100"), C("21"));
    EXPECT_EQ(l.base, C("0"));
    EXPECT_EQ(l.total, C("0"));
}

TEST(CalcularImportesDesdeTotal, WorksOutBaseAndPrice) {
    TImportesLinea l =
        CalcularImportesDesdeTotal({C("0"), C("0"), C("121")}, C("1"), C("0"), C("21"));
    EXPECT_EQ(l.base, C("100"));
    EXPECT_EQ(l.precio, C("100"));
    EXPECT_EQ(l.total, C("121"));

    l = CalcularImportesDesdeTotal({C("0"), C("0"), C("32.67")}, C("3"), C("10"), C("21"));
    EXPECT_EQ(l.base, C("27"));
    EXPECT_EQ(l.precio, C("10"));

    // 10 / 1.21 = 8.2645 -> 8.26, and no cents base reaches 10 exactly (8.26 + 1.73 = 9.99,
    // 8.27 + 1.74 = 10.01): the total stays and the VAT is what is left.
    l = CalcularImportesDesdeTotal({C("0"), C("0"), C("10")}, C("3"), C("0"), C("21"));
    EXPECT_EQ(l.base, C("8.26"));
    EXPECT_EQ(l.total, C("10"));
    EXPECT_EQ(l.precio, C("2.7533"));

    // 100 / 1.21 = 82.6446: 82.64 + 17.35 = 99.99, so 82.65 (+ 17.36) is not it either; of two
    // bases that miss, the nearer one stays.
    l = CalcularImportesDesdeTotal({C("0"), C("0"), C("100")}, C("1"), C("0"), C("21"));
    EXPECT_EQ(l.base, C("82.64"));
    EXPECT_EQ(l.total, C("100"));

    // A price that already gives the base stays: 1.06 less 12.5 % is 0.93.
    l = CalcularImportesDesdeTotal({C("1.06"), C("0.9275"), C("1.12")}, C("1"), C("12.5"), C("21"));
    EXPECT_EQ(l.base, C("0.93"));
    EXPECT_EQ(l.precio, C("1.06"));
    EXPECT_EQ(l.total, C("1.12"));
}

TEST(CalcularImportesDesdeTotal, PrefersTheBaseWhoseVatReachesTheTotal) {
    for (const char* iva : {"0", "4", "10", "21"}) {
        for (int centimos = 1; centimos <= 2000; centimos += 7) {
            const Currency total = Currency::FromRaw(centimos * 100);
            const TImportesLinea l =
                CalcularImportesDesdeTotal({C("0"), C("0"), total}, C("1"), C("0"), C(iva));
            EXPECT_EQ(l.total, total);
            EXPECT_TRUE(l.base.HasDecimals(2));
            // The VAT is within a cent of the rate applied to the base, and exactly it whenever
            // some cents base allows it.
            const Currency exacta = Currency::MulDiv({l.base, C(iva)}, C("100"), 4);
            EXPECT_LE((l.Iva() - exacta).Raw(), 100)
                << iva << " " << total.ToString().toStdString();
            EXPECT_GE((l.Iva() - exacta).Raw(), -100)
                << iva << " " << total.ToString().toStdString();
            const TImportesLinea directa = CalcularImportesLinea(l.base, C("1"), C("0"), C(iva));
            if (directa.total != total) {
                for (int d = -1; d <= 1; ++d) {
                    const Currency otra = l.base + Currency::FromRaw(d * 100);
                    EXPECT_NE(CalcularImportesLinea(otra, C("1"), C("0"), C(iva)).total, total);
                }
            }
        }
    }
}

TEST(CalcularImportesDesdeTotal, NoUnitsClearsTheAmountsAndKeepsThePrice) {
    TImportesLinea l =
        CalcularImportesDesdeTotal({C("5"), C("7"), C("121")}, C("0"), C("0"), C("21"));
    EXPECT_EQ(l.precio, C("5"));
    EXPECT_EQ(l.base, C("0"));
    EXPECT_EQ(l.total, C("0"));
    l = CalcularImportesDesdeTotal({C("5"), C("7"), C("121")}, C("2"), C("100"), C("21"));
    EXPECT_EQ(l.base, C("0"));
    EXPECT_EQ(l.total, C("0"));
}

TEST(ImportesLineaSegunRegla, OnlyLinesOutsideTheRuleChange) {
    // A line of the four-decimal rule is worked out again from its price.
    TImportesLinea vieja{C("38"), C("37.525"), C("37.53")};
    EXPECT_EQ(ImportesLineaSegunRegla(vieja, C("1"), C("1.25"), C("0")),
              (TImportesLinea{C("38"), C("37.53"), C("37.53")}));
    vieja = {C("1.06"), C("0.9275"), C("1.12")};
    EXPECT_EQ(ImportesLineaSegunRegla(vieja, C("1"), C("12.5"), C("21")),
              (TImportesLinea{C("1.06"), C("0.93"), C("1.13")}));
    // A line in cents keeps its amounts, even a total typed by hand.
    const TImportesLinea tecleada{C("41.32"), C("82.64"), C("100")};
    EXPECT_EQ(ImportesLineaSegunRegla(tecleada, C("2"), C("0"), C("21")), tecleada);
    // Amounts left behind by a change of discount or rate are worked out again.
    const TImportesLinea sinDescuento{C("10"), C("27"), C("32.67")};
    EXPECT_EQ(ImportesLineaSegunRegla(sinDescuento, C("3"), C("0"), C("21")),
              (TImportesLinea{C("10"), C("30"), C("36.3")}));
    EXPECT_EQ(ImportesLineaSegunRegla(sinDescuento, C("3"), C("10"), C("4")),
              (TImportesLinea{C("10"), C("27"), C("28.08")}));
    // A line with its total only gets price and base.
    EXPECT_EQ(ImportesLineaSegunRegla({C("0"), C("0"), C("121")}, C("1"), C("0"), C("21")),
              (TImportesLinea{C("100"), C("100"), C("121")}));
}

TEST(ImportesLinea, AmountsOutOfRangeAreRefusedNotWrapped) {
    try {
        CalcularImportesLinea(C("99999999999"), C("99999"), C("0"), C("21"));
        FAIL() << "no error";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Importe fuera de rango"));
    }
    EXPECT_THROW(ImporteLineaLiquidacion(C("100000"), C("10000000")), EZMKError);
    EXPECT_EQ(ImporteLineaLiquidacion(C("3"), C("12.125")), C("36.38"));
}

TEST(CalcularImportesDesdeTotal, RatesThatLeaveNoBaseChangeNothing) {
    const TImportesLinea actual{C("1"), C("2"), C("121")};
    for (const char* iva : {"100", "-100"}) {
        TImportesLinea l = CalcularImportesDesdeTotal(actual, C("1"), C("0"), C(iva));
        EXPECT_EQ(l.precio, actual.precio) << iva;
        EXPECT_EQ(l.base, actual.base) << iva;
        EXPECT_EQ(l.total, actual.total) << iva;
    }
}

}  // namespace
}  // namespace zmk
