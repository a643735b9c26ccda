// The exact decimal behind the error of a fraction.
#include "core/decimal.h"
#include "core/errors.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

using ovtest::operator<<;

using ov::Decimal;

struct DecimalRow {
    const char* name;
    Decimal value;
    std::string expected;
};
class DecimalValues : public testing::TestWithParam<DecimalRow> {};
TEST_P(DecimalValues, WriteExactDigits) { EXPECT_EQ(GetParam().value.toString(','), GetParam().expected); }
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, DecimalValues,
    testing::Values(
        DecimalRow{"Zero", Decimal(), "0"},
        DecimalRow{"Int", Decimal::fromInt(-42), "-42"},
        DecimalRow{"Int64Extremes", Decimal::fromInt(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        DecimalRow{"DoubleFifteenDigits", Decimal::fromDouble(0.1 + 0.2), "0,3"},
        DecimalRow{"DoubleThird", Decimal::fromDouble(1.0 / 3.0), "0,333333333333333"},
        DecimalRow{"DoubleLarge", Decimal::fromDouble(1e20), "100000000000000000000"},
        DecimalRow{"DoubleTiny", Decimal::fromDouble(1.5e-20), "0,000000000000000000015"},
        DecimalRow{"DoubleBelowScale", Decimal::fromDouble(1e-29), "0"},
        DecimalRow{"DoubleNegative", Decimal::fromDouble(-0.000333), "-0,000333"},
        DecimalRow{"QuotientThird", Decimal::quotient(1, 3), "0,3333333333333333333333333333"},
        DecimalRow{"QuotientTwoThirdsRounds", Decimal::quotient(2, 3), "0,6666666666666666666666666667"},
        DecimalRow{"QuotientTerminates", Decimal::quotient(2499, 2500), "0,9996"},
        DecimalRow{"QuotientNegative", Decimal::quotient(-1, 8), "-0,125"},
        DecimalRow{"QuotientLargeWholePart", Decimal::quotient(std::numeric_limits<std::int64_t>::max(), 7),
                   "1317624576693539401"},
        DecimalRow{"SumAlignsScales", Decimal::fromInt(2) + Decimal::quotient(1, 4) - Decimal::fromDouble(2.25), "0"},
        DecimalRow{"DifferenceNegative", Decimal::quotient(333, 1000) - Decimal::fromDouble(0.333333), "-0,000333"},
        DecimalRow{"DifferenceSignFlips", Decimal::fromDouble(0.1) - Decimal::fromDouble(0.3), "-0,2"},
        DecimalRow{"SumOfNegatives", Decimal::fromInt(-1) + Decimal::fromDouble(-0.5), "-1,5"},
        DecimalRow{"SumRoundsToFit", Decimal::fromDouble(1e20) + Decimal::quotient(1, 3), "100000000000000000000,33333333"},
        DecimalRow{"DroppedDigitsRoundOnce", Decimal::fromDouble(1e20) + Decimal::fromDouble(4.5e-9),
                   "100000000000000000000"},
        DecimalRow{"DroppedDigitsRoundUp", Decimal::fromDouble(1e20) + Decimal::fromDouble(5.5e-9),
                   "100000000000000000000,00000001"}
            ),
    ovtest::rowName);
// clang-format on

TEST(DecimalValues, ScalingAndRounding)
{
    EXPECT_EQ(Decimal::fromDouble(0.0005).timesPowerOfTen(3).toString(','), "0,5");
    EXPECT_EQ(Decimal::fromDouble(0.0005).timesPowerOfTen(3).roundHalfUp(), 1);
    EXPECT_EQ(Decimal::fromDouble(2999.4).roundHalfUp(), 2999);
    EXPECT_EQ(Decimal::fromDouble(-2.5).roundHalfUp(), -3);
    EXPECT_EQ(Decimal::fromInt(7).timesPowerOfTen(9).toString('.'), "7000000000");
    EXPECT_EQ(Decimal::fromDouble(1e28).roundHalfUp(), std::nullopt);
    EXPECT_TRUE(Decimal::fromDouble(-0.0).toString(',') == "0");
    EXPECT_FALSE(Decimal::fromDouble(-0.0).isNegative());
}

TEST(DecimalValues, OutOfRangeIsAnOverflow)
{
    try {
        (void)Decimal::fromDouble(1e30);
        FAIL() << "no overflow";
    } catch (const ov::RuntimeError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ov::ErrorNumber::Overflow));
    }
    EXPECT_THROW((void)Decimal::quotient(1, 0), ov::RuntimeError);
    EXPECT_THROW((void)Decimal::fromDouble(7e28).timesPowerOfTen(1), ov::RuntimeError);
}

} // namespace
