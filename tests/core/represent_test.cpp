// "Aktuální jako": the texts the result line shows for the value of the current cell.
#include "core/errors.h"
#include "core/represent.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using ovtest::operator<<;

using Kind = ov::RepresentationResult::Kind;
using ov::BaseKind;

struct BaseRow {
    const char* name;
    const char* cell;
    BaseKind kind;
    int base;
    int places;
    Kind expectedKind;
    std::string expected;
};

class NumberBases : public testing::TestWithParam<BaseRow> {};
TEST_P(NumberBases, ShowTheWholePartInTheBase)
{
    const BaseRow& r = GetParam();
    const auto result = ov::BaseResult(r.cell, r.kind, r.base, r.places, ',');
    EXPECT_EQ(result.kind, r.expectedKind);
    EXPECT_EQ(result.text, r.expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cells, NumberBases,
    testing::Values(
        BaseRow{"BinaryFive", "5", BaseKind::Binary, 12, 6, Kind::Ok, "5 dekadicky = 101 binárně."},
        BaseRow{"BinaryZero", "0", BaseKind::Binary, 12, 6, Kind::Ok, "0 dekadicky = 0 binárně."},
        BaseRow{"BinaryLargest", "32767", BaseKind::Binary, 12, 6, Kind::Ok,
                "32767 dekadicky = 111111111111111 binárně."},
        BaseRow{"BinaryBeyond", "32768", BaseKind::Binary, 12, 6, Kind::OutOfRange,
                "Vstupní hodnota 32768 je mimo povolený rozsah."},
        BaseRow{"BinaryFarBeyond", "40000", BaseKind::Binary, 12, 6, Kind::OutOfRange,
                "Vstupní hodnota 40000 je mimo povolený rozsah."},
        BaseRow{"BinaryNegative", "-5", BaseKind::Binary, 12, 6, Kind::Ok,
                "-5 dekadicky = 1111111111111011 binárně."},
        BaseRow{"BinarySmallest", "-32768", BaseKind::Binary, 12, 6, Kind::Ok,
                "-32768 dekadicky = 1000000000000000 binárně."},
        BaseRow{"BinaryBelow", "-32769", BaseKind::Binary, 12, 6, Kind::OutOfRange,
                "Vstupní hodnota -32769 je mimo povolený rozsah."},
        BaseRow{"BinaryNegativeFractionFloors", "-0,5", BaseKind::Binary, 12, 6, Kind::Ok,
                "-1 dekadicky = 1111111111111111 binárně."},
        BaseRow{"OctalWholePart", "2,7", BaseKind::Octal, 12, 6, Kind::Ok, "2 dekadicky = 2 oktálně."},
        BaseRow{"OctalEight", "8", BaseKind::Octal, 12, 6, Kind::Ok, "8 dekadicky = 10 oktálně."},
        BaseRow{"OctalMinusOne", "-1", BaseKind::Octal, 12, 6, Kind::Ok, "-1 dekadicky = 37777777777 oktálně."},
        BaseRow{"OctalBeyond", "2147483648", BaseKind::Octal, 12, 6, Kind::OutOfRange,
                "Vstupní hodnota 2147483648 je mimo povolený rozsah."},
        BaseRow{"HexFF", "255", BaseKind::Hex, 12, 6, Kind::Ok, "255 dekadicky = FF hexadecimálně."},
        BaseRow{"HexMinusOne", "-1", BaseKind::Hex, 12, 6, Kind::Ok, "-1 dekadicky = FFFFFFFF hexadecimálně."},
        BaseRow{"HexLargest", "2147483647,9", BaseKind::Hex, 12, 6, Kind::Ok,
                "2147483647 dekadicky = 7FFFFFFF hexadecimálně."},
        BaseRow{"HexSmallest", "-2147483648", BaseKind::Hex, 12, 6, Kind::Ok,
                "-2147483648 dekadicky = 80000000 hexadecimálně."},
        BaseRow{"HexExponentFormInMessage", "1E+20", BaseKind::Hex, 12, 6, Kind::OutOfRange,
                "Vstupní hodnota 1E+20 je mimo povolený rozsah."},
        BaseRow{"CustomTwelve", "255", BaseKind::Custom, 12, 6, Kind::Ok, "255 dekadicky = (193)12"},
        BaseRow{"CustomNegative", "-255", BaseKind::Custom, 12, 6, Kind::Ok, "-255 dekadicky = (-193)12"},
        BaseRow{"CustomBase32", "31", BaseKind::Custom, 32, 6, Kind::Ok, "31 dekadicky = (V)32"},
        BaseRow{"CustomLarge", "1E+20", BaseKind::Custom, 16, 6, Kind::Ok, "1E+20 dekadicky = (56BC75E2D63100000)16"},
        BaseRow{"DecimalsTwelve", "10,5", BaseKind::CustomWithDecimals, 12, 6, Kind::Ok,
                "10,5 dekadicky = (A,6)12"},
        BaseRow{"DecimalsWholeNumber", "255", BaseKind::CustomWithDecimals, 12, 6, Kind::Ok,
                "255 dekadicky = (193,000000)12"},
        BaseRow{"DecimalsLetterInFraction", "0,625", BaseKind::CustomWithDecimals, 16, 6, Kind::Ok,
                "0,625 dekadicky = (0,A)16"},
        BaseRow{"DecimalsHalfInBinary", "0,5", BaseKind::CustomWithDecimals, 2, 6, Kind::Ok,
                "0,5 dekadicky = (0,1)2"},
        BaseRow{"DecimalsTruncated", "0,1", BaseKind::CustomWithDecimals, 3, 4, Kind::Ok,
                "0,1 dekadicky = (0,0022)3"},
        BaseRow{"DecimalsNegative", "-10,5", BaseKind::CustomWithDecimals, 12, 6, Kind::Ok,
                "-10,5 dekadicky = (-A,6)12"},
        BaseRow{"EmptyCell", "", BaseKind::Binary, 12, 6, Kind::Empty, ""}),
    ovtest::rowName);
// clang-format on

TEST(NumberBases, TextThatIsNotANumberShowsTheFailureMessage)
{
    const std::string expected =
        "Chyba 13: " + std::string(ov::errorDescription(13)) + "\r\n\r\nNevhodná hodnota 'abc'.\r\n";
    for (auto kind : {BaseKind::Binary, BaseKind::Hex, BaseKind::CustomWithDecimals}) {
        const auto result = ov::BaseResult("abc", kind, 12, 6, ',');
        EXPECT_EQ(result.kind, Kind::NotANumber);
        EXPECT_EQ(result.text, expected);
    }
    EXPECT_EQ(ov::RomanResult("1.5", ',').kind, Kind::NotANumber);
    EXPECT_EQ(ov::FractionResult("x", 3, ',').text,
              "Chyba 13: " + std::string(ov::errorDescription(13)) + "\r\n\r\nNevhodná hodnota 'x'.\r\n");
}

TEST(NumberBases, DigitRoutines)
{
    EXPECT_EQ(ov::BinaryDigits(0), "0");
    EXPECT_EQ(ov::BinaryDigits(-1), "1111111111111111");
    EXPECT_EQ(ov::DigitsInBase(0, 12), "0");
    EXPECT_EQ(ov::DigitsInBase(1e300, 32).size(), 200u);
    EXPECT_EQ(ov::FractionDigitsInBase(0.5, 12, 6), "6");
    EXPECT_EQ(ov::FractionDigitsInBase(3.0, 12, 4), "0000");
}

struct RomanRow {
    const char* name;
    double value;
    const char* expected;
};
class RomanNumerals : public testing::TestWithParam<RomanRow> {};
TEST_P(RomanNumerals, UsesTheProgramsNumerals) { EXPECT_EQ(ov::RomanNumeral(GetParam().value), GetParam().expected); }
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, RomanNumerals,
    testing::Values(
        RomanRow{"NineHundredNinetyNine", 999, "IM"}, RomanRow{"NineteenNinetyNine", 1999, "MIM"},
        RomanRow{"NineNinetyFive", 995, "XMV"}, RomanRow{"NineNinety", 990, "XM"},
        RomanRow{"NinetyNine", 99, "IC"}, RomanRow{"OneNinetyNine", 199, "CIC"},
        RomanRow{"EightNinetyNine", 899, "DCCCIC"}, RomanRow{"NineFortyNine", 949, "CMXLIX"},
        RomanRow{"FortyNine", 49, "XLIX"}, RomanRow{"LongOne", 3888, "MMMDCCCLXXXVIII"},
        RomanRow{"FourThousand", 4000, "MMMM"}, RomanRow{"NineNineNineNine", 9999, "MMMMMMMMMIM"},
        RomanRow{"TenThousand", 10000, "MMMMMMMMMM"}, RomanRow{"Four", 4, "IV"}, RomanRow{"Nine", 9, "IX"},
        RomanRow{"FourHundred", 400, "CD"}, RomanRow{"NineHundredNine", 909, "CMIX"},
        RomanRow{"NineHundredNinety", 940, "CMXL"}, RomanRow{"FloorNotRound", 3.7, "III"},
        RomanRow{"BelowOne", 0.5, ""}, RomanRow{"Zero", 0, "Číslo musí být větší než 0."},
        RomanRow{"Negative", -3, "Číslo musí být větší než 0."},
        RomanRow{"AboveLimit", 10001, "Číslo musí být maximálně rovno 10 000."}),
    ovtest::rowName);
// clang-format on

struct RomanCellRow {
    const char* name;
    const char* cell;
    Kind kind;
    const char* expected;
};
class RomanCellTexts : public testing::TestWithParam<RomanCellRow> {};
TEST_P(RomanCellTexts, PrefixTheWholePart)
{
    const auto result = ov::RomanResult(GetParam().cell, ',');
    EXPECT_EQ(result.kind, GetParam().kind);
    EXPECT_EQ(result.text, GetParam().expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cells, RomanCellTexts,
    testing::Values(
        RomanCellRow{"Year", "1999", Kind::Ok, "1999 = MIM"},
        RomanCellRow{"Floor", "3,7", Kind::Ok, "3 = III"},
        RomanCellRow{"BelowOne", "0,5", Kind::Ok, "0 = "},
        RomanCellRow{"Zero", "0", Kind::Ok, "0 = Číslo musí být větší než 0."},
        RomanCellRow{"TooLarge", "12000", Kind::Ok, "12000 = Číslo musí být maximálně rovno 10 000."},
        RomanCellRow{"Empty", "", Kind::Empty, ""}),
    ovtest::rowName);
// clang-format on

struct FractionRow {
    const char* name;
    double value;
    int sensitivity;
    const char* expected;
};
class FractionTexts : public testing::TestWithParam<FractionRow> {};
TEST_P(FractionTexts, ShowFractionAndExactError)
{
    EXPECT_EQ(ov::FractionText(GetParam().value, GetParam().sensitivity, ','), GetParam().expected);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, FractionTexts,
    testing::Values(
        FractionRow{"Quarter", 2.25, 3, "2 + 1/4 chyba 0"},
        FractionRow{"Third", 0.333333, 3, "333/1000 chyba -0,000333"},
        FractionRow{"TwoThirds", 0.6667, 3, "667/1000 chyba 0,0003"},
        FractionRow{"NegativeQuarter", -2.25, 3, "2 + 1/4 chyba 0"},
        FractionRow{"Whole", 5, 3, "Celé číslo"},
        FractionRow{"NegativeWhole", -5, 3, "Celé číslo"},
        FractionRow{"RoundsToOne", 2.9996, 3, "Při nastavené citlivosti ~0,001 nelze převést na zlomek."},
        FractionRow{"FinerSensitivity", 2.9996, 4, "2 + 2499/2500 chyba 0"},
        FractionRow{"RoundsToZero", 0.0004, 3, "Při nastavené citlivosti ~0,001 nelze převést na zlomek."},
        FractionRow{"HalfGoesUp", 0.0005, 3, "1/1000 chyba 0,0005"},
        FractionRow{"Half", 0.5, 3, "1/2 chyba 0"},
        FractionRow{"Eighth", 0.125, 3, "1/8 chyba 0"},
        FractionRow{"EighthSensitivityFour", 0.125, 4, "1/8 chyba 0"},
        FractionRow{"ThirdSensitivityFour", 1.0 / 3.0, 4, "3333/10000 chyba -0,000033333333333"},
        FractionRow{"SensitivityFiveMessage", 0.000001, 5, "Při nastavené citlivosti ~1E-05 nelze převést na zlomek."},
        FractionRow{"LargestScaled", 2147483.647, 3, "2147483 + 647/1000 chyba 0"},
        FractionRow{"ScaledBeyond32Bits", 2147483.6475, 3, "Vstupní hodnota 2147483,6475 je mimo povolený rozsah."},
        FractionRow{"NegativeBeyond", -5000000.5, 3, "Vstupní hodnota -5000000,5 je mimo povolený rozsah."}),
    ovtest::rowName);
// clang-format on

TEST(FractionTexts, CellResults)
{
    EXPECT_EQ(ov::FractionResult("", 3, ',').kind, Kind::Empty);
    const auto ok = ov::FractionResult("0,125", 3, ',');
    EXPECT_EQ(ok.kind, Kind::Ok);
    EXPECT_EQ(ok.text, "1/8 chyba 0");
    const auto whole = ov::FractionResult("7", 3, ',');
    EXPECT_EQ(whole.kind, Kind::Ok);
    EXPECT_EQ(whole.text, "Celé číslo");
    EXPECT_EQ(ov::FractionResult("3000000,5", 3, ',').kind, Kind::OutOfRange);
}

} // namespace
