// What the whole program shares, owned by main() and passed by reference to the main window,
// its parts and the secondary windows: the unit database with its row marks, the settings
// store, the preferences read from it and the decimal separator.
//
// One writer for each piece: the loader fills the database (topic names through
// UnitDatabase::setTopicName, hiding reduces a topic to its marked units), NactiNastaveni and the windows that change a
// preference write `prefs`, and every write to the settings file goes through `store`.
#pragma once
#include "core/marks.h"
#include "core/unitdb.h"
#include "settings/preferences.h"
#include "settings/settingsstore.h"

namespace ov::gui {

struct AppContext {
    // The settings file in the user's configuration folder, or another one (tests).
    AppContext();
    explicit AppContext(const QString& settingsFile);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    ov::UnitDatabase db;
    ov::MarkState marks; // the row marks of every topic; cleared by every reload, unless kept
    SettingsStore store;
    Preferences prefs;
    char decimal;
};

} // namespace ov::gui
