// Finding units by name over the built-in topics.
#pragma once
#include "unitdb.h"
#include <string>
#include <string_view>
#include <vector>

namespace ov {

// Wildcards: "*" any run, "?" any character, "#" any digit, "[...]"/"[!...]" lists with ranges.
// An unclosed "[" matches itself. Case-sensitive; works on characters, not bytes.
bool LikeMatch(std::string_view text, std::string_view pattern);

struct SearchHit {
    int topic = 0;
    int unit = 0;
    std::string name;
    bool exact = false;
    std::string tag() const; // "12-7"
};

// Exact pass, then the pattern pass ("*" + each character + "*" ... + "*"). Empty text finds nothing.
std::vector<SearchHit> SearchUnits(const UnitDatabase& db, std::string_view text);

} // namespace ov
