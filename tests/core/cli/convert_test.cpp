// omnivelor-cli convert: the conversion engine as typing a value and pressing Enter runs it.
#include "cli_support.h"

#include "core/errors.h"
#include "../rows.h"

using namespace ovtest;

namespace {

std::string failure(int number, const std::string& cell)
{
    return "Chyba " + std::to_string(number) + ": " + std::string(ov::errorDescription(number)) +
           "\n\nNevhodná hodnota '" + cell + "'.\n";
}

const std::string kNegativeNotice = "Zadáno záporné číslo.\n\n"
                                    "Záporné hodnoty se nepoužívají. Budou převedeny na kladná čísla.\n\n"
                                    "Poznámka: Tato zpráva už nebude zobrazena.\n";

} // namespace

struct ConvertCase {
    const char* name;
    std::vector<std::string> args;
    std::string out, err;
    int code;
};

class ConvertTable : public CliTest, public ::testing::WithParamInterface<ConvertCase> {};

TEST_P(ConvertTable, PrintsEveryRowAndTheResultLine)
{
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.err, GetParam().err);
    EXPECT_EQ(r.code, GetParam().code);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, ConvertTable, ::testing::Values(
    ConvertCase{"Kilometres", {"convert", "1", "km", "5"},
                "metr\tm\t5000\nkilometr\tkm\t5\ncentimetr\tcm\t500000\npalec\tin\t196850,4\nstopa\tft\t16404,2\n"
                "loket\t\t10000\n km: 5,00 km = 5 000,00 m \n", "", 0},
    ConvertCase{"NegativeTurnsPositive", {"convert", "1", "m", "-5"},
                "metr\tm\t5\nkilometr\tkm\t0,005\ncentimetr\tcm\t500\npalec\tin\t196,8504\nstopa\tft\t16,4042\n"
                "loket\t\t10\n m: 5,00 m = 5,00 m \n", kNegativeNotice, 0},
    ConvertCase{"UnitWithoutSymbol", {"convert", "1", "loket", "2"},
                "metr\tm\t1\nkilometr\tkm\t0,001\ncentimetr\tcm\t100\npalec\tin\t39,37008\nstopa\tft\t3,28084\n"
                "loket\t\t2\n loket: 2,00 = 1,00 m \n", "", 0},
    ConvertCase{"DoublePrecisionAndExponent", {"--format", "1", "convert", "1", "cm", "1"},
                "metr\tm\t0,01\nkilometr\tkm\t1E-05\ncentimetr\tcm\t1\npalec\tin\t0,393700787401575\n"
                "stopa\tft\t0,0328083989501312\nloket\t\t0,02\n cm: 1,00 cm = 0,01 m \n", "", 0},
    ConvertCase{"FixedThreeDecimals", {"--format", "3", "--fix", "3", "convert", "1", "m", "2,5"},
                "metr\tm\t2,500\nkilometr\tkm\t0,003\ncentimetr\tcm\t250,000\npalec\tin\t98,425\nstopa\tft\t8,202\n"
                "loket\t\t5,000\n m: 2,50 m = 2,50 m \n", "", 0},
    ConvertCase{"FixedWholeNumbers", {"--format", "3", "--fix", "0", "convert", "1", "m", "2,7"},
                "metr\tm\t3\nkilometr\tkm\t0\ncentimetr\tcm\t270\npalec\tin\t106\nstopa\tft\t9\n"
                "loket\t\t5\n m: 3,00 m = 3,00 m \n", "", 0},
    ConvertCase{"ScientificZero", {"--format", "2", "convert", "1", "km", "0"},
                "metr\tm\t0,00E+00\nkilometr\tkm\t0,00E+00\ncentimetr\tcm\t0,00E+00\npalec\tin\t0,00E+00\n"
                "stopa\tft\t0,00E+00\nloket\t\t0,00E+00\n km: 0,00 km = 0,00 m \n", "", 0},
    ConvertCase{"DecimalPoint", {"--decimal", ".", "convert", "1", "km", "1.5"},
                "metr\tm\t1500\nkilometr\tkm\t1.5\ncentimetr\tcm\t150000\npalec\tin\t59055.12\nstopa\tft\t4921.26\n"
                "loket\t\t3000\n km: 1.50 km = 1 500.00 m \n", "", 0},
    ConvertCase{"EmptyValueComputesNothing", {"convert", "1", "km", ""},
                "metr\tm\t\nkilometr\tkm\t\ncentimetr\tcm\t\npalec\tin\t\nstopa\tft\t\nloket\t\t\n", "", 0},
    ConvertCase{"MinusFortyCelsius", {"convert", "16", "°C", "-40"},
                "kelvin\tK\t233,15\nstupeň Celsia\t°C\t-40\nstupeň Fahrenheita\t°F\t-40\nstupeň Rankina\t°R\t419,67\n"
                "stupeň Réaumura\t°Ré\t-32\n", "", 0},
    ConvertCase{"AbsoluteZeroCelsius", {"convert", "16", "°C", "-273,15"},
                "kelvin\tK\t0\nstupeň Celsia\t°C\t-273,15\nstupeň Fahrenheita\t°F\t-459,67\nstupeň Rankina\t°R\t0\n"
                "stupeň Réaumura\t°Ré\t-218,52\nTeplota pod 0 K teoreticky neexistuje.\n", "", 1},
    ConvertCase{"ZeroKelvin", {"convert", "16", "K", "0"},
                "kelvin\tK\t0\nstupeň Celsia\t°C\t-273,15\nstupeň Fahrenheita\t°F\t-459,67\nstupeň Rankina\t°R\t0\n"
                "stupeň Réaumura\t°Ré\t-218,52\nTeplota pod 0 K teoreticky neexistuje.\n", "", 1},
    ConvertCase{"NotANumber", {"convert", "1", "km", "abc"}, "", failure(13, "abc"), 1},
    ConvertCase{"DivisionByZero", {"convert", "2", "m2", "5"}, "", failure(11, "5"), 1},
    ConvertCase{"ZeroByZero", {"convert", "2", "m2", "0"}, "", failure(6, "0"), 1}),
    ovtest::rowName);
// clang-format on

struct LineCase {
    const char* name;
    std::vector<std::string> args;
    std::string lastLine;
};

class ResultLine : public CliTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ResultLine, EndsTheOutput)
{
    const CliRun r = run(GetParam().args);
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_FALSE(r.out.empty());
    const std::string body = r.out.substr(0, r.out.size() - 1);
    EXPECT_EQ(body.substr(body.rfind('\n') + 1), GetParam().lastLine);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, ResultLine, ::testing::Values(
    LineCase{"GroupsOfThree", {"--format", "1", "convert", "1", "m", "1234567,891"}, " m: 1 234 567,891 m = 1 234 567,891 m "},
    LineCase{"GroupedDecimals", {"--format", "1", "convert", "1", "m", "0,123456789"}, " m: 0,123 456 789 m = 0,123 456 789 m "},
    LineCase{"TrailingGroup", {"--format", "1", "convert", "1", "m", "2,0001"}, " m: 2,000 1 m = 2,000 1 m "},
    LineCase{"TwoDecimalsAtLeast", {"convert", "1", "m", "1,5"}, " m: 1,50 m = 1,50 m "},
    LineCase{"BelowNinthDecimal", {"--format", "1", "convert", "1", "m", "0,000000000001"}, " m: 0,00 m = 0,00 m "},
    LineCase{"Thousands", {"convert", "1", "km", "5000"}, " km: 5 000,00 km = 5 000 000,00 m "},
    LineCase{"AngleAcute", {"convert", "10", "°", "30,26"}, " 30° 15' 36\" (30° — ostrý úhel)"},
    LineCase{"AngleRight", {"convert", "10", "°", "89,5"}, " 89° 30' 0\" (90° — pravý úhel)"},
    LineCase{"AngleStraight", {"convert", "10", "°", "180"}, " 180° 0' 0\" (180° — přímý úhel)"},
    LineCase{"AngleWithoutClass", {"convert", "10", "°", "270"}, " 270° 0' 0\" (270°)"},
    LineCase{"AngleAlmostFull", {"convert", "10", "°", "359,5"}, " 359° 30' 0\" (360°)"},
    LineCase{"AngleFull", {"convert", "10", "°", "360"}, " 360° 0' 0\" (0° — nulový úhel)"},
    LineCase{"AngleFromGrads", {"convert", "10", "gon", "100"}, " 90° 0' 0\" (90° — pravý úhel)"}),
    ovtest::rowName);
// clang-format on

struct NamingCase {
    const char* name;
    std::vector<std::string> args;
};

class TopicAndUnitNames : public CliTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(TopicAndUnitNames, ResolveLikeNumbers)
{
    const CliRun byNumber = run({"convert", "10", "2", "45"});
    const CliRun byName = run(GetParam().args);
    EXPECT_EQ(byName.code, 0) << byName.err;
    EXPECT_EQ(byName.out, byNumber.out);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, TopicAndUnitNames, ::testing::Values(
    NamingCase{"KeyAndSymbol", {"convert", "uhel", "°", "45"}},
    NamingCase{"DisplayNameAnyCase", {"convert", "ROVINNÝ ÚHEL", "STUPEŇ", "45"}},
    NamingCase{"NameOfUnit", {"convert", "Uhel", "stupeň", "45"}}),
    ovtest::rowName);
// clang-format on

class WrongCall : public CliTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(WrongCall, GetsOneUsageLineAndCodeTwo)
{
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find("--help"), std::string::npos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, WrongCall, ::testing::Values(
    NamingCase{"UnknownTopic", {"convert", "99", "m", "1"}},
    NamingCase{"UnknownTopicName", {"convert", "vzdálenost", "m", "1"}},
    NamingCase{"UnknownUnit", {"convert", "1", "parsek", "1"}},
    NamingCase{"UnitNumberTooHigh", {"convert", "1", "7", "1"}},
    NamingCase{"TopicWithoutUnits", {"convert", "5", "1", "1"}},
    NamingCase{"MissingValue", {"convert", "1", "m"}},
    NamingCase{"UnknownCommand", {"prevod", "1", "m", "1"}},
    NamingCase{"NoCommand", {}},
    NamingCase{"FormatOutOfRange", {"--format", "4", "convert", "1", "m", "1"}},
    NamingCase{"FixNotANumber", {"--fix", "dva", "convert", "1", "m", "1"}},
    NamingCase{"WrongDecimal", {"--decimal", ";", "convert", "1", "m", "1"}},
    NamingCase{"UnknownOption", {"--barva", "1", "convert", "1", "m", "1"}},
    NamingCase{"OptionWithoutValue", {"convert", "1", "m", "1", "--level"}},
    NamingCase{"UnknownKind", {"as", "dec", "5"}}),
    ovtest::rowName);
// clang-format on

TEST_F(CliTest, HelpPrintsTheUsage)
{
    const CliRun r = runRaw({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("Použití: omnivelor-cli", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("convert TÉMA JEDNOTKA HODNOTA"), std::string::npos);
    EXPECT_EQ(r.err, "");
}
