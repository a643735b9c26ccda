// Runs omnivelor-cli as a process against data files written for the test, the way a script
// uses it, and captures what it prints.
#pragma once
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <concepts>
#include <ostream>

namespace ovtest {

struct CliRun {
    int code = -1;
    std::string out, err;
};

inline std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string readAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Lines joined by CR LF, each line ended by CR LF, as the program's data files are written.
inline void writeDataFile(const std::filesystem::path& p, const std::vector<std::string>& lines)
{
    std::ofstream out(p, std::ios::binary);
    for (const auto& l : lines)
        out << l << "\r\n";
}

// The main data file most tests use: a few topics with the units the examples talk about.
inline const std::vector<std::string>& standardMainFile()
{
    static const std::vector<std::string> lines = {
        "' Zkušební data",
        "1|metr|m|1|Základní jednotka délky.|True",
        "1|kilometr|km|1000",
        "1|centimetr|cm|0.01",
        "1|*palec|in|0.0254",
        "1|+stopa|ft|0.3048",
        "1|loket||0.5",
        "2|metr čtvereční|m2|1||True",
        "2|ar|a|100",
        "2|nulová|n|0",
        "10|radián|rad|1||True",
        "10|stupeň|°|PI/180",
        "10|grad|gon|PI/200",
        "16|kelvin|K|1|Termodynamická teplota.|True",
        "16|stupeň Celsia|°C|1",
        "16|stupeň Fahrenheita|°F|1",
        "16|stupeň Rankina|°R|1",
        "16|stupeň Réaumura|°Ré|1",
        "26|jednotka|1|1||True",
        "26|kilo|k|1000",
    };
    return lines;
}

class CliTest : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        dir = std::filesystem::temp_directory_path() / ("ovcli-" + std::to_string(getpid()) + "-" + name);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        writeDataFile(dir / "Omnivel.omv", standardMainFile());
        writeDataFile(dir / "User.omv", {"' uživatelská témata", "3|kus|ks|1", "3|tucet|tc|12"});
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs the program with the test's data files and a Czech locale unless the test says otherwise.
    CliRun runRaw(const std::vector<std::string>& args, const std::string& env = "LC_ALL=cs_CZ.UTF-8",
                  const std::string& program = OV_CLI_PATH) const
    {
        // A home of its own, so that no data files of the user running the tests are read.
        std::string cmd =
            "env -u LC_ALL -u LC_NUMERIC -u LANG -u XDG_DATA_HOME HOME=" + shellQuote((dir / "home").string()) + " " +
            env + " " + shellQuote(program);
        for (const auto& a : args)
            cmd += " " + shellQuote(a);
        const auto out = dir / "stdout.txt", err = dir / "stderr.txt";
        cmd += " >" + shellQuote(out.string()) + " 2>" + shellQuote(err.string()) + " </dev/null";
        const int status = std::system(cmd.c_str());
        CliRun r;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = readAll(out);
        r.err = readAll(err);
        return r;
    }
    CliRun run(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--data", (dir / "Omnivel.omv").string(), "--user", (dir / "User.omv").string()});
        return runRaw(args);
    }
};

} // namespace ovtest

// Rows of the tables print as their name, so that ctest lists readable test names.
template <class Row>
requires requires(const Row& r)
{
    {
        r.name
        } -> std::convertible_to<const char*>;
}
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
