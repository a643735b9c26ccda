// What the data-driven tests share about their rows: a row has a name, and that name is what
// GoogleTest shows for it.
#pragma once
#include <ostream>
#include <string>

namespace ovtest {

// Failing rows are reported by their name. A test brings it in with `using ovtest::operator<<;`
// in the namespace of its rows, where GoogleTest's printer looks for it.
template <class Row>
requires requires(const Row& r) { r.name; }
std::ostream& operator<<(std::ostream& os, const Row& row) { return os << row.name; }

// Names the instances of a parameterised test after their rows.
inline constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };

} // namespace ovtest
