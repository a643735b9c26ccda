// What the options dialog asks of the main window: the state the window changes while it runs
// (the dialog shows it as it is), and applying the choices of OK. The dialog stores the
// preferences itself; the window only makes them visible.
#pragma once
#include <QStringList>
#include <QtGlobal>

namespace ov::gui {

// The window's own state that the dialog mirrors: menus and the toolbar change it too.
struct LiveOptions {
    bool showPreview = true; // the pane switches: short preview, magnifier, information
    bool showMagnifier = false;
    bool showInfo = false;
    int displayFormat = 0; // display format 0..3
    int navigator = 0;     // 0 topic list, 1 unit list
    int topicView = 1;     // 0 large icons, 1 list
    bool marking = true;   // "Barevné značení"
    int level = -1;        // the level last chosen from the menu or by OK; -1: the stored one
};

class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    virtual LiveOptions liveOptions() const = 0;
    // OK: the preferences in the context are already the chosen ones; `before` is what the
    // window showed when the dialog opened, so that only what changed is switched.
    virtual void applyOptions(const LiveOptions& before, const LiveOptions& chosen) = 0;
    // The names of topics 1..26 as the navigator shows them; empty before it is filled.
    virtual QStringList startTopicNames() const = 0;
    // While a data file is open in the editor, the files cannot be changed under it.
    virtual bool editingDataFile() const = 0;
    // The conversions (stored and this run's) and the running time of this run.
    virtual long conversionCount() const = 0;
    virtual qint64 runningSeconds() const = 0;
    // "Vymazat": one start, no conversions, no time, stored at once; this run counts anew.
    // False when the settings file could not be written.
    virtual bool clearCounters() = 0;
};

} // namespace ov::gui
