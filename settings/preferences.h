// The preferences read once at start-up, and the procedure that reads them.
#pragma once
#include "core/grid.h"
#include "settings/settingsstore.h"

#include <initializer_list>

#include <QString>

class QWidget;

namespace ov::gui {

// Every value starts at its default, so that a value the user chose to pass over (Ignore) or
// that was never read (Abort) leaves the program in its first-run state, never with zeros.
struct Preferences {
    QString file = QStringLiteral("Omnivel.omv");
    QString path; // program folder + "/" + file unless stored
    QString fileUser = QStringLiteral("User.omv");
    QString pathUser;
    int safeEnd = 1;
    int onlyOne = 0;
    int gridOption = 0; // the options dialog's "Zobrazit mřížku"
    int gridLines = 0;  // what the table shows
    int numBase = 12;
    int numBaseDec = 6;
    int fractionSensitivity = 3;
    double fix = 2;
    QString fixText = QStringLiteral("2"); // the field's text, trimmed, for the menu caption
    int startTopic = 0;
    int level = 0;
    bool showPreview = true;
    bool showMagnifier = false; // only with a start topic (tema > 0)
    bool showInfo = false;
    bool onTop = false;
    int displayFormat = 0;
    int topicView = -1; // 0 large icons, 1 list, -1 leave as it is
    int navigator = -1; // 0 topic list, 1 unit list, -1 leave as it is
    int colored = 1;
    qint32 coloredColor = -2147483634;
    bool evaluateExpressions = false; // arithmetic typed into a cell is evaluated
    bool startHint = true;            // a hint on the start screen until the first topic
    QString fontName = QStringLiteral("MS Sans Serif");
    double fontSize = 8;
    bool fontBold = false;
    bool fontItalic = false;
    qint32 startCount = 0;
    qint32 conversionTotal = 0;
    qint64 totalSeconds = 0;    // seconds of all runs, as shut-down and "Vymazat" store it
    bool rememberMarks = false; // the marks of every topic kept from run to run
    bool keepHistory = false;   // the history of conversions kept from run to run

    bool operator==(const Preferences&) const = default;
};

// Reads the store into prefs, key by key in the order the program always has. A value that
// cannot be used asks "Chyba načítání z registrů." with Abort (stop reading, keep the rest at
// their defaults), Retry (read the file again) and Ignore (keep the default, go on).
// Returns false when the user chose Abort.
bool readPreferences(SettingsStore& store, Preferences& prefs, QWidget* parent = nullptr);

// Writes the given keys from prefs, each in its stored text form (the options dialog's OK, the
// font choice, the counters at start-up and shut-down). Call store.sync() to write the file.
void writePreferences(SettingsStore& store, const Preferences& prefs, std::initializer_list<Key> keys);
// Whether writePreferences can write the key.
bool isWritten(Key key);

// The stored colour of the entered value: a system colour (high bit set, index in the low
// byte) or a colour written blue-green-red, the way the settings have always held it.
ov::TextColour storedColour(qint32 value);

} // namespace ov::gui
