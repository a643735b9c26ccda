#include "unitdb.h"

#include <algorithm>

namespace ov {

const Unit UnitDatabase::kNoUnit{};

UnitDatabase::UnitDatabase() : topics_(kMaxTopic + 1)
{
    for (int t = 0; t <= kBuiltinTopics; ++t)
        topics_[std::size_t(t)].name = std::string(DefaultTopicName(t));
}

Unit& UnitDatabase::unitSlot(int topic, int u)
{
    auto& units = topics_.at(std::size_t(topic)).units;
    const auto slot = std::size_t(std::clamp(u, 1, kMaxUnits));
    if (units.size() < slot)
        units.resize(slot);
    return units[slot - 1];
}

void UnitDatabase::setUnitCount(int topic, int count)
{
    if (validTopic(topic))
        topics_[std::size_t(topic)].count = std::clamp(count, 0, kMaxUnits);
}

void UnitDatabase::reserveUnits(int topic, int count)
{
    if (validTopic(topic))
        topics_[std::size_t(topic)].units.reserve(std::size_t(std::clamp(count, 0, kMaxUnits)));
}

void UnitDatabase::markUserTopicUsed(int n)
{
    if (n >= 1 && n <= kUserTopics)
        userTopicUsed_[std::size_t(n)] = true;
}

void UnitDatabase::clearNamesAndCounts()
{
    for (Topic& topic : topics_) {
        for (Unit& unit : topic.units)
            unit.name.clear();
        topic.count = 0;
    }
}

} // namespace ov
