#include "catalogue.h"

#include <array>

namespace ov {

namespace {

struct TopicEntry {
    std::string_view key;
    std::string_view name;
};

constexpr std::string_view kStartScreenTitle = "Vítejte v programu omniVELOR!";

// Index = topic number - 1.
constexpr std::array<TopicEntry, kBuiltinTopics> kTopics{{
    {"Delka", "Délka"},
    {"Obsah", "Plošný obsah"},
    {"Objem", "Objem"},
    {"Hmotnost", "Hmotnost"},
    {"Hustota", "Hustota"},
    {"Sila", "Síla"},
    {"Tlak", "Tlak"},
    {"Prace", "Práce"},
    {"Vykon", "Výkon"},
    {"Uhel", "Rovinný úhel"},
    {"Cas", "Čas"},
    {"Rychlost", "Rychlost"},
    {"KViskozita", "Kin. viskozita"},
    {"DViskozita", "Dyn. viskozita"},
    {"Prutok", "Průtok"},
    {"Teplota", "Teplota"},
    {"Proud", "Proud"},
    {"Napeti", "Napětí"},
    {"Odpor", "Odpor"},
    {"MgTok", "Mg. tok"},
    {"MgIndukce", "Mg. indukce"},
    {"IntenzitaMgPole", "Intenzita mg. pole"},
    {"Svitivost", "Svítivost"},
    {"Jas", "Jas"},
    {"Osvetleni", "Osvětlení"},
    {"Nasobky", "Násobky a díly"},
}};

bool isBuiltinTopic(int topic) { return topic >= 1 && topic <= kBuiltinTopics; }

} // namespace

std::string_view TopicKey(int topic) { return isBuiltinTopic(topic) ? kTopics[topic - 1].key : std::string_view{}; }

std::string_view DefaultTopicName(int topic)
{
    if (topic == 0)
        return kStartScreenTitle;
    return isBuiltinTopic(topic) ? kTopics[topic - 1].name : std::string_view{};
}

std::string DefaultUserTopicName(int userTopic) { return "Uživatel " + std::to_string(userTopic); }

} // namespace ov
