// The window's command-line options apart from the SETUP switch: the desktop's search starts
// the window on a topic with a value entered in one of its units, and hands it a text to keep
// on the clipboard.
//   --tema N          the topic to show (1..26, or 26 + n for user topic n)
//   --jednotka U      the unit to enter the value in: its number, symbol or name
//   --hodnota V       the value, in the locale's notation, entered as if typed
//   --schranka TEXT   puts TEXT on the clipboard and keeps it there; no window opens
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace ov::gui {

struct StartRequest {
    int topic = 0; // 0: the stored start topic
    QString unit;
    QString value;
};

StartRequest startRequest(const QStringList& arguments);
// The arguments without the options above and their values, so that a value such as
// "setup" is never taken for the set-up switch.
QStringList withoutStartOptions(const QStringList& arguments);
std::optional<QString> clipboardRequest(const QStringList& arguments);

} // namespace ov::gui
