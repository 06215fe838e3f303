#include <gtest/gtest.h>

#include "billing/importes.h"

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

TEST(CalcularImportesLinea, BaseKeepsFourDecimalsAndTotalRoundsHalfUp) {
    TImportesLinea l = CalcularImportesLinea(C("0.125"), C("1"), C("0"), C("0"));
    EXPECT_EQ(l.base, C("0.125"));
    EXPECT_EQ(l.total, C("0.13"));

    // 3 x 3.3333 less 15 %: 8.499915 as the exact base, kept at four decimals.
    l = CalcularImportesLinea(C("3.3333"), C("3"), C("15"), C("21"));
    EXPECT_EQ(l.base, C("8.4999"));
    EXPECT_EQ(l.total, C("10.28"));  // VAT 1.784979 -> 1.78; 8.4999 + 1.78 = 10.2799
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

    // 10 / 1.21 = 8.264462... and 8.2645 / 3 = 2.754833...
    l = CalcularImportesDesdeTotal({C("0"), C("0"), C("10")}, C("3"), C("0"), C("21"));
    EXPECT_EQ(l.base, C("8.2645"));
    EXPECT_EQ(l.precio, C("2.7548"));
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
