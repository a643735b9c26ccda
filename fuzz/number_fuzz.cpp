// Typed numbers: whatever the text, reading it does not crash, and a number that is read
// renders in the general form and reads back as the same value, in either locale.
#include "core/numtext.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <cfloat>
#include <cmath>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ovfuzz::Input in(data, size);
    const char dec = in.separator();
    const std::string typed(in.rest());
    const std::optional<double> v = ov::ParseNumber(typed, dec);
    if (!v || !std::isfinite(*v))
        return 0;

    const std::string shown = ov::FormatGeneral(*v, dec);
    const std::optional<double> back = ov::ParseNumber(shown, dec);
    OV_FUZZ_CHECK(back.has_value(), "'%s' renders as '%s', which does not read", typed.c_str(), shown.c_str());
    // Fifteen significant digits: the value comes back to their last place, and a second
    // rendering changes nothing.
    if (std::fabs(*v) >= DBL_MIN)
        OV_FUZZ_CHECK(std::fabs(*back - *v) <= 5.1e-15 * std::fabs(*v), "'%s' -> '%s' -> %.17g", typed.c_str(),
                      shown.c_str(), *back);
    const std::string again = ov::FormatGeneral(*back, dec);
    OV_FUZZ_CHECK(again == shown, "'%s' renders as '%s', then as '%s'", typed.c_str(), shown.c_str(), again.c_str());
    // What the table shows is read exactly: a shown text is its own fixed point.
    const std::optional<double> third = ov::ParseNumber(again, dec);
    OV_FUZZ_CHECK(third && *third == *back, "'%s' reads differently twice", again.c_str());
    return 0;
}
