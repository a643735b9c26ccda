// Number texts as the user sees them in the grid and in the result line (decimal comma).
#include "core/numtext.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <ostream>
#include <string>

namespace {

using ovtest::operator<<;

using ov::DisplayFormat;

struct RenderRow {
    const char* name;
    double value;
    std::string expected;
};

class GeneralRendering : public testing::TestWithParam<RenderRow> {};
TEST_P(GeneralRendering, ShowsFifteenDigitsAndExponentForm)
{
    EXPECT_EQ(ov::FormatGeneral(GetParam().value, ','), GetParam().expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, GeneralRendering,
    testing::Values(
        RenderRow{"Zero", 0.0, "0"},
        RenderRow{"NegativeZero", -0.0, "0"},
        RenderRow{"DecimalComma", 1.5, "1,5"},
        RenderRow{"Negative", -2.25, "-2,25"},
        RenderRow{"NoGrouping", 1234567.5, "1234567,5"},
        RenderRow{"NoTrailingZeros", 2.5000, "2,5"},
        RenderRow{"LargeExponent", 1e20, "1E+20"},
        RenderRow{"SmallExponent", 1.5e-7, "1,5E-07"},
        RenderRow{"ThreeDigitExponent", 1e100, "1E+100"},
        RenderRow{"TenThousandth", 0.0001, "0,0001"},
        RenderRow{"HundredThousandth", 0.00001, "1E-05"},
        RenderRow{"FifteenDigitWhole", 123456789012345.0, "123456789012345"},
        RenderRow{"TenToFifteen", 1e15, "1E+15"},
        RenderRow{"RoundsUpIntoExponentForm", 999999999999999.9, "1E+15"},
        RenderRow{"RoundsUpBelowTenThousandth", 0.00009999999999999999, "0,0001"},
        RenderRow{"Third", 1.0 / 3.0, "0,333333333333333"},
        RenderRow{"BinaryNoiseHidden", 0.1 + 0.2, "0,3"},
        RenderRow{"MantissaWithDecimals", -1.23456e25, "-1,23456E+25"},
        RenderRow{"Subnormal", 4.9406564584124654e-324, "4,94065645841247E-324"},
        RenderRow{"Largest", DBL_MAX, "1,79769313486232E+308"}),
    ovtest::rowName);
// clang-format on

class SingleRendering : public testing::TestWithParam<RenderRow> {};
TEST_P(SingleRendering, ShowsSevenDigits) { EXPECT_EQ(ov::FormatSingle(GetParam().value, ','), GetParam().expected); }
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, SingleRendering,
    testing::Values(
        RenderRow{"Zero", 0.0, "0"},
        RenderRow{"Tenth", 0.1, "0,1"},
        RenderRow{"Third", 1.0 / 3.0, "0,3333333"},
        RenderRow{"SevenDigitWhole", 1234567.0, "1234567"},
        RenderRow{"EightDigitWhole", 12345678.0, "1,234568E+07"},
        RenderRow{"FloatRounding", 16777217.0, "1,677722E+07"},
        RenderRow{"RoundsUpIntoExponentForm", 9999999.6, "1E+07"},
        RenderRow{"SmallExponent", 0.00001, "1E-05"},
        RenderRow{"Negative", -273.15, "-273,15"},
        RenderRow{"BeyondSingleRange", 3.4e39, "3,4E+39"}),
    ovtest::rowName);
// clang-format on

class ScientificRendering : public testing::TestWithParam<RenderRow> {};
TEST_P(ScientificRendering, ShowsTwoDecimalsAndExponent)
{
    EXPECT_EQ(ov::FormatScientific(GetParam().value, ','), GetParam().expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, ScientificRendering,
    testing::Values(
        RenderRow{"Zero", 0.0, "0,00E+00"},
        RenderRow{"Thousands", 1234.0, "1,23E+03"},
        RenderRow{"Half", 0.5, "5,00E-01"},
        RenderRow{"HalfGoesAway", -1.235, "-1,24E+00"},
        RenderRow{"CarryIntoExponent", 9.999, "1,00E+01"},
        RenderRow{"ThreeDigitExponent", 1e100, "1,00E+100"}),
    ovtest::rowName);
// clang-format on

struct FixedRow {
    const char* name;
    double value;
    int decimals;
    std::string expected;
};
class FixedRendering : public testing::TestWithParam<FixedRow> {};
TEST_P(FixedRendering, ShowsExactlyTheDecimals)
{
    EXPECT_EQ(ov::FormatFixed(GetParam().value, GetParam().decimals, ','), GetParam().expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, FixedRendering,
    testing::Values(
        FixedRow{"NoDecimalsRounds", 2.5, 0, "3"},
        FixedRow{"TwoDecimals", 1.0 / 3.0, 2, "0,33"},
        FixedRow{"HalfOfTheShownDigitsGoesUp", 2.675, 2, "2,68"},
        FixedRow{"PadsWithZeros", 5.0, 9, "5,000000000"},
        FixedRow{"NoGrouping", 1234567.25, 1, "1234567,3"},
        FixedRow{"TinyNegativeHasNoMinus", -0.001, 2, "0,00"},
        FixedRow{"Negative", -40.0, 2, "-40,00"},
        FixedRow{"CarryIntoNewDigit", 999.996, 2, "1000,00"},
        FixedRow{"Large", 1e20, 1, "100000000000000000000,0"}),
    ovtest::rowName);
// clang-format on

struct ParseRow {
    const char* name;
    const char* text;
    char dec;
    std::optional<double> expected;
};
class NumberParsing : public testing::TestWithParam<ParseRow> {};
TEST_P(NumberParsing, AcceptsOnlyNumbers)
{
    const auto v = ov::ParseNumber(GetParam().text, GetParam().dec);
    ASSERT_EQ(v.has_value(), GetParam().expected.has_value()) << GetParam().text;
    if (v) {
        EXPECT_DOUBLE_EQ(*v, *GetParam().expected);
    }
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, NumberParsing,
    testing::Values(
        ParseRow{"DecimalComma", "1,5", ',', 1.5},
        ParseRow{"PointIsNotTheSeparator", "1.5", ',', std::nullopt},
        ParseRow{"PointWhenThatIsTheSeparator", "1.5", '.', 1.5},
        ParseRow{"CommaWhenPointIsTheSeparator", "1,5", '.', std::nullopt},
        ParseRow{"SurroundingBlanks", "  2 ", ',', 2.0},
        ParseRow{"Tabs", "\t7\t", ',', 7.0},
        ParseRow{"LowerExponent", "1e3", ',', 1000.0},
        ParseRow{"UpperExponent", "1E3", ',', 1000.0},
        ParseRow{"SignedExponent", "1,5E-07", ',', 1.5e-7},
        ParseRow{"PlusExponent", "1E+20", ',', 1e20},
        ParseRow{"LeadingPlus", "+4", ',', 4.0},
        ParseRow{"LeadingMinus", "-4,25", ',', -4.25},
        ParseRow{"NoWholeDigits", ",5", ',', 0.5},
        ParseRow{"NoFractionDigits", "5,", ',', 5.0},
        ParseRow{"Underflow", "1E-400", ',', 0.0},
        ParseRow{"LongFraction", "0,000000000000000000000000000000000000000000000000000000000000000000000000"
                                 "000000000000000000000000000000000000000000000000000000000000000000000001",
                 ',', 1e-144},
        ParseRow{"Empty", "", ',', std::nullopt},
        ParseRow{"OnlyBlanks", "   ", ',', std::nullopt},
        ParseRow{"OnlySign", "-", ',', std::nullopt},
        ParseRow{"OnlySeparator", ",", ',', std::nullopt},
        ParseRow{"Infinity", "inf", ',', std::nullopt},
        ParseRow{"NotANumber", "nan", ',', std::nullopt},
        ParseRow{"Letters", "abc", ',', std::nullopt},
        ParseRow{"TrailingLetters", "12abc", ',', std::nullopt},
        ParseRow{"InnerBlank", "1 000", ',', std::nullopt},
        ParseRow{"TwoSeparators", "1,2,3", ',', std::nullopt},
        ParseRow{"ExponentWithoutDigits", "1E", ',', std::nullopt},
        ParseRow{"ExponentWithoutMantissa", "E5", ',', std::nullopt},
        ParseRow{"DoubleSign", "--1", ',', std::nullopt},
        ParseRow{"Hexadecimal", "0x10", ',', std::nullopt},
        ParseRow{"Overflow", "1E+400", ',', std::nullopt},
        // The largest double as the table shows it, a little above the double itself.
        ParseRow{"LargestDoubleAsShown", "1,79769313486232E+308", ',', DBL_MAX},
        ParseRow{"NegativeLargestAsShown", "-1,79769313486232E+308", ',', -DBL_MAX},
        ParseRow{"LargestWithoutExponent", "179769313486232E+294", '.', DBL_MAX},
        ParseRow{"ScientificLargest", "1,80E+308", ',', DBL_MAX},
        ParseRow{"AboveTheLargestShown", "1,80000000000001E+308", ',', std::nullopt},
        ParseRow{"TenTimesTheLargest", "17,9769313486232E+308", ',', std::nullopt}),
    ovtest::rowName);
// clang-format on

TEST(NumberParsing, ReadsBackEveryGeneralRendering)
{
    for (double v :
         {0.1, 1.0 / 3.0, 1e20, 1.5e-7, -273.15, 123456789012345.0, 4.9406564584124654e-324, DBL_MAX, -DBL_MAX}) {
        const std::string text = ov::FormatGeneral(v, ',');
        const auto back = ov::ParseNumber(text, ',');
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(ov::FormatGeneral(*back, ','), text);
    }
}

struct FormatRow {
    const char* name;
    DisplayFormat format;
    const char* cell;
    int fix;
    std::optional<std::string> expected;
};
class DisplayFormats : public testing::TestWithParam<FormatRow> {};
TEST_P(DisplayFormats, RerenderTheCellText)
{
    EXPECT_EQ(ov::RenderInFormat(GetParam().format, GetParam().cell, GetParam().fix, ','), GetParam().expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cells, DisplayFormats,
    testing::Values(
        FormatRow{"FixedToDoubleKeepsTheShownDigits", DisplayFormat::Double, "0,33", 2, "0,33"},
        FormatRow{"SingleDropsDigits", DisplayFormat::Single, "0,333333333333333", 2, "0,3333333"},
        FormatRow{"ScientificOfZero", DisplayFormat::Scientific, "0", 2, "0,00E+00"},
        FormatRow{"FixedWithoutDecimals", DisplayFormat::Fixed, "2,5", 0, "3"},
        FormatRow{"FixedTwo", DisplayFormat::Fixed, "5000", 2, "5000,00"},
        FormatRow{"NotANumberIsLeftAlone", DisplayFormat::Double, "abc", 2, std::nullopt}),
    ovtest::rowName);
// clang-format on

struct MaskRow {
    const char* name;
    int n;
    const char* expected;
};
class FixMaskText : public testing::TestWithParam<MaskRow> {};
TEST_P(FixMaskText, HasTheDecimals) { EXPECT_EQ(ov::MakeFixMask(GetParam().n), GetParam().expected); }
// clang-format off
INSTANTIATE_TEST_SUITE_P(Decimals, FixMaskText,
    testing::Values(MaskRow{"None", 0, "0"}, MaskRow{"One", 1, "0.0"}, MaskRow{"Two", 2, "0.#0"},
                    MaskRow{"Three", 3, "0.##0"}, MaskRow{"Nine", 9, "0.########0"}),
    ovtest::rowName);
// clang-format on

std::string repeatedGroups(const std::string& first, int groups)
{
    std::string s = first;
    for (int i = 0; i < groups; ++i)
        s += " 000";
    return s + ",00";
}

class GroupedText : public testing::TestWithParam<RenderRow> {};
TEST_P(GroupedText, GroupsDigitsByThree) { EXPECT_EQ(ov::GroupedFormat(GetParam().value, ','), GetParam().expected); }
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, GroupedText,
    testing::Values(
        RenderRow{"Five", 5.0, "5,00"},
        RenderRow{"FiveThousand", 5000.0, "5 000,00"},
        RenderRow{"Millions", 1234567.891, "1 234 567,891"},
        RenderRow{"NineDecimals", 0.123456789, "0,123 456 789"},
        RenderRow{"FourDecimals", 2.0001, "2,000 1"},
        RenderRow{"OneDecimal", 1.5, "1,50"},
        RenderRow{"BelowNinthDecimal", 0.000000000001, "0,00"},
        RenderRow{"HalfOfNinthDecimalGoesUp", 0.0000000005, "0,000 000 001"},
        RenderRow{"CarryIntoWholePart", 999.9999999996, "1 000,00"},
        RenderRow{"Zero", 0.0, "0,00"},
        RenderRow{"Negative", -1234.5, "-1 234,50"},
        RenderRow{"TinyNegativeHasNoMinus", -0.000000000001, "0,00"},
        RenderRow{"BinaryNoiseHidden", 123456789.123456789, "123 456 789,123 457"},
        RenderRow{"ThirtyNineDigits", 1e38, repeatedGroups("100", 12)},
        RenderRow{"ExtraDigitsInLeftmostGroup", 1e45, repeatedGroups("1000000000", 12)},
        RenderRow{"ExponentFormValue", 1e20, "100 000 000 000 000 000 000,00"}),
    ovtest::rowName);
// clang-format on

struct SpacesRow {
    const char* name;
    const char* text;
    const char* expected;
};
class SingleSpacesText : public testing::TestWithParam<SpacesRow> {};
TEST_P(SingleSpacesText, CollapseToOne) { EXPECT_EQ(ov::SingleSpaces(GetParam().text), GetParam().expected); }
// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, SingleSpacesText,
    testing::Values(SpacesRow{"FourSpaces", "a    b", "a b"}, SpacesRow{"ThreeSpaces", "a   b  c", "a b c"},
                    SpacesRow{"EdgesKeepOne", "  x  ", " x "}, SpacesRow{"Empty", "", ""},
                    SpacesRow{"SingleUnchanged", " km: 5,00 km ", " km: 5,00 km "},
                    SpacesRow{"TabsUntouched", "a\t\tb", "a\t\tb"}),
    ovtest::rowName);
// clang-format on

} // namespace
