#include "search.h"

#include <cstdint>

namespace ov {

namespace {

// One character of UTF-8 text at `i`, advancing `i`. A byte that starts no valid sequence
// stands for itself, so a name from an odd file is still compared character by character
// instead of failing. Overlong forms and surrogates are no valid sequence: C0 A3 would
// otherwise turn into a "#" wildcard.
char32_t nextChar(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    int len = (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t cp = len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
    if (len == 0 || i + static_cast<std::size_t>(len) > s.size())
        len = 0;
    for (int k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
            len = 0;
            break;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (len > 1 && (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
        len = 0;
    if (len == 0) {
        ++i;
        return b;
    }
    i += static_cast<std::size_t>(len);
    return cp;
}

// Decodes into `out`, which keeps its storage from name to name.
void decodeInto(std::string_view s, std::u32string& out)
{
    out.resize(s.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size();)
        out[n++] = nextChar(s, i);
    out.resize(n);
}

std::u32string decode(std::string_view s)
{
    std::u32string out;
    decodeInto(s, out);
    return out;
}

// The characters of `chars` occur in `s` in this order, gaps allowed: what the pattern
// "*" + each character + "*" ... matches when none of them is a wildcard.
bool containsInOrder(std::string_view s, const std::u32string& chars)
{
    std::size_t j = 0;
    for (std::size_t i = 0; i < s.size() && j < chars.size();)
        if (nextChar(s, i) == chars[j])
            ++j;
    return j == chars.size();
}

// One element of a compiled pattern.
struct Token {
    enum class Kind { Literal, Any, Digit, Star, List };
    Kind kind;
    char32_t ch = 0;       // Literal
    bool negated = false;  // List
    std::u32string ranges; // List: pairs (from, to)

    static Token of(Kind k, char32_t c = 0) { return Token{k, c, false, {}}; }
};

std::vector<Token> compile(const std::u32string& p)
{
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char32_t c = p[i];
        if (c == U'*') {
            if (tokens.empty() || tokens.back().kind != Token::Kind::Star)
                tokens.push_back(Token::of(Token::Kind::Star));
        } else if (c == U'?') {
            tokens.push_back(Token::of(Token::Kind::Any));
        } else if (c == U'#') {
            tokens.push_back(Token::of(Token::Kind::Digit));
        } else if (c == U'[') {
            const std::size_t close = p.find(U']', i + 1);
            if (close == std::u32string::npos) {
                // An unclosed list is no list: the bracket is an ordinary character.
                tokens.push_back(Token::of(Token::Kind::Literal, c));
                continue;
            }
            Token t = Token::of(Token::Kind::List);
            std::size_t j = i + 1;
            if (j < close && p[j] == U'!') {
                t.negated = true;
                ++j;
            }
            for (; j < close; ++j) {
                char32_t from = p[j], to = p[j];
                if (j + 2 < close && p[j + 1] == U'-') {
                    to = p[j + 2];
                    j += 2;
                }
                t.ranges.push_back(from);
                t.ranges.push_back(to);
            }
            // "[]" stands for nothing at all and matches no character of the text.
            if (!t.ranges.empty() || t.negated)
                tokens.push_back(std::move(t));
            i = close;
        } else {
            tokens.push_back(Token::of(Token::Kind::Literal, c));
        }
    }
    return tokens;
}

bool matchesOne(const Token& t, char32_t c)
{
    switch (t.kind) {
    case Token::Kind::Literal: return c == t.ch;
    case Token::Kind::Any: return true;
    case Token::Kind::Digit: return c >= U'0' && c <= U'9';
    case Token::Kind::List: {
        bool in = false;
        for (std::size_t k = 0; k + 1 < t.ranges.size(); k += 2)
            if (c >= t.ranges[k] && c <= t.ranges[k + 1])
                in = true;
        return in != t.negated;
    }
    case Token::Kind::Star: return false;
    }
    return false;
}

// Greedy matching with a single backtrack point at the last star: linear for the patterns the
// search builds, and never exponential.
bool match(const std::u32string& s, const std::vector<Token>& p)
{
    std::size_t si = 0, pi = 0;
    std::size_t starP = std::string::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi].kind == Token::Kind::Star) {
            starP = pi++;
            starS = si;
        } else if (pi < p.size() && matchesOne(p[pi], s[si])) {
            ++pi;
            ++si;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi].kind == Token::Kind::Star)
        ++pi;
    return pi == p.size();
}

} // namespace

bool LikeMatch(std::string_view text, std::string_view pattern)
{
    return match(decode(text), compile(decode(pattern)));
}

std::string SearchHit::tag() const { return std::to_string(topic) + "-" + std::to_string(unit); }

std::vector<SearchHit> SearchUnits(const UnitDatabase& db, std::string_view text)
{
    std::vector<SearchHit> hits;
    // An empty text would list every slot of every topic; it finds nothing instead.
    if (text.empty())
        return hits;

    // Only the units a topic really has: names behind its count are leftovers that no row of
    // the table shows, so a hit there could not be opened.
    auto each = [&](auto&& visit) {
        for (int t = 1; t <= kBuiltinTopics; ++t)
            for (int u = 1; u <= kMaxUnits && u <= db.unitCount(t); ++u)
                visit(t, u, db.unit(t, u).name);
    };

    each([&](int t, int u, const std::string& name) {
        if (name == text)
            hits.push_back({t, u, name, true});
    });

    // "*" + every character followed by "*" + "*": the characters in order, gaps allowed.
    // Without wildcards among them that is a plain scan of each name.
    const std::u32string chars = decode(text);
    if (text.find_first_of("*?#[") == std::string_view::npos) {
        each([&](int t, int u, const std::string& name) {
            if (containsInOrder(name, chars))
                hits.push_back({t, u, name, false});
        });
        return hits;
    }
    std::u32string pattern = U"*";
    for (char32_t c : chars) {
        pattern.push_back(c);
        pattern.push_back(U'*');
    }
    pattern.push_back(U'*');
    const std::vector<Token> compiled = compile(pattern);
    std::u32string decoded;
    each([&](int t, int u, const std::string& name) {
        decodeInto(name, decoded);
        if (match(decoded, compiled))
            hits.push_back({t, u, name, false});
    });
    return hits;
}

} // namespace ov
