// Case folding and the loose form of the names the user types: ASCII, Latin-1 and Latin
// Extended-A, which hold every letter of Czech and of the other languages unit names are written in.
#include "textfold.h"

namespace ov {

namespace {

char32_t lower(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1u; // pairs: even upper, odd lower
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1u) ? c + 1 : c; // pairs: odd upper, even lower
    if (c == 0x178)
        return 0xFF;
    return c;
}

void append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The base letter of a lower-case letter of Latin-1 (from U+00E0) and Latin Extended-A
// (U+0100..U+017F); '*' keeps the character as it is (the division sign).
constexpr std::string_view kLatin1Bases = "aaaaaaaceeeeiiiidnooooo*ouuuuyty";
constexpr std::string_view kExtendedABases =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrr"
    "ssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

// One code point of UTF-8 at s[i]; i moves past it. A broken sequence is read as its first byte.
char32_t decode(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    const int length = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (length == 1 || i + length > s.size()) {
        ++i;
        return b;
    }
    char32_t c = b & (0x7Fu >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return b;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    i += length;
    return c;
}

// The loose form of one code point, or 0 to keep the lower-case code point itself.
char looseLetter(char32_t c)
{
    switch (c) {
    case 0xB0: return ' '; // the degree sign: dropped
    case 0xB7: return ' '; // the middle dot of "kW·h": dropped
    case 0xB5:
    case 0x3BC: return 'u'; // micro
    case 0xB2: return '2';
    case 0xB3: return '3';
    case 0xB9: return '1';
    default: break;
    }
    if (c >= 0xE0 && c <= 0xFF && kLatin1Bases[c - 0xE0] != '*')
        return kLatin1Bases[c - 0xE0];
    if (c >= 0x100 && c <= 0x17F)
        return kExtendedABases[c - 0x100];
    return 0;
}

} // namespace

bool isPlainAscii(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string looseForm(std::string_view s, bool keepCase)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const char32_t original = decode(s, i);
        const char32_t c = lower(original);
        const char base = looseLetter(c);
        const bool upper = keepCase && c != original;
        if (base == ' ')
            continue;
        if (base)
            out.push_back(upper && base >= 'a' && base <= 'z' ? char(base - 32) : base);
        else
            append(out, keepCase ? original : c);
    }
    return out;
}

std::string foldCase(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        // Only two-byte sequences can hold a letter that folds; everything else is copied.
        if ((b >> 5) == 0x6 && i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
            const char32_t c = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            append(out, lower(c));
            i += 2;
        } else {
            out.push_back(b < 0x80 ? static_cast<char>(lower(b)) : s[i]);
            ++i;
        }
    }
    return out;
}

} // namespace ov
