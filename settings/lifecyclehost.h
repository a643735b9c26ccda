// What start-up and shut-down ask of the main window, so that they run in the order the
// program has always taken without knowing how the window is put together.
#pragma once
#include <QStringList>

class QWidget;

namespace ov::gui {

class LifecycleHost {
public:
    virtual ~LifecycleHost() = default;

    virtual QWidget& mainWidget() = 0;   // placed, shown, closed
    virtual void applyPreferences() = 0; // after NactiNastaveni
    virtual void loadDataFiles(int level) = 0;
    // While on, a data-file message shown once is not shown again (start-up reads twice).
    virtual void setQuietRepeats(bool on) = 0;
    // The navigator's names from the settings (empty: the built-in name), menus included.
    virtual void setTopicNames(const QStringList& topics, const QStringList& userTopics) = 0;
    // The names as the navigator shows them now, for shut-down.
    virtual QStringList topicNames(bool userTopics) const = 0;
    virtual void fillUnitList() = 0;
    virtual void updateCounts() = 0;
    virtual void setOnTop(bool on) = 0;
    virtual int splitterPosition() const = 0;
    virtual void setSplitterPosition(int twips) = 0;
    virtual void showStartTopic(int topic) = 0; // 0: the start screen
    virtual void applyLevel(int level) = 0;
    virtual void focusShownList() = 0;
    // The value entered in the row of the unit (its number, symbol or name) of the topic on
    // show, as if typed there; nothing for a unit the topic does not have.
    virtual void enterValue(const QString& unit, const QString& value) = 0;
    virtual long conversionCount() const = 0;
    virtual void raiseWindow() = 0; // a refused second copy asked for it
    virtual void showOptions() = 0; // the options dialog, modally
};

} // namespace ov::gui
