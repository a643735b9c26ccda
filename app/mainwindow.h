// The main window frmOmnivelor: the composition root. It builds the parts (commands, navigator,
// conversion table) into the window layout, connects what one part reports to another, binds
// the few commands that belong to the window as a whole, and lets the lifecycle run start-up
// and shut-down through the LifecycleHost interface. It holds no conversion logic.
#pragma once
#include "settings/lifecyclehost.h"
#include "settings/optionshost.h"

#include <QFont>
#include <QMainWindow>
#include <memory>

namespace ov::gui {

struct AppContext;
class Commands;
class CompactPanel;
class ConversionTable;
class DataFileEditor;
class Extras;
class HistoryWindow;
class InfoPane;
class Lifecycle;
class Magnifier;
class Navigator;
class OptionsDialog;
class RowMarking;
class SearchPane;
class Printing;
class Recorder;
class SplashWindow;
class Workspace;

class MainWindow : public QMainWindow, private LifecycleHost, private OptionsHost {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up with the program's arguments; false when the program ended during it (the
    // set-up switch confirmed, or another copy running): then there is no event loop to run.
    bool start(const QStringList& arguments);
    // Shut-down (Ukonceni): stores the placement, names and counters, asks when wanted.
    void shutDown();
    // True once the shut-down has run to its end.
    bool ended() const;
    // "Vymazat" of the options dialog: the stored usage counters and this run's start again;
    // false when the settings file could not be written.
    bool clearCounters() override;

    // The parts, as the window shows them.
    Commands* commands() const { return commands_; }
    Navigator* navigator() const { return navigator_; }
    ConversionTable* table() const { return table_; }
    Workspace* workspace() const { return workspace_; }
    CompactPanel* compactPanel() const { return compact_; }
    Extras* extras() const { return extras_; }
    Recorder* recorder() const { return recorder_; }
    Printing* printing() const { return printing_; }
    HistoryWindow* historyWindow() const { return history_; }
    SplashWindow* splash() const;
    // Made when first wanted: most runs never open it, and it is five pages of controls.
    OptionsDialog* optionsDialog();
    DataFileEditor* dataFileEditor() const { return editor_; }

    Magnifier* magnifier() const { return magnifier_; }
    InfoPane* infoPane() const { return infoPane_; }
    SearchPane* searchPane() const { return searchPane_; }

    // Reads both data files again at the level checked in the menu: all row marks and hidden
    // states go, the unit list, the counts and the search results are renewed, and the topic on
    // show (if any) is put into the table again. "Zobrazit", a level change, saving a data
    // file and start-up all come here.
    void reload();

    // The font of the data-file editor, from the Edit section; "Písmo..." changes and stores it.
    QFont editFont() const;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectParts();
    // The system asks the program to end (the session ends, or kill): shut-down without
    // questions, since nobody may be there to answer them, at once also while a dialog is open.
    void endRequested();
    // What ends with the program once shut-down has run: the recording, the kept history.
    void afterEnd(bool askedByUser);
    void applyFontScale();
    void bindWindowCommands();
    void showConversionPane();
    void chooseEditFont();
    int checkedLevel() const;

    // Data-file editing (app/windowediting.cpp)
    void bindEditingCommands();
    void openDataFile(int index); // mnuEdit(0..1)
    void saveDataFile();          // mnuUlozit(1)
    void closeDataFile();         // mnuUlozit(0)

    // LifecycleHost
    QWidget& mainWidget() override { return *this; }
    void applyPreferences() override;
    void applyTablePreferences();
    void setPaneSwitches(bool showPreview, bool showMagnifier, bool showInfo);
    void loadDataFiles(int level) override;
    void setQuietRepeats(bool on) override;
    void setTopicNames(const QStringList& topics, const QStringList& userTopics) override;
    QStringList topicNames(bool userTopics) const override;
    void fillUnitList() override;
    void updateCounts() override;
    void setOnTop(bool on) override;
    int splitterPosition() const override;
    void setSplitterPosition(int twips) override;
    void showStartTopic(int topic) override;
    void applyLevel(int level) override;
    void focusShownList() override;
    void enterValue(const QString& unit, const QString& value) override;
    long conversionCount() const override;
    void raiseWindow() override;
    void showOptions() override;

    // OptionsHost (app/windowoptions.cpp)
    LiveOptions liveOptions() const override;
    void applyOptions(const LiveOptions& before, const LiveOptions& chosen) override;
    QStringList startTopicNames() const override;
    bool editingDataFile() const override;
    qint64 runningSeconds() const override;

    AppContext& ctx_;
    bool quietRepeats_ = false;
    int levelOption_ = -1;        // the level option of the options dialog; -1 until a level is chosen
    bool started_ = false;        // start-up has run to its end
    bool endPending_ = false;     // the system asked to end while start-up was running
    bool refusedDialogs_ = false; // this window's end refuses every dialog
    QStringList shownMessages_;
    Commands* commands_ = nullptr;
    Navigator* navigator_ = nullptr;
    ConversionTable* table_ = nullptr;
    Workspace* workspace_ = nullptr;
    CompactPanel* compact_ = nullptr;
    Extras* extras_ = nullptr;
    Magnifier* magnifier_ = nullptr;
    InfoPane* infoPane_ = nullptr;
    SearchPane* searchPane_ = nullptr;
    RowMarking* rowMarking_ = nullptr;
    Recorder* recorder_ = nullptr;
    Printing* printing_ = nullptr;
    HistoryWindow* history_ = nullptr;
    OptionsDialog* options_ = nullptr;
    DataFileEditor* editor_ = nullptr;
    std::unique_ptr<Lifecycle> lifecycle_;
};

} // namespace ov::gui
