// Small rules every Qt folder shares, each written once: the application title, twips, the
// decimal separator, texts from the core, the busy pointer.
#pragma once
#include "core/messages.h"
#include "gui/dialogservice.h"

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

class QLabel;

namespace ov::gui {

// The title of the program's message boxes and of its splash window.
QString appTitle();

// Lengths the user knows from the settings file are in twips. The window was laid out for a
// desktop font of 8 points, where 15 twips make a pixel; on a desktop with a larger font every
// length grows with it, so that the texts still fit and a stored size means the same there.
inline constexpr int kTwipsPerPixel = 15; // at the reference font
inline constexpr double kReferenceFontPoints = 8.0;
// The desktop font's size over the reference (1 before the application exists).
double fontScale();
int twipsToPixels(double twips);
int pixelsToTwips(int pixels);

// The main window never gets smaller than this, and opens at the default size on a first run.
inline constexpr int kMinWidthTwips = 7590;
inline constexpr int kMinHeightTwips = 6255;
inline constexpr int kDefaultWidthTwips = 7590;
inline constexpr int kDefaultHeightTwips = 6285;
// The splitter keeps the navigator at least this wide and leaves the panes on the right at
// least the second width of the window.
inline constexpr int kMinSplitterTwips = 550;
inline constexpr int kMinRightTwips = 4000;
// The toolbar's pictures: 16 pixels at the reference font.
inline constexpr int kToolIconTwips = 240;
// Wide enough for the navigator's tab captions and the longest built-in topic name.
inline constexpr int kDefaultSplitterTwips = 2300;

// The program's decimal separator from the default locale, as one character for the core;
// a separator beyond ASCII falls back to the point.
char localeDecimalSeparator();

// A text of the core (UTF-8) for Qt.
inline QString fromStd(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
// The core ends message lines with CR LF; Qt's labels and boxes break lines at LF.
QString displayText(std::string_view s);
QString displayText(QString text);
// A caption without its accelerator marks ("&Soubor" -> "Soubor", "A&&B" -> "A&B").
QString plainCaption(const QString& caption);

// Qt's own texts (standard buttons, file and font dialogs, text box menus) in Czech, like the
// rest of the program; false when the translation is not installed on this system.
bool installQtTranslation();

// The contrast ratio of two colours as WCAG counts it (1 to 21).
double textContrast(const QColor& a, const QColor& b);
// The colour moved step by step towards `towards` until text in it reaches the contrast
// `wanted` on the background; the hue it had is kept as far as that allows.
QColor readableOn(QColor colour, const QColor& background, const QColor& towards, double wanted);

// A label is read by what it shows: a label whose text changes keeps its accessible name in
// step with it, and its description says what the value is (read alone while it is empty).
void setLabelText(QLabel* label, const QString& text);

// The box icon for a message of the core.
DialogService::Icon dialogIcon(ov::MessageIcon icon);

// A pointer shape for as long as the guard lives: the wait pointer while the program is busy,
// an arrow while a box asks something meanwhile. Guards nest; the inner one wins.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape);
    ~OverrideCursor();
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

} // namespace ov::gui
