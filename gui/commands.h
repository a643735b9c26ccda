// The command layer of the main window: the menu bar, the toolbar tlbLista and the status bar
// staStav, built from the rows of commandtable, with the rules that enable, check and show the
// commands as the window's state changes.
//
// Every command is a control name without its index ("mnuSoustava", "mnuKonec") and arrives
// with the index (-1 for a single control). Each part of the program binds the commands it
// serves where its own code lives: bind(name, handler). Toolbar buttons and drop-down items run
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
#include <functional>

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
namespace cmd {
struct ToolRow;
}

class Commands : public QObject {
    Q_OBJECT
public:
    // Fills the window's menu bar, adds the toolbar and sets up its status bar.
    explicit Commands(QMainWindow* window);
    // The toolbar's pictures sized for the desktop font; again when the font changes.
    void applyFontScale();

    using Handler = std::function<void(int index)>;
    // The handler of a command, by control name without the index; one handler per name.
    void bind(const QString& name, Handler handler);
    bool isBound(const QString& name) const { return m_handlers.contains(name); }
    // What a click on a status panel does, by panel key.
    void bindPanel(const QString& key, std::function<void()> handler);

    // Menu items by control name ("mnuKonec", "mnuSoustava_0"; a submenu's own item by the
    // submenu's name, "mnuA"), toolbar buttons and drop-down items by "tlb_" + key.
    QAction* action(const QString& objectName) const;
    // Any menu or submenu by name, for pop-up use: "mnuA", "mnuTab", "mnuEditace", "mnuPrejit",
    // "mnuUroven", "mnuKN", "mnut".
    QMenu* menu(const QString& objectName) const;
    // Pops a menu of the window up at a screen position, by name; nothing for an unknown name.
    void popupMenu(const QString& objectName, const QPoint& globalPos) const;
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* panel(const QString& key) const;

    // Status bar panels by key ("Navi", "Temata", "Veličiny", "TVeličiny", "Uroven", "Presnost").
    void setPanelText(const QString& key, const QString& text);
    void setPanelText(const QString& key, const QString& text, const QString& toolTip);
    QString panelText(const QString& key) const;
    QString panelToolTip(const QString& key) const;
    // The single-text style shows "Editace jednotek" in place of the panels.
    void setSingleTextStyle(bool on);
    bool singleTextStyle() const { return m_singleText; }

    // Availability rules.
    void firstDisplay();                           // a topic is displayed
    void editModeOnOff(bool on);                   // a data file opened / closed for editing
    bool editMode() const { return m_editMode; }
    void setNavigation(bool canPrev, bool canNext);
    void setHideEnabled(bool on);                  // the topic has at least 2 marked units
    void setHideActiveEnabled(bool on);            // "Skrýt aktivní": the topic may be reduced
    void setRepresentationEnabled(bool on);                  // result line and current cell both non-empty
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
    int formatIndex() const { return m_format; }
    void setFix(int decimals);                     // "Pevný počet (n)"
    void setNumBase(int base);                     // "Vlast&ní (n)"
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
    void buildMenus(QMainWindow* window);
    void buildTopicItems();
    void buildToolBar(QMainWindow* window);
    void buildStatusBar(QMainWindow* window);
    void addPaneButton(const QString& key, const QString& menuName, const cmd::ToolRow& row);
    void onMenuItem(QAction* a, const QString& name, int index);
    void onToolButton(const QString& key);
    void onDropItem(const QString& button, const QString& key);
    void run(const QString& name, int index);
    void setAvailable(const QString& objectName, bool on);
    void setImage(QAction* a, const QString& imageKey);
    bool reachable(const QAction* a) const;

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QActionGroup*> m_groups;
    QHash<QString, QLabel*> m_panels;
    QHash<QString, Handler> m_handlers;
    QHash<QString, std::function<void()>> m_panelHandlers;
    QSet<QString> m_blocked;           // the commands editing a data file blocks
    QToolBar* m_toolBar = nullptr;
    QLabel* m_singleLabel = nullptr;
    QString lastRepresentation_ = QStringLiteral("Binarne");
    int m_format = 0;
    bool m_editMode = false;
    bool m_singleText = false;
    bool m_firstShown = false;
};

} // namespace ov::gui
