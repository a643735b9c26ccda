// Decimal digit strings of doubles, shared by the number renderings and the exact decimal.
// A value always passes through its 15-significant-digit form first, so every rendering
// rounds the digits the user sees in the grid, not the binary noise beyond them.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace ov::detail {

struct Digits {
    char d[24] = {}; // significant digits, d[0] != '0' unless the value is zero
    int n = 0;       // number of digits, no trailing zeros (zero: n = 1, d = "0")
    int exp = 0;     // decimal exponent of d[0]: value = d[0].d[1]d[2]... * 10^exp
    bool neg = false;
    bool zero() const { return d[0] == '0'; }
};

// The finite value v rounded (to nearest) to at most `sig` significant digits (1..17).
Digits digitsOf(double v, int sig);
// Rounds half away from zero to at most `sig` significant digits.
void roundSignificant(Digits& g, int sig);
// Writes the integer digits and `decimals` fraction digits of g, rounded half away from
// zero, into buf (no sign, no separator); returns the count of integer digits (>= 1).
// buf must hold kPositionalMax + decimals characters.
inline constexpr std::size_t kPositionalMax = 330;
int toPositional(const Digits& g, int decimals, char* buf);

// The value of the decimal digits intDigits.fracDigits times 10^exp10 when it can be had
// exactly without the full reader: at most 15 significant digits and a power of ten up to 22,
// both exact doubles, so one multiplication or division rounds it correctly. nullopt for
// anything else. Digits only, no sign; zero digits give 0.
std::optional<double> exactDecimal(std::string_view intDigits, std::string_view fracDigits, long long exp10);

} // namespace ov::detail
