// The command layer of the main window: the menu bar, the toolbar tlbLista and the status bar
// staStav, built from the rows of commandtable, with the rules that enable, check and show the
// commands as the window's state changes.
//
// Every command is one of cmd::Command (control "mnuSoustava", "mnuKonec") and arrives with the
// index (-1 for a single control). Each part of the program binds the commands it serves where
// its own code lives: bind(command, handler). Toolbar buttons and drop-down items run
// the menu command they stand for: "Zpět" as ("mnuNavigace", 1), the "Jako" button as the
// representation it repeats. The pane switches "Náhled", "Lupa" and "Info" are one checkable
// action each, shared by the menu item and the toolbar button, so both always show one state;
// the handler reads it from the action. Display formats and levels arrive with their check mark
// and status panel already updated (formatZ, setLevel); the option groups (mnuNavigator,
// mnuIkony, mnuNahledUkazuje) with the chosen item checked; mnuOnTop and mnuBarvy with their
// mark already inverted, so the mark is the new state. A shortcut of an item whose menu is
// disabled does nothing. The signals only report what ran and where it came from.
//
// Enable the commands through the setters below rather than action()->setEnabled(): editing a
// data file blocks some of them for a while and gives each its own state back afterwards.
#pragma once
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "gui/commandtable.h"

class QAction;
class QActionGroup;
class QLabel;
class QMainWindow;
class QMenu;
class QPoint;
class QToolBar;
class QToolButton;

namespace ov {
struct UnitDatabase;
}

namespace ov::gui {

class Commands : public QObject {
    Q_OBJECT
public:
    // Fills the window's menu bar, adds the toolbar and sets up its status bar.
    explicit Commands(QMainWindow* window);
    // The toolbar's pictures sized for the desktop font; again when the font changes.
    void applyFontScale();

    using Handler = std::function<void(int index)>;
    // The handler of a command; one handler per command.
    void bind(cmd::Command command, Handler handler);
    bool isBound(cmd::Command command) const { return bool(handlers_[std::size_t(command)]); }
    // What is wrong with the bindings, one line each: a command neither bound nor listed as
    // inert, or both, or a pop-up menu the table has no row for. The started window refuses to
    // run with any.
    QStringList bindingProblems() const;
    // What a click on a status panel does, by panel key.
    void bindPanel(const QString& key, std::function<void()> handler);

    // Menu items by control name ("mnuKonec", "mnuSoustava_0"; a submenu's own item by the
    // submenu's name, "mnuA"), toolbar buttons and drop-down items by "tlb_" + key.
    // An unknown name is a programming error and stops the program.
    QAction* action(const QString& objectName) const;
    // The item of a command, by its index for a command with several (-1 for a single one).
    QAction* action(cmd::Command command, int index = -1) const;
    // Any menu or submenu by name, for pop-up use: "mnuA", "mnuTab", "mnuEditace", "mnuPrejit",
    // "mnuUroven", "mnuKN", "mnut".
    QMenu* menu(const QString& objectName) const;
    // Pops a menu of the window up at a screen position.
    void popupMenu(cmd::Menu menu, const QPoint& globalPos) const;
    QToolBar* toolBar() const { return toolBar_; }
    // Closes the toolbar's overflow panel (the buttons a narrow window has no room for) when it
    // is open; false when there was none to close.
    bool closeToolBarOverflow();
    QLabel* panel(const QString& key) const;

    // Status bar panels by key ("Navi", "Temata", "Veličiny", "TVeličiny", "Uroven", "Presnost").
    void setPanelText(const QString& key, const QString& text);
    void setPanelText(const QString& key, const QString& text, const QString& toolTip);
    QString panelText(const QString& key) const;
    QString panelToolTip(const QString& key) const;
    // The single-text style shows "Editace jednotek" in place of the panels.
    void setSingleTextStyle(bool on);
    bool singleTextStyle() const { return singleText_; }

    // Availability rules.
    void firstDisplay();         // a topic is displayed
    void editModeOnOff(bool on); // a data file opened / closed for editing
    bool editMode() const { return editMode_; }
    void setNavigation(bool canPrev, bool canNext);
    void setHideEnabled(bool on);           // the topic has at least 2 marked units
    void setHideActiveEnabled(bool on);     // "Skrýt aktivní": the topic may be reduced
    void setRepresentationEnabled(bool on); // result line and current cell both non-empty
    void setCopyEnabled(bool on);
    void setPasteEnabled(bool on);
    // Recording: shows and hides the buttons and menu items for a command "Rec", "Pause",
    // "Start" or "Stop"; enableRec follows the unit count of the topic just filled.
    void setRecordingState(const QString& command);
    void enableRec(bool on);

    // Panel "Temata" = "Témat: " + topics with units + "+" + user topics; "Veličiny" the units.
    void updateCounts(const ov::UnitDatabase& db, int userTopicCount);
    // Selects a display format 0..3 (negative gives 0) and returns the index used.
    int formatZ(int index);
    int formatIndex() const { return format_; }
    void setFix(int decimals); // "Pevný počet (n)"
    void setNumBase(int base); // "Vlast&ní (n)"
    // Checks level 0..3 and writes the "Uroven" panel.
    void setLevel(int index);
    // Caption of mnuTema_<topic>, topic 1..26.
    void setTopicName(int topic, const QString& name);

    // Flips a pane switch by its toolbar key ("Náhled", "Lupa", "Info") without running it.
    void toggleButton(const QString& key);
    bool isPressed(const QString& key) const;
    QString lastRepresentation() const { return lastRepresentation_; }
    QString representationImage() const;

signals:
    void triggered(const QString& name, int index);
    void toolbarTriggered(const QString& key);
    void representationRequested(const QString& key);
    void panelClicked(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The availability asked for, kept on each action while editing overrides it.
    static constexpr const char* kAvailableProperty = "available";
    void buildMenus(QMainWindow* window);
    void buildTopicItems();
    void buildToolBar(QMainWindow* window);
    void buildStatusBar(QMainWindow* window);
    void addPaneButton(const QString& key, const QString& menuName, const cmd::ToolRow& row);
    void onMenuItem(QAction* a, cmd::Command command, int index);
    void onToolButton(const QString& key);
    void onDropItem(const QString& button, const QString& key);
    void run(cmd::Command command, int index);
    void setAvailable(const QString& objectName, bool on);
    void setImage(QAction* a, const QString& imageKey);
    bool reachable(const QAction* a) const;

    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QActionGroup*> groups_;
    QHash<QString, QLabel*> panels_;
    std::array<Handler, cmd::kCommandCount> handlers_;
    QHash<QString, std::function<void()>> panelHandlers_;
    QSet<QString> blocked_; // the commands editing a data file blocks
    QToolBar* toolBar_ = nullptr;
    QLabel* singleLabel_ = nullptr;
    QString lastRepresentation_ = QStringLiteral("Binarne");
    int format_ = 0;
    bool editMode_ = false;
    bool singleText_ = false;
    bool firstShown_ = false;
};

} // namespace ov::gui
