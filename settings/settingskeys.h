// Every key of the per-user settings file, in one table: section, key name, text form,
// default and the range a stored value must lie in to be used.
#pragma once
#include <QString>
#include <QtGlobal>

namespace ov::gui {

enum class Section { General, Start, Navigator, Edit, Marks };

// How a value is written as text and read back.
enum class ValueKind {
    Text,    // any text
    Integer, // decimal text, within [min, max]
    Number,  // decimal text, a fraction allowed, within [min, max]
    Boolean, // "True" / "False"
    Time,    // "H:MM:SS" (hours not limited), "0" for none
};

enum class Key {
    // Obecne
    File,
    Path,
    FileUser,
    PathUser,
    SafeEnd,
    FractionSensitivity,
    Fix,
    Level,
    Preview,
    Magnifier,
    Info,
    OnTop,
    DisplayFormat,
    TopicView,
    Navigator,
    Colored,
    ColoredColor,
    ConversionTotal,
    TotalTime,
    Expressions,
    RememberMarks,
    KeepHistory,
    // Start
    StartCount,
    OnlyOne,
    Grid,
    NumBase,
    NumBaseDec,
    StartTopic,
    Left,
    Top,
    Width,
    Height,
    WindowState,
    SplitterPosition,
    StartHint,
    // Edit
    FontName,
    FontSize,
    FontBold,
    FontItalic,
    UnsavedFile,
    UnsavedCopy,
    Count
};

struct KeyInfo {
    Key key;
    Section section;
    const char* name;
    ValueKind kind;
    // Default text; nullptr where the default is computed at the moment of reading
    // (the data-file paths from the program folder, the centred window position).
    const char* defaultText;
    double min = 0;
    double max = 0;
};

const KeyInfo& keyInfo(Key key);
QString sectionName(Section section);
// "Start/Grid": how a key is named in messages.
QString keyPath(Key key);

// Sections Navigator and Oznacene: "S1".."S26" for the built-in topics, "U1".."U20" for the
// user topics.
QString navigatorKey(bool userTopic, int n);
// The same key for a topic number (1..26, or 26 + n for user topic n).
QString topicKey(int topic);

// The text form of a value of each kind.
QString boolText(bool value);
QString timeText(qint64 seconds);

} // namespace ov::gui
