#include "history.h"

#include "catalogue.h"
#include "encoding.h"
#include "loader.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ov {
namespace {

constexpr char kSeparator = '\t';
constexpr std::size_t kFields = 6;
// A line longer than any entry the program writes is no entry.
constexpr std::size_t kLongestLine = 4096;

std::string field(std::string_view text)
{
    std::string f(text);
    std::replace_if(
        f.begin(), f.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return f;
}

bool digits(std::string_view text, std::size_t from, std::size_t count, int low, int high)
{
    int v = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        v = v * 10 + (text[i] - '0');
    }
    return v >= low && v <= high;
}

// "YYYY-MM-DDTHH:MM:SS", as the program writes it.
bool validTime(std::string_view t)
{
    return t.size() == 19 && t[4] == '-' && t[7] == '-' && t[10] == 'T' && t[13] == ':' && t[16] == ':' &&
           digits(t, 0, 4, 1, 9999) && digits(t, 5, 2, 1, 12) && digits(t, 8, 2, 1, 31) && digits(t, 11, 2, 0, 23) &&
           digits(t, 14, 2, 0, 59) && digits(t, 17, 2, 0, 60);
}

std::optional<int> topicNumber(std::string_view text)
{
    if (text.empty() || text.size() > 2 || !digits(text, 0, text.size(), 1, kBuiltinTopics + kUserTopics))
        return std::nullopt;
    int v = 0;
    for (char c : text)
        v = v * 10 + (c - '0');
    return v;
}

bool sameConversion(const HistoryEntry& a, const HistoryEntry& b)
{
    return a.topic == b.topic && a.unitName == b.unitName && a.value == b.value;
}

} // namespace

void History::add(HistoryEntry entry)
{
    if (!entries_.empty() && sameConversion(entries_.front(), entry)) {
        entries_.front() = std::move(entry);
        return;
    }
    entries_.insert(entries_.begin(), std::move(entry));
    if (entries_.size() > kHistoryLimit)
        entries_.resize(kHistoryLimit);
}

void History::appendOlder(const std::vector<HistoryEntry>& older)
{
    for (const HistoryEntry& e : older) {
        if (entries_.size() >= kHistoryLimit)
            break;
        entries_.push_back(e);
    }
}

std::string WriteHistory(const std::vector<HistoryEntry>& entries)
{
    std::string out;
    const std::size_t n = std::min(entries.size(), kHistoryLimit);
    for (std::size_t i = 0; i < n; ++i) {
        const HistoryEntry& e = entries[i];
        const std::string fields[] = {field(e.time),     std::to_string(e.topic), field(e.topicName),
                                      field(e.unitName), field(e.value),          field(e.text)};
        for (std::size_t f = 0; f < kFields; ++f) {
            if (f > 0)
                out += kSeparator;
            out += fields[f];
        }
        out += "\r\n";
    }
    return out;
}

std::optional<HistoryEntry> ParseHistoryLine(std::string_view line)
{
    if (line.size() > kLongestLine || !isValidUtf8(line))
        return std::nullopt;
    std::array<std::string_view, kFields> f;
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(kSeparator, start);
        if (count == kFields)
            return std::nullopt; // more fields than an entry has
        f[count++] = line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (count != kFields || !validTime(f[0]))
        return std::nullopt;
    const std::optional<int> topic = topicNumber(f[1]);
    if (!topic || f[2].empty() || f[3].empty() || f[5].empty())
        return std::nullopt;
    if (!IsNumericInvariant(f[4]) || !std::isfinite(ValInvariant(f[4])))
        return std::nullopt;
    return HistoryEntry{std::string(f[0]), *topic,           std::string(f[2]), std::string(f[3]),
                        std::string(f[4]), std::string(f[5])};
}

std::vector<HistoryEntry> ReadHistory(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<HistoryEntry> entries;
    while (!text.empty() && entries.size() < kHistoryLimit) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (std::optional<HistoryEntry> e = ParseHistoryLine(line))
            entries.push_back(std::move(*e));
    }
    return entries;
}

} // namespace ov
