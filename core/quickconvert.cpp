#include "quickconvert.h"

#include "catalogue.h"
#include "engine.h"
#include "numtext.h"
#include "textfold.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <tuple>
#include <unordered_map>

namespace ov {

namespace {

// Everything this file reads of the unit database.
struct Units {
    const UnitDatabase& db;
    static constexpr int kLastTopic = kFirstUserTopic + kUserTopics - 1;

    int count(int t) const { return db.unitCount(t); }
    const std::string& name(int t, int u) const { return db.unit(t, u).name; }
    const std::string& symbol(int t, int u) const { return db.unit(t, u).symbol; }
    double factor(int t, int u) const { return db.unit(t, u).factor; }
    // User topics that the window has not named keep their default names.
    std::string topicName(int t) const
    {
        const std::string& n = db.topicName(t);
        return n.empty() && isUserTopic(t) ? DefaultUserTopicName(t - kBuiltinTopics) : n;
    }
};

// A unit found by a word: how closely it matched (0 as written, 1 without diacritics, 2 in
// another case, 3 both; case tells "c" centi from "C" and so "°C") and whether by its name (names come before symbols:
// "stopa" is the foot before it is the symbol of the Viennese foot).
struct Hit {
    int topic = 0;
    int unit = 0;
    int rank = 0;
    bool byName = false;
};

// A conversion to make: from a unit found to a unit of its topic, as closely as the words matched.
struct Pair {
    Hit from;
    int to = 0;
    int rank = 0;
};

using Words = std::vector<std::string_view>;

std::string join(const Words& words, std::size_t from, std::size_t to)
{
    std::string s;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            s.push_back(' ');
        s.append(words[i]);
    }
    return s;
}

Words splitWords(std::string_view text)
{
    Words words;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (i < text.size()) {
        while (i < text.size() && blank(text[i]))
            ++i;
        const std::size_t b = i;
        while (i < text.size() && !blank(text[i]))
            ++i;
        if (i > b)
            words.push_back(text.substr(b, i - b));
    }
    return words;
}

bool isConnector(std::string_view word)
{
    static const std::array<std::string_view, 8> connectors = {"na", "v", "do", "->", "=", "to", "in", "→"};
    const std::string w = foldCase(std::string(word));
    return std::find(connectors.begin(), connectors.end(), w) != connectors.end();
}

// The number at the start of a word, with a decimal comma or point and an exponent, and what
// follows it ("5km" is 5 and "km"). nullopt when the word does not start with a number.
std::optional<std::pair<double, std::string_view>> leadingNumber(std::string_view word)
{
    std::string text;
    std::size_t i = 0;
    if (word.substr(0, 3) == "\xE2\x88\x92") { // the minus sign U+2212
        text.push_back('-');
        i = 3;
    } else if (!word.empty() && (word[0] == '-' || word[0] == '+')) {
        text.push_back(word[i++]);
    }
    const auto digits = [&] {
        const std::size_t b = i;
        while (i < word.size() && word[i] >= '0' && word[i] <= '9')
            text.push_back(word[i++]);
        return i - b;
    };
    std::size_t count = digits();
    if (i < word.size() && (word[i] == ',' || word[i] == '.')) {
        text.push_back('.');
        ++i;
        count += digits();
    }
    if (count == 0)
        return std::nullopt;
    if (i + 1 < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        std::size_t j = i + 1;
        if (word[j] == '+' || word[j] == '-')
            ++j;
        if (j < word.size() && word[j] >= '0' && word[j] <= '9') {
            text.append(word.substr(i, j - i));
            i = j;
            digits();
        }
    }
    const std::optional<double> v = ParseNumber(text, '.');
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return std::pair{*v, word.substr(i)};
}

std::string shortest(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

} // namespace

struct QuickConverter::Index {
    static constexpr int kRanks = 4;
    std::array<std::unordered_map<std::string, std::vector<Hit>>, kRanks> byRank;
    std::size_t maxWords = 1; // of the longest name: more words before a target name nothing

    // The forms of a text by rank; those without diacritics only for a text typed without any.
    static std::array<std::string, kRanks> forms(const std::string& text, bool withoutDiacritics)
    {
        if (!withoutDiacritics)
            return {text, std::string(), foldCase(text), std::string()};
        return {text, looseForm(text, true), foldCase(text), looseForm(text)};
    }

    void add(const std::string& key, Hit hit)
    {
        if (key.empty())
            return;
        std::string words;
        for (const std::string_view w : splitWords(key))
            words += (words.empty() ? "" : " ") + std::string(w);
        maxWords = std::max(maxWords, splitWords(words).size());
        const auto keys = forms(words, true);
        for (int rank = 0; rank < kRanks; ++rank) {
            hit.rank = rank;
            if (!keys[std::size_t(rank)].empty()) // "°" alone has no loose form
                byRank[std::size_t(rank)][keys[std::size_t(rank)]].push_back(hit);
        }
    }

    // The conversions from the sources to the target named by words[i..] (after a connecting
    // word, if any), or to the topic's first units when there is none; the program's own topics
    // first, then the user's, in each only the closest matches. Empty when a target is named
    // that none of the sources' topics has.
    std::vector<Pair> pairs(const std::vector<Hit>& sources, const Words& words, std::size_t i,
                            const Units& units) const
    {
        const auto inSourceTopics = [&](const std::vector<Hit>& hits) {
            return std::any_of(hits.begin(), hits.end(), [&](const Hit& h) {
                return std::any_of(sources.begin(), sources.end(), [&](const Hit& s) { return s.topic == h.topic; });
            });
        };
        std::vector<Hit> targets;
        bool wanted = i < words.size();
        if (wanted) {
            targets = lookup(join(words, i, words.size()));
            if (!inSourceTopics(targets) && isConnector(words[i])) {
                wanted = i + 1 < words.size();
                targets = wanted ? lookup(join(words, i + 1, words.size())) : std::vector<Hit>{};
            }
            if (wanted && !inSourceTopics(targets))
                return {};
        }
        std::vector<Pair> found;
        for (const Hit& s : sources) {
            std::size_t shown = 0;
            for (int u = 1; !wanted && u <= units.count(s.topic) && shown < QuickConverter::kTargetsWithout; ++u)
                if (u != s.unit) {
                    found.push_back({s, u, s.rank});
                    ++shown;
                }
            for (const Hit& g : targets)
                if (g.topic == s.topic)
                    found.push_back({s, g.unit, std::max(s.rank, g.rank)});
        }
        int bestRank[2] = {kRanks, kRanks};
        for (const Pair& p : found)
            bestRank[isUserTopic(p.from.topic)] = std::min(bestRank[isUserTopic(p.from.topic)], p.rank);
        std::erase_if(found, [&](const Pair& p) { return p.rank > bestRank[isUserTopic(p.from.topic)]; });
        std::stable_sort(found.begin(), found.end(), [](const Pair& a, const Pair& b) {
            return std::pair(isUserTopic(a.from.topic), a.rank) < std::pair(isUserTopic(b.from.topic), b.rank);
        });
        return found;
    }

    // The units a text names, in each topic only those of the closest match; by topic.
    std::vector<Hit> lookup(const std::string& text) const
    {
        std::vector<Hit> all;
        // Diacritics that are typed must match; a text typed without any matches either way.
        const auto keys = forms(text, isPlainAscii(text));
        for (int rank = 0; rank < kRanks; ++rank) {
            const auto& map = byRank[std::size_t(rank)];
            const std::string& key = keys[std::size_t(rank)];
            const auto it = key.empty() ? map.end() : map.find(key);
            if (it != map.end())
                all.insert(all.end(), it->second.begin(), it->second.end());
        }
        std::stable_sort(all.begin(), all.end(), [](const Hit& a, const Hit& b) {
            return std::tie(a.topic, a.rank, b.byName) < std::tie(b.topic, b.rank, a.byName);
        });
        std::vector<Hit> best;
        for (const Hit& h : all) {
            const bool worse = !best.empty() && best.back().topic == h.topic && best.back().rank < h.rank;
            const bool again = std::any_of(best.begin(), best.end(),
                                           [&](const Hit& b) { return b.topic == h.topic && b.unit == h.unit; });
            if (!worse && !again)
                best.push_back(h);
        }
        return best;
    }
};

QuickConverter::QuickConverter(const UnitDatabase& db, char decimalSeparator)
    : db_(db), dec_(decimalSeparator), index_(std::make_unique<Index>())
{
    const Units units{db_};
    for (int t = 1; t <= Units::kLastTopic; ++t)
        for (int u = 1; u <= units.count(t); ++u) {
            index_->add(units.symbol(t, u), {t, u, 0, false});
            index_->add(units.name(t, u), {t, u, 0, true});
        }
}

QuickConverter::~QuickConverter() = default;

std::vector<QuickResult> QuickConverter::answer(std::string_view query) const
{
    if (query.size() > kMaxQueryBytes)
        return {};
    const Words typed = splitWords(query);
    if (typed.empty())
        return {};
    const auto number = leadingNumber(typed[0]);
    if (!number)
        return {};
    Words words;
    if (!number->second.empty())
        words.push_back(number->second);
    words.insert(words.end(), typed.begin() + 1, typed.end());
    if (words.empty() || words.size() > 2 * index_->maxWords + 1)
        return {};

    // The longest run of words that names a unit and leaves a target (or nothing) behind.
    for (std::size_t i = std::min(words.size(), index_->maxWords); i >= 1; --i) {
        const std::vector<Hit> sources = index_->lookup(join(words, 0, i));
        if (sources.empty())
            continue;
        std::vector<QuickResult> results;
        for (const Pair& p : index_->pairs(sources, words, i, Units{db_}))
            if (auto r = make(p.from.topic, p.from.unit, p.to, number->first); r && results.size() < kMaxResults)
                results.push_back(std::move(*r));
        if (!results.empty())
            return results;
    }
    return {};
}

std::optional<QuickResult> QuickConverter::make(int topic, int from, int to, double value) const
{
    const Units units{db_};
    std::optional<double> converted;
    if (topic == kTemperatureTopic) {
        // Through kelvin, as the window converts; at or below absolute zero there is nothing.
        const std::optional<double> kelvin = TemperatureToKelvin(from, value);
        if (kelvin && std::isfinite(*kelvin) && *kelvin > 0)
            converted = TemperatureFromKelvin(to, *kelvin);
    } else if (value >= 0 && units.factor(topic, to) != 0) {
        // Other quantities are not negative.
        converted = value * units.factor(topic, from) / units.factor(topic, to);
    }
    if (!converted || !std::isfinite(*converted))
        return std::nullopt;
    const auto label = [&](int u) {
        return units.symbol(topic, u).empty() ? units.name(topic, u) : units.symbol(topic, u);
    };
    QuickResult r;
    r.topic = topic;
    r.fromUnit = from;
    r.toUnit = to;
    r.value = value;
    r.converted = *converted + 0.0;
    r.id = std::to_string(topic) + ":" + std::to_string(from) + ":" + std::to_string(to) + ":" + shortest(value);
    r.copyText = FormatSingle(r.converted, dec_) + " " + label(to);
    r.title = FormatSingle(value, dec_) + " " + label(from) + " = " + r.copyText;
    r.description = units.topicName(topic) + ": " + units.name(topic, from) + " → " + units.name(topic, to);
    r.iconKey = topic <= kBuiltinTopics ? std::string(TopicKey(topic)) : "User";
    r.unitName = units.name(topic, from);
    r.valueText = FormatGeneral(value, dec_);
    return r;
}

std::optional<QuickResult> QuickConverter::result(std::string_view id) const
{
    int numbers[3] = {};
    const char* p = id.data();
    const char* end = id.data() + id.size();
    for (int& n : numbers) {
        const auto r = std::from_chars(p, end, n);
        if (r.ec != std::errc() || r.ptr == end || *r.ptr != ':')
            return std::nullopt;
        p = r.ptr + 1;
    }
    double value = 0;
    const auto r = std::from_chars(p, end, value);
    const auto [topic, from, to] = numbers;
    const Units units{db_};
    if (r.ec != std::errc() || r.ptr != end || topic < 1 || topic > Units::kLastTopic || from < 1 || to < 1 ||
        from > units.count(topic) || to > units.count(topic))
        return std::nullopt;
    return make(topic, from, to, value);
}

} // namespace ov
