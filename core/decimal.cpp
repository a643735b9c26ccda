// The exact decimal: a 96-bit magnitude in three 32-bit words, a sign and a power-of-ten scale.
// Sums are formed exactly in a wider accumulator and rounded back into 96 bits only when the
// digits do not fit.
#include "core/decimal.h"
#include "core/errors.h"
#include "core/numdigits.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ov {

namespace {

constexpr int kMaxScale = 28;

// Unsigned accumulator with room for a 96-bit magnitude times 10^28 and a carry.
struct Wide {
    static constexpr int kWords = 7;
    std::array<std::uint32_t, kWords> w{};

    static Wide of(std::uint64_t v)
    {
        Wide r;
        r.w[0] = static_cast<std::uint32_t>(v);
        r.w[1] = static_cast<std::uint32_t>(v >> 32);
        return r;
    }
    bool isZero() const
    {
        return std::all_of(w.begin(), w.end(), [](std::uint32_t x) { return x == 0; });
    }
    bool fits96() const
    {
        return std::all_of(w.begin() + 3, w.end(), [](std::uint32_t x) { return x == 0; });
    }
    void mulSmall(std::uint32_t m)
    {
        std::uint64_t carry = 0;
        for (auto& x : w) {
            const std::uint64_t t = static_cast<std::uint64_t>(x) * m + carry;
            x = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
    }
    std::uint32_t divSmall(std::uint32_t d)
    {
        std::uint64_t rem = 0;
        for (int i = kWords - 1; i >= 0; --i) {
            const std::uint64_t t = (rem << 32) | w[static_cast<std::size_t>(i)];
            w[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(t / d);
            rem = t % d;
        }
        return static_cast<std::uint32_t>(rem);
    }
    void add(const Wide& o)
    {
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const std::uint64_t t = static_cast<std::uint64_t>(w[i]) + o.w[i] + carry;
            w[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
    }
    void sub(const Wide& o) // requires *this >= o
    {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            std::int64_t t = static_cast<std::int64_t>(w[i]) - o.w[i] - borrow;
            borrow = t < 0 ? 1 : 0;
            if (t < 0)
                t += std::int64_t{1} << 32;
            w[i] = static_cast<std::uint32_t>(t);
        }
    }
    int compare(const Wide& o) const
    {
        for (int i = kWords - 1; i >= 0; --i) {
            const auto k = static_cast<std::size_t>(i);
            if (w[k] != o.w[k])
                return w[k] < o.w[k] ? -1 : 1;
        }
        return 0;
    }
};

} // namespace

struct DecimalAccess {
    static Wide magnitude(const Decimal& d)
    {
        Wide r;
        r.w[0] = d.lo_;
        r.w[1] = d.mid_;
        r.w[2] = d.hi_;
        return r;
    }

    // Brings a wide magnitude back into 96 bits and the scale range. The digits dropped are
    // rounded once, half away from zero: rounding digit by digit would turn ...45 into ...5
    // and then up.
    static Decimal make(Wide m, int scale, bool negative)
    {
        bool dropped = false;
        std::uint32_t leadingDropped = 0;
        while (scale > kMaxScale || (!m.fits96() && scale > 0)) {
            leadingDropped = m.divSmall(10);
            dropped = true;
            --scale;
        }
        if (dropped && leadingDropped >= 5) {
            m.add(Wide::of(1));
            if (!m.fits96() && scale > 0) { // the carry reached 2^96
                if (m.divSmall(10) >= 5)
                    m.add(Wide::of(1));
                --scale;
            }
        }
        if (!m.fits96())
            throw RuntimeError(ErrorNumber::Overflow);
        Decimal d;
        d.lo_ = m.w[0];
        d.mid_ = m.w[1];
        d.hi_ = m.w[2];
        d.scale_ = scale;
        d.negative_ = negative && !m.isZero();
        return d;
    }

    static Wide scaledUp(const Decimal& d, int toScale)
    {
        Wide m = magnitude(d);
        for (int s = d.scale_; s < toScale; ++s)
            m.mulSmall(10);
        return m;
    }

    static Decimal sum(const Decimal& a, const Decimal& b, bool negateB)
    {
        const int scale = std::max(a.scale_, b.scale_);
        Wide ma = scaledUp(a, scale);
        Wide mb = scaledUp(b, scale);
        const bool nb = b.negative_ != negateB;
        if (a.negative_ == nb) {
            ma.add(mb);
            return make(ma, scale, a.negative_);
        }
        if (ma.compare(mb) >= 0) {
            ma.sub(mb);
            return make(ma, scale, a.negative_);
        }
        mb.sub(ma);
        return make(mb, scale, nb);
    }
};

Decimal Decimal::fromInt(std::int64_t v)
{
    const std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    return DecimalAccess::make(Wide::of(mag), 0, v < 0);
}

Decimal Decimal::fromDouble(double v)
{
    if (!std::isfinite(v))
        throw RuntimeError(ErrorNumber::Overflow);
    const detail::Digits g = detail::digitsOf(v, 15);
    Wide m;
    for (int i = 0; i < g.n; ++i) {
        m.mulSmall(10);
        m.add(Wide::of(static_cast<std::uint64_t>(g.d[i] - '0')));
    }
    // value = digits * 10^(exp - n + 1)
    int scale = g.n - 1 - g.exp;
    while (scale < 0) {
        m.mulSmall(10);
        if (!m.fits96())
            throw RuntimeError(ErrorNumber::Overflow);
        ++scale;
    }
    return DecimalAccess::make(m, scale, g.neg);
}

Decimal Decimal::quotient(std::int64_t num, std::int64_t den)
{
    if (den == 0)
        throw RuntimeError(ErrorNumber::DivisionByZero);
    const bool negative = (num < 0) != (den < 0);
    const std::uint64_t n = num < 0 ? 0 - static_cast<std::uint64_t>(num) : static_cast<std::uint64_t>(num);
    const std::uint64_t d = den < 0 ? 0 - static_cast<std::uint64_t>(den) : static_cast<std::uint64_t>(den);
    Wide m = Wide::of(n / d);
    Wide rem = Wide::of(n % d);
    const Wide divisor = Wide::of(d);
    int scale = 0;
    // Long division, one decimal digit at a time, while the digits still fit.
    while (!rem.isZero() && scale < kMaxScale) {
        Wide next = m;
        next.mulSmall(10);
        Wide nextRem = rem;
        nextRem.mulSmall(10);
        std::uint32_t digit = 0;
        while (nextRem.compare(divisor) >= 0) {
            nextRem.sub(divisor);
            ++digit;
        }
        next.add(Wide::of(digit));
        if (!next.fits96())
            break;
        m = next;
        rem = nextRem;
        ++scale;
    }
    if (!rem.isZero()) {
        Wide twice = rem;
        twice.mulSmall(2);
        if (twice.compare(divisor) >= 0)
            m.add(Wide::of(1));
    }
    return DecimalAccess::make(m, scale, negative);
}

Decimal Decimal::operator+(const Decimal& o) const { return DecimalAccess::sum(*this, o, false); }
Decimal Decimal::operator-(const Decimal& o) const { return DecimalAccess::sum(*this, o, true); }

bool Decimal::isZero() const { return lo_ == 0 && mid_ == 0 && hi_ == 0; }

Decimal Decimal::timesPowerOfTen(int k) const
{
    if (k <= scale_) {
        Decimal d = *this;
        d.scale_ -= k;
        return d;
    }
    Wide m = DecimalAccess::magnitude(*this);
    for (int s = scale_; s < k; ++s) {
        m.mulSmall(10);
        if (!m.fits96())
            throw RuntimeError(ErrorNumber::Overflow);
    }
    return DecimalAccess::make(m, 0, negative_);
}

Decimal Decimal::abs() const
{
    Decimal d = *this;
    d.negative_ = false;
    return d;
}

std::optional<std::int64_t> Decimal::roundHalfUp() const
{
    Wide m = DecimalAccess::magnitude(*this);
    std::uint32_t last = 0;
    for (int s = 0; s < scale_; ++s)
        last = m.divSmall(10);
    if (last >= 5)
        m.add(Wide::of(1));
    if (m.w[2] != 0 || m.w[1] > 0x7fffffffu)
        return std::nullopt;
    const auto mag = static_cast<std::int64_t>((static_cast<std::uint64_t>(m.w[1]) << 32) | m.w[0]);
    return negative_ ? -mag : mag;
}

std::string Decimal::toString(char dec) const
{
    Wide m = DecimalAccess::magnitude(*this);
    char buf[40];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + m.divSmall(10));
    } while (!m.isZero());
    while (n <= scale_)
        buf[n++] = '0';
    std::reverse(buf, buf + n);
    int intLen = n - scale_;
    int end = n;
    while (end > intLen && buf[end - 1] == '0')
        --end;
    std::string out;
    out.reserve(static_cast<std::size_t>(end) + 2);
    if (isNegative())
        out += '-';
    out.append(buf, static_cast<std::size_t>(intLen));
    if (end > intLen) {
        out += dec;
        out.append(buf + intLen, static_cast<std::size_t>(end - intLen));
    }
    return out;
}

} // namespace ov
