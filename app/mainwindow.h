// The main window frmOmnivelor: it owns the unit database and composes the parts (commands,
// navigator, conversion table) in the window layout. It holds no conversion logic: it passes
// the parts' signals to each other and runs start-up and shut-down through the lifecycle.
#pragma once
#include "core/unitdb.h"
#include "settings/nactinastaveni.h"
#include "settings/settingsstore.h"

#include <QFont>
#include <QMainWindow>
#include <memory>

namespace ov::gui {

class Commands;
class ConversionTable;
class Lifecycle;
class Navigator;
class SingleInstance;
class SplashWindow;
class Workspace;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up with the program's arguments; false when the program ended during it (the
    // set-up switch confirmed, or another copy running): then there is no event loop to run.
    bool start(const QStringList& arguments);
    // Shut-down (Ukonceni): stores the placement, names and counters, asks when wanted.
    void ukonceni();
    // True once the shut-down has run to its end.
    bool ended() const;

    // The parts, for the lifecycle and for tests.
    ov::UnitDatabase& database() { return db_; }
    SettingsStore& store() { return *store_; }
    Preferences& preferences() { return prefs_; }
    Commands* commands() const { return commands_; }
    Navigator* navigator() const { return navigator_; }
    ConversionTable* table() const { return table_; }
    Workspace* workspace() const { return workspace_; }
    SplashWindow* splash() const { return splash_.get(); }
    SingleInstance* instance() const { return instance_; }

    // What the settings ask for, applied to the parts (after NactiNastaveni).
    void applyPreferences();
    // Reads both data files at a level 0..3 (messages through the dialog service).
    void loadDataFiles(int level);
    // While on (start-up, which reads the data files twice), a message about the data files
    // that has been shown once is not shown again.
    void setQuietRepeats(bool on);
    // The level command: check mark, panel, reload, table again, focus to the table.
    void applyLevel(int level);
    // Always on top, as the menu item "Vždy n&avrchu" sets it.
    void setOnTop(bool on);
    // The short preview follows the toolbar button "Náhled".
    void nahledOnOff();
    char decimalSeparator() const { return decimal_; }
    // The font of the data-file editor, from the Edit section; "Písmo..." changes and stores it.
    QFont editFont() const;
    void chooseEditFont();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectParts();
    void onCommand(const QString& name, int index);
    void onPanelClicked(const QString& key);
    void popupMenu(const QString& menuName, const QPoint& globalPos);
    void paneFollowsButton(const QString& menuName, const QString& buttonKey);
    void showConversionPane();
    void setTitleText(const QString& title);

    ov::UnitDatabase db_;
    std::unique_ptr<SettingsStore> store_;
    Preferences prefs_;
    char decimal_ = ',';
    bool quietRepeats_ = false;
    QStringList shownMessages_;
    Commands* commands_ = nullptr;
    Navigator* navigator_ = nullptr;
    ConversionTable* table_ = nullptr;
    Workspace* workspace_ = nullptr;
    SingleInstance* instance_ = nullptr;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<Lifecycle> lifecycle_;
};

// Qt's own texts (standard buttons, file and font dialogs, text box menus) in Czech, like the
// rest of the program; false when the translation is not installed on this system.
bool installQtTranslation();

// The program's decimal separator from the default locale, as one character for the core.
char localeDecimalSeparator();

} // namespace ov::gui
