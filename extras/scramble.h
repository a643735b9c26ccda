// The about box's credit, licence and mail texts are kept in the program only scrambled, so
// that they are not found by looking through the binary for them. Unscramble undoes the
// scrambling; it is its own inverse, so the same routine makes the stored form.
#pragma once
#include <QString>
#include <string>
#include <string_view>

namespace ov::gui {

// Byte by byte (Windows-1250 codes): each byte XOR floor(r × 255) with r the next number of the
// generator, reset and seeded with 382619 at every call.
std::string Unscramble(std::string_view bytes);
// The stored Windows-1250 bytes undone, as text.
QString UnscrambleText(std::string_view stored);

// The stored texts.
std::string_view scrambledCredit();    // caption of label 2
std::string_view scrambledLicence();   // tooltip of label 2
std::string_view scrambledMailLabel(); // caption of label 10

} // namespace ov::gui
