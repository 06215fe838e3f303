#pragma once
// Money, unit counts and percentages: a signed 64-bit integer scaled by 10000.
// Every rounding is decimal and halves away from zero, through MulDiv; binary floating point never
// decides one. A value beyond the range, from text, from the database or from arithmetic, is
// refused with "Importe fuera de rango", never wrapped.
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace zmk {

[[noreturn]] void ThrowImporteFueraDeRango();

class Currency {
  public:
    static constexpr int64_t kScale = 10000;
    // 99,999,999,999.9999: fifteen significant digits, which the company file's REAL columns
    // keep exactly (a wider value would read back different from what was written).
    static constexpr int64_t kMaxRaw = 999'999'999'999'999;

    constexpr Currency() = default;
    constexpr Currency(int units)
        : raw_(int64_t(units) * kScale) {}  // NOLINT: amounts read naturally
    static constexpr Currency FromRaw(int64_t raw) {
        if (raw > kMaxRaw || raw < -kMaxRaw) ThrowImporteFueraDeRango();
        Currency c;
        c.raw_ = raw;
        return c;
    }
    // Rounds to four decimals through the shortest decimal text of the double, so 2.675
    // stays 2.675.
    static Currency FromDouble(double value);
    // Decimal text with "." or "," as separator; nullopt when it is not a number.
    static std::optional<Currency> Parse(const QString& text);

    // The exact product of the factors divided by the divisor, rounded once, half away from
    // zero, to the given number of decimals (0..4): 3 x 0.125 / 100 never rounds in between.
    // A zero divisor is out of range too.
    static Currency MulDiv(std::initializer_list<Currency> factors, Currency divisor, int decimals);

    int64_t Raw() const { return raw_; }
    double ToDouble() const { return double(raw_) / kScale; }
    // Plain decimal text without trailing zeros ("12.5", "-3", "0.0001").
    QString ToString() const;
    // Fixed number of decimals (0..4), rounding half away from zero.
    QString ToString(int decimals) const;

    // Half away from zero at the given number of decimals (0..4).
    Currency Rounded(int decimals) const { return MulDiv({*this}, Currency(1), decimals); }
    // Whether the value has no more than the given number of decimals.
    bool HasDecimals(int decimals) const { return Rounded(decimals) == *this; }

    Currency operator-() const { return FromRaw(-raw_); }
    Currency operator+(Currency o) const { return FromRaw(raw_ + o.raw_); }
    Currency operator-(Currency o) const { return FromRaw(raw_ - o.raw_); }
    // Products and quotients keep four decimals, rounding half away from zero.
    Currency operator*(Currency o) const { return MulDiv({*this, o}, Currency(1), 4); }
    Currency operator/(Currency o) const { return MulDiv({*this}, o, 4); }
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    auto operator<=>(const Currency&) const = default;
    bool IsZero() const { return raw_ == 0; }

  private:
    int64_t raw_ = 0;
};

// Rounds to n decimals, halving away from zero (2.125 -> 2.13, -2.125 -> -2.13).
inline Currency RedondearDecimales(Currency x, int n) {
    return x.Rounded(n);
}

// Reads a Currency from any variant that holds a number or numeric text; nullopt otherwise.
// A number out of range is "Importe fuera de rango".
std::optional<Currency> VarToCurrency(const QVariant& value);

}  // namespace zmk

Q_DECLARE_METATYPE(zmk::Currency)
