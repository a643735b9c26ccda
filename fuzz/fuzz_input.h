// Splits a fuzzer's bytes into the choices a user makes (separator, level, base...) and the
// text they type. Every byte sequence is a valid input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ovfuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    // One byte of choice, 0 when the input is used up.
    std::uint8_t byte()
    {
        if (rest_.empty())
            return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    char separator() { return (byte() & 1) ? '.' : ','; }
    // Eight raw bytes as a double (any bit pattern: NaN, infinities, subnormals).
    double rawDouble()
    {
        unsigned char b[sizeof(double)] = {};
        for (auto& c : b)
            c = byte();
        double v;
        std::memcpy(&v, b, sizeof v);
        return v;
    }
    // Up to the first NUL (dropped) or the end.
    std::string_view text()
    {
        const auto nul = rest_.find('\0');
        const std::string_view t = rest_.substr(0, nul);
        rest_.remove_prefix(nul == std::string_view::npos ? rest_.size() : nul + 1);
        return t;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

} // namespace ovfuzz
