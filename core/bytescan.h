// Finding separator bytes in the data files' text, eight bytes at a time: a line is mostly
// letters and digits, and testing each byte would cost a branch per byte.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ov::detail {

// Calls f(position) for every byte of `s` equal to `a` or `b`, in order.
template <class F> void forEachByte(std::string_view s, char a, char b, F&& f)
{
    const char* d = s.data();
    const std::size_t n = s.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes a step where every x86-64 processor can: one compare per pattern.
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b);
    for (; i + 16 <= n; i += 16) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        auto m = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(w, va), _mm_cmpeq_epi8(w, vb))));
        for (; m != 0; m &= m - 1)
            f(i + static_cast<std::size_t>(std::countr_zero(m)));
    }
#endif
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
