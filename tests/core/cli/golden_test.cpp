// omnivelor-cli over the shipped data files and broken ones, compared byte for byte with the
// recorded runs in golden/: every topic listed and converted, searches and checks. A change of
// output is either a fault or intended; for an intended one, tests/core/cli/golden/regenerate.sh
// records the runs again and the diff shows what changed.
#include "cli_support.h"

#include "core/catalogue.h"
#include "../rows.h"

#include <cstdlib>

using namespace ovtest;

namespace {

const std::filesystem::path kGolden = OV_CLI_GOLDEN_DIR;

struct GoldenCase {
    std::string name;               // the record's file name without ".txt"
    std::vector<std::string> files; // copied into the working folder: shipped ones by name, others from golden/
    std::vector<std::string> args;  // relative paths, so that the records hold no folder of this machine
};

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::vector<GoldenCase> goldenCases()
{
    const std::vector<std::string> shipped = {"Omnivel.omv", "User.omv"};
    const std::vector<std::string> withShipped = {"--data", "Omnivel.omv", "--user", "User.omv"};
    const auto on = [&](std::vector<std::string> args) {
        args.insert(args.begin(), withShipped.begin(), withShipped.end());
        return args;
    };
    std::vector<GoldenCase> cases = {{"topics", shipped, on({"topics"})}};
    for (int t = 1; t < ov::kFirstUserTopic + ov::kUserTopics; ++t)
        cases.push_back({"units_" + twoDigits(t), shipped, on({"units", std::to_string(t)})});
    // The second unit of every topic, so that each value is multiplied and divided.
    for (int t = 1; t < ov::kFirstUserTopic + ov::kUserTopics; ++t)
        cases.push_back({"convert_" + twoDigits(t), shipped, on({"convert", std::to_string(t), "2", "1234,5"})});

    const std::vector<GoldenCase> more = {
        {"convert_by_key_and_symbol", shipped, on({"convert", "Delka", "km", "5"})},
        {"convert_below_absolute_zero", shipped, on({"convert", "Teplota", "K", "-5"})},
        {"convert_celsius", shipped, on({"convert", "16", "2", "-40"})},
        {"convert_not_a_number", shipped, on({"convert", "1", "1", "abc"})},
        {"convert_scientific", shipped, on({"--format", "2", "convert", "12", "1", "0,001"})},
        {"convert_fixed_point", shipped,
         on({"--format", "3", "--fix", "4", "--decimal", ".", "convert", "3", "1", "7.25"})},
        {"convert_double", shipped, on({"--format", "1", "convert", "10", "2", "1"})},
        {"convert_unknown_unit", shipped, on({"convert", "1", "nic", "1"})},
        {"topics_level1", shipped, on({"--level", "1", "topics"})},
        {"units_level2", shipped, on({"--level", "2", "units", "1"})},
        {"units_level3", shipped, on({"--level", "3", "units", "Délka"})},
        {"units_unknown_topic", shipped, on({"units", "nic"})},
        {"search_m2", shipped, on({"search", "m2"})},
        {"search_metr_pattern", shipped, on({"search", "*metr*"})},
        {"search_any_two", shipped, on({"search", "??"})},
        {"search_palec", shipped, on({"search", "palec"})},
        {"search_nothing", shipped, on({"search", "žádná taková"})},
        {"check", shipped, on({"check"})},
        {"check_files", shipped, {"check", "Omnivel.omv", "User.omv"}},
        {"missing_topics", {}, {"--data", "Omnivel.omv", "--user", "User.omv", "topics"}},
        {"missing_check", {}, {"--data", "Omnivel.omv", "--user", "User.omv", "check"}},
    };
    cases.insert(cases.end(), more.begin(), more.end());

    const std::vector<std::string> broken = {"broken.omv", "broken-user.omv"};
    const std::vector<std::string> withBroken = {"--data", "broken.omv", "--user", "broken-user.omv"};
    const std::vector<std::vector<std::string>> brokenRuns = {{"topics"},
                                                              {"units", "1"},
                                                              {"units", "2"},
                                                              {"units", "3"},
                                                              {"units", "4"},
                                                              {"units", "10"},
                                                              {"units", "16"},
                                                              {"units", "26"},
                                                              {"units", "27"},
                                                              {"units", "29"},
                                                              {"convert", "1", "2", "5"},
                                                              {"convert", "16", "1", "300"},
                                                              {"search", "metr"},
                                                              {"check"}};
    for (const auto& run : brokenRuns) {
        std::string name = "broken";
        for (const auto& w : run)
            name += "_" + w;
        std::vector<std::string> args = withBroken;
        args.insert(args.end(), run.begin(), run.end());
        cases.push_back({name, broken, args});
    }
    for (const char* fatal : {"fatal", "divzero"}) {
        const std::string file = std::string(fatal) + ".omv";
        cases.push_back(
            {std::string(fatal) + "_topics", {file, "User.omv"}, {"--data", file, "--user", "User.omv", "topics"}});
        cases.push_back({std::string(fatal) + "_check", {file}, {"check", file}});
    }
    return cases;
}

// What a run printed, in one text: the call, the exit code and both outputs with their sizes,
// so that nothing (a missing last line end, say) can hide.
std::string record(const GoldenCase& c, const CliRun& r)
{
    std::string call = "omnivelor-cli";
    for (const auto& a : c.args)
        call += " " + a;
    return "$ " + call + "\nexit " + std::to_string(r.code) + "\n--- stdout, " + std::to_string(r.out.size()) +
           " bytes\n" + r.out + "--- stderr, " + std::to_string(r.err.size()) + " bytes\n" + r.err;
}

} // namespace

class Golden : public CliTest, public ::testing::WithParamInterface<GoldenCase> {
protected:
    std::filesystem::path previous;
    void SetUp() override
    {
        CliTest::SetUp();
        std::filesystem::remove(dir / "Omnivel.omv");
        std::filesystem::remove(dir / "User.omv");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        CliTest::TearDown();
    }
};

TEST_P(Golden, OutputAsRecorded)
{
    const GoldenCase& c = GetParam();
    for (const auto& f : c.files) {
        const bool shippedFile = f == "Omnivel.omv" || f == "User.omv";
        std::filesystem::copy_file((shippedFile ? std::filesystem::path(OV_DATA_DIR) : kGolden) / f, dir / f);
    }
    const std::string got = record(c, runRaw(c.args));
    const auto file = kGolden / (c.name + ".txt");
    // tests/core/cli/golden/regenerate.sh sets this to record the runs instead of comparing.
    if (std::getenv("OV_GOLDEN_RECORD")) {
        std::ofstream(file, std::ios::binary) << got;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << file << " is not recorded";
    EXPECT_EQ(got, readAll(file));
}

INSTANTIATE_TEST_SUITE_P(Cli, Golden, ::testing::ValuesIn(goldenCases()), ovtest::rowName);
