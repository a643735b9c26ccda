// The value as a whole part plus a reduced common fraction at a decimal sensitivity, with the
// error of the fraction in exact decimal arithmetic (binary noise would show in the error).
#include "core/decimal.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "core/represent.h"
#include "core/representcell.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ov {

namespace {

constexpr int kMinSensitivity = 1;
constexpr int kMaxSensitivity = 9; // 10^9 still fits the 32-bit denominator

std::int64_t gcd(std::int64_t a, std::int64_t b)
{
    while (b != 0) {
        const std::int64_t r = a % b;
        a = b;
        b = r;
    }
    return a;
}

RepresentationResult fraction(double v, int sensitivity, char dec)
{
    if (v - std::floor(v) == 0)
        return detail::okResult("Celé číslo");
    const int k = std::clamp(sensitivity, kMinSensitivity, kMaxSensitivity);
    const double a = std::fabs(v);
    std::int64_t denominator = 1;
    for (int i = 0; i < k; ++i)
        denominator *= 10;

    // The numerator is rounded from the decimal digits the user sees, so that 0,0005 at
    // sensitivity 3 is 0,5 thousandths exactly and goes up.
    Decimal exact;
    std::optional<std::int64_t> scaled;
    try {
        exact = Decimal::fromDouble(a);
        scaled = exact.timesPowerOfTen(k).roundHalfUp();
    } catch (const RuntimeError&) {
        scaled.reset();
    }
    if (!scaled || *scaled > std::numeric_limits<std::int32_t>::max())
        return detail::outOfRange(FormatGeneral(v, dec));

    const double whole = std::floor(a);
    const std::string wholeText = FormatGeneral(whole, dec);
    std::int64_t numerator = *scaled % denominator;
    if (numerator == 0)
        return detail::okResult("Při nastavené citlivosti ~" +
                                FormatGeneral(1.0 / static_cast<double>(denominator), dec) +
                                " nelze převést na zlomek.");
    const std::int64_t g = gcd(denominator, numerator);
    numerator /= g;
    denominator /= g;

    const Decimal error =
        Decimal::fromInt(static_cast<std::int64_t>(whole)) + Decimal::quotient(numerator, denominator) - exact;
    std::string text = wholeText == "0" ? std::string() : wholeText + " + ";
    text += std::to_string(numerator) + "/" + std::to_string(denominator) + " chyba " + error.toString(dec);
    return detail::okResult(std::move(text));
}

} // namespace

std::string FractionText(double v, int sensitivity, char dec) { return fraction(v, sensitivity, dec).text; }

RepresentationResult FractionResult(std::string_view cellText, int sensitivity, char dec)
{
    const detail::CellValue cell = detail::readCell(cellText, dec);
    if (!cell.value)
        return cell.instead;
    return fraction(*cell.value, sensitivity, dec);
}

} // namespace ov
