// Comparing the names users type with the names in the data files: case folding, and a loose
// form for a word typed without diacritics.
#pragma once
#include <string>
#include <string_view>

namespace ov {

// Case-insensitive comparison of UTF-8 texts: ASCII, Latin-1 and Latin Extended-A letters
// (every letter of Czech and of the other languages unit names are written in) in lower case.
std::string foldCase(const std::string& s);

// The text as someone types it on a keyboard without the letters: diacritics dropped ("Míle"
// -> "mile"), the degree sign and the middle dot dropped ("°C" -> "c", "kW·h" -> "kwh"), micro as "u", superscript
// digits as digits
// ("m²" -> "m2"); in lower case unless keepCase ("°C" -> "C"). Other characters stay as they are.
std::string looseForm(std::string_view s, bool keepCase = false);

// True when the text is plain ASCII (a word typed without diacritics).
bool isPlainAscii(std::string_view s);

} // namespace ov
