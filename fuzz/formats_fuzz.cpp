// The display formats and the grouped form of any double and of any cell text: no crash, and
// every rendering of a number reads back close to it.
#include "core/numtext.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <cmath>
#include <string>

namespace {

std::string withoutSpaces(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (c != ' ')
            out += c;
    return out;
}

void checkValue(double v, int fix, char dec)
{
    const std::string grouped = ov::GroupedFormat(v, dec);
    OV_FUZZ_CHECK(ov::SingleSpaces(grouped) == grouped, "'%s' has a double space", grouped.c_str());
    if (!std::isfinite(v))
        return;
    // Nine decimals at most: the grouped value is the number to within half of the ninth place.
    const std::optional<double> g = ov::ParseNumber(withoutSpaces(grouped), dec);
    OV_FUZZ_CHECK(g.has_value(), "grouped '%s' does not read", grouped.c_str());
    OV_FUZZ_CHECK(std::fabs(*g - v) <= 5.1e-10 + 1e-14 * std::fabs(v), "%.17g grouped as '%s'", v, grouped.c_str());

    const std::string general = ov::FormatGeneral(v, dec);
    for (int f = 0; f <= 3; ++f) {
        const auto shown = ov::RenderInFormat(static_cast<ov::DisplayFormat>(f), general, fix, dec);
        OV_FUZZ_CHECK(shown.has_value(), "'%s' is no number in format %d", general.c_str(), f);
        const std::optional<double> r = ov::ParseNumber(*shown, dec);
        OV_FUZZ_CHECK(r.has_value(), "format %d shows %.17g as '%s', which does not read", f, v, shown->c_str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ovfuzz::Input in(data, size);
    const char dec = in.separator();
    const int fix = in.byte() % 12 - 1; // beyond 0..9 on both sides too
    ov::MakeFixMask(fix);
    checkValue(in.rawDouble(), fix, dec);

    // Any text in a cell: a number is re-rendered, anything else is left alone.
    const std::string cell(in.rest());
    for (int f = 0; f <= 3; ++f) {
        const auto shown = ov::RenderInFormat(static_cast<ov::DisplayFormat>(f), cell, fix, dec);
        OV_FUZZ_CHECK(shown.has_value() == ov::ParseNumber(cell, dec).has_value(), "'%s' in format %d", cell.c_str(),
                      f);
    }
    ov::SingleSpaces(cell);
    if (const auto v = ov::ParseNumber(cell, dec))
        checkValue(*v, fix, dec);
    return 0;
}
