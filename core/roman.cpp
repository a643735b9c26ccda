// Roman numerals in the program's own system: 999 is "IM", 990..998 start with "XM" and every
// ending 99 is "IC".
#include "core/numtext.h"
#include "core/represent.h"
#include "core/representcell.h"

#include <cmath>

namespace ov {

namespace {

constexpr int kMaxRoman = 10000;

struct Letters {
    const char* one;
    const char* five;
    const char* four;
    const char* nine;
};
// Hundreds, tens and units: the letters of 1, 5, 4 and 9 at each place.
constexpr Letters kPlaces[] = {{"C", "D", "CD", "CM"}, {"X", "L", "XL", "XC"}, {"I", "V", "IV", "IX"}};

// Digits 0..8 at one place; 9 is decided by the caller, who sees the following places.
void appendDigit(std::string& out, int digit, const Letters& l)
{
    if (digit == 4) {
        out += l.four;
        return;
    }
    if (digit >= 5)
        out += l.five;
    for (int i = 0; i < digit % 5; ++i)
        out += l.one;
}

} // namespace

std::string RomanNumeral(double v)
{
    if (!(v > 0))
        return "Číslo musí být větší než 0.";
    const double whole = std::floor(v);
    if (whole > kMaxRoman)
        return "Číslo musí být maximálně rovno 10 000.";
    const int n = static_cast<int>(whole);
    const int th = n / 1000, h = n / 100 % 10, t = n / 10 % 10, u = n % 10;

    std::string out;
    out.append(static_cast<std::size_t>(th), 'M');
    bool skipTens = false;
    if (h == 9) {
        if (t == 9 && u == 9)
            return out + "IM";
        if (t == 9) {
            out += "XM";
            skipTens = true;
        } else {
            out += "CM";
        }
    } else {
        appendDigit(out, h, kPlaces[0]);
    }
    if (!skipTens) {
        if (t == 9) {
            if (u == 9)
                return out + "IC";
            out += "XC";
        } else {
            appendDigit(out, t, kPlaces[1]);
        }
    }
    if (u == 9)
        out += kPlaces[2].nine;
    else
        appendDigit(out, u, kPlaces[2]);
    return out;
}

RepresentationResult RomanResult(std::string_view cellText, char dec)
{
    const detail::CellValue cell = detail::readCell(cellText, dec);
    if (!cell.value)
        return cell.instead;
    return detail::okResult(FormatGeneral(std::floor(*cell.value), dec) + " = " + RomanNumeral(*cell.value));
}

} // namespace ov
