// What the print command writes, and the two places it writes it: the printer (or a PDF file in
// its place) and the print copy file OMNIVEL.ASC, which grows with every output.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QFont;
class QPrinter;

namespace ov::gui {

// A piece of a printed line that starts at a column, counted from 1 as a text editor counts.
struct PrintSegment {
    int column = 1;
    QString text;
};
using PrintLine = QList<PrintSegment>;

// One table row as printed: the unit name, its symbol at column 30, its value at column 40.
PrintLine tableRowLine(const QString& name, const QString& symbol, const QString& value);
inline PrintLine plainLine(const QString& text) { return {PrintSegment{1, text}}; }

// The line as text, padded with spaces to each column; a text that already passes a column
// continues at that column on a new line (CR LF).
QString lineText(const PrintLine& line);

// Prints the lines in the font, measuring the columns in its average character width; a new
// page begins where the page is full. False with the reason when the printer cannot print.
bool printLines(QPrinter& printer, const QFont& font, const QList<PrintLine>& lines, QString* error);

inline constexpr int kSeparatorLength = 60;

// Adds the texts, each as a line, to the print copy file, after a line of 60 hyphens when
// `separate`; `erase` replaces what the file held. The whole file is written anew in one go, so
// a failure leaves it as it was. A file that was written in Windows-1250 stays in it; otherwise
// UTF-8. The folder is created when needed. False with the reason on failure.
bool appendToCopy(const QString& path, const QStringList& texts, bool erase, bool separate, QString* error);

// The lines of the print copy file, as it is encoded; empty when it cannot be read.
QStringList readCopy(const QString& path);

} // namespace ov::gui
