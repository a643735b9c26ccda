// The texts that put a value into a sentence: digit groups, the fixed mask, single spaces.
#include "core/numdigits.h"
#include "core/numtext.h"

#include <algorithm>
#include <cmath>

namespace ov {

namespace {
// The grouping mask has thirteen groups of three before the separator; longer whole parts
// keep their extra digits in the leftmost group.
constexpr int kMaskIntegerDigits = 39;
constexpr int kGroupedDecimals = 9;
constexpr int kMinDecimals = 2;
} // namespace

std::string MakeFixMask(int n)
{
    if (n <= 0)
        return "0";
    if (n == 1)
        return "0.0";
    std::string mask = "0.";
    mask.append(static_cast<std::size_t>(n - 1), '#');
    mask += '0';
    return mask;
}

std::string GroupedFormat(double v, char dec)
{
    if (!std::isfinite(v))
        return FormatGeneral(v, dec);
    const detail::Digits g = detail::digitsOf(v, 15);
    char digits[detail::kPositionalMax + kGroupedDecimals];
    const int intLen = detail::toPositional(g, kGroupedDecimals, digits);
    const char* frac = digits + intLen;
    int fracLen = kGroupedDecimals;
    while (fracLen > kMinDecimals && frac[fracLen - 1] == '0')
        --fracLen;
    const bool allZero = std::all_of(digits, digits + intLen + kGroupedDecimals, [](char c) { return c == '0'; });

    // Sign, digits, a space per group boundary, separator: one allocation.
    std::string out;
    out.reserve(static_cast<std::size_t>(intLen + intLen / 3 + fracLen + fracLen / 3 + 3));
    if (g.neg && !allZero)
        out += '-';
    const int first = intLen > kMaskIntegerDigits ? intLen - (kMaskIntegerDigits - 3) : (intLen - 1) % 3 + 1;
    out.append(digits, static_cast<std::size_t>(first));
    for (int i = first; i < intLen; i += 3) {
        out += ' ';
        out.append(digits + i, 3);
    }
    out += dec;
    for (int i = 0; i < fracLen; ++i) {
        if (i > 0 && i % 3 == 0)
            out += ' ';
        out += frac[i];
    }
    return out;
}

std::string SingleSpaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ')
            out += c;
    return out;
}

} // namespace ov
