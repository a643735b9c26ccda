// omnivelor-cli check: finds in data files what the user would otherwise meet as a message box,
// a wrong conversion or a unit that cannot be picked by its symbol, and points at the line.
#include "cli.h"

#include "core/catalogue.h"
#include "core/errors.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <numbers>
#include <optional>

namespace ov::cli {

namespace {

struct Finding {
    int line = 0;      // 0: the file as a whole
    bool note = false; // worth knowing, not wrong
    std::string text;
};

using Findings = std::vector<Finding>;

std::string quoted(std::string_view s) { return "„" + std::string(s) + "“"; }

std::string trimmed(std::string_view s)
{
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos)
        return {};
    return std::string(s.substr(a, s.find_last_not_of(" \t") - a + 1));
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> f;
    for (std::size_t start = 0;;) {
        const auto bar = line.find('|', start);
        f.push_back(line.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos)
            return f;
        start = bar + 1;
    }
}

std::string topicLabel(int t)
{
    const std::string name =
        t >= kFirstUserTopic ? DefaultUserTopicName(t - kBuiltinTopics) : std::string(DefaultTopicName(t));
    return "tématu " + std::to_string(t) + " (" + name + ")";
}

// A message box's lines as one line of output.
std::string oneLine(const std::string& text)
{
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = trimmed(std::string_view(text).substr(start, end - start));
        if (!part.empty())
            out += (out.empty() ? "" : " ") + part;
        start = end + 2;
    }
    return out;
}

class CollectingSink : public MessageSink {
public:
    std::vector<std::string> texts;
    void showMessage(const std::string& text, const std::string&, MessageIcon) override
    {
        texts.push_back(oneLine(text));
    }
};

// One unit line as the checks see it.
struct UnitLine {
    int line = 0;
    std::string name, symbol, coefficientText, info;
    std::optional<double> coefficient; // nullopt: the expression cannot be evaluated
    bool marked = false;               // a level marker before the name
    bool topicStart = false;
};

using Topics = std::map<int, std::vector<UnitLine>>; // by topic number, in file order

void checkUnits(const Topics& topics, Findings& out)
{
    for (const auto& [t, units] : topics) {
        std::map<std::string, int> names, symbols;
        for (std::size_t i = 0; i < units.size(); ++i) {
            const UnitLine& u = units[i];
            if (const auto [it, fresh] = names.emplace(foldCase(u.name), u.line); !fresh)
                out.push_back({u.line, false,
                               "název " + quoted(u.name) + " se v " + topicLabel(t) + " opakuje, poprvé na řádku " +
                                   std::to_string(it->second)});
            if (!u.symbol.empty())
                if (const auto [it, fresh] = symbols.emplace(u.symbol, u.line); !fresh)
                    out.push_back({u.line, false,
                                   "značka " + quoted(u.symbol) + " se v " + topicLabel(t) +
                                       " opakuje, poprvé na řádku " + std::to_string(it->second)});
            if (u.coefficient && *u.coefficient == 0.0)
                out.push_back(
                    {u.line, false,
                     "koeficient " + quoted(u.coefficientText) + " má hodnotu 0" +
                         (u.coefficientText.find(',') != std::string::npos ? " (použijte desetinnou tečku)" : "")});
            else if (u.coefficient && !std::isfinite(*u.coefficient))
                out.push_back({u.line, false, "koeficient " + quoted(u.coefficientText) + " není konečné číslo"});
            else if (i == 0 && u.coefficient && *u.coefficient != 1.0)
                out.push_back({u.line, false,
                               "vztažná jednotka " + topicLabel(t) + " má koeficient " + quoted(u.coefficientText) +
                                   ", má mít 1"});
            if (trimmed(u.info).empty())
                out.push_back({u.line, true, "jednotka " + quoted(u.name) + " nemá informační text"});
        }
    }
}

// The conversion engine takes the temperature rows and the angle's degree row by position.
void checkFixedRows(const Topics& topics, Findings& out)
{
    static const struct {
        const char* name;
        const char* symbol;
    } temperature[] = {{"kelvin", "K"},
                       {"stupeň Celsia", "°C"},
                       {"stupeň Fahrenheita", "°F"},
                       {"stupeň Rankina", "°R"},
                       {"stupeň Réaumura", "°Ré"}};
    if (const auto it = topics.find(kTemperatureTopic); it != topics.end()) {
        const auto& units = it->second;
        for (std::size_t row = 0; row < std::size(temperature); ++row) {
            const auto& want = temperature[row];
            const std::string wanted = std::string(want.name) + " (" + want.symbol + ")";
            if (row >= units.size()) {
                out.push_back(
                    {units.back().line, false,
                     topicLabel(kTemperatureTopic) + " chybí na " + std::to_string(row + 1) + ". místě " + wanted});
                break;
            }
            const UnitLine& u = units[row];
            if (u.symbol != want.symbol && foldCase(u.name) != foldCase(want.name))
                out.push_back({u.line, false,
                               "v " + topicLabel(kTemperatureTopic) + " má být na " + std::to_string(row + 1) +
                                   ". místě " + wanted + ", ne " + quoted(u.name)});
            else if (u.marked)
                out.push_back({u.line, false,
                               quoted(u.name) + " v " + topicLabel(kTemperatureTopic) +
                                   " nesmí mít značku úrovně, vzorce počítají s pořadím řádků"});
        }
    }
    if (const auto it = topics.find(kAngleTopic); it != topics.end() && it->second.size() >= 2) {
        const UnitLine& u = it->second[1];
        const double degree = std::numbers::pi / 180.0;
        const bool isDegree = u.coefficient && std::abs(*u.coefficient / degree - 1.0) < 1e-9;
        if (!isDegree || u.marked)
            out.push_back({u.line, false,
                           "druhá jednotka " + topicLabel(kAngleTopic) +
                               " má být stupeň s koeficientem PI/180 a bez značky úrovně, ne " + quoted(u.name)});
    }
}

void checkMainFile(const std::string& path, const Options& o, const TextFileContent& content, Findings& out)
{
    // Everything the loader says, at the line it says it.
    UnitDatabase db;
    LoadOptions lo;
    lo.mainPath = path;
    lo.level = Level::All;
    lo.decimalSeparator = o.decimal;
    std::vector<int> lines;
    lo.messageLines = &lines;
    CollectingSink sink;
    LoadMainFile(db, lo, sink);
    std::vector<int> reported;
    for (std::size_t i = 0; i < sink.texts.size(); ++i) {
        out.push_back({lines[i], false, sink.texts[i]});
        reported.push_back(lines[i]);
    }

    Topics topics;
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const auto f = splitFields(content.lines[i]);
        if (!IsNumericInvariant(f[0]) && f[0].starts_with('\''))
            continue;
        if (f.size() < 4 || !IsNumericInvariant(f[0]))
            continue; // the loader has said so
        const int t = static_cast<int>(std::nearbyint(ValInvariant(f[0])));
        if (t < 1 || t > kBuiltinTopics)
            continue;
        UnitLine u;
        u.line = lineNo;
        u.marked = !f[1].empty() && (f[1].front() == '*' || f[1].front() == '+');
        u.name = u.marked ? StripLevelMark(f[1]) : std::string(f[1]);
        u.symbol = f[2];
        u.coefficientText = f[3];
        u.info = f.size() > 4 ? f[4] : std::string_view{};
        u.topicStart = f.size() > 5 && foldCase(trimmed(f[5])) == "true";
        try {
            u.coefficient = EvaluateCoefficient(f[3], o.decimal);
        } catch (const RuntimeError& e) {
            // The loader stops at its first such line; the later ones are told here.
            if (std::find(reported.begin(), reported.end(), lineNo) == reported.end())
                out.push_back({lineNo, false,
                               "koeficient " + quoted(u.coefficientText) + " nelze vyhodnotit: Chyba " +
                                   std::to_string(e.number()) + " " + std::string(e.description())});
        }
        auto& units = topics[t];
        if (units.empty() && !u.topicStart)
            out.push_back({lineNo, false, "první řádek " + topicLabel(t) + " nemá v šestém údaji True"});
        if (u.topicStart && u.marked)
            out.push_back({lineNo, false, "první řádek " + topicLabel(t) + " nesmí mít značku úrovně"});
        units.push_back(std::move(u));
    }
    checkUnits(topics, out);
    checkFixedRows(topics, out);
}

// The user file's loader passes over what it cannot use without a word; here it is told.
void checkUserFile(const TextFileContent& content, Findings& out)
{
    Topics topics;
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const std::string text = trimmed(content.lines[i]);
        if (text.empty() || text.front() == '\'')
            continue;
        const auto f = splitFields(content.lines[i]);
        if (f.size() < 4) {
            out.push_back({lineNo, false, "řádek má méně než čtyři údaje oddělené „|“; program ho přeskočí"});
            continue;
        }
        const double n = std::nearbyint(ValInvariant(f[0]));
        if (!(n >= 1 && n <= kUserTopics)) {
            out.push_back({lineNo, false,
                           "číslo uživatelského tématu " + quoted(f[0]) + " není 1 až 20; program řádek přeskočí"});
            continue;
        }
        const int t = static_cast<int>(n) + kBuiltinTopics;
        auto& units = topics[t];
        if (units.size() >= kMaxUnits) {
            out.push_back({lineNo, false, "v " + topicLabel(t) + " je víc než 150 jednotek; program řádek přeskočí"});
            continue;
        }
        UnitLine u;
        u.line = lineNo;
        u.name = f[1];
        u.symbol = f[2];
        u.coefficientText = f[3];
        u.coefficient = ValInvariant(f[3]);
        u.info = f.size() > 4 ? f[4] : std::string_view{};
        units.push_back(std::move(u));
    }
    checkUnits(topics, out);
}

// A main data file marks the start of each topic with True in the sixth field; a user file has none.
bool looksLikeMainFile(const TextFileContent& content)
{
    return std::any_of(content.lines.begin(), content.lines.end(), [](const std::string& line) {
        const auto f = splitFields(line);
        return f.size() > 5 && !f[0].starts_with('\'') && foldCase(trimmed(f[5])) == "true";
    });
}

// Prints the file's findings; true when one of them is more than a note.
bool checkFile(const std::string& path, std::optional<bool> mainFile, const Options& o)
{
    Findings findings;
    const auto content = readTextFile(path);
    if (!content && mainFile.value_or(true))
        checkMainFile(path, o, TextFileContent{}, findings); // the loader's own "not found"
    else if (!content)
        findings.push_back({0, true, "soubor nelze přečíst; uživatelská témata zůstanou prázdná"});
    else if (mainFile.value_or(looksLikeMainFile(*content)))
        checkMainFile(path, o, *content, findings);
    else
        checkUserFile(*content, findings);

    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    std::string text;
    for (const Finding& f : findings)
        text += path + (f.line > 0 ? ":" + std::to_string(f.line) : std::string()) + ": " +
                (f.note ? "poznámka: " : "") + f.text + "\n";
    std::cout << text;
    return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return !f.note; });
}

} // namespace

int check(const Options& o)
{
    bool found = false;
    if (o.words.size() == 1) {
        const DataPaths paths = dataPaths(o);
        found = checkFile(paths.main, true, o);
        found = checkFile(paths.user, false, o) || found;
    }
    for (std::size_t i = 1; i < o.words.size(); ++i)
        found = checkFile(o.words[i], std::nullopt, o) || found;
    return found ? kExitFailure : kExitOk;
}

} // namespace ov::cli
