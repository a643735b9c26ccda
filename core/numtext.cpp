// The general, single, scientific and fixed renderings and the number reader.
#include "core/numtext.h"
#include "core/numdigits.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ov {
namespace detail {

Digits digitsOf(double v, int sig)
{
    Digits g;
    if (v == 0.0 || !std::isfinite(v)) {
        g.d[0] = '0';
        g.n = 1;
        return g;
    }
    g.neg = v < 0;
    sig = std::clamp(sig, 1, 17);
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, sig - 1);
    const char* p = buf;
    while (p < r.ptr && *p != 'e') {
        if (*p != '.')
            g.d[g.n++] = *p;
        ++p;
    }
    int e = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, e);
    g.exp = e;
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

std::optional<double> ParseNumber(std::string_view text, char dec)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    const std::string_view t = text.substr(b, e - b);

    std::size_t i = 0;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        neg = t[i++] == '-';
    const std::size_t intBegin = i;
    while (i < t.size() && isDigit(t[i]))
        ++i;
    const std::string_view intDigits = t.substr(intBegin, i - intBegin);
    std::string_view fracDigits;
    if (i < t.size() && t[i] == dec) {
        const std::size_t fracBegin = ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        fracDigits = t.substr(fracBegin, i - fracBegin);
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt;
    std::string_view expText;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        const std::size_t expBegin = ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        const std::size_t digitsBegin = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        if (i == digitsBegin)
            return std::nullopt;
        expText = t.substr(expBegin, i - expBegin);
    }
    if (i != t.size())
        return std::nullopt;

    // The reader takes a '.' and no '+': rebuild the text in that form.
    char small[128];
    std::string large;
    const std::size_t need = intDigits.size() + fracDigits.size() + expText.size() + 4;
    char* buf = small;
    if (need > sizeof small) {
        large.resize(need);
        buf = large.data();
    }
    char* p = buf;
    if (intDigits.empty())
        *p++ = '0';
    p = std::copy(intDigits.begin(), intDigits.end(), p);
    if (!fracDigits.empty()) {
        *p++ = '.';
        p = std::copy(fracDigits.begin(), fracDigits.end(), p);
    }
    if (!expText.empty()) {
        *p++ = 'e';
        p = std::copy(expText.begin() + (expText[0] == '+' ? 1 : 0), expText.end(), p);
    }
    double v = 0;
    const auto r = std::from_chars(buf, p, v);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large to hold is not a number we can use.
        long long exp10 = 0;
        if (!expText.empty()) {
            const bool expNeg = expText[0] == '-';
            for (char c : expText)
                if (isDigit(c) && exp10 < 100000)
                    exp10 = exp10 * 10 + (c - '0');
            if (expNeg)
                exp10 = -exp10;
        }
        const std::size_t lead = intDigits.find_first_not_of('0');
        long long magnitude = 0;
        if (lead != std::string_view::npos) {
            magnitude = static_cast<long long>(intDigits.size() - lead) - 1 + exp10;
        } else {
            const std::size_t fracLead = fracDigits.find_first_not_of('0');
            if (fracLead == std::string_view::npos)
                return neg ? -0.0 : 0.0;
            magnitude = exp10 - static_cast<long long>(fracLead) - 1;
        }
        if (magnitude < 0)
            return neg ? -0.0 : 0.0;
        // A text up to the largest double as the table shows it reads as that double, so that
        // every value the table shows can be read back.
        if (magnitude == DBL_MAX_10_EXP) {
            std::string mantissa;
            for (char c : intDigits)
                if (c != '0' || !mantissa.empty())
                    mantissa += c;
            for (char c : fracDigits)
                if (c != '0' || !mantissa.empty())
                    mantissa += c;
            mantissa.insert(1, 1, '.');
            double m = 0;
            std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), m);
            if (m <= kLargestShown)
                return neg ? -DBL_MAX : DBL_MAX;
        }
        return std::nullopt;
    }
    if (r.ec != std::errc() || r.ptr != p)
        return std::nullopt;
    return neg ? -v : v;
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
