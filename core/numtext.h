// Number texts: every value travels as text in the grid, so these are the program's one way
// to render and to read numbers. The decimal separator is the user's locale's (Czech: ',').
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ov {

// At most 15 significant digits, no grouping, no trailing zeros; exponent form when the
// decimal exponent is >= 15 or <= -5: mantissa + "E+"/"E-" + at least two digits ("1E+20").
std::string FormatGeneral(double v, char dec);
// Rounded to float, at most 7 significant digits, exponent form from 7 up or -5 down.
std::string FormatSingle(double v, char dec);
// "Scientific": one digit, two decimals, "E", sign, at least two exponent digits ("1,23E+03").
std::string FormatScientific(double v, char dec);
// Exactly `decimals` decimals (0..9), rounded, no grouping.
std::string FormatFixed(double v, int decimals, char dec);
// Optional sign, digits with the separator, optional exponent, surrounding blanks ignored.
std::optional<double> ParseNumber(std::string_view text, char dec);
// ParseNumber's reading, telling a well-formed number too large for a double ("1e999")
// from a text that is no number at all: the first is an overflow, the second a type mismatch.
struct NumberReading {
    std::optional<double> value;
    bool tooLarge = false;
};
NumberReading ReadNumber(std::string_view text, char dec);

// Display formats: 0 single, 1 double, 2 scientific, 3 fixed.
enum class DisplayFormat : int { Single = 0, Double = 1, Scientific = 2, Fixed = 3 };
// Re-renders a cell text in a format; nullopt when the text is not a number.
std::optional<std::string> RenderInFormat(DisplayFormat f, std::string_view cellText, int fix, char dec);

std::string MakeFixMask(int n);                // "0", "0.0", "0.##0" ...
std::string GroupedFormat(double v, char dec); // "1 234 567,891", "0,123 456 789", "5,00"
std::string SingleSpaces(std::string_view text);

} // namespace ov
