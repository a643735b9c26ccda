// The unit database: fixed tables indexed by topic (0..50) and unit (0..150), index 0 unused.
// The loader is its only writer; everything else reads it.
#pragma once
#include "catalogue.h"
#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace ov {

struct UnitDatabase {
    template <class T> using Table = std::array<std::array<T, kMaxUnits + 1>, kMaxTopic + 1>;

    std::array<std::string, 52> NazvyTemat{};   // display names, 0 = start screen
    Table<std::string> JednNazev{};              // unit name, level marker removed
    Table<std::string> JednZnacka{};             // symbol
    Table<double> JednKoef{};                    // size of one unit in the topic's reference unit
    Table<std::string> JednInfo{};               // information text, may be empty
    std::array<std::int16_t, kMaxTopic + 1> PocetJednotek{};
    std::array<bool, kUserTopics + 1> UserTemaPouzito{};
    int storeCounter = 0;                        // unit index counter of the main file; survives reloads

    UnitDatabase();                              // NazvyTemat filled from the catalogue
    int unitCount(int topic) const { return topic >= 0 && topic <= kMaxTopic ? PocetJednotek[topic] : 0; }
    // The one way a display name changes after construction (the navigator's names, renaming);
    // a topic outside 1..kMaxTopic is ignored.
    void setTopicName(int topic, std::string name)
    {
        if (topic >= 1 && topic <= kMaxTopic)
            NazvyTemat[static_cast<std::size_t>(topic)] = std::move(name);
    }
};

} // namespace ov
