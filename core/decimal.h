// A small exact decimal: 96-bit magnitude, sign and scale 0..28, enough for the error of a
// fraction to be written without binary noise. Results that need more digits keep the most
// significant ones (rounded half away from zero); a whole part beyond 96 bits, or a double that
// is not finite, throws RuntimeError(Overflow); a zero divisor RuntimeError(DivisionByZero).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace ov {

class Decimal {
public:
    Decimal() = default;
    static Decimal fromInt(std::int64_t v);
    // The double rounded to 15 significant digits first, as the value the user sees.
    static Decimal fromDouble(double v);
    // Exact quotient rounded to the available 28 digits.
    static Decimal quotient(std::int64_t num, std::int64_t den);

    Decimal operator+(const Decimal& o) const;
    Decimal operator-(const Decimal& o) const;
    bool isZero() const;
    bool isNegative() const { return negative_ && !isZero(); }
    // The value times 10^k (k >= 0), exact.
    Decimal timesPowerOfTen(int k) const;
    Decimal abs() const;
    // The nearest whole number, halves away from zero; nullopt beyond 63 bits.
    std::optional<std::int64_t> roundHalfUp() const;

    // Plain positional notation, no trailing zeros, leading '-' when negative ("-0,000333").
    std::string toString(char dec) const;

private:
    std::uint32_t lo_ = 0, mid_ = 0, hi_ = 0;
    int scale_ = 0;
    bool negative_ = false;
    friend struct DecimalAccess;
};

} // namespace ov
