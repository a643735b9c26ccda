#include "encoding.h"

#include "bytescan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ov {

namespace {

// Windows-1250 (Central European) bytes 0x80..0xFF. The five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control of the same value, as
// Windows itself does, so that every file survives a read and a write unchanged.
// clang-format off
constexpr std::array<char16_t, 128> kCp1250High{
    // 0x80
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    // 0x90
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    // 0xA0
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    // 0xB0
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    // 0xC0
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    // 0xD0
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    // 0xE0
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    // 0xF0
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

constexpr std::string_view kBom = "\xEF\xBB\xBF";

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one well-formed UTF-8 sequence at `i`, advancing `i`; returns false (and advances
// by one byte) when the bytes there are not a shortest-form encoding of a scalar value.
bool nextCodePoint(std::string_view s, std::size_t& i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    int len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        ++i;
        return false;
    }
    if (i + static_cast<std::size_t>(len) > s.size()) {
        ++i;
        return false;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += static_cast<std::size_t>(len);
    return true;
}

char toWindows1250(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<char>(cp);
    for (std::size_t k = 0; k < kCp1250High.size(); ++k)
        if (kCp1250High[k] == cp)
            return static_cast<char>(0x80 + k);
    return '?';
}

// Lines end in CR LF, a lone LF or a lone CR; a final line end does not start another line.
void splitLines(std::string_view text, std::vector<std::string_view>& lines)
{
    lines.clear();
    std::size_t start = 0;
    detail::forEachByte(text, '\r', '\n', [&](std::size_t i) {
        if (i < start)
            return; // the LF of a CR LF
        lines.push_back(text.substr(start, i - start));
        start = i + 1 + (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0);
    });
    if (start < text.size())
        lines.push_back(text.substr(start));
}

} // namespace

namespace {

// Steps over the character whose first byte, at i, is 0x80 or above; false when the bytes
// there are not UTF-8.
bool stepOverNonAscii(std::string_view s, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    // Two-byte letters (all of Czech) without decoding them.
    if (lead >= 0xC2 && lead <= 0xDF && i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
        i += 2;
        return true;
    }
    char32_t cp;
    return nextCodePoint(s, i, cp);
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
#if defined(__SSE2__)
        // Plain ASCII, the bulk of every data file, sixteen bytes at a time up to the first other byte.
        if (i + 16 <= bytes.size()) {
            const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
            const auto high = static_cast<unsigned>(_mm_movemask_epi8(w));
            if (high == 0) {
                i += 16;
                continue;
            }
            i += static_cast<std::size_t>(std::countr_zero(high));
        }
#else
        // Eight plain ASCII bytes at a time, the bulk of every data file.
        if (i + 8 <= bytes.size()) {
            std::uint64_t w;
            std::memcpy(&w, bytes.data() + i, sizeof w);
            if ((w & 0x8080808080808080u) == 0) {
                i += sizeof w;
                continue;
            }
        }
#endif
        if (static_cast<unsigned char>(bytes[i]) < 0x80)
            ++i;
        else if (!stepOverNonAscii(bytes, i))
            return false;
    }
    return true;
}

std::string windows1250ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            appendUtf8(out, kCp1250High[b - 0x80]);
    }
    return out;
}

std::string utf8ToWindows1250(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    char32_t cp;
    while (i < utf8.size())
        out += nextCodePoint(utf8, i, cp) ? toWindows1250(cp) : '?';
    return out;
}

void decodeTextLines(std::string bytes, TextLines& out)
{
    const std::size_t bom = std::string_view(bytes).starts_with(kBom) ? kBom.size() : 0;
    if (isValidUtf8(std::string_view(bytes).substr(bom))) {
        out.encoding = TextEncoding::Utf8;
        out.text = std::move(bytes);
        splitLines(std::string_view(out.text).substr(bom), out.lines);
    } else {
        out.encoding = TextEncoding::Windows1250;
        out.text = windows1250ToUtf8(std::string_view(bytes).substr(bom));
        splitLines(out.text, out.lines);
    }
}

TextFileContent decodeText(std::string_view bytes)
{
    TextLines decoded;
    decodeTextLines(std::string(bytes), decoded);
    return TextFileContent{{decoded.lines.begin(), decoded.lines.end()}, decoded.encoding};
}

bool readTextLines(const std::string& path, TextLines& out)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    // Read straight into the string: the size known beforehand, a growing tail for a file
    // that grows meanwhile (or reports no size).
    std::string bytes;
    const auto size = std::filesystem::file_size(path, ec);
    std::size_t used = 0;
    bytes.resize(ec ? 65536 : static_cast<std::size_t>(size) + 1);
    while (true) {
        used += std::fread(bytes.data() + used, 1, bytes.size() - used, f);
        if (used < bytes.size())
            break;
        bytes.resize(bytes.size() * 2);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return false;
    bytes.resize(used);
    decodeTextLines(std::move(bytes), out);
    return true;
}

std::optional<TextFileContent> readTextFile(const std::string& path)
{
    TextLines decoded;
    if (!readTextLines(path, decoded))
        return std::nullopt;
    return TextFileContent{{decoded.lines.begin(), decoded.lines.end()}, decoded.encoding};
}

namespace {

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    std::size_t size = 0;
    for (const auto& l : lines)
        size += l.size() + 2;
    text.reserve(size);
    for (const auto& l : lines) {
        text += l;
        text += "\r\n";
    }
    return text;
}

// A link stays a link: the file it points to is the one rewritten.
std::string linkTarget(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path real = fs::weakly_canonical(path, ec);
        if (!ec)
            return real.string();
    }
    return path;
}

// Written beside the target and renamed over it, so a failed write (a full disk, a removed
// medium) never leaves the user with half a file. On failure `reason` says why.
bool replaceFile(const std::string& target, const std::string& text, std::string& reason)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    // A file made read-only stays as it is: the rename below would replace it regardless.
    if (fs::exists(target, ec)) {
        errno = 0;
        std::FILE* probe = std::fopen(target.c_str(), "r+b");
        if (!probe) {
            reason = std::strerror(errno);
            return false;
        }
        std::fclose(probe);
    }
    const std::string temp = target + ".ovtmp";
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (!ok)
        reason = std::strerror(errno);
    if (std::fflush(f) != 0 && ok) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (ok) {
        const auto st = fs::status(target, ec);
        if (!ec && fs::exists(st))
            fs::permissions(temp, st.permissions(), ec);
        ec.clear();
        fs::rename(temp, target, ec);
        ok = !ec;
        if (ec)
            reason = ec.message();
    }
    if (!ok)
        fs::remove(temp, ec);
    return ok;
}

} // namespace

bool writeTextFile(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding,
                   std::string* error)
{
    std::string text = joinCrLf(lines);
    if (encoding == TextEncoding::Windows1250)
        text = utf8ToWindows1250(text);
    std::string reason;
    const bool ok = replaceFile(linkTarget(path), text, reason);
    if (!ok && error)
        *error = reason;
    return ok;
}

} // namespace ov
