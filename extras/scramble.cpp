#include "extras/scramble.h"

#include "core/encoding.h"
#include "gui/common.h"

#include <cstdint>

namespace ov::gui {
namespace {

// A 24-bit linear congruential generator: reset to a fixed state, then mixed with the seed.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : state_((kReset ^ seed) & kMask) {}
    double next()
    {
        state_ = (state_ * 1140671485u + 12820163u) & kMask;
        return double(state_) / double(kMask + 1u);
    }

private:
    static constexpr std::uint32_t kMask = 0xFFFFFFu;
    static constexpr std::uint32_t kReset = 0x50000u;
    std::uint32_t state_;
};

constexpr std::uint32_t kSeed = 382619;

// clang-format off
constexpr char kCredit[] = "\x59\xD1\xDA\xF5\xE7\xD6\x5D\x6C\x22\x98\x7C\x09\xCC\x28\x3D\x0D\x08\xF8\x8D\x76\xBA\x7C\xED\x62\x7F";
constexpr char kLicence[] = "\xBC\x98\x8B\xA0\xBB\x83\x18\x3A\x92\xA7\x47";
constexpr char kMailLabel[] = "\xBE\x90\x98\xAC\x4F\x94\x18\x3A\xB1\x0F\x7E\x43\x5E\xA6\xBD\x0D\x17\x6D\x8A\x6F\x83\x54\x4C\x43\x46\x0F";
// clang-format on

} // namespace

std::string Unscramble(std::string_view bytes)
{
    Generator g(kSeed);
    std::string out(bytes);
    for (char& c : out)
        c = char(static_cast<unsigned char>(c) ^ static_cast<unsigned char>(g.next() * 255));
    return out;
}

QString UnscrambleText(std::string_view stored) { return fromStd(ov::windows1250ToUtf8(Unscramble(stored))); }

std::string_view scrambledCredit() { return {kCredit, sizeof kCredit - 1}; }
std::string_view scrambledLicence() { return {kLicence, sizeof kLicence - 1}; }
std::string_view scrambledMailLabel() { return {kMailLabel, sizeof kMailLabel - 1}; }

} // namespace ov::gui
