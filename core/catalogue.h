// The built-in topic catalogue: numbers, internal keys (picture names) and display names.
#pragma once
#include <string>
#include <string_view>

namespace ov {

inline constexpr int kBuiltinTopics = 26;
inline constexpr int kUserTopics = 20;
inline constexpr int kMaxTopic = 50;  // tables are indexed 0..50
inline constexpr int kMaxUnits = 150; // units 1..150 per topic
inline constexpr int kAngleTopic = 10;
inline constexpr int kTemperatureTopic = 16;
inline constexpr int kMultiplesTopic = 26;
inline constexpr int kFirstUserTopic = 27; // user topic n is topic 26 + n

// "Delka" .. "Nasobky" for 1..26; empty for any other number.
std::string_view TopicKey(int topic);
// Index 0 is the start-screen title, 1..26 the built-in names, anything else empty.
std::string_view DefaultTopicName(int topic);
// "Uživatel " + n
std::string DefaultUserTopicName(int userTopic);

inline bool isUserTopic(int topic) { return topic >= kFirstUserTopic && topic < kFirstUserTopic + kUserTopics; }

} // namespace ov
