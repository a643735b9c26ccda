// Arithmetic typed into a cell: what is accepted with its value, and what is refused with the
// failure number a bad number gives.
#include "core/expression.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using ovtest::operator<<;

constexpr int kOk = 0;
constexpr double kPi = 3.14159265358979323846;

struct ExpressionRow {
    const char* name;
    std::string text;
    double value; // when accepted
    int failure;  // kOk, or 6, 11, 13
    char dec = ',';
};

class Expression : public testing::TestWithParam<ExpressionRow> {};

TEST_P(Expression, GivesTheValueOrTheFailureOfABadNumber)
{
    const ExpressionRow& row = GetParam();
    const ov::ExpressionResult r = ov::EvaluateExpression(row.text, row.dec);
    if (row.failure == kOk) {
        ASSERT_TRUE(r.ok()) << "failure " << static_cast<int>(*r.failure);
        EXPECT_DOUBLE_EQ(r.value, row.value);
        EXPECT_FALSE(std::signbit(r.value) && r.value == 0.0);
    } else {
        ASSERT_FALSE(r.ok()) << "value " << r.value;
        EXPECT_EQ(static_cast<int>(*r.failure), row.failure);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, Expression,
    testing::Values(
        ExpressionRow{"Sum", "5+3", 8, kOk},
        ExpressionRow{"Third", "1/3", 1.0 / 3.0, kOk},
        ExpressionRow{"Parentheses", "2*(3,5-1)", 5, kOk},
        ExpressionRow{"TwoPi", "2*pi", 2 * kPi, kOk},
        ExpressionRow{"PiInCapitalsAndGreek", "PI + π", 2 * kPi, kOk},
        ExpressionRow{"TypographicSigns", "6 × 2 − 8 ÷ 4", 10, kOk},
        ExpressionRow{"ColonDivides", "9:4", 2.25, kOk},
        ExpressionRow{"PrecedenceOfProduct", "2+3*4", 14, kOk},
        ExpressionRow{"SubtractionFromTheLeft", "10-4-3", 3, kOk},
        ExpressionRow{"PowerFromTheRight", "2^3^2", 512, kOk},
        ExpressionRow{"SignBelowPower", "-2^2", -4, kOk},
        ExpressionRow{"NegativeExponent", "2^-1", 0.5, kOk},
        ExpressionRow{"RepeatedSigns", "--5 + +3", 8, kOk},
        ExpressionRow{"ExponentNotation", "1E5", 100000, kOk},
        ExpressionRow{"ExponentInASum", "1,5e-3+2E+1", 20.0015, kOk},
        ExpressionRow{"BareSeparator", ",5+5,", 5.5, kOk},
        ExpressionRow{"PointInItsLocale", "1.5*2", 3, kOk, '.'},
        ExpressionRow{"BlanksAndTabs", " \t( 1 + 2 ) * 3 \t", 9, kOk},
        ExpressionRow{"ZeroTimesMinusIsPlainZero", "0*-1", 0, kOk},
        ExpressionRow{"UnderflowIsZero", "1E-300*1E-300", 0, kOk},

        ExpressionRow{"Empty", "", 0, 13},
        ExpressionRow{"Word", "abc", 0, 13},
        ExpressionRow{"TrailingOperator", "5+", 0, 13},
        ExpressionRow{"UnclosedParenthesis", "2*(3", 0, 13},
        ExpressionRow{"ExtraClosingParenthesis", "(3))", 0, 13},
        ExpressionRow{"EmptyParentheses", "()", 0, 13},
        ExpressionRow{"ImplicitProduct", "2pi", 0, 13},
        ExpressionRow{"OtherLocalesPoint", "1.5+1", 0, 13},
        ExpressionRow{"TwoSeparators", "1,2,3", 0, 13},
        ExpressionRow{"ExponentWithoutDigits", "2e+", 0, 13},
        ExpressionRow{"SpaceInsideANumber", "1 000", 0, 13},
        ExpressionRow{"MalformedWinsOverArithmetic", "1/0+", 0, 13},
        ExpressionRow{"TooDeep", std::string(200, '(') + "1" + std::string(200, ')'), 0, 13},
        ExpressionRow{"TooManyPowers", [] {
                          std::string s = "1";
                          for (int i = 0; i < 200; ++i) s += "^1";
                          return s;
                      }(), 0, 13},
        ExpressionRow{"HalfOfAGreekLetter", "\xCF", 0, 13},

        ExpressionRow{"DivisionByZero", "1/0", 0, 11},
        ExpressionRow{"ZeroToANegativePower", "0^-1", 0, 11},
        ExpressionRow{"ZeroByZero", "0/0", 0, 6},
        ExpressionRow{"ProductOverflows", "1E300*1E300", 0, 6},
        ExpressionRow{"NumberTooLargeToHold", "1E400*0", 0, 6},
        ExpressionRow{"PowerOverflows", "10^400", 0, 6},
        ExpressionRow{"RootOfANegativeNumber", "(-8)^(1/3)", 0, 6},
        ExpressionRow{"FirstArithmeticFailureCounts", "1/0 + 1E300*1E300", 0, 11}),
    ovtest::rowName);
// clang-format on

} // namespace
