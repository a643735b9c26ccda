// Finding separator bytes in the data files' text, eight bytes at a time: a line is mostly
// letters and digits, and testing each byte would cost a branch per byte.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ov::detail {

// Calls f(position) for every byte of `s` equal to `a` or `b`, in order.
template <class F>
void forEachByte(std::string_view s, char a, char b, F&& f)
{
    const char* d = s.data();
    const std::size_t n = s.size();
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u, kLow7 = 0x7F7F7F7F7F7F7F7Fu;
        // High bit of each byte set exactly where the byte of w equals the pattern's.
        const auto equalBytes = [](std::uint64_t w, std::uint64_t pattern) {
            const std::uint64_t x = w ^ pattern;
            return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
        };
        const std::uint64_t pa = kOnes * static_cast<unsigned char>(a), pb = kOnes * static_cast<unsigned char>(b);
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, d + i, sizeof w);
            for (std::uint64_t m = equalBytes(w, pa) | equalBytes(w, pb); m != 0; m &= m - 1)
                f(i + static_cast<std::size_t>(std::countr_zero(m)) / 8);
        }
    }
    for (; i < n; ++i)
        if (d[i] == a || d[i] == b)
            f(i);
}

} // namespace ov::detail
