// omnivelor-cli topics and units: what the loader reads and every message it shows on the way.
#include "cli_support.h"

#include "core/errors.h"
#include "../rows.h"

using namespace ovtest;

namespace {

std::string badData(int line, const std::string& value)
{
    return "Načtena nekorektní data\n\nPři načítání dat byl na řádku " + std::to_string(line) +
           " načten špatný datový typ.\nProveďte opravu v souboru Omnivel.omv.\n\nNačtená hodnota: \n" + value +
           // The message ends with the value read; an empty one leaves the line end of the label last.
           (value.empty() ? "" : "\n");
}

} // namespace

TEST_F(CliTest, TopicsListsTopicsWithUnits)
{
    const CliRun r = run({"topics"});
    EXPECT_EQ(r.out, "1\tDelka\tDélka\t6\n2\tObsah\tPlošný obsah\t3\n10\tUhel\tRovinný úhel\t3\n"
                     "16\tTeplota\tTeplota\t5\n26\tNasobky\tNásobky a díly\t2\n29\t\tUživatel 3\t2\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.code, 0);
}

TEST_F(CliTest, UnitsListsNameSymbolCoefficientAndInformation)
{
    const CliRun r = run({"units", "Délka"});
    EXPECT_EQ(r.out, "1\tmetr\tm\t1\tZákladní jednotka délky.\n2\tkilometr\tkm\t1000\t\n3\tcentimetr\tcm\t0,01\t\n"
                     "4\tpalec\tin\t0,0254\t\n5\tstopa\tft\t0,3048\t\n6\tloket\t\t0,5\t\n");
    EXPECT_EQ(r.code, 0);
}

TEST_F(CliTest, UserTopicUnits)
{
    const CliRun r = run({"units", "29"});
    EXPECT_EQ(r.out, "1\tkus\tks\t1\t\n2\ttucet\ttc\t12\t\n");
}

struct LevelCase {
    const char* name;
    const char* level;
    std::string names;
};

class Levels : public CliTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(Levels, SelectTheMarkedLines)
{
    const CliRun r = run({"--level", GetParam().level, "units", "1"});
    std::string names;
    for (std::size_t p = 0; p < r.out.size();) {
        const std::size_t a = r.out.find('\t', p) + 1, b = r.out.find('\t', a);
        names += r.out.substr(a, b - a) + " ";
        p = r.out.find('\n', p) + 1;
    }
    EXPECT_EQ(names, GetParam().names);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, Levels, ::testing::Values(
    LevelCase{"All", "0", "metr kilometr centimetr palec stopa loket "},
    LevelCase{"Level1", "1", "metr kilometr centimetr loket "},
    LevelCase{"Level2", "2", "metr kilometr centimetr stopa loket "},
    LevelCase{"Level3", "3", "metr kilometr centimetr palec loket "}),
    ovtest::rowName);
// clang-format on

TEST_F(CliTest, CoefficientExpressions)
{
    writeDataFile(dir / "Omnivel.omv",
                  {"1|metr|m|1||True", "1|třetina|t|1/3", "1|stupeň|°|PI/180", "1|pí|p|PI", "1|půl|h|0,5"});
    const CliRun r = run({"units", "1"});
    EXPECT_EQ(r.out, "1\tmetr\tm\t1\t\n2\ttřetina\tt\t0,333333333333333\t\n3\tstupeň\t°\t0,0174532925199433\t\n"
                     "4\tpí\tp\t0\t\n5\tpůl\th\t0\t\n");
    EXPECT_EQ(r.err, badData(5, "0,5\nTip: Použijte desetinnou tečku."));
    EXPECT_EQ(r.code, 1);
}

TEST_F(CliTest, BadTopicNumberAndBlankLineAreReported)
{
    writeDataFile(dir / "Omnivel.omv", {"1|metr|m|1||True", "x|a|b|1", "1|kilometr|km|1000", "", "1|míle|mi|1609"});
    const CliRun r = run({"units", "1"});
    EXPECT_EQ(r.err, badData(2, "x") + badData(4, ""));
    // The blank line still takes a unit index, so the count stops before it.
    EXPECT_EQ(r.out, "1\tmetr\tm\t1\t\n");
    EXPECT_EQ(r.code, 1);
}

TEST_F(CliTest, FullTopicDropsTheLinesThatDoNotFit)
{
    std::vector<std::string> lines = {"1|j1|s|1||True"};
    for (int u = 2; u <= 152; ++u)
        lines.push_back("1|j" + std::to_string(u) + "|s|1");
    writeDataFile(dir / "Omnivel.omv", lines);
    const CliRun r = run({"topics"});
    const std::string full = "V tématu 1 Délka je příliš mnoho vět!\n\nDalší řádky v tématu nebudou načteny.\n"
                             "Smažte nepotřebné řádky ze souboru Omnivel.omv.\n";
    EXPECT_EQ(r.err, full + full);
    EXPECT_EQ(r.out, "1\tDelka\tDélka\t150\n29\t\tUživatel 3\t2\n");
}

TEST_F(CliTest, EmptyTopicStartFlagStopsTheLoad)
{
    writeDataFile(dir / "Omnivel.omv", {"1|metr|m|1||True", "1|kilometr|km|1000||"});
    const CliRun r = run({"topics"});
    EXPECT_EQ(r.err, "Špatný datový typ. Chyba číslo 13\n\nOpravte soubor Omnivel.omv!\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.code, 1);
}

TEST_F(CliTest, MissingMainFile)
{
    const CliRun r = runRaw({"--data", (dir / "Chybi.omv").string(), "topics"});
    EXPECT_EQ(r.err, "Soubor Chybi.omv nebyl nalezen.\n\nChyba 53 " + std::string(ov::errorDescription(53)) +
                         ".\n\nV okně Možnosti (nabídka Nástroje>Možnosti) vyberte cestu k datovému souboru.\n"
                         "Standardně Omnivel.omv pro hlavní datový soubor a User.omv pro uživatelské jednotky.\n"
                         "Aplikaci poté restartujte.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.code, 1);
}

TEST_F(CliTest, CommentsOnlyLoadNothing)
{
    writeDataFile(dir / "Omnivel.omv", {"' jen komentář", "'1|metr|m|1||True"});
    writeDataFile(dir / "User.omv", {"  ' komentář"});
    const CliRun r = run({"topics"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.code, 0);
}

TEST_F(CliTest, DataFilesBesideTheProgramByDefault)
{
    const auto bin = dir / "bin";
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(OV_CLI_PATH, bin / "omnivelor-cli");
    std::filesystem::copy_file(dir / "Omnivel.omv", bin / "Omnivel.omv");
    std::filesystem::copy_file(dir / "User.omv", bin / "User.omv");
    const CliRun r = runRaw({"units", "29"}, "LC_ALL=cs_CZ.UTF-8", (bin / "omnivelor-cli").string());
    EXPECT_EQ(r.out, "1\tkus\tks\t1\t\n2\ttucet\ttc\t12\t\n");
    EXPECT_EQ(r.code, 0);
}

struct LocaleCase {
    const char* name;
    std::string env;
    std::string coefficient;
};

class LocaleDecimal : public CliTest, public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(LocaleDecimal, FollowsTheEnvironment)
{
    const CliRun r = runRaw({"--data", (dir / "Omnivel.omv").string(), "units", "1"}, GetParam().env);
    EXPECT_NE(r.out.find("\tcm\t" + GetParam().coefficient + "\t"), std::string::npos) << r.out;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, LocaleDecimal, ::testing::Values(
    LocaleCase{"Czech", "LC_ALL=cs_CZ.UTF-8", "0,01"},
    LocaleCase{"English", "LC_ALL=en_US.UTF-8", "0.01"},
    LocaleCase{"GermanFromLang", "LANG=de_DE.UTF-8", "0,01"},
    LocaleCase{"SwissGerman", "LANG=de_CH.UTF-8", "0.01"},
    LocaleCase{"NumericBeforeLang", "LC_NUMERIC=C LANG=cs_CZ.UTF-8", "0.01"},
    LocaleCase{"AllBeforeNumeric", "LC_ALL=pl_PL.UTF-8 LC_NUMERIC=C", "0,01"},
    LocaleCase{"Posix", "LC_ALL=POSIX", "0.01"},
    LocaleCase{"Nothing", "", "0.01"}),
    ovtest::rowName);
// clang-format on
