// The general, single, scientific and fixed renderings and the number reader.
#include "core/numtext.h"
#include "core/numdigits.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace ov {
namespace detail {

namespace {

// A 128-bit unsigned number as two 64-bit halves: all that the exact rounding below needs.
struct U128 {
    std::uint64_t hi = 0, lo = 0;
    bool operator==(const U128&) const = default;
    bool operator>(const U128& o) const { return hi != o.hi ? hi > o.hi : lo > o.lo; }
};

U128 multiply(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xFFFFFFFFu)};
}

// clang-format off
constexpr std::uint64_t kPow10[20] = {1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull,
    100000000ull, 1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull, 10000000000000000000ull};
// clang-format on

// The integer part q and the fraction (as rem / 2^shift) of n / 2^shift; false when q needs
// more than 64 bits.
bool splitShift(const U128& n, int shift, std::uint64_t& q, U128& rem, U128& half)
{
    if (shift >= 64) {
        const int s = shift - 64;
        q = s == 0 ? n.hi : n.hi >> s;
        rem = {s == 0 ? 0 : n.hi & ((std::uint64_t{1} << s) - 1), n.lo};
        half = s == 0 ? U128{0, std::uint64_t{1} << 63} : U128{std::uint64_t{1} << (s - 1), 0};
        return true;
    }
    if ((n.hi >> shift) != 0)
        return false;
    q = (n.hi << (64 - shift)) | (n.lo >> shift);
    rem = {0, n.lo & ((std::uint64_t{1} << shift) - 1)};
    half = {0, std::uint64_t{1} << (shift - 1)};
    return true;
}

// The `count` decimal digits of q, leading zeros included, two at a time.
void writeDigits(std::uint64_t q, int count, char* out)
{
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    int i = count;
    while (i >= 2) {
        i -= 2;
        std::memcpy(out + i, kPairs + 2 * (q % 100), 2);
        q /= 100;
    }
    if (i == 1)
        out[0] = static_cast<char>('0' + q);
}

// The normal double `a` > 0 rounded to `sig` significant digits (half to even, as the exact
// expansion rounds), worked out in integers: a = m / 2^shift exactly, so a * 10^k is a 128-bit
// product shifted right. Covers the magnitudes where 10^k fits 64 bits and a * 10^k has `sig`
// integer digits (for 15 digits about 1e-5 up to 1e15, where nearly every value shown lies);
// false elsewhere.
bool exactDigits(double a, int sig, Digits& g)
{
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int biased = static_cast<int>(bits >> 52) & 0x7FF;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased; // a = m / 2^shift
    if (shift < 1 || shift > 127)
        return false;
    // floor(log10 a) is floor(log10 2^(biased - 1023)) or one more.
    const int estimate = static_cast<int>(std::floor((biased - 1023) * 0.30102999566398120));
    for (int k = sig - 1 - estimate; k >= sig - 2 - estimate; --k) {
        if (k < 0 || k > 19)
            return false;
        std::uint64_t q;
        U128 rem, half;
        if (!splitShift(multiply(m, kPow10[k]), shift, q, rem, half))
            continue;
        if (q >= kPow10[sig])
            continue; // one digit too many: k one smaller
        if (rem > half || (rem == half && (q & 1)))
            ++q;
        int exp = sig - 1 - k;
        if (q == kPow10[sig]) {
            q = kPow10[sig - 1];
            ++exp;
        }
        writeDigits(q, sig, g.d);
        g.n = sig;
        g.exp = exp;
        return true;
    }
    return false;
}

// Digits and exponent of a to_chars scientific text ("1.2345e+03", "5e-07").
void parseScientific(const char* p, const char* end, Digits& g)
{
    const char* e = static_cast<const char*>(std::memchr(p, 'e', static_cast<std::size_t>(end - p)));
    g.d[0] = p[0];
    g.n = 1;
    if (e - p > 2) {
        std::memcpy(g.d + 1, p + 2, static_cast<std::size_t>(e - p - 2));
        g.n = static_cast<int>(e - p - 1);
    }
    int x = 0;
    for (const char* q = e + 2; q < end; ++q)
        x = x * 10 + (*q - '0');
    g.exp = e[1] == '-' ? -x : x;
}

// The shortest digits that read back as the normal double `a`, rounded to `sig` <= 15 digits,
// when that is provably the rounding of `a` itself; false when only the exact expansion can
// tell. `a` lies closer to the shortest text S than half an ulp, which is less than 1.12 units
// of S's 16th significant digit; so S rounds like `a` unless its dropped digits come within
// that distance of a half.
bool shortestRounded(double a, int sig, Digits& g)
{
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    parseScientific(buf, r.ptr, g);
    if (g.n <= sig)
        return true;
    std::uint64_t dropped = 0, half = 5;
    for (int i = sig; i < g.n; ++i) {
        dropped = dropped * 10 + static_cast<std::uint64_t>(g.d[i] - '0');
        if (i > sig)
            half *= 10;
    }
    const std::uint64_t margin = g.n <= 15 ? 1 : g.n == 16 ? 2 : 12;
    const std::uint64_t distance = dropped > half ? dropped - half : half - dropped;
    if (distance < margin)
        return false;
    roundSignificant(g, sig);
    return true;
}

} // namespace

Digits digitsOf(double v, int sig)
{
    Digits g;
    if (v == 0.0 || !std::isfinite(v)) {
        g.d[0] = '0';
        g.n = 1;
        return g;
    }
    sig = std::clamp(sig, 1, 17);
    const double a = std::fabs(v);
    // Cheapest first: integer arithmetic, then the shortest text, then the exact expansion.
    const bool normal = a >= DBL_MIN;
    if (!(normal && sig <= 17 && exactDigits(a, sig, g)) && !(normal && sig <= 15 && shortestRounded(a, sig, g))) {
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, sig - 1);
        parseScientific(buf, r.ptr, g);
    }
    g.neg = v < 0;
    while (g.n > 1 && g.d[g.n - 1] == '0')
        --g.n;
    return g;
}

void roundSignificant(Digits& g, int sig)
{
    if (g.n <= sig)
        return;
    const bool up = g.d[sig] >= '5';
    g.n = sig;
    if (up) {
        int i = sig - 1;
        while (i >= 0 && g.d[i] == '9')
            g.d[i--] = '0';
        if (i < 0) {
            g.d[0] = '1';
            g.n = 1;
            ++g.exp;
        } else {
            ++g.d[i];
        }
    }
    while (g.n > 1 && g.d[g.n - 1] == '0')
        --g.n;
}

int toPositional(const Digits& g, int decimals, char* buf)
{
    int intLen = std::max(g.exp + 1, 1);
    const int total = intLen + decimals;
    std::memset(buf, '0', static_cast<std::size_t>(total));
    char roundDigit = '0';
    for (int i = 0; i < g.n; ++i) {
        const int idx = intLen - 1 - (g.exp - i);
        if (idx < total)
            buf[idx] = g.d[i];
        else if (idx == total)
            roundDigit = g.d[i];
    }
    if (roundDigit >= '5') {
        int i = total - 1;
        while (i >= 0 && buf[i] == '9')
            buf[i--] = '0';
        if (i >= 0) {
            ++buf[i];
        } else {
            std::memmove(buf + 1, buf, static_cast<std::size_t>(total));
            buf[0] = '1';
            ++intLen;
        }
    }
    return intLen;
}

std::optional<double> exactDecimal(std::string_view intDigits, std::string_view fracDigits, long long exp10)
{
#if FLT_EVAL_METHOD == 0
    std::uint64_t m = 0;
    int digits = 0;
    long long scale = exp10;
    for (char c : intDigits) {
        if (digits == 0 && c == '0')
            continue;
        if (++digits > 15)
            return std::nullopt;
        m = m * 10 + static_cast<std::uint64_t>(c - '0');
    }
    for (char c : fracDigits) {
        --scale;
        if (digits == 0 && c == '0')
            continue;
        if (++digits > 15)
            return std::nullopt;
        m = m * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (m == 0)
        return 0.0;
    static constexpr double kPow[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (scale < -22 || scale > 22)
        return std::nullopt;
    const double v = static_cast<double>(m);
    return scale < 0 ? v / kPow[-scale] : v * kPow[scale];
#else
    (void)intDigits;
    (void)fracDigits;
    (void)exp10;
    return std::nullopt; // extended intermediate precision would round twice
#endif
}

} // namespace detail

namespace {

using detail::Digits;

// The renderings are built in a stack buffer and copied once: short results then fit the
// string's own storage and the grid's many cells cost no allocation.
class TextBuffer {
public:
    void put(char c) { buf_[n_++] = c; }
    void put(const char* s, int count)
    {
        for (int i = 0; i < count; ++i)
            buf_[n_++] = s[i];
    }
    void zeros(int count)
    {
        for (int i = 0; i < count; ++i)
            buf_[n_++] = '0';
    }
    void exponent(int e)
    {
        put('E');
        put(e < 0 ? '-' : '+');
        if (e < 0)
            e = -e;
        if (e < 10)
            put('0');
        n_ = static_cast<int>(std::to_chars(buf_ + n_, buf_ + sizeof buf_, e).ptr - buf_);
    }
    std::string str() const { return std::string(buf_, static_cast<std::size_t>(n_)); }

private:
    char buf_[48];
    int n_ = 0;
};

// Shortest text of the digits: positional for exponents in (-5, expHigh), exponent form otherwise.
std::string writeGeneral(const Digits& g, int expHigh, char dec)
{
    if (g.zero())
        return "0";
    TextBuffer out;
    if (g.neg)
        out.put('-');
    if (g.exp >= expHigh || g.exp <= -5) {
        out.put(g.d[0]);
        if (g.n > 1) {
            out.put(dec);
            out.put(g.d + 1, g.n - 1);
        }
        out.exponent(g.exp);
    } else if (g.exp >= 0) {
        const int whole = std::min(g.n, g.exp + 1);
        out.put(g.d, whole);
        out.zeros(g.exp + 1 - whole);
        if (g.n > whole) {
            out.put(dec);
            out.put(g.d + whole, g.n - whole);
        }
    } else {
        out.put('0');
        out.put(dec);
        out.zeros(-g.exp - 1);
        out.put(g.d, g.n);
    }
    return out.str();
}

// Infinities and NaN never come out of the reader; should one reach a rendering it is shown
// in a form the reader rejects, so that it cannot pass for a number.
std::string nonFinite(double v)
{
    if (std::isnan(v))
        return "NaN";
    return v < 0 ? "-inf" : "inf";
}

// DBL_MAX as its shortest rendering shows it (scientific "1,80E+308"); the general one shows
// 1,79769313486232E+308. Both lie a little above the double itself.
constexpr double kLargestShown = 1.80;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The exponent text of a number ("+05", "-3", "12") read for the exact reader; texts of more
// than four digits are left to the full reader.
std::optional<double> exactSmall(std::string_view intDigits, std::string_view fracDigits, std::string_view expText)
{
    long long e = 0;
    if (!expText.empty()) {
        const bool negExp = expText[0] == '-';
        const std::string_view d = expText.substr(expText[0] == '-' || expText[0] == '+' ? 1 : 0);
        if (d.size() > 4)
            return std::nullopt;
        for (char c : d)
            e = e * 10 + (c - '0');
        if (negExp)
            e = -e;
    }
    return detail::exactDecimal(intDigits, fracDigits, e);
}

} // namespace

std::string FormatGeneral(double v, char dec)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    return writeGeneral(detail::digitsOf(v, 15), 15, dec);
}

std::string FormatSingle(double v, char dec)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    // Beyond the single range the value keeps its magnitude with seven digits rather than
    // turning into an overflow.
    const double r = std::fabs(v) <= static_cast<double>(FLT_MAX) ? static_cast<double>(static_cast<float>(v)) : v;
    return writeGeneral(detail::digitsOf(r, 7), 7, dec);
}

std::string FormatScientific(double v, char dec)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    Digits g = detail::digitsOf(v, 15);
    detail::roundSignificant(g, 3);
    TextBuffer out;
    if (g.neg && !g.zero())
        out.put('-');
    out.put(g.d[0]);
    out.put(dec);
    out.put(g.n > 1 ? g.d[1] : '0');
    out.put(g.n > 2 ? g.d[2] : '0');
    out.exponent(g.zero() ? 0 : g.exp);
    return out.str();
}

std::string FormatFixed(double v, int decimals, char dec)
{
    if (!std::isfinite(v))
        return nonFinite(v);
    decimals = std::clamp(decimals, 0, 20);
    const Digits g = detail::digitsOf(v, 15);
    char buf[detail::kPositionalMax + 24];
    const int intLen = detail::toPositional(g, decimals, buf);
    const int total = intLen + decimals;
    const bool allZero = std::all_of(buf, buf + total, [](char c) { return c == '0'; });
    std::string out;
    out.reserve(static_cast<std::size_t>(total) + 2);
    if (g.neg && !allZero)
        out += '-';
    out.append(buf, static_cast<std::size_t>(intLen));
    if (decimals > 0) {
        out += dec;
        out.append(buf + intLen, static_cast<std::size_t>(decimals));
    }
    return out;
}

std::optional<double> ParseNumber(std::string_view text, char dec) { return ReadNumber(text, dec).value; }

namespace {

// A number as typed, split into its parts; the digits are views into the text.
struct NumberParts {
    bool negative = false;
    std::string_view intDigits, fracDigits;
    std::string_view expText; // after the 'e', with its sign if it has one
};

// Blanks around, a sign, digits with at most one separator, an exponent: nothing else.
std::optional<NumberParts> scanNumber(std::string_view text, char dec)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    const std::string_view t = text.substr(b, e - b);

    NumberParts parts;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        parts.negative = t[i++] == '-';
    const std::size_t intBegin = i;
    while (i < t.size() && isDigit(t[i]))
        ++i;
    parts.intDigits = t.substr(intBegin, i - intBegin);
    if (i < t.size() && t[i] == dec) {
        const std::size_t fracBegin = ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        parts.fracDigits = t.substr(fracBegin, i - fracBegin);
    }
    if (parts.intDigits.empty() && parts.fracDigits.empty())
        return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        const std::size_t expBegin = ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        const std::size_t digitsBegin = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        if (i == digitsBegin)
            return std::nullopt;
        parts.expText = t.substr(expBegin, i - expBegin);
    }
    if (i != t.size())
        return std::nullopt;
    return parts;
}

// The reader takes a '.' and no '+': the number rebuilt in that form into `buf`, which holds
// every digit and four characters more. Returns the end of what was written.
char* writeInvariant(const NumberParts& n, char* buf)
{
    char* p = buf;
    if (n.intDigits.empty())
        *p++ = '0';
    p = std::copy(n.intDigits.begin(), n.intDigits.end(), p);
    if (!n.fracDigits.empty()) {
        *p++ = '.';
        p = std::copy(n.fracDigits.begin(), n.fracDigits.end(), p);
    }
    if (!n.expText.empty()) {
        *p++ = 'e';
        p = std::copy(n.expText.begin() + (n.expText[0] == '+' ? 1 : 0), n.expText.end(), p);
    }
    return p;
}

// The significant digits as d.ddd…, for a number whose first digit is not zero somewhere.
double leadingMantissa(const NumberParts& n)
{
    std::string mantissa;
    for (std::string_view digits : {n.intDigits, n.fracDigits})
        for (char c : digits)
            if (c != '0' || !mantissa.empty())
                mantissa += c;
    mantissa.insert(1, 1, '.');
    double m = 0;
    std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), m);
    return m;
}

// A number the reader could not hold: too small to hold is zero, too large is an overflow.
NumberReading outOfRange(const NumberParts& n)
{
    const double zero = n.negative ? -0.0 : 0.0;
    long long exp10 = 0;
    if (!n.expText.empty()) {
        for (char c : n.expText)
            if (isDigit(c) && exp10 < 100000)
                exp10 = exp10 * 10 + (c - '0');
        if (n.expText[0] == '-')
            exp10 = -exp10;
    }
    const std::size_t lead = n.intDigits.find_first_not_of('0');
    long long magnitude = 0;
    if (lead != std::string_view::npos) {
        magnitude = static_cast<long long>(n.intDigits.size() - lead) - 1 + exp10;
    } else {
        const std::size_t fracLead = n.fracDigits.find_first_not_of('0');
        if (fracLead == std::string_view::npos)
            return {zero};
        magnitude = exp10 - static_cast<long long>(fracLead) - 1;
    }
    if (magnitude < 0)
        return {zero};
    // A text up to the largest double as the table shows it reads as that double, so that
    // every value the table shows can be read back.
    if (magnitude == DBL_MAX_10_EXP && leadingMantissa(n) <= kLargestShown)
        return {n.negative ? -DBL_MAX : DBL_MAX};
    return {std::nullopt, true};
}

} // namespace

NumberReading ReadNumber(std::string_view text, char dec)
{
    const std::optional<NumberParts> parts = scanNumber(text, dec);
    if (!parts)
        return {};
    const NumberParts& n = *parts;
    if (const auto exact = exactSmall(n.intDigits, n.fracDigits, n.expText))
        return {n.negative ? -*exact : *exact};

    char small[128];
    std::string large;
    const std::size_t need = n.intDigits.size() + n.fracDigits.size() + n.expText.size() + 4;
    char* buf = small;
    if (need > sizeof small) {
        large.resize(need);
        buf = large.data();
    }
    char* const end = writeInvariant(n, buf);
    double v = 0;
    const auto r = std::from_chars(buf, end, v);
    if (r.ec == std::errc::result_out_of_range)
        return outOfRange(n);
    if (r.ec != std::errc() || r.ptr != end)
        return {};
    return {n.negative ? -v : v};
}

std::optional<std::string> RenderInFormat(DisplayFormat f, std::string_view cellText, int fix, char dec)
{
    const auto v = ParseNumber(cellText, dec);
    if (!v)
        return std::nullopt;
    switch (f) {
    case DisplayFormat::Single: return FormatSingle(*v, dec);
    case DisplayFormat::Double: return FormatGeneral(*v, dec);
    case DisplayFormat::Scientific: return FormatScientific(*v, dec);
    case DisplayFormat::Fixed: return FormatFixed(*v, fix, dec);
    }
    return std::nullopt;
}

} // namespace ov
