// omnivelor-cli check: a user who edited a data file runs it and reads, line by line, what is wrong.
#include "cli_support.h"
#include "../rows.h"

using ovtest::CliRun;
using ovtest::CliTest;
using ovtest::writeDataFile;

namespace {

// A main data file that passes clean: every unit has its information text, the temperature
// rows stand in the order of the formulas and the angle's second unit is the degree.
const std::vector<std::string> kCleanMain = {
    "' zkušební soubor",                                   // 1
    "1|metr|m|1|Základní jednotka délky.|True",            // 2
    "1|kilometr|km|1000|Tisíc metrů.",                     // 3
    "10|radián|rad|1|Jednotka rovinného úhlu.|True",       // 4
    "10|stupeň|°|PI/180|1/360 plného úhlu.",               // 5
    "16|kelvin|K|1|Termodynamická teplota.|True",          // 6
    "16|stupeň Celsia|°C|1|Celsiova teplota.",             // 7
    "16|stupeň Fahrenheita|°F|5/9|Fahrenheitova teplota.", // 8
    "16|stupeň Rankina|°R|5/9|Rankinova teplota.",         // 9
    "16|stupeň Réaumura|°Ré|5/4|Réaumurova teplota.",      // 10
};
const std::vector<std::string> kCleanUser = {
    "' uživatelská témata",   // 1
    "3|kus|ks|1|Jeden kus.",  // 2
    "3|tucet|tc|12|12 kusů.", // 3
};

} // namespace

struct FaultCase {
    const char* name;
    bool userFile;
    int line; // the line replaced; 0 appends
    std::string text;
    std::string expected; // the finding after "<file>:"
    int code = 1;
};

class CheckFinds : public CliTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CheckFinds, EachFaultWithItsLine)
{
    const FaultCase& c = GetParam();
    auto lines = c.userFile ? kCleanUser : kCleanMain;
    if (c.line == 0)
        lines.push_back(c.text);
    else
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    const auto file = dir / "Upraveny.omv";
    writeDataFile(file, lines);

    const CliRun r = runRaw({"check", file.string()});
    EXPECT_EQ(r.out, file.string() + ":" + c.expected + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.code, c.code);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, CheckFinds, ::testing::Values(
    FaultCase{"CommaInCoefficient", false, 3, "1|kilometr|km|1000,5|Tisíc metrů.",
              "3: Načtena nekorektní data Při načítání dat byl na řádku 3 načten špatný datový typ. "
              "Proveďte opravu v souboru Upraveny.omv. Načtená hodnota: 1000,5 Tip: Použijte desetinnou tečku."},
    FaultCase{"TopicNotANumber", false, 0, "x|palec|in|0.0254|Palec.",
              "11: Načtena nekorektní data Při načítání dat byl na řádku 11 načten špatný datový typ. "
              "Proveďte opravu v souboru Upraveny.omv. Načtená hodnota: x"},
    FaultCase{"EmptyTopicStartFlag", false, 3, "1|kilometr|km|1000|Tisíc metrů.|",
              "3: Špatný datový typ. Chyba číslo 13 Opravte soubor Upraveny.omv!"},
    FaultCase{"CoefficientOverflows", false, 0, "1|obr|o|1E999|Příliš velký.",
              "11: Při načítání dat se vyskytla chyba 6 Přetečení. Kontaktujte autora programu."},
    FaultCase{"DuplicateName", false, 0, "1|Metr|mm|0.001|Jiný metr.",
              "11: název „Metr“ se v tématu 1 (Délka) opakuje, poprvé na řádku 2"},
    FaultCase{"DuplicateSymbol", false, 0, "1|milimetr|km|0.001|Tisícina metru.",
              "11: značka „km“ se v tématu 1 (Délka) opakuje, poprvé na řádku 3"},
    FaultCase{"ZeroCoefficient", false, 0, "1|nic|n|0|Nula.", "11: koeficient „0“ má hodnotu 0"},
    FaultCase{"ReferenceUnitNotOne", false, 2, "1|metr|m|2|Základní jednotka délky.|True",
              "2: vztažná jednotka tématu 1 (Délka) má koeficient „2“, má mít 1"},
    FaultCase{"TopicWithoutStartFlag", false, 0, "2|metr čtvereční|m2|1|Plocha.",
              "11: první řádek tématu 2 (Plošný obsah) nemá v šestém údaji True"},
    FaultCase{"TemperatureOutOfOrder", false, 8, "16|stupeň Delisleův|°De|-2/3|Delisleova teplota.",
              "8: v tématu 16 (Teplota) má být na 3. místě stupeň Fahrenheita (°F), ne „stupeň Delisleův“"},
    FaultCase{"TemperatureRowMarked", false, 9, "16|*stupeň Rankina|°R|5/9|Rankinova teplota.",
              "9: „stupeň Rankina“ v tématu 16 (Teplota) nesmí mít značku úrovně, vzorce počítají s pořadím řádků"},
    FaultCase{"AngleSecondUnitNotDegree", false, 5, "10|gon|gon|PI/200|Gon.",
              "5: druhá jednotka tématu 10 (Rovinný úhel) má být stupeň s koeficientem PI/180 a bez značky úrovně, ne „gon“"},
    FaultCase{"MissingInformationIsANote", false, 0, "1|míle|mi|1609.344",
              "11: poznámka: jednotka „míle“ nemá informační text", 0},
    FaultCase{"UserLineTooShort", true, 0, "3|kopa|60", "4: řádek má méně než čtyři údaje oddělené „|“; program ho přeskočí"},
    FaultCase{"UserTopicOutOfRange", true, 0, "21|kopa|kp|60|Kopa.",
              "4: číslo uživatelského tématu „21“ není 1 až 20; program řádek přeskočí"},
    FaultCase{"UserCoefficientNotFinite", true, 0, "3|obr|o|1E999|Příliš.", "4: koeficient „1E999“ není konečné číslo"},
    FaultCase{"UserDecimalComma", true, 0, "3|půl|p|0,5|Půl kusu.",
              "4: koeficient „0,5“ má hodnotu 0 (použijte desetinnou tečku)"},
    FaultCase{"UserDuplicateSymbol", true, 0, "3|kopa|ks|60|Kopa.",
              "4: značka „ks“ se v tématu 29 (Uživatel 3) opakuje, poprvé na řádku 2"},
    FaultCase{"UserReferenceNotOne", true, 2, "3|kus|ks|2|Jeden kus.",
              "2: vztažná jednotka tématu 29 (Uživatel 3) má koeficient „2“, má mít 1"}),
    ovtest::rowName);
// clang-format on

namespace {

TEST_F(CliTest, CheckReportsEveryFaultOfAFileInLineOrder)
{
    auto lines = kCleanMain;
    lines[2] = "1|kilometr|m|1000|Tisíc metrů.";
    lines.push_back("1|nic|n|0|Nula.");
    lines.push_back("1|míle|mi|1609.344");
    writeDataFile(dir / "Omnivel.omv", lines);
    const CliRun r = run({"check", (dir / "Omnivel.omv").string()});
    const std::string f = (dir / "Omnivel.omv").string();
    EXPECT_EQ(r.out, f + ":3: značka „m“ se v tématu 1 (Délka) opakuje, poprvé na řádku 2\n" + f +
                         ":11: koeficient „0“ má hodnotu 0\n" + f +
                         ":12: poznámka: jednotka „míle“ nemá informační text\n");
    EXPECT_EQ(r.code, 1);
}

TEST_F(CliTest, CheckOfTheShippedFilesIsClean)
{
    const CliRun r = runRaw({"check", OV_DATA_DIR "/Omnivel.omv", OV_DATA_DIR "/User.omv"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.code, 0);
}

TEST_F(CliTest, CheckWithoutFilesChecksWhatTheProgramReads)
{
    const auto user = dir / "home" / ".local" / "share" / "omnivelor";
    std::filesystem::create_directories(user);
    writeDataFile(user / "User.omv", {"3|kus|ks|1|Kus.", "3|kopa|ks|60|Kopa."});
    const CliRun r = runRaw({"--data", (dir / "Omnivel.omv").string(), "check"});
    // The named main file and the user's own copy of the user file.
    EXPECT_NE(r.out.find((dir / "Omnivel.omv").string() + ":3: poznámka: jednotka „kilometr“"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find((user / "User.omv").string() + ":2: značka „ks“"), std::string::npos) << r.out;
    EXPECT_EQ(r.code, 1);
}

TEST_F(CliTest, CheckOfAMissingFileSaysSoInTheLoadersWords)
{
    const CliRun r = runRaw({"check", (dir / "Chybi.omv").string()});
    EXPECT_EQ(r.out.rfind((dir / "Chybi.omv").string() + ": Soubor Chybi.omv nebyl nalezen.", 0), 0u) << r.out;
    EXPECT_EQ(r.code, 1);
}

} // namespace
