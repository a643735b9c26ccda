// The unit search's wildcards with a fuzzed pattern and a fuzzed name: no crash, no slow case,
// and the rules every pattern obeys hold.
#include "core/search.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <string>

namespace {

bool special(char c) { return c == '*' || c == '?' || c == '#' || c == '['; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ovfuzz::Input in(data, size);
    const std::string pattern(in.text());
    const std::string name(in.text());

    const bool matched = ov::LikeMatch(name, pattern);
    // A star in front or behind only widens a pattern.
    if (matched) {
        OV_FUZZ_CHECK(ov::LikeMatch(name, "*" + pattern), "'%s' ~ '%s' but not '*%s'", name.c_str(), pattern.c_str(),
                      pattern.c_str());
        OV_FUZZ_CHECK(ov::LikeMatch(name, pattern + "*"), "'%s' ~ '%s' but not '%s*'", name.c_str(), pattern.c_str(),
                      pattern.c_str());
    }
    OV_FUZZ_CHECK(ov::LikeMatch(name, "*"), "'%s' !~ '*'", name.c_str());

    // A name without wildcard characters is a pattern that matches itself, also within text.
    bool plain = true;
    for (char c : name)
        plain = plain && !special(c);
    if (plain) {
        OV_FUZZ_CHECK(ov::LikeMatch(name, name), "'%s' does not match itself", name.c_str());
        OV_FUZZ_CHECK(ov::LikeMatch("x" + name + "y", "*" + name + "*"), "'%s' is not found inside", name.c_str());
    }
    return 0;
}
