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
    PathFileAccess = 75,
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

// A 151st unit in one topic: the store is refused (number 9) and the user is told the topic is full.
class TopicFullError : public RuntimeError {
public:
    explicit TopicFullError(int topic) : RuntimeError(ErrorNumber::SubscriptOutOfRange), topic_(topic) {}
    int topic() const { return topic_; }

private:
    int topic_;
};

} // namespace ov
