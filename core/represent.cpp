// The current value in binary, octal, hexadecimal and the user's own base.
#include "core/represent.h"
#include "core/errors.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "core/representcell.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ov {

namespace detail {

CellValue readCell(std::string_view cellText, char dec)
{
    CellValue c;
    if (cellText.empty())
        return c;
    const NumberReading reading = ReadNumber(cellText, dec);
    c.value = reading.value;
    if (!c.value) {
        c.instead.kind = RepresentationResult::Kind::NotANumber;
        const ErrorNumber n = reading.tooLarge ? ErrorNumber::Overflow : ErrorNumber::TypeMismatch;
        c.instead.text = NotANumberMessage(static_cast<int>(n), cellText);
    }
    return c;
}

RepresentationResult okResult(std::string text) { return {RepresentationResult::Kind::Ok, std::move(text)}; }

RepresentationResult outOfRange(const std::string& valueText)
{
    return {RepresentationResult::Kind::OutOfRange, "Vstupní hodnota " + valueText + " je mimo povolený rozsah."};
}

} // namespace detail

namespace {

constexpr int kMinBase = 2;
constexpr int kMaxBase = 32;

char digitChar(int d) { return static_cast<char>(d < 10 ? '0' + d : 'A' + (d - 10)); }

std::string unsignedDigits(std::uint64_t n, unsigned base)
{
    char buf[64];
    char* p = buf + sizeof buf;
    do {
        *--p = digitChar(static_cast<int>(n % base));
        n /= base;
    } while (n != 0);
    return std::string(p, buf + sizeof buf);
}

// Negative values in octal and hexadecimal are shown as their 32-bit two's complement.
std::string word32Digits(double w, unsigned base)
{
    const auto n = static_cast<std::int32_t>(w);
    return unsignedDigits(static_cast<std::uint32_t>(n), base);
}

bool fits(double w, double lo, double hi) { return w >= lo && w <= hi; }

// The custom base of a negative value: its absolute value with a leading minus.
std::string signedDigitsInBase(double w, int base)
{
    if (w >= 0)
        return DigitsInBase(w, base);
    std::string text(1, '-');
    text += DigitsInBase(-w, base);
    return text;
}

} // namespace

std::string BinaryDigits(std::int16_t n) { return unsignedDigits(static_cast<std::uint16_t>(n), 2); }

std::string DigitsInBase(double x, int base)
{
    base = std::clamp(base, kMinBase, kMaxBase);
    x = std::floor(std::fabs(x));
    if (!std::isfinite(x))
        return std::string();
    // Below 2^64 the whole number is exact in integer arithmetic.
    if (x < 18446744073709551616.0)
        return unsignedDigits(static_cast<std::uint64_t>(x), static_cast<unsigned>(base));
    // Larger doubles: the remainder of each step is exact, the quotient shrinks to zero.
    std::string reversed;
    while (x > 0) {
        const double r = std::fmod(x, base);
        reversed += digitChar(static_cast<int>(r));
        x = std::floor(x / base);
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

std::string FractionDigitsInBase(double x, int base, int places)
{
    base = std::clamp(base, kMinBase, kMaxBase);
    x -= std::floor(x);
    std::string out;
    out.reserve(static_cast<std::size_t>(std::max(places, 0)));
    for (int i = 0; i < places; ++i) {
        x *= base;
        const double d = std::min(std::floor(x), static_cast<double>(base - 1));
        if (d > 0) {
            out += digitChar(static_cast<int>(d));
            x -= d;
            if (x == 0)
                break;
        } else {
            out += '0';
        }
    }
    return out;
}

std::string NotANumberMessage(int errorNumber, std::string_view cellText)
{
    return MessageLines({"Chyba " + std::to_string(errorNumber) + ": " + std::string(errorDescription(errorNumber)),
                         std::nullopt, "Nevhodná hodnota '" + std::string(cellText) + "'."});
}

RepresentationResult BaseResult(std::string_view cellText, BaseKind kind, int numBase, int numBaseDec, char dec)
{
    const detail::CellValue cell = detail::readCell(cellText, dec);
    if (!cell.value)
        return cell.instead;
    const double v = *cell.value;
    const double w = std::floor(v);
    const std::string wText = FormatGeneral(w, dec);
    const int base = std::clamp(numBase, kMinBase, kMaxBase);
    const std::string baseText = std::to_string(base);
    std::string text = wText + " dekadicky = ";

    switch (kind) {
    case BaseKind::Binary:
        if (!fits(w, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()))
            return detail::outOfRange(wText);
        return detail::okResult(text + BinaryDigits(static_cast<std::int16_t>(w)) + " binárně.");
    case BaseKind::Octal:
    case BaseKind::Hex:
        if (!fits(w, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()))
            return detail::outOfRange(wText);
        return detail::okResult(text + (kind == BaseKind::Octal ? word32Digits(w, 8) + " oktálně."
                                                                : word32Digits(w, 16) + " hexadecimálně."));
    case BaseKind::Custom: return detail::okResult(text + "(" + signedDigitsInBase(w, base) + ")" + baseText);
    case BaseKind::CustomWithDecimals: {
        // Whole and fractional digits both come from the absolute value, so -10,5 reads as
        // minus (10,5) in the base, not as -11 plus a half.
        const double a = std::fabs(v);
        return detail::okResult(std::string(cellText) + " dekadicky = (" + (v < 0 ? "-" : "") +
                                DigitsInBase(std::floor(a), base) + dec +
                                FractionDigitsInBase(a, base, std::clamp(numBaseDec, 1, 16)) + ")" + baseText);
    }
    }
    return detail::okResult(text);
}

} // namespace ov
