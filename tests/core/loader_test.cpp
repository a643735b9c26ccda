// The main and the user data file as the user writes them, and what the program then shows.
#include "core/errors.h"
#include "core/loader.h"
#include "loader_support.h"
#include "rows.h"

#include <cmath>
#include <memory>
#include <optional>

using namespace ov;
using ovtest::crlf;
using ovtest::RecordingSink;
using ovtest::TempDir;

namespace {

const std::string kTitle = "omniVELOR";
const std::string kFatalTitle = "omniVELOR [Sub Texty]";

std::string badDataText(int line, const std::string& value)
{
    return "Načtena nekorektní data\r\n\r\nPři načítání dat byl na řádku " + std::to_string(line) +
           " načten špatný datový typ.\r\nProveďte opravu v souboru Omnivel.omv.\r\n\r\nNačtená hodnota: \r\n" + value;
}

std::string otherFatalText(const std::string& numberAndDescription)
{
    return "Při načítání dat se vyskytla chyba " + numberAndDescription + ".\r\n\r\nKontaktujte autora programu.\r\n";
}

const std::string kDataTypeText = "Špatný datový typ. Chyba číslo 13\r\n\r\nOpravte soubor Omnivel.omv!\r\n";

class Loader : public ::testing::Test {
protected:
    std::unique_ptr<UnitDatabase> db = std::make_unique<UnitDatabase>();
    RecordingSink sink;
    TempDir dir;
    LoadResult result;

    LoadOptions options(Level level = Level::All, char dec = ',') const
    {
        LoadOptions o;
        o.mainPath = dir.path("Omnivel.omv");
        o.mainFileName = "Omnivel.omv";
        o.userPath = dir.path("User.omv");
        o.level = level;
        o.decimalSeparator = dec;
        return o;
    }
    void loadBytes(const std::string& mainBytes, std::optional<std::string> userBytes = std::nullopt,
                   Level level = Level::All, char dec = ',')
    {
        dir.write("Omnivel.omv", mainBytes);
        if (userBytes)
            dir.write("User.omv", *userBytes);
        result = LoadDataFiles(*db, options(level, dec), sink);
    }
    void load(const std::vector<std::string>& mainLines, Level level = Level::All, char dec = ',')
    {
        loadBytes(crlf(mainLines), std::nullopt, level, dec);
    }
    void loadUser(const std::vector<std::string>& userLines) { loadBytes(crlf({"1|metr|m|1||True"}), crlf(userLines)); }
    std::vector<std::string> names(int topic) const
    {
        std::vector<std::string> v;
        for (int u = 1; u <= db->unitCount(topic); ++u)
            v.push_back(db->unit(topic, u).name);
        return v;
    }
};

TEST_F(Loader, OnlyCommentLinesLoadNoUnitsAndSayNothing)
{
    load({"' omniVELOR data", "'1|metr|m|1||True"});
    EXPECT_TRUE(result.mainLoaded);
    EXPECT_TRUE(sink.messages.empty());
    for (int t = 1; t <= kBuiltinTopics; ++t)
        EXPECT_EQ(db->unitCount(t), 0) << t;
}

TEST_F(Loader, SixFieldLineOpensTopicOne)
{
    load({"1|m|m|1||True"});
    ASSERT_EQ(db->unitCount(1), 1);
    EXPECT_EQ(db->unit(1, 1).name, "m");
    EXPECT_EQ(db->unit(1, 1).symbol, "m");
    EXPECT_EQ(db->unit(1, 1).factor, 1.0);
    EXPECT_EQ(db->unit(1, 1).info, "");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(Loader, LfOnlyAndMixedLineEndsLoadLikeCrLf)
{
    loadBytes("1|metr|m|1|základ|True\n1|palec|in|0.0254\r\n4|gram|g|0.001||True\n");
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr", "palec"}));
    EXPECT_EQ(names(4), (std::vector<std::string>{"gram"}));
    EXPECT_EQ(db->unit(1, 1).info, "základ");
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(result.mainEncoding, TextEncoding::Utf8);
}

TEST_F(Loader, Windows1250FileLoadsWithCzechLetters)
{
    LoadOptions o = options();
    o.mainPath = std::string(OV_TESTDATA_DIR) + "/legacy-1250.omv";
    result = LoadDataFiles(*db, o, sink);
    EXPECT_TRUE(result.mainLoaded);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(result.mainEncoding, TextEncoding::Windows1250);
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr", "loket pražský", "sáh český"}));
    EXPECT_EQ(db->unit(1, 1).info, "Základní jednotka délky SI");
    EXPECT_EQ(names(4), (std::vector<std::string>{"kilogram", "řecký talent"}));
    EXPECT_EQ(db->unit(16, 1).symbol, "°C");
    EXPECT_EQ(db->unit(16, 2).name, "stupeň Réaumurův");
}

// ---- level markers ----

struct LevelCase {
    const char* name;
    Level level;
    const char* marker;
    bool loaded;
};

class LevelRule : public Loader, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelRule, MarkedLineLoadsOnlyAtItsLevels)
{
    const auto& c = GetParam();
    load({"1|metr|m|1||True", std::string("1|") + c.marker + "palec|in|0.0254", "1|stopa|ft|0.3048"}, c.level);
    const std::vector<std::string> expected =
        c.loaded ? std::vector<std::string>{"metr", "palec", "stopa"} : std::vector<std::string>{"metr", "stopa"};
    EXPECT_EQ(names(1), expected);
    EXPECT_TRUE(sink.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Levels, LevelRule,
    ::testing::Values(LevelCase{"All_plain", Level::All, "", true}, LevelCase{"All_plus", Level::All, "+", true},
                      LevelCase{"All_star", Level::All, "*", true}, LevelCase{"L1_plain", Level::Level1, "", true},
                      LevelCase{"L1_plus", Level::Level1, "+", false}, LevelCase{"L1_star", Level::Level1, "*", false},
                      LevelCase{"L2_plain", Level::Level2, "", true}, LevelCase{"L2_plus", Level::Level2, "+", true},
                      LevelCase{"L2_star", Level::Level2, "*", false}, LevelCase{"L3_plain", Level::Level3, "", true},
                      LevelCase{"L3_plus", Level::Level3, "+", false}, LevelCase{"L3_star", Level::Level3, "*", true}),
    ovtest::rowName);
// clang-format on

// ---- coefficients ----

struct CoefCase {
    const char* name;
    const char* expr;
    char dec;
    double value;
    bool commaTip;
};

class Coefficient : public Loader, public ::testing::WithParamInterface<CoefCase> {};

TEST_P(Coefficient, IsStoredAsRead)
{
    const auto& c = GetParam();
    load({std::string("1|m|m|") + c.expr + "||True"}, Level::All, c.dec);
    ASSERT_EQ(db->unitCount(1), 1);
    EXPECT_NEAR(db->unit(1, 1).factor, c.value, std::abs(c.value) * 1e-15);
    if (c.commaTip) {
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, badDataText(1, std::string(c.expr) + "\r\nTip: Použijte desetinnou tečku."));
        EXPECT_EQ(sink.messages[0].title, kTitle);
        EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    } else {
        EXPECT_TRUE(sink.messages.empty());
    }
}

const double kPi = 4.0 * std::atan(1.0);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Expressions, Coefficient,
    ::testing::Values(CoefCase{"Third", "1/3", ',', 1.0 / 3.0, false},
                      CoefCase{"PiOver180", "PI/180", ',', kPi / 180.0, false},
                      CoefCase{"OneEightyOverPi", "180/PI", ',', 180.0 / kPi, false},
                      CoefCase{"PiAlone", "PI", ',', 0.0, false},
                      CoefCase{"Plain", "1000", ',', 1000.0, false},
                      CoefCase{"PlainDecimalPoint", "0.0254", ',', 0.0254, false},
                      CoefCase{"Exponent", "1.5E-3", ',', 0.0015, false},
                      CoefCase{"BlanksAroundOperands", " 2 / 8 ", ',', 0.25, false},
                      CoefCase{"LocaleOperands", "1,5/2", ',', 0.75, true},
                      CoefCase{"PointOperandsInPointLocale", "0.5/2", '.', 0.25, false},
                      CoefCase{"CommaStopsTheReader", "0,5", ',', 0.0, true}),
    ovtest::rowName);
// clang-format on

struct CoefficientErrorCase {
    const char* name;
    const char* expr;
    char dec;
    int error;
};

class CoefficientError : public ::testing::TestWithParam<CoefficientErrorCase> {};

TEST_P(CoefficientError, Throws)
{
    const auto& c = GetParam();
    try {
        EvaluateCoefficient(c.expr, c.dec);
        FAIL() << "no error for " << c.expr;
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), c.error);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Expressions, CoefficientError,
    ::testing::Values(CoefficientErrorCase{"ZeroDivisor", "1/0", ',', 11}, CoefficientErrorCase{"ZeroOverZero", "0/0", ',', 11},
                      CoefficientErrorCase{"PointInCommaLocale", "0.5/2", ',', 13},
                      CoefficientErrorCase{"LowerCasePi", "pi/2", ',', 13}, CoefficientErrorCase{"EmptyLeft", "/2", ',', 13},
                      CoefficientErrorCase{"EmptyRight", "1/", ',', 13}, CoefficientErrorCase{"SecondSlash", "1/2/3", ',', 13},
                      CoefficientErrorCase{"PlainTooLarge", "1e400", ',', 6},
                      CoefficientErrorCase{"QuotientTooLarge", "1e300/1e-300", ',', 6}),
    ovtest::rowName);
// clang-format on

// ---- number reading ----

struct NumberCase {
    const char* name;
    const char* text;
    bool numeric;
    double value;
};

class NumberReading : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReading, TestAndReaderAgree)
{
    const auto& c = GetParam();
    EXPECT_EQ(IsNumericInvariant(c.text), c.numeric);
    EXPECT_DOUBLE_EQ(ValInvariant(c.text), c.value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, NumberReading,
    ::testing::Values(NumberCase{"One", "1", true, 1}, NumberCase{"Quote", "'x", false, 0},
                      NumberCase{"Letters", "abc", false, 0}, NumberCase{"Empty", "", false, 0},
                      NumberCase{"Blanks", " 12 ", true, 12}, NumberCase{"Signed", "-2.5", true, -2.5},
                      NumberCase{"Exponent", "1.5E+3", true, 1500}, NumberCase{"LeadingPoint", ".5", true, 0.5},
                      NumberCase{"TrailingLetters", "3abc", false, 3}, NumberCase{"Comma", "0,5", false, 0},
                      NumberCase{"InnerBlanks", "1 2", false, 12}, NumberCase{"PointOnly", ".", false, 0},
                      NumberCase{"HalfExponent", "2e", false, 2}, NumberCase{"Tiny", "1e-400", true, 0}),
    ovtest::rowName);
// clang-format on

TEST(StripLevelMark, DropsTheFirstCharacter)
{
    EXPECT_EQ(StripLevelMark("*palec"), "palec");
    EXPECT_EQ(StripLevelMark("+sáh"), "sáh");
    EXPECT_EQ(StripLevelMark("čárka"), "árka");
    EXPECT_EQ(StripLevelMark(""), "");
}

TEST(StoreUnit, RefusesThe151stUnitAndKeepsCounting)
{
    auto db = std::make_unique<UnitDatabase>();
    StoreUnit(*db, 3, "litr", "l", 0.001, "", true);
    for (int u = 2; u <= 150; ++u)
        StoreUnit(*db, 3, "u", "u", 1, "", false);
    EXPECT_THROW(StoreUnit(*db, 3, "navíc", "n", 1, "", false), TopicFullError);
    EXPECT_EQ(db->storeCounter, 151);
    EXPECT_EQ(db->unit(3, 1).name, "litr");
    EXPECT_EQ(db->unit(3, 1).factor, 0.001);
    try {
        StoreUnit(*db, 51, "x", "x", 1, "", true);
        FAIL() << "topic 51 stored";
    } catch (const TopicFullError&) {
        FAIL() << "topic 51 reported as full";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 9);
    }
}

// ---- fatal errors ----

struct FatalCase {
    const char* name;
    const char* line;
    char dec;
    const char* text; // nullptr: the data-type message
};

class Fatal : public Loader, public ::testing::WithParamInterface<FatalCase> {};

TEST_P(Fatal, StopsTheLoadWithOneMessage)
{
    const auto& c = GetParam();
    load({"1|metr|m|1||True", c.line, "1|stopa|ft|0.3048"}, Level::All, c.dec);
    EXPECT_FALSE(result.mainLoaded);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, c.text ? otherFatalText(c.text) : kDataTypeText);
    EXPECT_EQ(sink.messages[0].title, kFatalTitle);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Critical);
    // What was read stays in the tables, but the built-in topics show no units.
    EXPECT_EQ(db->unit(1, 1).name, "metr");
    EXPECT_EQ(db->unit(1, 3).name, "");
    EXPECT_EQ(db->unitCount(1), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Causes, Fatal,
    ::testing::Values(FatalCase{"EmptySixthField", "1|palec|in|0.0254||", ',', nullptr},
                      FatalCase{"SixthFieldNotBoolean", "1|palec|in|0.0254||Ano", ',', nullptr},
                      FatalCase{"PointOperandInCzechLocale", "1|palec|in|0.5/2", ',', nullptr},
                      FatalCase{"SevenFields", "1|palec|in|0.0254||False|x", ',', "9 Index mimo rozsah"},
                      FatalCase{"TopicAboveByte", "300|palec|in|0.0254", ',', "6 Přetečení"},
                      FatalCase{"NegativeTopic", "-1|palec|in|0.0254", ',', "6 Přetečení"},
                      FatalCase{"ZeroDivisor", "1|palec|in|1/0", ',', "11 Dělení nulou"}),
    ovtest::rowName);
// clang-format on

TEST_F(Loader, MissingMainFileNamesTheFileAndTheSettings)
{
    result = LoadDataFiles(*db, options(), sink);
    EXPECT_FALSE(result.mainLoaded);
    EXPECT_FALSE(result.userLoaded);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text,
              "Soubor Omnivel.omv nebyl nalezen.\r\n\r\nChyba 53 Soubor nebyl nalezen.\r\n\r\n"
              "V okně Možnosti (nabídka Nástroje>Možnosti) vyberte cestu k datovému souboru.\r\n"
              "Standardně Omnivel.omv pro hlavní datový soubor a User.omv pro uživatelské jednotky.\r\n"
              "Aplikaci poté restartujte.\r\n");
    EXPECT_EQ(sink.messages[0].title, kFatalTitle);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Critical);
}

TEST_F(Loader, MoreThan32767LinesIsAnOverflow)
{
    std::vector<std::string> lines(32767, "' komentář");
    lines[0] = "1|metr|m|1||True";
    load(lines);
    EXPECT_TRUE(result.mainLoaded);
    EXPECT_EQ(db->unitCount(1), 1);
    lines.push_back("' one line too many");
    load(lines);
    EXPECT_FALSE(result.mainLoaded);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, otherFatalText("6 Přetečení"));
}

TEST_F(Loader, SuccessfulReloadAfterFatalShowsTheUnitsAgain)
{
    load({"1|metr|m|1||"});
    EXPECT_EQ(db->unitCount(1), 0);
    load({"1|metr|m|1||True", "1|palec|in|0.0254"});
    EXPECT_TRUE(result.mainLoaded);
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr", "palec"}));
}

// ---- bad data: the line is reported and still read ----

struct Warning {
    int line;
    std::string value;
};

struct BadDataCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<Warning> warnings;
    std::vector<std::string> topic1; // the units topic 1 then shows
    int topic0Unit;                  // index the bad record took in topic 0, 0 if none there
    const char* topic0Name;
};

class BadData : public Loader, public ::testing::WithParamInterface<BadDataCase> {};

TEST_P(BadData, IsReportedAndTheLoadGoesOn)
{
    const auto& c = GetParam();
    load(c.lines);
    EXPECT_TRUE(result.mainLoaded);
    ASSERT_EQ(sink.messages.size(), c.warnings.size());
    for (std::size_t i = 0; i < c.warnings.size(); ++i) {
        EXPECT_EQ(sink.messages[i].text, badDataText(c.warnings[i].line, c.warnings[i].value));
        EXPECT_EQ(sink.messages[i].title, kTitle);
        EXPECT_EQ(sink.messages[i].icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(names(1), c.topic1);
    if (c.topic0Unit) {
        EXPECT_EQ(db->unit(0, c.topic0Unit).name, c.topic0Name);
    }
    for (int t = kFirstUserTopic; t <= kMaxTopic; ++t)
        EXPECT_EQ(db->unit(t, 1).name, "") << t;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, BadData,
    ::testing::Values(
        BadDataCase{"BlankLineEndsTheTopic", {"1|a|a|1||True", "", "1|b|b|1"}, {{2, ""}}, {"a"}, 0, ""},
        BadDataCase{"LettersForTopic", {"x|a|a|1||True", "1|b|b|1"}, {{1, "x"}}, {}, 1, "a"},
        BadDataCase{"TopicZero", {"1|a|a|1||True", "0|b|b|1", "1|c|c|1"}, {{2, "0"}}, {"a"}, 2, "b"},
        BadDataCase{"FirstUserTopicNumber", {"1|a|a|1||True", "27|b|b|1", "1|c|c|1"}, {{2, "27"}}, {"a"}, 2, "b"},
        BadDataCase{"LargestByte", {"1|a|a|1||True", "255|b|b|1"}, {{2, "255"}}, {"a"}, 2, "b"},
        BadDataCase{"TopicBeyondBuiltinWithLetters", {"1|a|a|1||True", "30x|b|b|1"}, {{2, "30x"}}, {"a"}, 2, "b"},
        BadDataCase{"DigitsThenLettersKeepTheirTopic", {"1|a|a|1||True", "1x|b|b|1"}, {{2, "1x"}}, {"a", "b"}, 0, ""},
        BadDataCase{"TwoFields", {"1|a|a|1|info|True", "1|b"}, {{2, "1|b"}}, {"a", "b"}, 0, ""},
        BadDataCase{"OneNumericField", {"1|a|a|1|info|True", "1"}, {{2, "1"}}, {"a"}, 0, ""},
        BadDataCase{"CommaAndBadTopic", {"x|a|a|0,5||True"},
                    {{1, "x"}, {1, "0,5\r\nTip: Použijte desetinnou tečku."}}, {}, 1, "a"},
        BadDataCase{"MarkedLineWithLetters", {"1|a|a|1||True", "x|*b|b|1"}, {{2, "x"}}, {"a"}, 2, "b"}),
    ovtest::rowName);
// clang-format on

TEST_F(Loader, ShortLineLeavesTheMissingFieldsEmpty)
{
    load({"1|metr|m|1|info|True", "1|palec|in"});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, badDataText(2, "1|palec|in"));
    ASSERT_EQ(db->unitCount(1), 2);
    EXPECT_EQ(db->unit(1, 2).symbol, "in");
    EXPECT_EQ(db->unit(1, 2).factor, 0.0);
    EXPECT_EQ(db->unit(1, 2).info, "");
}

TEST_F(Loader, TopicFullIsShownForEveryLineThatDoesNotFit)
{
    std::vector<std::string> lines{"1|u1|u|1||True"};
    for (int u = 2; u <= 152; ++u)
        lines.push_back("1|u" + std::to_string(u) + "|u|1");
    lines.push_back("2|metr čtvereční|m2|1||True");
    load(lines);
    EXPECT_TRUE(result.mainLoaded);
    const std::string full = "V tématu 1 Délka je příliš mnoho vět!\r\n\r\nDalší řádky v tématu nebudou načteny.\r\n"
                             "Smažte nepotřebné řádky ze souboru Omnivel.omv.\r\n";
    ASSERT_EQ(sink.messages.size(), 2u);
    for (const auto& m : sink.messages) {
        EXPECT_EQ(m.text, full);
        EXPECT_EQ(m.title, kTitle);
        EXPECT_EQ(m.icon, MessageIcon::Critical);
    }
    EXPECT_EQ(db->unitCount(1), 150);
    EXPECT_EQ(db->unit(1, 150).name, "u150");
    EXPECT_EQ(names(2), (std::vector<std::string>{"metr čtvereční"}));
}

TEST_F(Loader, OnlyTopicKeepsItsUnitsAndShowsWhatAWholeLoadShows)
{
    std::vector<std::string> lines{"1|u1|u|1||True", "abc|divný|d|1"};
    for (int u = 2; u <= 150; ++u)
        lines.push_back("1|u" + std::to_string(u) + "|u|1");
    lines.push_back("3|litr|l|1||True");
    lines.push_back("3|hrnek|h|0,25");
    load(lines);
    const auto whole = sink.messages;
    const int counter = db->storeCounter;
    ASSERT_EQ(whole.size(), 3u); // the bad topic number, topic 1 full (the bad line took an index), the comma

    db = std::make_unique<UnitDatabase>();
    sink.messages.clear();
    LoadOptions o = options();
    o.onlyTopic = 3;
    EXPECT_TRUE(LoadMainFile(*db, o, sink));
    ASSERT_EQ(sink.messages.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i)
        EXPECT_EQ(sink.messages[i].text, whole[i].text);
    EXPECT_EQ(db->storeCounter, counter);
    EXPECT_EQ(names(3), (std::vector<std::string>{"litr", "hrnek"}));
    EXPECT_EQ(db->unitCount(1), 0);
}

TEST_F(Loader, TopicWithoutStartFlagLandsBehindThePreviousTopic)
{
    load({"1|metr|m|1||True", "1|palec|in|0.0254", "2|ar|a|100"});
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr", "palec"}));
    EXPECT_EQ(db->unitCount(2), 0);
    EXPECT_EQ(db->unit(2, 3).name, "ar");
}

TEST_F(Loader, UnitCounterPersistsBetweenLoads)
{
    load({"1|metr|m|1||True", "1|palec|in|0.0254"});
    EXPECT_EQ(db->storeCounter, 2);
    load({"1|stopa|ft|0.3048"});
    EXPECT_EQ(db->unit(1, 3).name, "stopa");
    EXPECT_EQ(db->unitCount(1), 0);
}

TEST_F(Loader, ReloadReplacesNamesAndCounts)
{
    load({"1|metr|m|1||True", "1|palec|in|0.0254", "1|stopa|ft|0.3048"});
    load({"1|metr|m|1||True"});
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr"}));
}

TEST_F(Loader, TopicStartFlagIsReadWithoutRegardToCase)
{
    load({"1|metr|m|1||true", "1|palec|in|0.0254|| FALSE "});
    EXPECT_TRUE(result.mainLoaded);
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr", "palec"}));
}

// ---- user data file ----

TEST_F(Loader, UserLineAddsAUnitToItsTopic)
{
    loadUser({"3|kus|ks|1"});
    EXPECT_TRUE(result.userLoaded);
    ASSERT_EQ(db->unitCount(29), 1);
    EXPECT_EQ(db->unit(29, 1).name, "kus");
    EXPECT_EQ(db->unit(29, 1).symbol, "ks");
    EXPECT_EQ(db->unit(29, 1).factor, 1.0);
    EXPECT_EQ(db->unit(29, 1).info, "");
    EXPECT_TRUE(db->userTopicUsed(3));
    EXPECT_FALSE(db->userTopicUsed(1));
    EXPECT_EQ(names(1), (std::vector<std::string>{"metr"}));
}

TEST_F(Loader, UserLinesOfOneTopicNeedNotBeAdjacent)
{
    loadUser({"  ' my units", "1|tucet|tc|12|dvanáct kusů", "2|a|a|1", "'2|b|b|1", "1|kopa|kp|60|||x"});
    EXPECT_EQ(names(27), (std::vector<std::string>{"tucet", "kopa"}));
    EXPECT_EQ(db->unit(27, 1).info, "dvanáct kusů");
    EXPECT_EQ(names(28), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(sink.messages.empty());
}

struct UserSkipCase {
    const char* name;
    const char* line;
};

class UserSkip : public Loader, public ::testing::WithParamInterface<UserSkipCase> {};

TEST_P(UserSkip, LineIsPassedOverAndTheRestLoads)
{
    loadUser({"1|tucet|tc|12", GetParam().line, "1|kopa|kp|60"});
    EXPECT_TRUE(result.userLoaded);
    EXPECT_EQ(names(27), (std::vector<std::string>{"tucet", "kopa"}));
    for (int t = 28; t < kFirstUserTopic + kUserTopics; ++t)
        EXPECT_EQ(db->unitCount(t), 0) << t;
    EXPECT_TRUE(sink.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, UserSkip,
    ::testing::Values(UserSkipCase{"ThreeFields", "2|a|a"}, UserSkipCase{"Blank", ""},
                      UserSkipCase{"TopicZero", "0|a|a|1"}, UserSkipCase{"Topic21", "21|a|a|1"},
                      UserSkipCase{"TopicLetters", "abc|a|a|1"}, UserSkipCase{"NegativeTopic", "-3|a|a|1"},
                      UserSkipCase{"CoefficientTooLarge", "2|a|a|1e400"}),
    ovtest::rowName);
// clang-format on

TEST_F(Loader, UserTopicTakesAtMost150Units)
{
    std::vector<std::string> lines;
    for (int u = 1; u <= 151; ++u)
        lines.push_back("5|u" + std::to_string(u) + "|u|1");
    lines.push_back("6|kus|ks|1");
    loadUser(lines);
    EXPECT_EQ(db->unitCount(31), 150);
    EXPECT_EQ(db->unit(31, 150).name, "u150");
    EXPECT_EQ(names(32), (std::vector<std::string>{"kus"}));
}

TEST_F(Loader, MissingUserFileLeavesUserTopicsEmptyAndSilent)
{
    load({"1|metr|m|1||True"});
    EXPECT_TRUE(result.mainLoaded);
    EXPECT_FALSE(result.userLoaded);
    EXPECT_TRUE(sink.messages.empty());
    for (int t = kFirstUserTopic; t < kFirstUserTopic + kUserTopics; ++t)
        EXPECT_EQ(db->unitCount(t), 0);
}

TEST_F(Loader, ReloadRefreshesUserUnitsButKeepsUsedTopics)
{
    loadUser({"3|kus|ks|1", "3|pár|pr|2"});
    loadUser({"4|tucet|tc|12"});
    EXPECT_EQ(db->unitCount(29), 0);
    EXPECT_EQ(names(30), (std::vector<std::string>{"tucet"}));
    EXPECT_TRUE(db->userTopicUsed(3));
    EXPECT_TRUE(db->userTopicUsed(4));
}

TEST_F(Loader, UserFileInWindows1250IsRememberedAsSuch)
{
    loadBytes(crlf({"1|metr|m|1||True"}), std::string("1|p\xF8\xEDru\xE8ka|pr|1\r\n"));
    EXPECT_EQ(result.userEncoding, TextEncoding::Windows1250);
    EXPECT_EQ(result.mainEncoding, TextEncoding::Utf8);
    EXPECT_EQ(db->unit(27, 1).name, "příručka");
}

} // namespace
