#include "loader.h"

#include "bytescan.h"
#include "errors.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <span>

namespace ov {

namespace {

constexpr int kMaxLines = 32767; // the line counter is 16-bit
constexpr std::size_t kMainFields = 6;
constexpr std::size_t kUserFields = 5;
constexpr std::string_view kFalse = "False";

// Splits at every '|'; stores at most out.size() fields and returns how many there are.
std::size_t splitFields(std::string_view line, std::span<std::string_view> out)
{
    std::size_t count = 0;
    std::size_t start = 0;
    detail::forEachByte(line, '|', '|', [&](std::size_t bar) {
        if (count < out.size())
            out[count] = line.substr(start, bar - start);
        ++count;
        start = bar + 1;
    });
    if (count < out.size())
        out[count] = line.substr(start);
    return count + 1;
}

bool blankOnly(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The topic-start flag: "True" or "False" in any case, or a number (non-zero is true).
bool toBoolean(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        throw RuntimeError(ErrorNumber::TypeMismatch);
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (equalsNoCase(text, "True"))
        return true;
    if (equalsNoCase(text, kFalse))
        return false;
    if (IsNumericInvariant(text))
        return ValInvariant(text) != 0.0;
    throw RuntimeError(ErrorNumber::TypeMismatch);
}

// A number read the way the language converts it to a whole number (halves to even);
// nullopt when it does not fit 0..255.
std::optional<int> toByte(double v)
{
    const double r = std::nearbyint(v);
    if (!(r >= 0.0 && r <= 255.0))
        return std::nullopt;
    return static_cast<int>(r);
}

bool isBuiltin(int topic) { return topic >= 1 && topic <= kBuiltinTopics; }

// The first field as nearly every line has it, one to three digits, read without the general
// number reader; it is numeric and fits a byte or not as that reader would say.
std::optional<int> plainTopicNumber(std::string_view f)
{
    if (f.empty() || f.size() > 3)
        return std::nullopt;
    int v = 0;
    for (const char c : f) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// The unit index of the next record: the running counter, reset by a topic start.
int nextUnitIndex(UnitDatabase& db, int topic, bool topicStart)
{
    if (topicStart)
        db.storeCounter = 0;
    ++db.storeCounter;
    if (topic < 0 || topic > kMaxTopic)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    if (db.storeCounter > kMaxUnits)
        throw TopicFullError(topic);
    return db.storeCounter;
}

// Room in each topic for as many units as lines start with its number (at most `last`, and
// only `only` when that is 0..50), so that a topic grows once while it is read.
void reserveByLines(UnitDatabase& db, const TextLines& content, int offset, int last, int only)
{
    std::array<int, kMaxTopic + 1> lines{};
    for (const std::string_view line : content.lines)
        if (const auto n = plainTopicNumber(line.substr(0, line.find('|'))); n && *n >= 1 && *n <= last)
            ++lines[std::size_t(*n + offset)];
    for (int t = 1; t <= kMaxTopic; ++t)
        if (lines[std::size_t(t)] > 0 && (only < 0 || t == only))
            db.reserveUnits(t, lines[std::size_t(t)]);
}

void storeUnit(UnitDatabase& db, int topic, std::string_view name, std::string_view symbol, double coefficient,
               std::string_view info, bool topicStart)
{
    Unit& unit = db.unitSlot(topic, nextUnitIndex(db, topic, topicStart));
    unit.name.assign(name);
    unit.symbol.assign(symbol);
    unit.factor = coefficient;
    unit.info.assign(info);
}

// Reading the main data file. Every message names the file as the user knows it.
class MainFileReader {
public:
    MainFileReader(UnitDatabase& db, const LoadOptions& opt, MessageSink& sink)
        : db_(db), opt_(opt), sink_(sink), fileName_(ShownFileName(opt))
    {
    }

    bool run(TextEncoding* encoding)
    {
        clear();
        std::error_code ec;
        if (!std::filesystem::exists(opt_.mainPath, ec))
            return fatal(fileNotFoundText());
        TextLines content;
        if (!readTextLines(opt_.mainPath, content))
            return fatal(otherFatalText(RuntimeError(ErrorNumber::PathFileAccess)));
        if (encoding)
            *encoding = content.encoding;
        return readLines(content);
    }

    bool runText(std::string_view bytes)
    {
        clear();
        TextLines content;
        decodeTextLines(std::string(bytes), content);
        return readLines(content);
    }

private:
    void clear() { db_.clearNamesAndCounts(); }

    bool readLines(const TextLines& content)
    {
        reserveByLines(db_, content, 0, kBuiltinTopics, opt_.onlyTopic);
        try {
            for (const auto& line : content.lines) {
                if (++lineNo_ > kMaxLines)
                    throw RuntimeError(ErrorNumber::Overflow);
                readLine(line);
            }
        } catch (const RuntimeError& e) {
            return fatal(e.number() == static_cast<int>(ErrorNumber::TypeMismatch) ? dataTypeText()
                                                                                   : otherFatalText(e));
        }

        for (int t = 1; t <= kBuiltinTopics; ++t) {
            int n = 0;
            while (n < kMaxUnits && !db_.unit(t, n + 1).name.empty())
                ++n;
            db_.setUnitCount(t, n);
        }
        return true;
    }

    void readLine(std::string_view line)
    {
        std::array<std::string_view, kMainFields> f{};
        const std::size_t count = splitFields(line, f);
        if (count > kMainFields)
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
        if (count < 5)
            f[4] = {};
        if (count < 6)
            f[5] = kFalse;

        const std::optional<int> plain = plainTopicNumber(f[0]);
        const bool numeric = plain || IsNumericInvariant(f[0]);
        if (!numeric && f[0].starts_with('\''))
            return;
        const std::optional<int> topicByte = toByte(plain ? double(*plain) : ValInvariant(f[0]));
        // Short lines, topic numbers of no built-in topic and unreadable ones are all shown;
        // the line still takes its unit index, so the rest of its topic stays where it was.
        if (count < 4 && !blankOnly(line))
            warnBadData(line);
        else if (!numeric)
            warnBadData(f[0]);
        else if (topicByte && !isBuiltin(*topicByte))
            warnBadData(f[0]);

        if (f[3].find(',') != std::string_view::npos)
            warnBadData(std::string(f[3]) + "\r\nTip: Použijte desetinnou tečku.");
        const double coefficient = EvaluateCoefficient(f[3], opt_.decimalSeparator);

        std::string_view name = f[1];
        const char marker = name.empty() ? '\0' : name.front();
        if (marker == '*' || marker == '+') {
            const bool keep = opt_.level == Level::All || (opt_.level == Level::Level2 && marker == '+') ||
                              (opt_.level == Level::Level3 && marker == '*');
            if (!keep)
                return;
            name.remove_prefix(1);
        }

        if (!topicByte)
            throw RuntimeError(ErrorNumber::Overflow);
        const int topic = isBuiltin(*topicByte) ? *topicByte : 0;
        const bool topicStart = toBoolean(f[5]);
        try {
            if (opt_.onlyTopic < 0 || topic == opt_.onlyTopic)
                storeUnit(db_, topic, name, f[2], coefficient, f[4], topicStart);
            else
                nextUnitIndex(db_, topic, topicStart);
        } catch (const TopicFullError& e) {
            show(topicFullText(e.topic()), std::string(kAppTitle), MessageIcon::Critical);
        } catch (const RuntimeError& e) {
            show(storeFailureText(e), std::string(kAppTitle), MessageIcon::Critical);
        }
    }

    void show(const std::string& text, const std::string& title, MessageIcon icon)
    {
        if (opt_.messageLines)
            opt_.messageLines->push_back(lineNo_);
        sink_.showMessage(text, title, icon);
    }

    void warnBadData(std::string_view value)
    {
        show(MessageLines({"Načtena nekorektní data", std::nullopt,
                           "Při načítání dat byl na řádku " + std::to_string(lineNo_) + " načten špatný datový typ.",
                           "Proveďte opravu v souboru " + fileName_ + ".", std::nullopt, "Načtená hodnota: "}) +
                 std::string(value),
             std::string(kAppTitle), MessageIcon::Exclamation);
    }

    std::string topicFullText(int topic) const
    {
        return MessageLines({"V tématu " + std::to_string(topic) + " " + db_.topicName(topic) + " je příliš mnoho vět!",
                             std::nullopt, "Další řádky v tématu nebudou načteny.",
                             "Smažte nepotřebné řádky ze souboru " + fileName_ + "."});
    }

    static std::string storeFailureText(const RuntimeError& e)
    {
        return MessageLines({"Při načítání dat se vyskytla chyba.",
                             "Chyba " + std::to_string(e.number()) + " " + std::string(e.description()), std::nullopt,
                             "Obraťte se na autora programu."});
    }

    std::string dataTypeText() const
    {
        return MessageLines({"Špatný datový typ. Chyba číslo 13", std::nullopt, "Opravte soubor " + fileName_ + "!"});
    }

    std::string fileNotFoundText() const
    {
        const RuntimeError e(ErrorNumber::FileNotFound);
        return MessageLines({"Soubor " + fileName_ + " nebyl nalezen.", std::nullopt,
                             "Chyba " + std::to_string(e.number()) + " " + std::string(e.description()) + ".",
                             std::nullopt,
                             "V okně Možnosti (nabídka Nástroje>Možnosti) vyberte cestu k datovému souboru.",
                             "Standardně Omnivel.omv pro hlavní datový soubor a User.omv pro uživatelské jednotky.",
                             "Aplikaci poté restartujte."});
    }

    static std::string otherFatalText(const RuntimeError& e)
    {
        return MessageLines({"Při načítání dat se vyskytla chyba " + std::to_string(e.number()) + " " +
                                 std::string(e.description()) + ".",
                             std::nullopt, "Kontaktujte autora programu."});
    }

    // Ends the load: what was stored stays, the built-in topics keep a count of 0.
    bool fatal(const std::string& text)
    {
        show(text, std::string(kAppTitle) + " [Sub Texty]", MessageIcon::Critical);
        return false;
    }

    UnitDatabase& db_;
    const LoadOptions& opt_;
    MessageSink& sink_;
    std::string fileName_;
    int lineNo_ = 0;
};

} // namespace

void StoreUnit(UnitDatabase& db, int topic, const std::string& name, const std::string& symbol, double coefficient,
               const std::string& info, bool topicStart)
{
    storeUnit(db, topic, name, symbol, coefficient, info, topicStart);
}

bool LoadMainFile(UnitDatabase& db, const LoadOptions& opt, MessageSink& sink, TextEncoding* encoding)
{
    return MainFileReader(db, opt, sink).run(encoding);
}

namespace {

// LoadMainFile clears these too; each read of the user file does it as well, so that a second run
// does not double the units and a file that cannot be read leaves none.
void clearUserTopics(UnitDatabase& db)
{
    for (int t = kFirstUserTopic; t < kFirstUserTopic + kUserTopics; ++t)
        db.setUnitCount(t, 0);
}

// Lines that cannot be used (too few fields, no user topic 1..20, a full topic, a number
// beyond range) are passed over; everything else loads.
void readUserLines(UnitDatabase& db, const TextLines& content)
{
    clearUserTopics(db);
    reserveByLines(db, content, kBuiltinTopics, kUserTopics, -1);
    for (const std::string_view text : content.lines) {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos || text[first] == '\'')
            continue;
        std::array<std::string_view, kUserFields> f{};
        const std::size_t count = splitFields(text, f);
        if (count < 4)
            continue;
        const std::optional<int> n = toByte(ValInvariant(f[0]));
        if (!n || *n < 1 || *n > kUserTopics)
            continue;
        const double coefficient = ValInvariant(f[3]);
        if (!std::isfinite(coefficient))
            continue;
        const int t = *n + kBuiltinTopics;
        const int u = db.unitCount(t) + 1;
        if (u > kMaxUnits)
            continue;
        db.markUserTopicUsed(*n);
        db.setUnitCount(t, u);
        Unit& unit = db.unitSlot(t, u);
        unit.name.assign(f[1]);
        unit.symbol.assign(f[2]);
        unit.factor = coefficient;
        unit.info.assign(count >= 5 ? f[4] : std::string_view{});
    }
}

} // namespace

bool LoadUserFile(UnitDatabase& db, const LoadOptions& opt, TextEncoding* encoding)
{
    TextLines content;
    if (!readTextLines(opt.userPath, content)) {
        clearUserTopics(db);
        return false;
    }
    if (encoding)
        *encoding = content.encoding;
    readUserLines(db, content);
    return true;
}

bool LoadMainText(UnitDatabase& db, const LoadOptions& opt, std::string_view bytes, MessageSink& sink)
{
    return MainFileReader(db, opt, sink).runText(bytes);
}

void LoadUserText(UnitDatabase& db, std::string_view bytes)
{
    TextLines content;
    decodeTextLines(std::string(bytes), content);
    readUserLines(db, content);
}

std::string ShownFileName(const LoadOptions& opt)
{
    return opt.mainFileName.empty() ? std::filesystem::path(opt.mainPath).filename().string() : opt.mainFileName;
}

LoadResult LoadDataFiles(UnitDatabase& db, const LoadOptions& opt, MessageSink& sink)
{
    LoadResult r;
    r.mainLoaded = LoadMainFile(db, opt, sink, &r.mainEncoding);
    r.userLoaded = LoadUserFile(db, opt, &r.userEncoding);
    return r;
}

} // namespace ov
