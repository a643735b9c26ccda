// omnivelor-cli: the converter for terminals and scripts, on the same core as the window.
#pragma once
#include "core/loader.h"
#include "core/numtext.h"
#include "core/textfold.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ov::cli {

// Exit codes: what a script can rely on.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the program would have shown a failure message
inline constexpr int kExitUsage = 2;   // wrong command, option, topic or unit

// A wrong call: one line on stderr, exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string dataPath, userPath; // empty: the user's copy, else the shipped file
    Level level = Level::All;
    DisplayFormat format = DisplayFormat::Single;
    int fix = 2;
    int base = 12;
    int basePlaces = 6;
    int sensitivity = 3;
    char decimal = ',';
    bool help = false;
    std::vector<std::string> words; // command and its arguments
};

Options parseArguments(int argc, char** argv, char defaultDecimal);
// The decimal separator of the locale named by LC_ALL, LC_NUMERIC or LANG (first non-empty).
char decimalFromLocale(const char* lcAll, const char* lcNumeric, const char* lang);
const char* usageText();

int run(const Options& options);

struct DataPaths {
    std::string main, user;
};
DataPaths dataPaths(const Options& options);

// omnivelor-cli check [FILE...]: one line per finding on stdout; 0 clean, 1 with findings.
int check(const Options& options);

} // namespace ov::cli
