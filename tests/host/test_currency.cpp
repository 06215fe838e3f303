#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "host/currency.h"
#include "host/datetime.h"
#include "host/errors.h"

using zmk::Currency;

namespace {
Currency C(const char* text) {
    return *Currency::Parse(QString::fromLatin1(text));
}
}  // namespace

TEST(Currency, RoundsHalvesAwayFromZeroInDecimal) {
    EXPECT_EQ(C("0.125").Rounded(2), C("0.13"));
    EXPECT_EQ(C("2.675").Rounded(2), C("2.68"));
    EXPECT_EQ(C("-2.125").Rounded(2), C("-2.13"));
    EXPECT_EQ(C("1.005").Rounded(2), C("1.01"));
    EXPECT_EQ(C("-0.5").Rounded(0), C("-1"));
    EXPECT_EQ(C("0.4999").Rounded(0), C("0"));
}

TEST(Currency, FromDoubleKeepsTheDecimalTheUserMeant) {
    // 2.675 is 2.67499999... in binary; it must still round up.
    EXPECT_EQ(Currency::FromDouble(2.675).Rounded(2), C("2.68"));
    EXPECT_EQ(Currency::FromDouble(0.1 + 0.2), C("0.3"));
    EXPECT_EQ(Currency::FromDouble(1.23456), C("1.2346"));
    EXPECT_EQ(Currency::FromDouble(-1.00005), C("-1.0001"));
}

TEST(Currency, ParsesAndPrints) {
    EXPECT_EQ(C("12,5").ToString(), QStringLiteral("12.5"));
    EXPECT_EQ(C("-3").ToString(2), QStringLiteral("-3.00"));
    EXPECT_EQ(C("0.00005").ToString(), QStringLiteral("0.0001"));
    EXPECT_EQ(C("1e3").ToString(), QStringLiteral("1000"));
    EXPECT_FALSE(Currency::Parse(QStringLiteral("abc")));
    EXPECT_FALSE(Currency::Parse(QStringLiteral("1.2.3")));
    EXPECT_FALSE(Currency::Parse(QString()));
}

TEST(Currency, ArithmeticKeepsFourDecimals) {
    EXPECT_EQ(C("90") * C("1.21"), C("108.9"));
    EXPECT_EQ(C("0.3333") * C("3"), C("0.9999"));
    EXPECT_EQ(C("10") / C("3"), C("3.3333"));
    EXPECT_EQ(C("-10") / C("3"), C("-3.3333"));
    EXPECT_EQ(C("0.00005") * C("1"), C("0.0001"));
}

TEST(Currency, VariantsConvert) {
    QVariant v = QVariant::fromValue(C("7.25"));
    EXPECT_DOUBLE_EQ(v.toDouble(), 7.25);
    EXPECT_EQ(v.toString(), QStringLiteral("7.25"));
    EXPECT_EQ(*zmk::VarToCurrency(QStringLiteral("4,5")), C("4.5"));
    EXPECT_EQ(*zmk::VarToCurrency(3), C("3"));
    EXPECT_FALSE(zmk::VarToCurrency(QVariant()));
}

TEST(DaySerials, MatchTheEpochAndTimeOfDay) {
    using namespace zmk;
    EXPECT_DOUBLE_EQ(DateTimeToSerial(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(DateTimeToSerial(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), 36526.5);
    EXPECT_EQ(SerialToDateTime(36526.75), QDateTime(QDate(2000, 1, 1), QTime(18, 0)));
    QDateTime t(QDate(2026, 12, 8), QTime(13, 45, 30));
    EXPECT_EQ(SerialToDateTime(DateTimeToSerial(t)), t);
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(SerialToDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
}

TEST(Currency, ValuesOutOfRangeAreRefusedNeverWrapped) {
    using zmk::EZMKError;
    auto fueraDeRango = [](const std::function<void()>& fn) {
        try {
            fn();
        } catch (const EZMKError& e) {
            return e.Message() == QStringLiteral("Importe fuera de rango");
        }
        return false;
    };
    // From text, from the database's integers and doubles, and from arithmetic.
    EXPECT_TRUE(fueraDeRango([] { Currency::Parse(QStringLiteral("99999999999999999.5")); }));
    EXPECT_TRUE(fueraDeRango([] { Currency::Parse(QStringLiteral("1e16")); }));
    EXPECT_TRUE(fueraDeRango([] { zmk::VarToCurrency(qlonglong(1000000000000000)); }));
    EXPECT_TRUE(fueraDeRango([] { zmk::VarToCurrency(1e15); }));
    EXPECT_TRUE(fueraDeRango([] { zmk::VarToCurrency(std::numeric_limits<double>::infinity()); }));
    const Currency maximo = Currency::FromRaw(Currency::kMaxRaw);
    EXPECT_TRUE(fueraDeRango([&] { (void)(maximo + C("0.0001")); }));
    EXPECT_TRUE(fueraDeRango([&] { (void)(-maximo - C("1")); }));
    EXPECT_TRUE(fueraDeRango([&] { (void)(maximo * maximo); }));
    EXPECT_TRUE(fueraDeRango([&] { (void)(C("1") / C("0")); }));
    EXPECT_TRUE(fueraDeRango([&] {
        Currency suma;
        for (int i = 0; i < 3; ++i) suma += C("40000000000");
    }));
    // The edges of the range are kept exactly, also through the database's doubles.
    EXPECT_EQ(C("99999999999.9999"), maximo);
    EXPECT_EQ(*zmk::VarToCurrency(maximo.ToDouble()), maximo);
    EXPECT_EQ(*zmk::VarToCurrency(-maximo.ToDouble()), -maximo);
    EXPECT_EQ(*zmk::VarToCurrency(qlonglong(99999999999)), C("99999999999"));
    // Not numbers and tiny values are no range errors.
    EXPECT_FALSE(Currency::Parse(QStringLiteral("1e")));
    EXPECT_EQ(C("0.00004999999"), C("0"));
    EXPECT_EQ(C("0.000050000"), C("0.0001"));
    EXPECT_EQ(C("1e-40"), C("0"));
    EXPECT_EQ(C("-0.00005"), C("-0.0001"));
}

TEST(Currency, MulDivRoundsOnceFromTheExactValue) {
    // 38 x 1 x 98.75 / 100 = 37.525 -> 37.53; 0.0238 x 21 / 100 = 0.004998 -> 0.00.
    EXPECT_EQ(Currency::MulDiv({C("38"), C("1"), C("98.75")}, C("100"), 2), C("37.53"));
    EXPECT_EQ(Currency::MulDiv({C("0.0238"), C("21")}, C("100"), 2), C("0"));
    EXPECT_EQ(Currency::MulDiv({C("-0.125")}, C("1"), 2), C("-0.13"));
    EXPECT_EQ(Currency::MulDiv({C("10")}, C("3"), 4), C("3.3333"));
    EXPECT_TRUE(C("2.1").HasDecimals(2));
    EXPECT_FALSE(C("2.125").HasDecimals(2));
}
