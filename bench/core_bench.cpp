// Speed of the core's hot paths: start-up loading, one conversion, the unit search and the
// grouped number text that every result line uses.
#include "core/engine.h"
#include "core/loader.h"
#include "core/memgrid.h"
#include "core/numtext.h"
#include "core/search.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace ov;

class NullSink : public MessageSink {
public:
    void showMessage(const std::string&, const std::string&, MessageIcon) override {}
};

const char* const kStems[] = {"metr", "gram", "sekunda", "litr", "newton", "pascal", "joule", "watt", "stupeň", "tuna"};
const char* const kPrefixes[] = {"", "kilo", "mili", "mikro", "mega", "centi", "deci", "hekto", "nano", "giga"};

std::string unitName(int topic, int unit)
{
    return std::string(kPrefixes[unit % 10]) + kStems[(unit / 10 + topic) % 10] + " č. " + std::to_string(unit);
}

double coefficient(int unit) { return 1.0 + unit * 0.731; }

// The largest data-file pair the program accepts: 26 topics and 20 user topics of 150 units.
struct MaximalFiles {
    std::filesystem::path dir;
    MaximalFiles()
    {
        dir = std::filesystem::temp_directory_path() / ("ovbench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream main(dir / "Omnivel.omv", std::ios::binary);
        for (int t = 1; t <= kBuiltinTopics; ++t)
            for (int u = 1; u <= kMaxUnits; ++u)
                main << t << "|" << (u % 7 == 3 ? "+" : "") << unitName(t, u) << "|s" << u << "|"
                     << (u % 5 == 0 ? "1/3" : std::to_string(coefficient(u))) << "|Informace o jednotce " << u
                     << (u == 1 ? "|True" : "") << "\r\n";
        std::ofstream user(dir / "User.omv", std::ios::binary);
        for (int n = 1; n <= kUserTopics; ++n)
            for (int u = 1; u <= kMaxUnits; ++u)
                user << n << "|" << unitName(n, u) << "|u" << u << "|" << coefficient(u) << "|info\r\n";
    }
    ~MaximalFiles() { std::filesystem::remove_all(dir); }
};

LoadOptions maximalOptions()
{
    static const MaximalFiles files;
    LoadOptions opt;
    opt.mainPath = (files.dir / "Omnivel.omv").string();
    opt.mainFileName = "Omnivel.omv";
    opt.userPath = (files.dir / "User.omv").string();
    return opt;
}

void BM_LoadMaximalDataFiles(benchmark::State& state)
{
    const LoadOptions opt = maximalOptions();
    NullSink sink;
    for (auto _ : state) {
        auto db = std::make_unique<UnitDatabase>();
        const LoadResult r = LoadDataFiles(*db, opt, sink);
        benchmark::DoNotOptimize(r);
        if (db->unitCount(26) != kMaxUnits || db->unitCount(46) != kMaxUnits)
            state.SkipWithError("the maximal files did not load completely");
    }
    state.SetItemsProcessed(state.iterations() * (kBuiltinTopics + kUserTopics) * kMaxUnits);
}
BENCHMARK(BM_LoadMaximalDataFiles)->Unit(benchmark::kMillisecond);

// The same files read again into the database that read them, as every reload of the window
// does (a change of level, a saved data file).
void BM_ReloadMaximalDataFiles(benchmark::State& state)
{
    const LoadOptions opt = maximalOptions();
    NullSink sink;
    const auto db = std::make_unique<UnitDatabase>();
    for (auto _ : state) {
        const LoadResult r = LoadDataFiles(*db, opt, sink);
        benchmark::DoNotOptimize(r);
        if (db->unitCount(26) != kMaxUnits || db->unitCount(46) != kMaxUnits)
            state.SkipWithError("the maximal files did not load completely");
    }
    state.SetItemsProcessed(state.iterations() * (kBuiltinTopics + kUserTopics) * kMaxUnits);
}
BENCHMARK(BM_ReloadMaximalDataFiles)->Unit(benchmark::kMillisecond);

std::unique_ptr<UnitDatabase> fullDatabase()
{
    auto db = std::make_unique<UnitDatabase>();
    for (int t = 1; t <= kBuiltinTopics; ++t) {
        for (int u = 1; u <= kMaxUnits; ++u) {
            Unit& unit = db->unitSlot(t, u);
            unit.name = unitName(t, u);
            unit.symbol = "s" + std::to_string(u);
            unit.factor = u == 1 ? 1.0 : coefficient(u);
        }
        db->setUnitCount(t, kMaxUnits);
    }
    return db;
}

// Typing a value into row 40 of a 150-unit topic and pressing Enter: every row, the display
// format, the result line and the entry colouring.
void BM_ConvertTopic150(benchmark::State& state)
{
    const auto db = fullDatabase();
    MemoryGrid grid;
    grid.fillTopic(*db, 1);
    ConversionEngine engine(*db, grid);
    engine.settings().format = static_cast<DisplayFormat>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        grid.typeInto(40, (++i % 2) ? "123,456" : "98765,4321");
        engine.state().editRow = 40;
        engine.onGridFocus(1);
        grid.results.clear();
        benchmark::DoNotOptimize(grid.rows[149].value);
    }
    state.SetItemsProcessed(state.iterations() * kMaxUnits);
}
BENCHMARK(BM_ConvertTopic150)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->ArgName("format")->Unit(benchmark::kMicrosecond);

void BM_SearchAllNames(benchmark::State& state, const char* text)
{
    const auto db = fullDatabase();
    std::size_t hits = 0;
    for (auto _ : state) {
        const auto found = SearchUnits(*db, text);
        hits = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetItemsProcessed(state.iterations() * kBuiltinTopics * kMaxUnits);
}
BENCHMARK_CAPTURE(BM_SearchAllNames, metre, "metr")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchAllNames, kilo_c15, "kilo č. 15")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchAllNames, none, "xyz")->Unit(benchmark::kMicrosecond);

void BM_GroupedFormat(benchmark::State& state)
{
    const double values[] = {5, 5000, 1234567.891, 0.123456789, 2.0001, 1.5, 1e-12, 6.02214076e23};
    std::size_t i = 0;
    for (auto _ : state) {
        std::string s = GroupedFormat(values[i++ % std::size(values)], ',');
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_GroupedFormat);

} // namespace
