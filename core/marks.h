// Row marks of every topic: which units the user marked with Insert, how many, and whether a
// topic has been reduced to its marked units. The marks live in memory; every reload of the
// data files clears them, and where the user keeps them they are marked again by unit name
// (MarkByName), in the new data and at the next start. Hiding rewrites the topic in the unit
// database from the kept units, so it is, next to the loader, the second writer of the database.
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
    PerTopic<std::int16_t> HiddenUnits{}; // -1 once units of the topic were hidden

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
    double factor = 1;
};

// The marked units in their order. Each coefficient is divided by the first kept one, so that
// the first kept unit becomes the topic's reference unit; a first coefficient of 0 or one that
// is not finite leaves the coefficients as they are (the table converts by their ratios, so
// the values stay right). No marked unit gives no unit.
// marked[i] belongs to units[i]; any non-zero value marks the unit.
std::vector<TopicUnit> KeepMarked(std::span<const TopicUnit> units, std::span<const std::int16_t> marked);

// Marks by unit name, so that a mark finds its unit again after the data files were read anew
// (edited, reordered, another level): the names of the marked units of a topic in their order,
// and marking the units so named. A name the topic no longer has is passed over; a name the
// topic holds twice marks the first unit of that name not marked yet, so two marked namesakes
// come back as two.
std::vector<std::string> MarkedNames(const UnitDatabase& db, const MarkState& marks, int topic);
// Returns how many units it marked.
int MarkByName(const UnitDatabase& db, MarkState& marks, int topic, std::span<const std::string> names);
// The same for every topic at once (around a reload).
using TopicMarkNames = std::array<std::vector<std::string>, kMaxTopic + 1>;
TopicMarkNames AllMarkedNames(const UnitDatabase& db, const MarkState& marks);
void MarkAllByName(const UnitDatabase& db, MarkState& marks, const TopicMarkNames& names);

// Reduces topic t of the database to its marked units (KeepMarked) and records it as hidden;
// the topic's marks are cleared. Slots behind the new count keep their old contents but are
// no longer part of the topic. Returns the number of units kept.
int HideUnmarked(UnitDatabase& db, MarkState& marks, int topic);

} // namespace ov
