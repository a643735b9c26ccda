// "Aktuální jako" on any cell text with any base, places and sensitivity: no crash, and the
// texts that claim a value say it right.
#include "core/represent.h"
#include "core/numtext.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using Kind = ov::RepresentationResult::Kind;

// The digits of a whole number in a base read back (exact below 2^53).
double readDigits(const std::string& digits, int base)
{
    double v = 0;
    for (char c : digits)
        v = v * base + (c <= '9' ? c - '0' : c - 'A' + 10);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ovfuzz::Input in(data, size);
    const char dec = in.separator();
    const int base = in.byte() % 40 - 4; // the settings keep 2..32; go beyond on both sides
    const int places = in.byte() % 24 - 4;
    const int sensitivity = in.byte() % 14 - 2;
    const double raw = in.rawDouble();
    const std::string cell(in.rest());

    const bool number = ov::ParseNumber(cell, dec).has_value();
    for (int k = 0; k <= 4; ++k) {
        const auto r = ov::BaseResult(cell, static_cast<ov::BaseKind>(k), base, places, dec);
        OV_FUZZ_CHECK((r.kind == Kind::Empty) == cell.empty(), "base %d of '%s'", k, cell.c_str());
        OV_FUZZ_CHECK((r.kind == Kind::NotANumber) == (!cell.empty() && !number), "base %d of '%s'", k, cell.c_str());
    }
    const auto roman = ov::RomanResult(cell, dec);
    OV_FUZZ_CHECK(roman.kind != Kind::Ok || !roman.text.empty(), "Roman numeral of '%s' is empty", cell.c_str());
    const auto fraction = ov::FractionResult(cell, sensitivity, dec);
    OV_FUZZ_CHECK(fraction.kind != Kind::Ok || !fraction.text.empty(), "fraction of '%s' is empty", cell.c_str());

    // The digit routines on any double: whole digits read back to the whole part.
    const int b = std::clamp(base, 2, 32); // as DigitsInBase keeps it
    const std::string digits = ov::DigitsInBase(raw, base);
    if (std::isfinite(raw) && std::fabs(raw) < 9007199254740992.0)
        OV_FUZZ_CHECK(readDigits(digits, b) == std::floor(std::fabs(raw)), "%.17g in base %d is %s", raw, b,
                      digits.c_str());
    const std::string fractionDigits = ov::FractionDigitsInBase(raw, base, places);
    OV_FUZZ_CHECK(fractionDigits.size() <= static_cast<std::size_t>(places < 0 ? 0 : places), "%zu places",
                  fractionDigits.size());
    ov::RomanNumeral(raw);
    ov::FractionText(raw, sensitivity, dec);
    ov::BinaryDigits(static_cast<std::int16_t>(in.byte() << 8 | in.byte()));
    return 0;
}
