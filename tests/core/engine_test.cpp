#include "core/engine.h"
#include "core/errors.h"
#include "core/memgrid.h"
#include "core/messages.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace ov;

namespace {

struct UnitRow {
    const char* name;
    const char* symbol;
    double coefficient;
};

void putTopic(UnitDatabase& db, int topic, const std::vector<UnitRow>& units)
{
    int u = 0;
    for (const UnitRow& r : units) {
        ++u;
        db.unitSlot(topic, u).name = r.name;
        db.unitSlot(topic, u).symbol = r.symbol;
        db.unitSlot(topic, u).factor = r.coefficient;
    }
    db.setUnitCount(topic, u);
}

UnitDatabase makeDb()
{
    UnitDatabase db;
    putTopic(db, 1, {{"metr", "m", 1}, {"kilometr", "km", 1000}, {"centimetr", "cm", 0.01}, {"loket", "", 0.5}});
    putTopic(db, 2, {{"metr čtvereční", "m2", 1}, {"nic", "x", 0}, {"obří", "G", 1e300}});
    putTopic(
        db, kAngleTopic,
        {{"radián", "rad", 1}, {"stupeň", "°", std::atan(1.0) * 4 / 180}, {"grad", "gon", std::atan(1.0) * 4 / 200}});
    putTopic(db, kTemperatureTopic,
             {{"kelvin", "K", 1},
              {"stupeň Celsia", "°C", 1},
              {"stupeň Fahrenheita", "°F", 1},
              {"stupeň Rankina", "°R", 1},
              {"stupeň Réaumura", "°Ré", 1}});
    return db;
}

class EngineTest : public ::testing::Test {
protected:
    UnitDatabase db = makeDb();
    MemoryGrid grid;
    ConversionEngine engine{db, grid};
    int topic = 1;

    void show(int t)
    {
        topic = t;
        grid.fillTopic(db, t);
        engine.state().editRow = 0;
    }
    // The user types `text` into `row` and presses Enter.
    void enter(int row, const std::string& text)
    {
        grid.typeInto(row, text);
        engine.state().editRow = row;
        engine.onGridFocus(topic);
    }
    std::vector<std::string> values() const
    {
        std::vector<std::string> v;
        for (const auto& r : grid.rows)
            v.push_back(r.value);
        return v;
    }
    std::string lastResult() const { return grid.results.empty() ? std::string() : grid.results.back().text; }
};

std::string failureText(int number, const std::string& cell)
{
    return MessageLines({"Chyba " + std::to_string(number) + ": " + std::string(errorDescription(number)), std::nullopt,
                         "Nevhodná hodnota '" + cell + "'."});
}

} // namespace

TEST_F(EngineTest, KilometresExpressedInEveryUnitWithTheResultLine)
{
    show(1);
    enter(1, "5");
    EXPECT_EQ(values(), (std::vector<std::string>{"5000", "5", "500000", "10000"}));
    EXPECT_EQ(lastResult(), " km: 5,00 km = 5 000,00 m ");
    EXPECT_EQ(engine.state().resultText, " km: 5,00 km = 5 000,00 m ");
    EXPECT_FALSE(grid.results.back().showBox);
    EXPECT_EQ(grid.results.back().colour, TextColour::black());
    EXPECT_EQ(grid.magnifierCalls, 1);
    EXPECT_EQ(grid.recordCalls, 1);
    EXPECT_EQ(grid.clipboardCalls, 1);
    EXPECT_EQ(engine.state().conversionCount, 1);
    EXPECT_TRUE(grid.redrawOn);
    EXPECT_FALSE(grid.editorShown);
    EXPECT_TRUE(grid.boxes.empty());
}

TEST_F(EngineTest, UnitWithoutSymbolIsNamedInTheResultLine)
{
    show(1);
    enter(3, "2");
    EXPECT_EQ(lastResult(), " loket: 2,00 = 1,00 m ");
}

TEST_F(EngineTest, EnteredRowIsRewrittenAndFormatted)
{
    show(1);
    enter(0, "5,0000");
    EXPECT_EQ(grid.rows[0].value, "5");
    engine.settings().format = DisplayFormat::Fixed;
    engine.settings().fix = 3;
    enter(0, "2,5");
    EXPECT_EQ(values(), (std::vector<std::string>{"2,500", "0,003", "250,000", "5,000"}));
    EXPECT_EQ(lastResult(), " m: 2,50 m = 2,50 m ");
}

TEST_F(EngineTest, EmptyTextComputesNothing)
{
    show(1);
    enter(2, "");
    EXPECT_EQ(values(), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_TRUE(grid.results.empty());
    EXPECT_TRUE(grid.boxes.empty());
    EXPECT_EQ(engine.state().conversionCount, 0);
    EXPECT_FALSE(grid.representationEnabled); // the cell was empty before the commit
}

TEST_F(EngineTest, NegativeValueTurnsPositiveWithOneNoticePerRun)
{
    show(1);
    enter(1, "-5");
    EXPECT_EQ(values(), (std::vector<std::string>{"5000", "5", "500000", "10000"}));
    ASSERT_EQ(grid.boxes.size(), 1u);
    EXPECT_EQ(grid.boxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(grid.boxes[0].text, "Zadáno záporné číslo.\r\n\r\n"
                                  "Záporné hodnoty se nepoužívají. Budou převedeny na kladná čísla.\r\n\r\n"
                                  "Poznámka: Tato zpráva už nebude zobrazena.\r\n");
    enter(2, "-3");
    EXPECT_EQ(grid.rows[2].value, "3");
    EXPECT_EQ(grid.boxes.size(), 1u);
    EXPECT_TRUE(engine.state().negativeNoticeShown);
}

struct TemperatureCase {
    const char* name;
    int row;
    const char* text;
    std::vector<std::string> rows;
};

class TemperatureTest : public EngineTest, public ::testing::WithParamInterface<TemperatureCase> {};

TEST_P(TemperatureTest, RowsFollowTheFixedFormulas)
{
    show(kTemperatureTopic);
    enter(GetParam().row, GetParam().text);
    EXPECT_EQ(values(), GetParam().rows);
    EXPECT_TRUE(grid.boxes.empty());
    EXPECT_TRUE(grid.results.empty());
    EXPECT_EQ(grid.recordCalls, 1);
    EXPECT_EQ(engine.state().conversionCount, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Engine, TemperatureTest, ::testing::Values(
    TemperatureCase{"MinusFortyCelsius", 1, "-40", {"233,15", "-40", "-40", "419,67", "-32"}},
    TemperatureCase{"BoilingWater", 1, "100", {"373,15", "100", "212", "671,67", "80"}},
    TemperatureCase{"Kelvin", 0, "300", {"300", "26,85", "80,33", "540", "21,48"}},
    TemperatureCase{"Fahrenheit", 2, "212", {"373,15", "100", "212", "671,67", "80"}},
    TemperatureCase{"Rankine", 3, "491,67", {"273,15", "0", "32", "491,67", "0"}},
    TemperatureCase{"Reaumur", 4, "80", {"373,15", "100", "212", "671,67", "80"}}),
    ovtest::rowName);
// clang-format on

class AbsoluteZeroTest : public EngineTest, public ::testing::WithParamInterface<TemperatureCase> {};

TEST_P(AbsoluteZeroTest, ShowsTheMessageAndAbsoluteZero)
{
    show(kTemperatureTopic);
    enter(GetParam().row, GetParam().text);
    ASSERT_EQ(grid.results.size(), 1u);
    EXPECT_EQ(grid.results[0].text, "Teplota pod 0 K teoreticky neexistuje.");
    EXPECT_TRUE(grid.results[0].showBox);
    EXPECT_EQ(grid.results[0].colour, TextColour::red());
    EXPECT_EQ(values(), (std::vector<std::string>{"0", "-273,15", "-459,67", "0", "-218,52"}));
    EXPECT_EQ(grid.recordCalls, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Engine, AbsoluteZeroTest, ::testing::Values(
    TemperatureCase{"ZeroKelvin", 0, "0", {}},
    TemperatureCase{"AbsoluteZeroCelsius", 1, "-273,15", {}},
    TemperatureCase{"BelowZeroFahrenheit", 2, "-500", {}}),
    ovtest::rowName);
// clang-format on

struct AngleCase {
    const char* name;
    const char* degrees;
    const char* tail;
};

class AngleTest : public EngineTest, public ::testing::WithParamInterface<AngleCase> {};

// The class of the angle closes the line; the seconds in front of it may carry binary noise.
TEST_P(AngleTest, LineEndsWithTheWholeDegreesAndTheClass)
{
    show(kAngleTopic);
    enter(1, GetParam().degrees);
    const std::string line = engine.state().resultText;
    const std::string tail = GetParam().tail;
    ASSERT_GE(line.size(), tail.size());
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail) << line;
    EXPECT_EQ(lastResult(), line);
    EXPECT_EQ(grid.magnifierCalls, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Engine, AngleTest, ::testing::Values(
    AngleCase{"Acute", "30,26", "\" (30° — ostrý úhel)"},
    AngleCase{"RoundsUpToRight", "89,5", "\" (90° — pravý úhel)"},
    AngleCase{"Obtuse", "179,4", "\" (179° — tupý úhel)"},
    AngleCase{"Straight", "180", "\" (180° — přímý úhel)"},
    AngleCase{"Reflex", "270", "\" (270°)"},
    AngleCase{"AlmostFull", "359,5", "\" (360°)"},
    AngleCase{"Full", "360", "\" (0° — nulový úhel)"},
    AngleCase{"Zero", "0", "\" (0° — nulový úhel)"}),
    ovtest::rowName);
// clang-format on

TEST_F(EngineTest, AngleLineSpellsDegreesMinutesSeconds)
{
    show(kAngleTopic);
    enter(1, "30,26");
    EXPECT_EQ(engine.state().resultText, " 30° 15' 36\" (30° — ostrý úhel)");
    enter(2, "100"); // 100 gon = 90°
    EXPECT_EQ(engine.state().resultText, " 90° 0' 0\" (90° — pravý úhel)");
    enter(1, "89,5");
    EXPECT_EQ(engine.state().resultText, " 89° 30' 0\" (90° — pravý úhel)");
}

// The table recomposes its ordinary line on every cell change, as the real one does.
void tableRecomposes(MemoryGrid& grid, ConversionEngine& engine, bool againstEntered)
{
    grid.onRowChanged = [&grid, &engine, againstEntered](int, int to) {
        if (grid.cellText(to, kColValue).empty())
            return;
        const int ref = againstEntered ? engine.state().editRow : 0;
        grid.showResult(engine.composeResultLine(to, ref), false, TextColour::black());
    };
}

TEST_F(EngineTest, AngleLineSurvivesTheColouringMoves)
{
    tableRecomposes(grid, engine, false);
    show(kAngleTopic);
    enter(1, "30,26");
    EXPECT_EQ(lastResult(), " 30° 15' 36\" (30° — ostrý úhel)");
    EXPECT_EQ(engine.state().resultText, " 30° 15' 36\" (30° — ostrý úhel)");
    EXPECT_EQ(grid.current, 1);
}

TEST_F(EngineTest, ColouringMovesRecomposeTheLineAgainstTheEnteredUnit)
{
    tableRecomposes(grid, engine, true);
    show(1);
    enter(1, "5");
    EXPECT_EQ(lastResult(), " km: 5,00 km = 5,00 km ");
    EXPECT_EQ(grid.current, 1);
}

TEST_F(EngineTest, ColouringMovesAgainstTheFirstUnitKeepTheComposedLine)
{
    tableRecomposes(grid, engine, false);
    show(1);
    enter(1, "5");
    EXPECT_EQ(lastResult(), " km: 5,00 km = 5 000,00 m ");
}

TEST_F(EngineTest, EntryColourMovesWithTheEnteredRow)
{
    show(1);
    enter(1, "5");
    EXPECT_EQ(grid.rows[1].colour, TextColour::highlightText());
    EXPECT_EQ(engine.state().coloredRow, 1);
    enter(2, "5");
    EXPECT_EQ(grid.rows[1].colour, TextColour::windowText());
    EXPECT_EQ(grid.rows[2].colour, TextColour::highlightText());
    EXPECT_EQ(engine.state().conversionCount, 2);

    engine.settings().colored = false;
    enter(3, "5");
    EXPECT_EQ(grid.rows[2].colour, TextColour::windowText());
    EXPECT_EQ(grid.rows[3].colour, TextColour::windowText());
    EXPECT_EQ(engine.state().coloredRow, 2);
    EXPECT_EQ(grid.current, 3);
}

TEST_F(EngineTest, EditRowFollowsTheCurrentRowOnFocus)
{
    show(1);
    grid.setCurrentRow(2);
    engine.state().editRow = 0;
    engine.onGridFocus(1); // no editor: bookkeeping only
    EXPECT_EQ(engine.state().editRow, 2);
    grid.setCurrentRow(0);
    engine.onGridFocus(1);
    EXPECT_EQ(engine.state().editRow, 2); // row 0 leaves it alone
    engine.state().editRow = 9;
    engine.onGridFocus(1);
    EXPECT_EQ(engine.state().editRow, 3); // brought back to the last row
}

const std::string kFourHundredNines(400, '9');

struct FailureCase {
    const char* name;
    int topic;
    int row;
    const char* text;
    int number;
    const char* cellInMessage;
    bool expressions = false;
};

class FailureTest : public EngineTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, ShowsTheMessageAndRestoresTheCell)
{
    const FailureCase& c = GetParam();
    engine.settings().expressions = c.expressions;
    show(c.topic);
    grid.rows[static_cast<std::size_t>(c.row)].value = "7";
    enter(c.row, c.text);
    ASSERT_EQ(grid.boxes.size(), 1u);
    EXPECT_EQ(grid.boxes[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(grid.boxes[0].text, failureText(c.number, c.cellInMessage));
    EXPECT_EQ(engine.state().resultText, grid.boxes[0].text);
    EXPECT_EQ(grid.rows[static_cast<std::size_t>(c.row)].value, "7");
    EXPECT_EQ(grid.clipboardCalls, 1);
    EXPECT_TRUE(grid.redrawOn);
    EXPECT_EQ(engine.state().conversionCount, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Engine, FailureTest, ::testing::Values(
    FailureCase{"NotANumber", 1, 1, "abc", 13, "abc"},
    FailureCase{"NotANumberTemperature", kTemperatureTopic, 1, "teplo", 13, "teplo"},
    FailureCase{"EmptyTemperature", kTemperatureTopic, 2, "", 13, ""},
    FailureCase{"ZeroCoefficient", 2, 0, "5", 11, "5"},
    FailureCase{"ZeroByZero", 2, 0, "0", 6, "0"},
    FailureCase{"Overflow", 2, 2, "1E+300", 6, "1E+300"},
    FailureCase{"TooLargeToRead", 1, 1, "1e999", 6, "1e999"},
    FailureCase{"FourHundredNines", 1, 1, kFourHundredNines.c_str(), 6, kFourHundredNines.c_str()},
    FailureCase{"TooLargeButNoNumber", 1, 1, "1e999x", 13, "1e999x"},
    FailureCase{"ArithmeticWithExpressionsOff", 1, 1, "5+3", 13, "5+3"},
    FailureCase{"TooLargeToReadWithExpressions", 1, 1, "1e999", 6, "1e999", true},
    FailureCase{"MalformedExpression", 1, 1, "2*(3", 13, "2*(3", true},
    FailureCase{"ExpressionDividesByZero", kTemperatureTopic, 1, "20/(5-5)", 11, "20/(5-5)", true},
    FailureCase{"ExpressionOverflows", 1, 1, "10^400", 6, "10^400", true},
    FailureCase{"ExpressionValueOverflowsTheTable", 2, 2, "1E200*1E100", 6, "1E+300", true}),
    ovtest::rowName);
// clang-format on

TEST_F(EngineTest, ExpressionIsEnteredAsItsValue)
{
    engine.settings().expressions = true;
    show(1);
    enter(1, "1/4");
    EXPECT_EQ(values(), (std::vector<std::string>{"250", "0,25", "25000", "500"}));
    EXPECT_EQ(lastResult(), " km: 0,25 km = 250,00 m ");
    show(kTemperatureTopic);
    enter(1, "-(30+10)"); // a negative temperature stays negative
    EXPECT_EQ(values(), (std::vector<std::string>{"233,15", "-40", "-40", "419,67", "-32"}));
}

TEST_F(EngineTest, FormatTableLeavesAnUncomputedTableAlone)
{
    show(1);
    grid.rows[2].value = "3,14159265";
    engine.formatTable(1);
    EXPECT_EQ(grid.rows[2].value, "3,14159265");
}

TEST_F(EngineTest, FormatSwitchStartsFromTheShownTexts)
{
    show(1);
    engine.settings().format = DisplayFormat::Fixed;
    enter(0, "0,333333");
    EXPECT_EQ(grid.rows[0].value, "0,33");
    engine.settings().format = DisplayFormat::Double;
    engine.formatTable(1);
    EXPECT_EQ(grid.rows[0].value, "0,33"); // digits a coarser format dropped stay dropped
    enter(0, "0,333333");
    EXPECT_EQ(grid.rows[0].value, "0,333333");
}
