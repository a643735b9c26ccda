#include "marks.h"

#include <algorithm>
#include <cmath>

namespace ov {
namespace {
bool validTopic(int t) { return t >= 0 && t <= kMaxTopic; }
bool validUnit(int u) { return u >= 0 && u <= kMaxUnits; }
} // namespace

bool MarkState::marked(int t, int u) const
{
    return validTopic(t) && validUnit(u) && Marked[std::size_t(t)][std::size_t(u)] != 0;
}

int MarkState::markCount(int t) const { return validTopic(t) ? MarkCount[std::size_t(t)] : 0; }

bool MarkState::hidden(int t) const { return validTopic(t) && HiddenUnits[std::size_t(t)] != 0; }

bool MarkState::toggle(int t, int u)
{
    if (!validTopic(t) || !validUnit(u))
        return false;
    std::int16_t& mark = Marked[std::size_t(t)][std::size_t(u)];
    std::int16_t& count = MarkCount[std::size_t(t)];
    if (mark != 0) {
        mark = 0;
        --count;
        return false;
    }
    mark = -1;
    ++count;
    return true;
}

void MarkState::markOutside(int t, int unitCount, int first, int last)
{
    if (!validTopic(t))
        return;
    for (int u = 1; u <= unitCount && u <= kMaxUnits; ++u)
        Marked[std::size_t(t)][std::size_t(u)] = u >= first && u <= last ? 0 : -1;
}

void MarkState::clear()
{
    Marked = {};
    MarkCount = {};
    HiddenUnits = {};
}

std::vector<TopicUnit> KeepMarked(std::span<const TopicUnit> units, std::span<const std::int16_t> marked)
{
    std::vector<TopicUnit> kept;
    for (std::size_t i = 0; i < units.size() && i < marked.size(); ++i)
        if (marked[i] != 0)
            kept.push_back(units[i]);
    if (kept.empty())
        return kept;
    const double first = kept.front().factor;
    if (first != 0 && std::isfinite(first))
        for (TopicUnit& unit : kept)
            unit.factor /= first;
    return kept;
}

std::vector<std::string> MarkedNames(const UnitDatabase& db, const MarkState& marks, int t)
{
    std::vector<std::string> names;
    if (!validTopic(t))
        return names;
    const int n = std::min(db.unitCount(t), kMaxUnits);
    for (int u = 1; u <= n; ++u)
        if (marks.marked(t, u))
            names.push_back(db.unit(t, u).name);
    return names;
}

int MarkByName(const UnitDatabase& db, MarkState& marks, int t, std::span<const std::string> names)
{
    if (!validTopic(t))
        return 0;
    const int n = std::min(db.unitCount(t), kMaxUnits);
    int marked = 0;
    for (const std::string& name : names) {
        for (int u = 1; u <= n; ++u) {
            if (!marks.marked(t, u) && db.unit(t, u).name == name) {
                marks.toggle(t, u);
                ++marked;
                break;
            }
        }
    }
    return marked;
}

TopicMarkNames AllMarkedNames(const UnitDatabase& db, const MarkState& marks)
{
    TopicMarkNames all;
    for (int t = 1; t <= kMaxTopic; ++t)
        all[std::size_t(t)] = MarkedNames(db, marks, t);
    return all;
}

void MarkAllByName(const UnitDatabase& db, MarkState& marks, const TopicMarkNames& names)
{
    for (int t = 1; t <= kMaxTopic; ++t)
        MarkByName(db, marks, t, names[std::size_t(t)]);
}

int HideUnmarked(UnitDatabase& db, MarkState& marks, int t)
{
    if (t < 1 || t > kMaxTopic)
        return 0;
    const std::size_t topic = std::size_t(t);
    const int n = std::min(db.unitCount(t), kMaxUnits);
    std::vector<TopicUnit> units;
    for (int u = 1; u <= n; ++u) {
        const Unit& unit = db.unit(t, u);
        units.push_back({unit.name, unit.symbol, unit.info, unit.factor});
    }
    const std::vector<TopicUnit> kept =
        KeepMarked(units, std::span<const std::int16_t>(marks.Marked[topic]).subspan(1, units.size()));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        Unit& unit = db.unitSlot(t, int(i) + 1);
        unit.name = kept[i].name;
        unit.symbol = kept[i].symbol;
        unit.info = kept[i].info;
        unit.factor = kept[i].factor;
    }
    db.setUnitCount(t, int(kept.size()));
    marks.Marked[topic] = {};
    marks.MarkCount[topic] = 0;
    marks.HiddenUnits[topic] = -1;
    return int(kept.size());
}

} // namespace ov
