#include "misc.h"

#include <cstdint>

namespace ov {

namespace {

// The program's own pseudo-random generator: reset to a fixed state, then seeded, so every run
// produces the same sequence (xorshift32; the state is never zero).
class Generator {
public:
    void reset() { state_ = 0x2545F491u; }
    void seed(std::uint32_t s)
    {
        state_ ^= s * 2654435761u;
        if (state_ == 0)
            state_ = 0x9E3779B9u;
        for (int i = 0; i < 4; ++i)
            next();
    }
    // 0 <= r < 1
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 4294967296.0;
    }

private:
    std::uint32_t state_ = 0;
};

constexpr std::uint32_t kSeed = 382619;

bool printableAscii(unsigned c) { return c >= 0x20 && c <= 0x7E; }

} // namespace

// One pseudo-random number per character. Only printable ASCII characters are changed, and
// only into other printable ASCII characters (XOR with 0..31, applied when both the character
// and its image are printable), so the text stays valid UTF-8, the characters of other scripts
// pass unchanged and applying the routine twice gives the text back.
std::string Unscramble(std::string_view text)
{
    Generator g;
    g.reset();
    g.seed(kSeed);
    std::string out(text);
    for (char& ch : out) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) == 0x80)
            continue; // continuation byte: part of the previous character
        const auto k = static_cast<unsigned>(g.next() * 32.0);
        const unsigned image = b ^ k;
        if (printableAscii(b) && printableAscii(image))
            ch = static_cast<char>(image);
    }
    return out;
}

std::string MailtoAddress(std::string_view address, std::string_view subject, std::string_view body,
                          std::string_view copy, std::string_view blindCopy)
{
    std::string q;
    const struct {
        const char* key;
        std::string_view value;
    } parts[] = {{"&Subject=", subject}, {"&Body=", body}, {"&CC=", copy}, {"&BCC=", blindCopy}};
    for (const auto& p : parts)
        if (!p.value.empty())
            q += std::string(p.key) + std::string(p.value);
    if (!q.empty())
        q[0] = '?';
    return "mailto:" + std::string(address) + q;
}

} // namespace ov
