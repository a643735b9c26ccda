// omnivelor-cli as: the "Aktuální jako" texts for a value in the current cell.
#include "cli_support.h"

#include "core/errors.h"
#include "../rows.h"

using namespace ovtest;

struct AsCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int code;
};

class AsTable : public CliTest, public ::testing::WithParamInterface<AsCase> {};

TEST_P(AsTable, PrintsTheResultText)
{
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.code, GetParam().code);
    EXPECT_EQ(r.err, "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bases, AsTable, ::testing::Values(
    AsCase{"Binary", {"as", "bin", "5"}, "5 dekadicky = 101 binárně.\n", 0},
    AsCase{"BinaryLargest", {"as", "bin", "32767"}, "32767 dekadicky = 111111111111111 binárně.\n", 0},
    AsCase{"BinaryTooLarge", {"as", "bin", "32768"}, "Vstupní hodnota 32768 je mimo povolený rozsah.\n", 1},
    AsCase{"BinaryFarTooLarge", {"as", "bin", "40000"}, "Vstupní hodnota 40000 je mimo povolený rozsah.\n", 1},
    AsCase{"BinaryNegative", {"as", "bin", "-5"}, "-5 dekadicky = 1111111111111011 binárně.\n", 0},
    AsCase{"OctalWholePart", {"as", "oct", "2,7"}, "2 dekadicky = 2 oktálně.\n", 0},
    AsCase{"OctalNegative", {"as", "oct", "-1"}, "-1 dekadicky = 37777777777 oktálně.\n", 0},
    AsCase{"Hex", {"as", "hex", "255"}, "255 dekadicky = FF hexadecimálně.\n", 0},
    AsCase{"HexNegative", {"as", "hex", "-1"}, "-1 dekadicky = FFFFFFFF hexadecimálně.\n", 0},
    AsCase{"CustomBase", {"as", "base", "255"}, "255 dekadicky = (193)12\n", 0},
    AsCase{"CustomBaseNegative", {"as", "base", "-255"}, "-255 dekadicky = (-193)12\n", 0},
    AsCase{"CustomBaseLetter", {"--base", "32", "as", "base", "31"}, "31 dekadicky = (V)32\n", 0},
    AsCase{"CustomWithDecimals", {"as", "base-dec", "10,5"}, "10,5 dekadicky = (A,6)12\n", 0},
    AsCase{"CustomWithDecimalsWhole", {"as", "base-dec", "255"}, "255 dekadicky = (193,000000)12\n", 0},
    AsCase{"CustomWithDecimalsLetter", {"--base", "16", "as", "base-dec", "0,625"}, "0,625 dekadicky = (0,A)16\n", 0},
    AsCase{"CustomWithDecimalsEnding", {"--base", "2", "--base-places", "4", "as", "base-dec", "0,5"},
           "0,5 dekadicky = (0,1)2\n", 0},
    AsCase{"EmptyCell", {"as", "hex", ""}, "", 0}),
    ovtest::rowName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Roman, AsTable, ::testing::Values(
    AsCase{"NineHundredNinetyNine", {"as", "roman", "999"}, "999 = IM\n", 0},
    AsCase{"NineteenNinetyNine", {"as", "roman", "1999"}, "1999 = MIM\n", 0},
    AsCase{"NineNinetyFive", {"as", "roman", "995"}, "995 = XMV\n", 0},
    AsCase{"NineNinety", {"as", "roman", "990"}, "990 = XM\n", 0},
    AsCase{"NinetyNine", {"as", "roman", "99"}, "99 = IC\n", 0},
    AsCase{"OneNinetyNine", {"as", "roman", "199"}, "199 = CIC\n", 0},
    AsCase{"EightNinetyNine", {"as", "roman", "899"}, "899 = DCCCIC\n", 0},
    AsCase{"NineFortyNine", {"as", "roman", "949"}, "949 = CMXLIX\n", 0},
    AsCase{"FortyNine", {"as", "roman", "49"}, "49 = XLIX\n", 0},
    AsCase{"ThreeEightEightEight", {"as", "roman", "3888"}, "3888 = MMMDCCCLXXXVIII\n", 0},
    AsCase{"FourThousand", {"as", "roman", "4000"}, "4000 = MMMM\n", 0},
    AsCase{"NineNineNineNine", {"as", "roman", "9999"}, "9999 = MMMMMMMMMIM\n", 0},
    AsCase{"TenThousand", {"as", "roman", "10000"}, "10000 = MMMMMMMMMM\n", 0},
    AsCase{"Floor", {"as", "roman", "3,7"}, "3 = III\n", 0},
    AsCase{"Half", {"as", "roman", "0,5"}, "0 = \n", 0},
    AsCase{"Zero", {"as", "roman", "0"}, "0 = Číslo musí být větší než 0.\n", 0},
    AsCase{"Negative", {"as", "roman", "-3"}, "-3 = Číslo musí být větší než 0.\n", 0},
    AsCase{"AboveLimit", {"as", "roman", "10001"}, "10001 = Číslo musí být maximálně rovno 10 000.\n", 0},
    AsCase{"FarAboveLimit", {"as", "roman", "12000"}, "12000 = Číslo musí být maximálně rovno 10 000.\n", 0}),
    ovtest::rowName);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fraction, AsTable, ::testing::Values(
    AsCase{"Quarter", {"as", "fraction", "2,25"}, "2 + 1/4 chyba 0\n", 0},
    AsCase{"Third", {"as", "fraction", "0,333333"}, "333/1000 chyba -0,000333\n", 0},
    AsCase{"TwoThirds", {"as", "fraction", "0,6667"}, "667/1000 chyba 0,0003\n", 0},
    AsCase{"NegativeQuarter", {"as", "fraction", "-2,25"}, "2 + 1/4 chyba 0\n", 0},
    AsCase{"Whole", {"as", "fraction", "5"}, "Celé číslo\n", 0},
    AsCase{"WholeNegative", {"as", "fraction", "-5"}, "Celé číslo\n", 0},
    AsCase{"RoundsToWhole", {"as", "fraction", "2,9996"}, "Při nastavené citlivosti ~0,001 nelze převést na zlomek.\n", 0},
    AsCase{"FinerSensitivity", {"--sensitivity", "4", "as", "fraction", "2,9996"}, "2 + 2499/2500 chyba 0\n", 0},
    AsCase{"RoundsToZero", {"as", "fraction", "0,0004"}, "Při nastavené citlivosti ~0,001 nelze převést na zlomek.\n", 0},
    AsCase{"Thousandth", {"as", "fraction", "0,0005"}, "1/1000 chyba 0,0005\n", 0},
    AsCase{"Half", {"as", "fraction", "0,5"}, "1/2 chyba 0\n", 0},
    AsCase{"Eighth", {"as", "fraction", "0,125"}, "1/8 chyba 0\n", 0}),
    ovtest::rowName);
// clang-format on

TEST_F(CliTest, RepresentationOfATextThatIsNoNumberIsAFailure)
{
    const CliRun r = run({"as", "roman", "abc"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Chyba 13: " + std::string(ov::errorDescription(13)) + "\n\nNevhodná hodnota 'abc'.\n");
}

TEST_F(CliTest, FractionTooLargeForTheSensitivityIsOutOfRange)
{
    const CliRun r = run({"as", "fraction", "5000000,5"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.rfind("Vstupní hodnota ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" je mimo povolený rozsah.\n"), std::string::npos) << r.out;
}
