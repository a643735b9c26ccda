// The run-time error model shared by the loader, the engine and the representations.
// A failure carries a number and a Czech description; messages quote both
// ("Chyba 13: Neshoda typů"), as users of the program have always seen them.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace ov {

enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    FileNotFound = 53,
};

// The Czech description of an error number; an unknown number gets a generic text.
std::string_view errorDescription(int number);

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber n);
    int number() const { return number_; }
    std::string_view description() const { return errorDescription(number_); }

private:
    int number_;
};

} // namespace ov
