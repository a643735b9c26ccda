#include "core/loader.h"
#include "core/marks.h"
#include "loader_support.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using namespace ov;

namespace {

// Topic 1 as the user knows it: metre, kilometre, centimetre, millimetre, inch.
void fillLength(UnitDatabase& db)
{
    const TopicUnit units[] = {{"metr", "m", "", 1},
                               {"kilometr", "km", "tisíc metrů", 1000},
                               {"centimetr", "cm", "", 0.01},
                               {"milimetr", "mm", "", 0.001},
                               {"palec", "in", "", 0.0254}};
    int u = 0;
    for (const TopicUnit& unit : units) {
        ++u;
        db.unitSlot(1, u).name = unit.name;
        db.unitSlot(1, u).symbol = unit.symbol;
        db.unitSlot(1, u).info = unit.info;
        db.unitSlot(1, u).factor = unit.factor;
    }
    db.setUnitCount(1, u);
}

std::vector<std::string> names(const UnitDatabase& db, int t)
{
    std::vector<std::string> out;
    for (int u = 1; u <= db.unitCount(t); ++u)
        out.push_back(db.unit(t, u).name);
    return out;
}

} // namespace

struct KeepCase {
    const char* name;
    std::vector<double> factors;
    std::vector<std::int16_t> marks;
    std::vector<double> kept; // expected coefficients; NaN where "not a number" is expected
};

class KeepMarkedTest : public ::testing::TestWithParam<KeepCase> {};

TEST_P(KeepMarkedTest, KeepsTheMarkedUnitsAgainstTheFirstKept)
{
    const KeepCase& c = GetParam();
    std::vector<TopicUnit> units;
    for (double k : c.factors)
        units.push_back({"u", "", "", k});
    const std::vector<TopicUnit> kept = KeepMarked(units, c.marks);
    ASSERT_EQ(kept.size(), c.kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (std::isnan(c.kept[i]))
            EXPECT_TRUE(std::isnan(kept[i].factor)) << i;
        else if (std::isinf(c.kept[i]))
            EXPECT_EQ(kept[i].factor, c.kept[i]) << i;
        else
            EXPECT_NEAR(kept[i].factor, c.kept[i], std::fabs(c.kept[i]) * 1e-12) << i;
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marks, KeepMarkedTest, ::testing::Values(
    KeepCase{"KilometreBecomesTheReference", {1, 1000, 0.01, 0.001}, {0, -1, -1, -1}, {1, 0.00001, 0.000001}},
    KeepCase{"FirstUnitKeptChangesNothing", {1, 1000, 0.01}, {-1, 0, -1}, {1, 0.01}},
    KeepCase{"AnyNonZeroCountsAsMarked", {2, 4, 8}, {0, 1, 7}, {1, 2}},
    KeepCase{"NothingMarkedKeepsNothing", {1, 1000}, {0, 0}, {}},
    KeepCase{"ZeroFirstIsNotDividedBy", {1, 0, 5}, {0, -1, -1}, {0, 5}},
    KeepCase{"InfiniteFirstIsNotDividedBy", {1, kInf, 5}, {0, -1, -1}, {kInf, 5}},
    KeepCase{"NaNFirstIsNotDividedBy", {1, kNaN, 5}, {0, -1, -1}, {kNaN, 5}},
    KeepCase{"ZeroLaterStaysZero", {1, 2, 0}, {0, -1, -1}, {1, 0}}),
    ovtest::rowName);
// clang-format on

TEST(HideUnmarked, ThePartsOwnExample)
{
    UnitDatabase db;
    fillLength(db);
    MarkState marks;
    for (int u : {2, 3, 4})
        marks.toggle(1, u);
    EXPECT_EQ(marks.markCount(1), 3);
    EXPECT_EQ(HideUnmarked(db, marks, 1), 3);
    EXPECT_EQ(names(db, 1), (std::vector<std::string>{"kilometr", "centimetr", "milimetr"}));
    EXPECT_DOUBLE_EQ(db.unit(1, 1).factor, 1);
    EXPECT_NEAR(db.unit(1, 2).factor, 0.00001, 1e-18);
    EXPECT_NEAR(db.unit(1, 3).factor, 0.000001, 1e-18);
    EXPECT_EQ(db.unit(1, 1).symbol, "km");
    EXPECT_EQ(db.unit(1, 1).info, "tisíc metrů");
    EXPECT_TRUE(marks.hidden(1));
    EXPECT_EQ(marks.markCount(1), 0);
    for (int u = 1; u <= 5; ++u)
        EXPECT_FALSE(marks.marked(1, u)) << u;
}

struct BlockCase {
    const char* name;
    int first, last; // units of the selected block
    std::vector<std::string> left;
};

class HideBlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(HideBlockTest, HidingTheBlockKeepsTheOthers)
{
    UnitDatabase db;
    fillLength(db);
    MarkState marks;
    marks.toggle(1, 3); // a mark inside the block goes, one outside stays marked anyway
    marks.markOutside(1, db.unitCount(1), GetParam().first, GetParam().last);
    HideUnmarked(db, marks, 1);
    EXPECT_EQ(names(db, 1), GetParam().left);
    EXPECT_TRUE(marks.hidden(1));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marks, HideBlockTest, ::testing::Values(
    BlockCase{"Middle", 2, 4, {"metr", "palec"}},
    BlockCase{"FirstUnit", 1, 1, {"kilometr", "centimetr", "milimetr", "palec"}},
    BlockCase{"LastUnit", 5, 5, {"metr", "kilometr", "centimetr", "milimetr"}},
    BlockCase{"Everything", 1, 5, {}}),
    ovtest::rowName);
// clang-format on

TEST(HideUnmarked, EveryUnitHiddenLeavesAnEmptyTopicThatReloadsBack)
{
    UnitDatabase db;
    fillLength(db);
    MarkState marks;
    marks.markOutside(1, 5, 1, 5);
    EXPECT_EQ(HideUnmarked(db, marks, 1), 0);
    EXPECT_EQ(db.unitCount(1), 0);
    marks.clear();
    EXPECT_FALSE(marks.hidden(1));
}

TEST(MarkState, TogglingCountsPerTopic)
{
    MarkState marks;
    EXPECT_TRUE(marks.toggle(1, 2));
    EXPECT_TRUE(marks.toggle(1, 3));
    EXPECT_TRUE(marks.toggle(2, 3));
    EXPECT_FALSE(marks.toggle(1, 2));
    EXPECT_EQ(marks.markCount(1), 1);
    EXPECT_EQ(marks.markCount(2), 1);
    EXPECT_TRUE(marks.marked(1, 3));
    EXPECT_FALSE(marks.marked(1, 2));
    // Outside the tables nothing happens and nothing is marked.
    EXPECT_FALSE(marks.toggle(51, 1));
    EXPECT_FALSE(marks.toggle(1, 151));
    EXPECT_FALSE(marks.marked(-1, 1));
    EXPECT_EQ(marks.markCount(99), 0);
    marks.clear();
    EXPECT_EQ(marks.markCount(1), 0);
    EXPECT_FALSE(marks.marked(2, 3));
}

// Marks kept by name across a new reading of the data file: the file as it was when the units
// were marked, the file read next, and the units marked afterwards in their new order.
struct RenamedFileCase {
    const char* name;
    std::vector<std::string> before;   // unit names of topic 1, the first one the reference
    std::vector<std::string> marked;   // marked before, by name
    std::vector<std::string> after;    // the file read next
    std::vector<std::string> expected; // marked after, in the new unit order
};

namespace {
std::unique_ptr<UnitDatabase> readLength(const std::vector<std::string>& units)
{
    std::string text;
    double factor = 1;
    for (std::size_t i = 0; i < units.size(); ++i, factor *= 2)
        text += "1|" + units[i] + "|s" + std::to_string(i) + "|" + std::to_string(factor) + (i == 0 ? "||True" : "") +
                "\r\n";
    auto db = std::make_unique<UnitDatabase>();
    ovtest::RecordingSink sink;
    LoadOptions o;
    o.mainFileName = "Omnivel.omv";
    EXPECT_TRUE(LoadMainText(*db, o, text, sink));
    return db;
}
} // namespace

class MarksByNameTest : public ::testing::TestWithParam<RenamedFileCase> {};

TEST_P(MarksByNameTest, FindTheirUnitsInTheNewFile)
{
    const RenamedFileCase& c = GetParam();
    const auto before = readLength(c.before);
    MarkState marks;
    for (const std::string& name : c.marked)
        MarkByName(*before, marks, 1, std::vector<std::string>{name});
    const TopicMarkNames kept = AllMarkedNames(*before, marks);
    marks.clear();
    const auto after = readLength(c.after);
    MarkAllByName(*after, marks, kept);
    EXPECT_EQ(MarkedNames(*after, marks, 1), c.expected);
    EXPECT_EQ(marks.markCount(1), int(c.expected.size()));
    EXPECT_EQ(marks.markCount(2), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marks, MarksByNameTest, ::testing::Values(
    RenamedFileCase{"UnitsReordered", {"metr", "kilometr", "centimetr", "milimetr"}, {"kilometr", "milimetr"},
                    {"milimetr", "metr", "centimetr", "kilometr"}, {"milimetr", "kilometr"}},
    RenamedFileCase{"UnitInsertedBefore", {"metr", "kilometr", "palec"}, {"kilometr", "palec"},
                    {"metr", "decimetr", "kilometr", "palec"}, {"kilometr", "palec"}},
    RenamedFileCase{"MarkedUnitRemovedIsDropped", {"metr", "kilometr", "centimetr"}, {"kilometr", "centimetr"},
                    {"metr", "kilometr"}, {"kilometr"}},
    RenamedFileCase{"NothingLeftOfTheMarks", {"metr", "kilometr"}, {"kilometr"}, {"metr", "míle"}, {}},
    RenamedFileCase{"NamesakesComeBackAsTwo", {"stopa", "metr", "stopa", "loket"}, {"stopa", "stopa"},
                    {"loket", "stopa", "stopa", "metr"}, {"stopa", "stopa"}},
    RenamedFileCase{"OneNamesakeOfTwo", {"stopa", "metr", "stopa"}, {"stopa"},
                    {"metr", "stopa", "stopa"}, {"stopa"}}),
    ovtest::rowName);
// clang-format on
