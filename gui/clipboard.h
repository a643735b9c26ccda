// The system clipboard as the program uses it: plain text out, one number in. Every command
// that writes or reads the clipboard goes through here.
#pragma once
#include <QString>
#include <optional>

namespace ov::gui {

// Puts the text on the clipboard as plain text, replacing what was there.
void putClipboardText(const QString& text);

// The clipboard's text when it is one number in the locale's notation: surrounding blanks and a
// trailing line break (as a spreadsheet copies a cell) are dropped; a text with a line break
// inside or longer than 100 characters is no number. nullopt for anything else, including an
// empty clipboard or a picture.
std::optional<QString> clipboardNumber(char decimalSeparator);

// Puts the text on the clipboard and runs until another program takes the clipboard (X11 keeps
// a text only while its owner runs; a clipboard manager is handed it at the end). Returns the
// exit code: 0, or 1 when the clipboard could not be had.
int holdClipboardText(const QString& text);

} // namespace ov::gui
