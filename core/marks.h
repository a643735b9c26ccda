// Row marks of every topic: which units the user marked with Insert, how many, and whether a
// topic has been reduced to its marked units. The marks live in memory only; every reload of
// the data files clears them. Hiding rewrites the topic in the unit database from the kept
// units, so it is, next to the loader, the second writer of the database.
#pragma once
#include "unitdb.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ov {

class MarkState {
public:
    // Any non-zero value counts as marked; the program itself writes -1.
    template <class T> using PerTopic = std::array<T, kMaxTopic + 1>;
    PerTopic<std::array<std::int16_t, kMaxUnits + 1>> Marked{};
    PerTopic<std::int16_t> MarkCount{};
    PerTopic<std::int16_t> HiddenUnits{};   // -1 once units of the topic were hidden

    bool marked(int topic, int unit) const;
    int markCount(int topic) const;
    bool hidden(int topic) const;
    // Flips the mark of a unit and returns whether it is marked now (false out of range).
    bool toggle(int topic, int unit);
    // Before hiding the selected block: units first..last unmarked, every other unit of the
    // topic marked. The count is left as it was; the hiding that follows resets it.
    void markOutside(int topic, int unitCount, int first, int last);
    // Every topic: no marks, nothing hidden.
    void clear();
};

struct TopicUnit {
    std::string name;
    std::string symbol;
    std::string info;
    double koef = 1;
};

// The marked units in their order. Each coefficient is divided by the first kept one, so that
// the first kept unit becomes the topic's reference unit; a first coefficient of 0 or one that
// is not finite leaves the coefficients as they are (the table converts by their ratios, so
// the values stay right). No marked unit gives no unit.
// marked[i] belongs to units[i]; any non-zero value marks the unit.
std::vector<TopicUnit> KeepMarked(std::span<const TopicUnit> units, std::span<const std::int16_t> marked);

// Reduces topic t of the database to its marked units (KeepMarked) and records it as hidden;
// the topic's marks are cleared. Slots behind the new count keep their old contents but are
// no longer part of the topic. Returns the number of units kept.
int HideUnmarked(UnitDatabase& db, MarkState& marks, int topic);

} // namespace ov
