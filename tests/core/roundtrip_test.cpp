// Over the shipped data, a value typed against any unit and read in any other unit comes back
// when that reading is typed in again: no coefficient loses the value on the way.
#include "core/engine.h"
#include "core/loader.h"
#include "core/memgrid.h"
#include "loader_support.h"
#include "rows.h"

#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace ov;

namespace {

constexpr double kTolerance = 1e-12;

// The five temperature rows in kelvin and back, from their definitions.
double toKelvin(int row, double x)
{
    switch (row) {
    case 1: return x + 273.15;
    case 2: return (x - 32) * 5 / 9 + 273.15;
    case 3: return x * 5 / 9;
    case 4: return x * 1.25 + 273.15;
    default: return x;
    }
}
double fromKelvin(int row, double k)
{
    switch (row) {
    case 1: return k - 273.15;
    case 2: return (k - 273.15) * 9 / 5 + 32;
    case 3: return k * 9 / 5;
    case 4: return (k - 273.15) / 1.25;
    default: return k;
    }
}

bool near(double got, double want) { return std::fabs(got - want) <= kTolerance * std::fabs(want); }

struct RoundTripCase {
    const char* name;
    char dec;
    double value;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {
protected:
    std::unique_ptr<UnitDatabase> db = std::make_unique<UnitDatabase>();
    MemoryGrid grid;
    ConversionEngine engine{*db, grid};
    int topic = 0;

    void SetUp() override
    {
        LoadOptions o;
        o.mainPath = std::string(OV_DATA_DIR) + "/Omnivel.omv";
        o.userPath = std::string(OV_DATA_DIR) + "/User.omv";
        o.decimalSeparator = GetParam().dec;
        ovtest::RecordingSink sink;
        ASSERT_TRUE(LoadDataFiles(*db, o, sink).mainLoaded);
        ASSERT_TRUE(sink.messages.empty());
        engine.settings().format = DisplayFormat::Double; // all fifteen digits the table keeps
        engine.settings().decimalSeparator = GetParam().dec;
    }

    // The user types the text into a row of the topic shown and presses Enter.
    void enter(int row, const std::string& text)
    {
        grid.current = row;
        grid.typeInto(row, text);
        engine.state().editRow = row;
        engine.onGridFocus(topic);
    }
    double shown(int row) const
    {
        const auto v = ParseNumber(grid.rows[static_cast<std::size_t>(row)].value, GetParam().dec);
        return v ? *v : std::nan("");
    }
    // What the table should show in row `to` for `x` typed into row `from`.
    double expected(int from, int to, double x) const
    {
        if (topic == kTemperatureTopic)
            return fromKelvin(to, toKelvin(from, x));
        return x * db->unit(topic, from + 1).factor / db->unit(topic, to + 1).factor;
    }
    std::string unit(int row) const { return db->unit(topic, row + 1).name; }
};

TEST_P(RoundTrip, EveryUnitIntoEveryOtherAndBack)
{
    const double v = GetParam().value;
    const std::string typed = FormatGeneral(v, GetParam().dec);
    for (topic = 1; topic <= kBuiltinTopics; ++topic) {
        const int n = db->unitCount(topic);
        ASSERT_GT(n, 0) << "topic " << topic;
        grid.fillTopic(*db, topic);
        for (int a = 0; a < n; ++a) {
            enter(a, typed);
            ASSERT_TRUE(grid.boxes.empty()) << unit(a) << ": " << grid.boxes.front().text;
            std::vector<std::string> there;
            for (const auto& row : grid.rows)
                there.push_back(row.value);
            for (int b = 0; b < n; ++b) {
                if (b == a)
                    continue;
                const std::string text = there[static_cast<std::size_t>(b)];
                const auto w = ParseNumber(text, GetParam().dec);
                ASSERT_TRUE(w) << unit(a) << " -> " << unit(b) << " shows '" << text << "'";
                EXPECT_TRUE(near(*w, expected(a, b, v)))
                    << "topic " << topic << ": " << typed << " " << unit(a) << " -> " << text << " " << unit(b)
                    << ", expected " << expected(a, b, v);
                enter(b, text);
                EXPECT_TRUE(near(shown(a), v)) << "topic " << topic << ": " << typed << " " << unit(a) << " -> " << text
                                               << " " << unit(b) << " -> " << grid.rows[a].value;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RoundTrip,
                         ::testing::Values(RoundTripCase{"CzechComma", ',', 37.25},
                                           RoundTripCase{"DecimalPoint", '.', 4.0e3}),
                         ovtest::rowName);

} // namespace
