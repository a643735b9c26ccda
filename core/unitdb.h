// The unit database: the topics 0..50 (0 is the start screen), each with its display name and
// its units 1..150. The loader is its only writer apart from hiding unmarked rows; everything
// else reads it.
#pragma once
#include "catalogue.h"
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace ov {

struct Unit {
    std::string name; // as the table's first column shows it, level marker removed
    std::string symbol;
    double factor = 0.0; // size of one unit in the topic's reference unit
    std::string info;    // information text, may be empty
};

class UnitDatabase {
public:
    UnitDatabase(); // topic names from the catalogue

    // Units 1..unitCount(t) make up topic t; a topic outside 0..50 has none.
    int unitCount(int topic) const { return validTopic(topic) ? topics_[std::size_t(topic)].count : 0; }
    // Unit u (1..150) of topic t. Slots behind the count keep what an earlier load or hiding
    // left there; a slot never written, or one outside the ranges, reads as an empty unit.
    const Unit& unit(int topic, int u) const
    {
        if (!validTopic(topic) || u < 1)
            return kNoUnit;
        const auto& units = topics_[std::size_t(topic)].units;
        return std::size_t(u) <= units.size() ? units[std::size_t(u) - 1] : kNoUnit;
    }
    // The topic's display name; index 0 is the start-screen title, an unnamed topic is empty.
    const std::string& topicName(int topic) const
    {
        return validTopic(topic) ? topics_[std::size_t(topic)].name : kNoUnit.name;
    }
    // The one way a display name changes after construction (the navigator's names, renaming);
    // a topic outside 1..50 is ignored.
    void setTopicName(int topic, std::string name)
    {
        if (topic >= 1 && validTopic(topic))
            topics_[std::size_t(topic)].name = std::move(name);
    }
    // User topic n (1..20) occurs in the user data file. Set by loading, never cleared.
    bool userTopicUsed(int n) const { return n >= 1 && n <= kUserTopics && userTopicUsed_[std::size_t(n)]; }

    // For the writers (the loader, hiding unmarked rows, tests that build a topic by hand).
    // Unit u (1..150) of topic t (0..50) for writing; the topic grows to hold it.
    Unit& unitSlot(int topic, int u);
    void setUnitCount(int topic, int count);
    // Room for that many units of the topic (at most 150), so that loading it grows it once.
    void reserveUnits(int topic, int count);
    void markUserTopicUsed(int n);
    // Every unit name empty and every count 0, as a new read of the main data file starts;
    // symbols, factors and information texts stay where they are.
    void clearNamesAndCounts();

    int storeCounter = 0; // unit index counter of the main file; survives reloads

private:
    struct Topic {
        std::string name;
        std::vector<Unit> units; // units[i] is unit i + 1
        int count = 0;
    };
    static bool validTopic(int topic) { return topic >= 0 && topic <= kMaxTopic; }
    static const Unit kNoUnit;

    std::vector<Topic> topics_;
    std::array<bool, kUserTopics + 1> userTopicUsed_{};
};

} // namespace ov
