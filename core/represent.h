// "Aktuální jako": the current value in another base, as a Roman numeral, as a fraction.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ov {

enum class BaseKind : int { Binary = 0, Octal = 1, Hex = 2, Custom = 3, CustomWithDecimals = 4 };

struct RepresentationResult {
    enum class Kind {
        Empty,      // empty cell: nothing to show, only the focus goes back
        Ok,         // show the text (black)
        OutOfRange, // show the text in red, in a message box when the result line is hidden
        NotANumber, // the text is the failure message (13), shown in an exclamation box
    };
    Kind kind = Kind::Empty;
    std::string text;
};

std::string BinaryDigits(std::int16_t n);     // 16-bit two's complement for negatives
std::string DigitsInBase(double x, int base); // x >= 0
std::string FractionDigitsInBase(double x, int base, int places);
std::string RomanNumeral(double v);
std::string FractionText(double v, int sensitivity, char dec);

RepresentationResult BaseResult(std::string_view cellText, BaseKind kind, int numBase, int numBaseDec, char dec);
RepresentationResult RomanResult(std::string_view cellText, char dec);
RepresentationResult FractionResult(std::string_view cellText, int sensitivity, char dec);

// The failure text shown when a cell text is not a number (also used by the engine).
std::string NotANumberMessage(int errorNumber, std::string_view cellText);

} // namespace ov
