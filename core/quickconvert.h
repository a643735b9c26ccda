// Conversions typed as one line, the way the desktop's search field takes them: "5 km m",
// "5 km na mi", "100 °C na °F", "3,5 in cm", "1 funt g". A number (decimal comma or point,
// exponent allowed), a unit by symbol or name, optionally a connecting word and a target unit.
// Anything else gives no result, never an error.
#pragma once
#include "unitdb.h"
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

struct QuickResult {
    int topic = 0;
    int fromUnit = 0;
    int toUnit = 0;
    double value = 0;        // as typed, in fromUnit
    double converted = 0;    // in toUnit
    std::string id;          // "topic:from:to:value", read back by QuickConverter::result
    std::string title;       // "5 km = 5000 m"
    std::string description; // "Délka: kilometr → metr"
    std::string copyText;    // "5000 m"
    std::string iconKey;     // the topic's picture: "Delka" .. "Nasobky", "User" for user topics
    std::string unitName;    // the name of fromUnit, as the window takes it on its command line
    std::string valueText;   // the value as typed, in the locale's notation
};

// The answers to queries over one loaded unit database, which must outlive it. Building it
// indexes every unit name and symbol once, so that a query is a few look-ups.
class QuickConverter {
public:
    QuickConverter(const UnitDatabase& db, char decimalSeparator);
    ~QuickConverter();
    QuickConverter(const QuickConverter&) = delete;
    QuickConverter& operator=(const QuickConverter&) = delete;

    // At most kMaxResults results, best first; none for a query that is not a conversion.
    std::vector<QuickResult> answer(std::string_view query) const;
    // The result an id names, computed again; nullopt for an id that names none.
    std::optional<QuickResult> result(std::string_view id) const;

    static constexpr std::size_t kMaxResults = 10;
    static constexpr std::size_t kMaxQueryBytes = 200; // longer texts are no queries
    static constexpr std::size_t kTargetsWithout = 5;  // units shown without a target unit

private:
    struct Index;
    std::optional<QuickResult> make(int topic, int from, int to, double value) const;

    const UnitDatabase& db_;
    char dec_;
    std::unique_ptr<Index> index_;
};

} // namespace ov
