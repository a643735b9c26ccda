// Arithmetic typed into a value cell instead of a number: "5+3", "1/3", "2*(3,5-1)", "2*pi".
#pragma once
#include "errors.h"

#include <optional>
#include <string_view>

namespace ov {

// The value of an expression, or why there is none: the same failures as a text that is not a
// number or a conversion that overflows (13 malformed, 11 division by zero, 6 overflow or an
// operation without a result, such as 0/0 or a root of a negative number).
struct ExpressionResult {
    double value = 0.0;
    std::optional<ErrorNumber> failure;
    bool ok() const { return !failure; }
};

// Numbers as the number reader takes them (the decimal separator `dec`, an exponent "1E5";
// one too large to hold is an overflow),
// the constant pi (also "π"), parentheses, + and - (also "−"), * (also "×"), / (also ":" and
// "÷"), and ^ for powers; blanks between them are ignored. Signs may precede any operand;
// ^ binds tighter than a sign and groups from the right, so -2^2 is -4 and 2^3^2 is 512.
// A malformed text is refused before any arithmetic fails in it. Tokens are read in place
// (only a number of over a hundred digits takes the number reader's heap buffer), and nesting
// is limited, so any text at all is safe to evaluate.
ExpressionResult EvaluateExpression(std::string_view text, char dec);

} // namespace ov
