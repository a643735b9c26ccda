// Arithmetic typed into a cell: whatever the text, evaluating it does not crash, a value is a
// finite number, a refusal is one of the failures a bad number gives, and a text that is a
// plain number evaluates to the number the reader makes of it (or overflows as it does).
#include "core/expression.h"
#include "core/numtext.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <cmath>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ovfuzz::Input in(data, size);
    const char dec = in.separator();
    const std::string typed(in.rest());
    const ov::ExpressionResult r = ov::EvaluateExpression(typed, dec);
    if (r.ok()) {
        OV_FUZZ_CHECK(std::isfinite(r.value), "'%s' gives %g", typed.c_str(), r.value);
    } else {
        const ov::ErrorNumber n = *r.failure;
        OV_FUZZ_CHECK(n == ov::ErrorNumber::Overflow || n == ov::ErrorNumber::DivisionByZero ||
                          n == ov::ErrorNumber::TypeMismatch,
                      "'%s' fails with %d", typed.c_str(), static_cast<int>(n));
    }
    const ov::NumberReading number = ov::ReadNumber(typed, dec);
    if (number.value && std::isfinite(*number.value))
        OV_FUZZ_CHECK(r.ok() && r.value == *number.value, "the number '%s' evaluates differently", typed.c_str());
    if (number.tooLarge)
        OV_FUZZ_CHECK(r.failure == ov::ErrorNumber::Overflow, "the number '%s' is no overflow", typed.c_str());
    return 0;
}
