#pragma once
// Money, unit counts and percentages: a signed 64-bit integer scaled by 10000.
// Every rounding is decimal and halves away from zero; binary floating point never decides one.
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace zmk {

class Currency {
  public:
    static constexpr int64_t kScale = 10000;

    constexpr Currency() = default;
    constexpr Currency(int units)
        : raw_(int64_t(units) * kScale) {}  // NOLINT: amounts read naturally
    static constexpr Currency FromRaw(int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    // Rounds to four decimals through the shortest decimal text of the double, so 2.675
    // stays 2.675.
    static Currency FromDouble(double value);
    // Decimal text with "." or "," as separator; nullopt when it is not a number.
    static std::optional<Currency> Parse(const QString& text);

    int64_t Raw() const { return raw_; }
    double ToDouble() const { return double(raw_) / kScale; }
    // Plain decimal text without trailing zeros ("12.5", "-3", "0.0001").
    QString ToString() const;
    // Fixed number of decimals (0..4), rounding half away from zero.
    QString ToString(int decimals) const;

    // Half away from zero at the given number of decimals (0..4).
    Currency Rounded(int decimals) const;

    Currency operator-() const { return FromRaw(-raw_); }
    Currency operator+(Currency o) const { return FromRaw(raw_ + o.raw_); }
    Currency operator-(Currency o) const { return FromRaw(raw_ - o.raw_); }
    // Products and quotients keep four decimals, rounding half away from zero.
    Currency operator*(Currency o) const;
    Currency operator/(Currency o) const;
    Currency& operator+=(Currency o) {
        raw_ += o.raw_;
        return *this;
    }
    Currency& operator-=(Currency o) {
        raw_ -= o.raw_;
        return *this;
    }
    auto operator<=>(const Currency&) const = default;
    bool IsZero() const { return raw_ == 0; }

  private:
    int64_t raw_ = 0;
};

// Reads a Currency from any variant that holds a number or numeric text; nullopt otherwise.
std::optional<Currency> VarToCurrency(const QVariant& value);

}  // namespace zmk

Q_DECLARE_METATYPE(zmk::Currency)
