// The program's own pictures, compiled in from resources/icons.qrc.
#pragma once
#include <QIcon>
#include <QString>
#include <QStringList>

namespace ov::gui {

// A topic picture by its catalogue key ("Delka" .. "Nasobky") or "User"; large = the 32 px
// drawing, otherwise the 16 px one. An unknown key gives the "User" picture rather than nothing.
QIcon topicIcon(const QString& key, bool large);

// A toolbar picture by its button or image key, with or without diacritics ("Otevřít",
// "Otevrit", "Zpět", "Bin", "AktualniJako"...). A null icon for an unknown key.
QIcon toolIcon(const QString& key);

// The grid's cell pictures: "info", "mark" and "blank" (all drawn at the same size).
QIcon cellIcon(const QString& key);

// Every key the helpers above know, for checks and pickers.
QStringList topicIconKeys(); // the 26 topic keys then "User"
QStringList toolIconKeys();  // the toolbar keys as the toolbar names them
QStringList cellIconKeys();

} // namespace ov::gui
