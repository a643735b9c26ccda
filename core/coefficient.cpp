// Number reading of the data files: the locale-independent reader, the numeric test and the
// coefficient expressions.
#include "errors.h"
#include "loader.h"
#include "numdigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace ov {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The longest leading number of `s`: sign, digits, `dec` and digits, optional exponent.
struct ScannedNumber {
    std::size_t length = 0; // 0 when `s` does not start with a number
    bool negative = false;
    std::string_view intDigits, fracDigits; // views into the scanned text
    bool separator = false;                 // `dec` was read (then fracDigits may still be empty: "5.")
    long long exponent = 0;                 // saturated, so absurd exponents still tell over- from underflow
    long long magnitude = 0;                // decimal exponent of the leading significant digit
    bool zero = true;
};

ScannedNumber scanNumber(std::string_view s, char dec)
{
    ScannedNumber n;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        n.negative = s[i++] == '-';
    long long intDigits = 0, leadingFracZeros = 0;
    bool seenNonZero = false;
    const std::size_t intBegin = i;
    while (i < s.size() && isDigit(s[i])) {
        if (s[i] != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++intDigits;
        ++i;
    }
    n.intDigits = s.substr(intBegin, i - intBegin);
    if (i < s.size() && s[i] == dec && (!n.intDigits.empty() || (i + 1 < s.size() && isDigit(s[i + 1])))) {
        n.separator = true;
        const std::size_t fracBegin = ++i;
        while (i < s.size() && isDigit(s[i])) {
            if (s[i] != '0')
                seenNonZero = true;
            else if (!seenNonZero)
                ++leadingFracZeros;
            ++i;
        }
        n.fracDigits = s.substr(fracBegin, i - fracBegin);
    }
    if (n.intDigits.empty() && n.fracDigits.empty())
        return ScannedNumber{};
    n.zero = !seenNonZero;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            expNegative = s[j++] == '-';
        if (j < s.size() && isDigit(s[j])) {
            long long e = 0;
            while (j < s.size() && isDigit(s[j])) {
                if (e < 1'000'000'000)
                    e = e * 10 + (s[j] - '0');
                ++j;
            }
            n.exponent = expNegative ? -e : e;
            i = j;
        }
    }
    n.magnitude = (intDigits > 0 ? intDigits - 1 : -(leadingFracZeros + 1)) + n.exponent;
    n.length = i;
    return n;
}

// Infinity when the number is beyond the range of a double; a too small one gives 0.
double toDouble(const ScannedNumber& n)
{
    if (n.zero)
        return 0.0;
    if (const auto exact = detail::exactDecimal(n.intDigits, n.fracDigits, n.exponent))
        return n.negative ? -*exact : *exact;
    std::string text = n.intDigits.empty() ? std::string("0") : std::string(n.intDigits);
    if (n.separator)
        text.append(".").append(n.fracDigits);
    if (n.exponent != 0)
        text += 'e' + std::to_string(n.exponent);
    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        v = n.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return n.negative ? -v : v;
}

// The whole text (blanks around it aside) must be one number.
std::optional<double> parseWhole(std::string_view text, char dec)
{
    text = trimBlanks(text);
    const ScannedNumber n = scanNumber(text, dec);
    if (n.length == 0 || n.length != text.size())
        return std::nullopt;
    return toDouble(n);
}

double operand(std::string_view text, char dec)
{
    text = trimBlanks(text);
    static const double pi = 4.0 * std::atan(1.0);
    if (text == "PI")
        return pi;
    const auto v = parseWhole(text, dec);
    if (!v)
        throw RuntimeError(ErrorNumber::TypeMismatch);
    if (!std::isfinite(*v))
        throw RuntimeError(ErrorNumber::Overflow);
    return *v;
}

} // namespace

double ValInvariant(std::string_view text)
{
    // Blanks anywhere are passed over ("1 000" is 1000). A number that takes the whole text
    // had none; otherwise they are taken out and the text read again.
    ScannedNumber n = scanNumber(text, '.');
    std::string compact;
    if (n.length != text.size() && std::any_of(text.begin(), text.end(), [](char c) { return isBlank(c); })) {
        compact.reserve(text.size());
        for (const char c : text)
            if (!isBlank(c))
                compact += c;
        n = scanNumber(compact, '.');
    }
    return n.length == 0 ? 0.0 : toDouble(n);
}

bool IsNumericInvariant(std::string_view text)
{
    text = trimBlanks(text);
    const std::size_t length = scanNumber(text, '.').length;
    return length != 0 && length == text.size();
}

double EvaluateCoefficient(std::string_view expr, char decimalSeparator)
{
    const auto slash = expr.find('/');
    if (slash == std::string_view::npos) {
        const double v = ValInvariant(expr);
        if (!std::isfinite(v))
            throw RuntimeError(ErrorNumber::Overflow);
        return v;
    }
    const double left = operand(expr.substr(0, slash), decimalSeparator);
    const double right = operand(expr.substr(slash + 1), decimalSeparator);
    if (right == 0.0)
        throw RuntimeError(ErrorNumber::DivisionByZero);
    const double q = left / right;
    if (!std::isfinite(q))
        throw RuntimeError(ErrorNumber::Overflow);
    return q;
}

std::string StripLevelMark(std::string_view name)
{
    if (name.empty())
        return {};
    std::size_t i = 1;
    while (i < name.size() && (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80)
        ++i;
    return std::string(name.substr(i));
}

} // namespace ov
