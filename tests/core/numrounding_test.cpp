// Rounding of the number texts where it is hardest to get right: exact halves, carries into a
// new digit, the ends of the ranges the grid shows positionally, and the smallest and largest
// doubles. The reader must give back exactly the double the compiler makes of the same digits.
#include "core/numtext.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>

namespace {

using ovtest::operator<<;

struct RoundRow {
    const char* name;
    double value;
    const char* general; // 15 digits
    const char* single;  // 7 digits of the float
};

class Rounding : public testing::TestWithParam<RoundRow> {};
TEST_P(Rounding, ShowsTheNearestDigitsHalvesToEven)
{
    EXPECT_EQ(ov::FormatGeneral(GetParam().value, ','), GetParam().general);
    EXPECT_EQ(ov::FormatSingle(GetParam().value, ','), GetParam().single);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, Rounding,
    testing::Values(
        RoundRow{"SixteenthDigitExactHalf", std::ldexp(3.0, -21), "1,43051147460938E-06", "1,430511E-06"},
        RoundRow{"SumOfTenths", 0.1 + 0.2, "0,3", "0,3"},
        RoundRow{"TwoThirdsRoundUp", 2.0 / 3, "0,666666666666667", "0,6666667"},
        RoundRow{"LargestPositional", 999999999999999.0, "999999999999999", "1E+15"},
        RoundRow{"CarryIntoExponentForm", 999999999999999.9, "1E+15", "1E+15"},
        RoundRow{"CarryToSmallestPositional", 9.99999999999999999e-6, "1E-05", "1E-05"},
        RoundRow{"ManyDigitsBothSides", 123456789.123456789, "123456789,123457", "1,234568E+08"},
        RoundRow{"SmallestNormal", DBL_MIN, "2,2250738585072E-308", "0"},
        RoundRow{"Subnormal", 5e-324, "4,94065645841247E-324", "0"},
        RoundRow{"Largest", DBL_MAX, "1,79769313486232E+308", "1,797693E+308"},
        RoundRow{"BeyondExactIntegers", 9007199254740993.0, "9,00719925474099E+15", "9,007199E+15"},
        RoundRow{"FloatHalfRoundsUpToEven", 1234567.5, "1234567,5", "1234568"},
        RoundRow{"FloatHalfStaysEven", 1234566.5, "1234566,5", "1234566"},
        RoundRow{"FloatLosesTheLastInteger", 16777217.0, "16777217", "1,677722E+07"},
        RoundRow{"FloatSubnormal", 1e-40, "1E-40", "9,999946E-41"}),
    ovtest::rowName);
// clang-format on

struct ReadRow {
    const char* name;
    const char* text;
    double expected;
};

class ExactReading : public testing::TestWithParam<ReadRow> {};
TEST_P(ExactReading, GivesTheNearestDouble)
{
    const auto v = ov::ParseNumber(GetParam().text, ',');
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, GetParam().expected);
    EXPECT_EQ(std::signbit(*v), std::signbit(GetParam().expected));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, ExactReading,
    testing::Values(
        ReadRow{"Tenth", "0,1", 0.1},
        ReadRow{"FifteenDigits", "999999999999999", 999999999999999.0},
        ReadRow{"SixteenDigits", "123456789012345,6", 123456789012345.6},
        ReadRow{"SeventeenDigitsRounded", "9007199254740993", 9007199254740992.0},
        ReadRow{"LeadingZerosAreNoDigits", "0,000000000000000123456789012345", 1.23456789012345e-16},
        ReadRow{"TrailingZerosAreDigits", "1,50000000000000000000", 1.5},
        ReadRow{"LargestExactPowerOfTen", "1E22", 1e22},
        ReadRow{"BeyondExactPowersOfTen", "1E23", 1e23},
        ReadRow{"SmallestExactPowerOfTen", "1E-22", 1e-22},
        ReadRow{"NegativeZero", "-0,0", -0.0},
        ReadRow{"ZeroWithHugeExponent", "0E99999", 0.0}),
    ovtest::rowName);
// clang-format on

} // namespace
