// Small routines of the auxiliary commands.
#pragma once
#include <string>
#include <string_view>

namespace ov {

// Un-scrambles (and scrambles: it is its own inverse) the about-box texts.
std::string Unscramble(std::string_view text);
// "mailto:" + address + "?Subject=..." (&Body=, &CC=, &BCC= for the non-empty ones), no escaping.
std::string MailtoAddress(std::string_view address, std::string_view subject, std::string_view body,
                          std::string_view copy, std::string_view blindCopy);

} // namespace ov
