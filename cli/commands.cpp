// The commands: each one drives the core the way the window does and prints what it shows.
#include "cli.h"

#include "core/catalogue.h"
#include "core/datafolder.h"
#include "core/engine.h"
#include "core/memgrid.h"
#include "core/represent.h"
#include "core/search.h"

#include <filesystem>
#include <iostream>
#include <optional>

namespace ov::cli {

namespace {

// Messages use CR LF inside the program; a terminal wants plain line ends.
void printMessage(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out.push_back(text[i]);
    if (out.empty() || out.back() != '\n')
        out.push_back('\n');
    std::cerr << out;
}

class StderrSink : public MessageSink {
public:
    bool failed = false;
    void showMessage(const std::string& text, const std::string&, MessageIcon icon) override
    {
        printMessage(text);
        if (icon != MessageIcon::Information)
            failed = true;
    }
};

std::filesystem::path programFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

// The process ends right after its one command: freeing a thousand unit texts one by one
// would cost more than the conversion, so the database is made once and left to the system.
// It stays reachable through this pointer, so leak checkers do not count it.
UnitDatabase* processDatabase()
{
    static UnitDatabase* const db = new UnitDatabase;
    return db;
}

struct Data {
    UnitDatabase* db = processDatabase();
    bool usable = false; // the main data file was read
    bool failed = false; // a warning or an error was shown while reading
};

} // namespace

// The files the window reads: a named file, else the user's copy, else the shipped one.
DataPaths dataPaths(const Options& o)
{
    const DataFiles files = defaultDataFiles(programFolder());
    return {o.dataPath.empty() ? files.main.string() : o.dataPath,
            o.userPath.empty() ? files.user.string() : o.userPath};
}

namespace {

std::optional<int> wholeNumber(const std::string& s)
{
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(s);
}

// A topic by number, key or display name among topics 1..last; the first match counts.
std::optional<int> findTopic(const UnitDatabase& db, const std::string& word, int last)
{
    if (const auto n = wholeNumber(word))
        return *n >= 1 && *n <= last ? n : std::nullopt;
    const std::string w = foldCase(word);
    for (int t = 1; t <= last; ++t) {
        if (t <= kBuiltinTopics && foldCase(std::string(TopicKey(t))) == w)
            return t;
        if (!db.topicName(t).empty() && foldCase(db.topicName(t)) == w)
            return t;
    }
    return std::nullopt;
}

// What a command needs of the data files; each command prints the same as with everything
// read. The user data file holds the user topics only and shows no messages; the search looks
// at the built-in topics, and a word that names a built-in topic is matched before any user
// topic. A command about one topic shows the units of that topic only; the main file is
// still read whole, for its messages.
struct Needs {
    bool userFile = true;
    int onlyTopic = -1;
};

Needs needs(const Options& o, const UnitDatabase& db)
{
    const std::string& command = o.words[0];
    if (command == "search")
        return {false, -1};
    if (command == "units" || command == "convert") {
        if (const auto t = findTopic(db, o.words[1], kBuiltinTopics))
            return {false, *t};
        if (const auto t = findTopic(db, o.words[1], kFirstUserTopic + kUserTopics - 1))
            return {true, *t}; // a user topic by number
    }
    return {};
}

Data load(const Options& o)
{
    Data d;
    LoadOptions lo;
    const DataPaths paths = dataPaths(o);
    lo.mainPath = paths.main;
    lo.userPath = paths.user;
    lo.mainFileName = std::filesystem::path(lo.mainPath).filename().string();
    lo.level = o.level;
    lo.decimalSeparator = o.decimal;
    const Needs need = needs(o, *d.db);
    lo.onlyTopic = need.onlyTopic;
    StderrSink sink;
    d.usable = LoadMainFile(*d.db, lo, sink);
    d.failed = sink.failed;
    if (need.userFile)
        LoadUserFile(*d.db, lo);
    // The window names the user topics from its settings; without them they keep the default names.
    for (int n = 1; n <= kUserTopics; ++n)
        if (d.db->userTopicUsed(n) && d.db->topicName(26 + n).empty())
            d.db->setTopicName(26 + n, DefaultUserTopicName(n));
    return d;
}

int resolveTopic(const UnitDatabase& db, const std::string& word)
{
    if (const auto t = findTopic(db, word, kFirstUserTopic + kUserTopics - 1))
        return *t;
    throw UsageError("neznámé téma '" + word + "'");
}

int resolveUnit(const UnitDatabase& db, int t, const std::string& word)
{
    const int n = db.unitCount(t);
    if (const auto number = wholeNumber(word)) {
        if (*number >= 1 && *number <= n)
            return *number;
    } else {
        for (int u = 1; u <= n; ++u)
            if (db.unit(t, u).symbol == word)
                return u;
        const std::string w = foldCase(word);
        for (int u = 1; u <= n; ++u)
            if (foldCase(db.unit(t, u).name) == w)
                return u;
    }
    throw UsageError("téma " + std::to_string(t) + " nemá jednotku '" + word + "'");
}

void expectWords(const Options& o, std::size_t count)
{
    if (o.words.size() != count + 1)
        throw UsageError("příkaz " + o.words[0] + " čeká " + std::to_string(count) +
                         (count == 1 ? " argument" : " argumenty"));
}

int finish(const Data& d) { return d.failed ? kExitFailure : kExitOk; }

int topics(const Options&, const Data& d)
{
    std::string out;
    for (int t = 1; t < kFirstUserTopic + kUserTopics; ++t) {
        if (d.db->unitCount(t) == 0)
            continue;
        out += std::to_string(t) + "\t" + std::string(TopicKey(t)) + "\t" + d.db->topicName(t) + "\t" +
               std::to_string(d.db->unitCount(t)) + "\n";
    }
    std::cout << out;
    return finish(d);
}

int units(const Options& o, const Data& d)
{
    const UnitDatabase& db = *d.db;
    const int t = resolveTopic(db, o.words[1]);
    std::string out;
    for (int u = 1; u <= db.unitCount(t); ++u)
        out += std::to_string(u) + "\t" + db.unit(t, u).name + "\t" + db.unit(t, u).symbol + "\t" +
               FormatGeneral(db.unit(t, u).factor, o.decimal) + "\t" + db.unit(t, u).info + "\n";
    std::cout << out;
    return finish(d);
}

// Typing VALUE into the unit's row and pressing Enter.
int convert(const Options& o, const Data& d)
{
    const UnitDatabase& db = *d.db;
    const int t = resolveTopic(db, o.words[1]);
    const int row = resolveUnit(db, t, o.words[2]) - 1;
    MemoryGrid grid;
    grid.fillTopic(db, t);
    ConversionEngine engine(db, grid);
    engine.settings().format = o.format;
    engine.settings().fix = o.fix;
    engine.settings().decimalSeparator = o.decimal;
    grid.typeInto(row, o.words[3]);
    engine.state().editRow = row;
    engine.onGridFocus(t);

    bool failed = d.failed;
    bool refused = false;
    for (const auto& box : grid.boxes) {
        printMessage(box.text);
        if (box.icon != MessageIcon::Information)
            refused = true;
    }
    if (refused)
        return kExitFailure;
    std::string out;
    for (const auto& r : grid.rows)
        out += r.name + "\t" + r.symbol + "\t" + r.value + "\n";
    if (!grid.results.empty()) {
        out += grid.results.back().text + "\n";
        // The absolute-zero text is the red warning of the result line.
        if (grid.results.back().colour == TextColour::red())
            failed = true;
    }
    std::cout << out;
    return failed ? kExitFailure : kExitOk;
}

int representation(const Options& o)
{
    const std::string& kind = o.words[1];
    const std::string& value = o.words[2];
    static const struct {
        const char* name;
        BaseKind base;
    } bases[] = {{"bin", BaseKind::Binary},
                 {"oct", BaseKind::Octal},
                 {"hex", BaseKind::Hex},
                 {"base", BaseKind::Custom},
                 {"base-dec", BaseKind::CustomWithDecimals}};
    std::optional<RepresentationResult> r;
    for (const auto& b : bases)
        if (kind == b.name)
            r = BaseResult(value, b.base, o.base, o.basePlaces, o.decimal);
    if (kind == "roman")
        r = RomanResult(value, o.decimal);
    else if (kind == "fraction")
        r = FractionResult(value, o.sensitivity, o.decimal);
    if (!r)
        throw UsageError("neznámý druh '" + kind + "' (bin, oct, hex, base, base-dec, roman, fraction)");

    switch (r->kind) {
    case RepresentationResult::Kind::Empty: return kExitOk;
    case RepresentationResult::Kind::Ok: std::cout << r->text << "\n"; return kExitOk;
    case RepresentationResult::Kind::OutOfRange: std::cout << r->text << "\n"; return kExitFailure;
    case RepresentationResult::Kind::NotANumber: printMessage(r->text); return kExitFailure;
    }
    return kExitFailure;
}

int search(const Options& o, const Data& d)
{
    std::string out;
    for (const SearchHit& h : SearchUnits(*d.db, o.words[1]))
        out += h.tag() + "\t" + h.name + "\t" + (h.exact ? "exact" : "pattern") + "\n";
    std::cout << out;
    return finish(d);
}

} // namespace

int run(const Options& o)
{
    if (o.words.empty())
        throw UsageError("chybí příkaz");
    const std::string& command = o.words[0];
    static const struct {
        const char* name;
        std::size_t args;
        int (*run)(const Options&, const Data&);
    } commands[] = {{"topics", 0, topics}, {"units", 1, units}, {"convert", 3, convert}, {"search", 1, search}};
    if (command == "check")
        return check(o);
    if (command == "as") {
        expectWords(o, 2);
        return representation(o);
    }
    for (const auto& c : commands) {
        if (command != c.name)
            continue;
        expectWords(o, c.args);
        const Data d = load(o);
        if (!d.usable)
            return kExitFailure;
        return c.run(o, d);
    }
    throw UsageError("neznámý příkaz '" + command + "'");
}

} // namespace ov::cli
