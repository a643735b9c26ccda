// The history of conversions: the last ones of this run and, when the user keeps it, of earlier
// runs, newest first and at most kHistoryLimit. Each entry keeps what it takes to open its
// topic with the value entered again, and its line as the history window shows it. The text
// form is the history file: one entry a line, so a damaged line costs that entry alone.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

inline constexpr std::size_t kHistoryLimit = 200;

struct HistoryEntry {
    std::string time;      // local time of the conversion, "2026-12-08T19:34:55"
    int topic = 0;         // 1..26, or 26 + n for user topic n
    std::string topicName; // as the title showed it
    std::string unitName;  // the unit the value was entered against
    std::string value;     // the value entered, "." as the decimal point: "0.005"
    std::string text;      // the conversion as shown: "5 km → 5000 m"

    bool operator==(const HistoryEntry&) const = default;
};

class History {
public:
    // A conversion goes on top. The same value in the same unit as the newest entry only
    // renews that entry's time and text: entering a value twice, or reopening the newest
    // entry, leaves one entry. The oldest entry beyond the limit goes.
    void add(HistoryEntry entry);
    // Entries of an earlier run, newest first: they go below this run's, within the limit.
    void appendOlder(const std::vector<HistoryEntry>& older);
    void clear() { entries_.clear(); }
    const std::vector<HistoryEntry>& entries() const { return entries_; }

private:
    std::vector<HistoryEntry> entries_; // newest first
};

// The history file: the entries newest first, one a line of six fields separated by tabs
// (time, topic, topic name, unit name, value, text), each line ended by CR LF. A tab, CR or LF
// inside a field is written as a space.
std::string WriteHistory(const std::vector<HistoryEntry>& entries);
// Reads a history file tolerantly: a line that is damaged (another number of fields, a time,
// topic or value that cannot be read, an empty name or text, bytes that are not UTF-8) is
// passed over and the rest is read; the first kHistoryLimit good lines are kept. A UTF-8 byte
// order mark and lines ended by a bare LF are accepted.
std::vector<HistoryEntry> ReadHistory(std::string_view text);
// One line of the file, without its end; nullopt for a damaged line.
std::optional<HistoryEntry> ParseHistoryLine(std::string_view line);

} // namespace ov
