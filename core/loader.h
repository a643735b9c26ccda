// Reading the main data file (LoadMainFile) and the user data file (LoadUserFile) into the unit database.
// Problems are reported through a MessageSink with the exact texts the user knows.
#pragma once
#include "encoding.h"
#include "messages.h"
#include "unitdb.h"
#include <string>
#include <string_view>
#include <vector>

namespace ov {

// Level chosen in the level menu: 0 "Vše", 1 "Úroveň 1", 2 "Úroveň 2", 3 "Úroveň 3".
enum class Level : int { All = 0, Level1 = 1, Level2 = 2, Level3 = 3 };

struct LoadOptions {
    std::string mainPath;     // full path of the main data file
    std::string mainFileName; // name shown in messages (e.g. "Omnivel.omv"); empty: taken from mainPath
    std::string userPath;     // full path of the user data file
    Level level = Level::All;
    char decimalSeparator = ','; // the user's locale, used for the operands of "/"
    // When set, receives the line number of every message the main file's reading shows
    // (0 for a file that cannot be opened), so a checker can point at the line.
    std::vector<int>* messageLines = nullptr;
    // When 0..50, the main file's records of other topics are read, checked and given their
    // unit index as always (every message is the same) but not kept: for a caller that shows
    // only that topic. The user data file is read whole.
    int onlyTopic = -1;
};

struct LoadResult {
    bool mainLoaded = false; // false after a fatal error (counts of 1..26 stay 0)
    bool userLoaded = false;
    TextEncoding mainEncoding = TextEncoding::Utf8;
    TextEncoding userEncoding = TextEncoding::Utf8;
};

// The main file's name as messages show it: mainFileName, or else the last part of mainPath.
std::string ShownFileName(const LoadOptions& opt);

// LoadMainFile then LoadUserFile, as start-up and every reload do.
LoadResult LoadDataFiles(UnitDatabase& db, const LoadOptions& opt, MessageSink& sink);

bool LoadMainFile(UnitDatabase& db, const LoadOptions& opt, MessageSink& sink, TextEncoding* encoding = nullptr);
// Shows no messages: lines it cannot use (fewer than four fields, a user topic outside 1..20,
// a 151st unit of a topic) are passed over. False when the file cannot be read.
bool LoadUserFile(UnitDatabase& db, const LoadOptions& opt, TextEncoding* encoding = nullptr);

// The same two loads from the bytes of a file already in memory (any encoding readTextFile
// accepts); the paths in opt are not used, the file name still is.
bool LoadMainText(UnitDatabase& db, const LoadOptions& opt, std::string_view bytes, MessageSink& sink);
void LoadUserText(UnitDatabase& db, std::string_view bytes);

// Coefficient expression: a plain number with "." or "a/b" with operands in the user's locale or "PI".
// Throws RuntimeError (13 for a non-numeric operand, 11 for a zero divisor, 6 for overflow).
double EvaluateCoefficient(std::string_view expr, char decimalSeparator);
std::string StripLevelMark(std::string_view name); // drops the first character (UTF-8 aware)
// Throws TopicFullError (a RuntimeError numbered 9) when the topic is full (151st unit) and
// RuntimeError(SubscriptOutOfRange) for a topic outside 0..50; the running counter still advances.
void StoreUnit(UnitDatabase& db, int topic, const std::string& name, const std::string& symbol, double coefficient,
               const std::string& info, bool topicStart);

// Locale-independent reader: longest leading number with "." (blanks skipped); 0 if none.
// A number beyond the range of a double gives +-infinity (callers treat that as overflow).
double ValInvariant(std::string_view text);
// The platform's numeric test as the loader uses it for F(1): the whole text, blanks around it
// aside, is one number (sign, digits, ".", exponent): "1" and " -2.5E3 " yes, "'x", "3abc", "" no.
bool IsNumericInvariant(std::string_view text);

} // namespace ov
