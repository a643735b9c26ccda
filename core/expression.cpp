#include "expression.h"

#include "numtext.h"

#include <cmath>

namespace ov {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Parentheses and powers nest by recursion; deeper than this is no arithmetic anyone types.
constexpr int kMaxDepth = 100;

// The operators as typed: ASCII, and the signs a word processor or the character map gives.
struct Symbol {
    std::string_view text;
    char op;
};
constexpr Symbol kSymbols[] = {
    {"+", '+'}, {"-", '-'}, {"−", '-'}, {"*", '*'}, {"×", '*'}, {"/", '/'},
    {":", '/'}, {"÷", '/'}, {"^", '^'}, {"(", '('}, {")", ')'},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Recursive descent over the text, evaluating as it goes:
//   sum     = product { ("+" | "-") product }
//   product = signed { ("*" | "/") signed }
//   signed  = { "+" | "-" } power
//   power   = operand [ "^" signed ]
//   operand = number | "pi" | "(" sum ")"
// A malformed text is found even after the arithmetic has failed, and wins: the first
// arithmetic failure is only remembered, and the parse goes on to the end.
class Parser {
public:
    Parser(std::string_view text, char dec) : t_(text), dec_(dec) {}

    ExpressionResult run()
    {
        const double v = sum();
        if (peek() != 0 || pos_ != t_.size())
            malformed_ = true;
        if (malformed_)
            return {0.0, ErrorNumber::TypeMismatch};
        if (arithmetic_)
            return {0.0, arithmetic_};
        return {v + 0.0, std::nullopt}; // no "-0" from a product such as 0 * -1
    }

private:
    void skipBlanks()
    {
        while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t'))
            ++pos_;
    }

    // The operator at the current place (after blanks), 0 for none; take() moves past it.
    char peek()
    {
        skipBlanks();
        if (malformed_)
            return 0;
        for (const Symbol& s : kSymbols)
            if (t_.substr(pos_, s.text.size()) == s.text) {
                next_ = s.text.size();
                return s.op;
            }
        return 0;
    }
    void take() { pos_ += next_; }

    void fail(ErrorNumber n)
    {
        if (!arithmetic_)
            arithmetic_ = n;
    }
    double checked(double r)
    {
        if (!std::isfinite(r))
            fail(ErrorNumber::Overflow);
        return r;
    }

    bool enter()
    {
        if (++depth_ > kMaxDepth)
            malformed_ = true;
        return !malformed_;
    }

    double sum()
    {
        double v = product();
        for (char op = peek(); op == '+' || op == '-'; op = peek()) {
            take();
            const double r = product();
            v = checked(op == '+' ? v + r : v - r);
        }
        return v;
    }

    double product()
    {
        double v = signedPower();
        for (char op = peek(); op == '*' || op == '/'; op = peek()) {
            take();
            const double r = signedPower();
            if (op == '*') {
                v = checked(v * r);
            } else if (r == 0.0) {
                fail(v != 0.0 ? ErrorNumber::DivisionByZero : ErrorNumber::Overflow); // 0/0 has no value
                v = 0.0;
            } else {
                v = checked(v / r);
            }
        }
        return v;
    }

    double signedPower()
    {
        bool negative = false;
        for (char op = peek(); op == '+' || op == '-'; op = peek()) {
            take();
            negative = negative != (op == '-');
        }
        const double v = power();
        return negative ? -v : v;
    }

    double power()
    {
        const double base = operand();
        if (peek() != '^')
            return base;
        take();
        if (!enter())
            return 0.0;
        const double exponent = signedPower();
        --depth_;
        if (base == 0.0 && exponent < 0.0) {
            fail(ErrorNumber::DivisionByZero);
            return 0.0;
        }
        return checked(std::pow(base, exponent)); // a negative base to a fraction gives no number
    }

    double operand()
    {
        const char op = peek();
        if (malformed_)
            return 0.0;
        if (op == '(') {
            take();
            if (!enter())
                return 0.0;
            const double v = sum();
            --depth_;
            if (peek() != ')')
                malformed_ = true;
            else
                take();
            return v;
        }
        if (constant())
            return kPi;
        return number();
    }

    bool constant()
    {
        const std::string_view rest = t_.substr(pos_);
        if (rest.size() >= 2 && (rest[0] == 'p' || rest[0] == 'P') && (rest[1] == 'i' || rest[1] == 'I')) {
            pos_ += 2;
            return true;
        }
        if (rest.substr(0, 2) == "π") {
            pos_ += 2;
            return true;
        }
        return false;
    }

    // Digits with the separator and an exponent, read by the number reader: a number too large
    // to hold is an overflow here as well.
    double number()
    {
        const std::size_t begin = pos_;
        std::size_t digits = 0;
        auto skipDigits = [&] {
            for (; pos_ < t_.size() && isDigit(t_[pos_]); ++pos_)
                ++digits;
        };
        skipDigits();
        if (pos_ < t_.size() && t_[pos_] == dec_) {
            ++pos_;
            skipDigits();
        }
        if (digits == 0) {
            malformed_ = true;
            return 0.0;
        }
        if (pos_ < t_.size() && (t_[pos_] == 'e' || t_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < t_.size() && (t_[pos_] == '+' || t_[pos_] == '-'))
                ++pos_;
            digits = 0;
            skipDigits();
            if (digits == 0) {
                malformed_ = true;
                return 0.0;
            }
        }
        const NumberReading v = ReadNumber(t_.substr(begin, pos_ - begin), dec_);
        if (v.tooLarge)
            fail(ErrorNumber::Overflow);
        else if (!v.value)
            malformed_ = true;
        return v.value.value_or(0.0);
    }

    std::string_view t_;
    char dec_;
    std::size_t pos_ = 0;
    std::size_t next_ = 0;
    int depth_ = 0;
    bool malformed_ = false;
    std::optional<ErrorNumber> arithmetic_;
};

} // namespace

ExpressionResult EvaluateExpression(std::string_view text, char dec) { return Parser(text, dec).run(); }

} // namespace ov
