#include "errors.h"

#include <array>

namespace ov {

namespace {

struct ErrorText {
    int number;
    std::string_view description;
};

constexpr std::array kErrorTexts{
    ErrorText{6, "Přetečení"},
    ErrorText{9, "Index mimo rozsah"},
    ErrorText{11, "Dělení nulou"},
    ErrorText{13, "Neshoda typů"},
    ErrorText{53, "Soubor nebyl nalezen"},
    ErrorText{75, "Chyba přístupu k cestě nebo souboru"},
};

constexpr std::string_view kUnknownError = "Chyba definovaná aplikací nebo objektem";

std::string whatText(int number)
{
    return "Chyba " + std::to_string(number) + ": " + std::string(errorDescription(number));
}

} // namespace

std::string_view errorDescription(int number)
{
    for (const auto& e : kErrorTexts)
        if (e.number == number)
            return e.description;
    return kUnknownError;
}

RuntimeError::RuntimeError(ErrorNumber n)
    : std::runtime_error(whatText(static_cast<int>(n))), number_(static_cast<int>(n))
{
}

} // namespace ov
