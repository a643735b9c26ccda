// The navigator pane: the tab strip and the three lists (topics, user topics, all units) that
// choose what the conversion table shows, previous/next topic and renaming topics in place.
// It never touches the table itself: it announces the topic or unit chosen and the window
// composes the rest (fill the table, move its row, set the menu checks and panel texts).
#pragma once
#include "gui/commandtable.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QStackedWidget;
class QTabBar;

namespace ov {
struct UnitDatabase;
}

namespace ov::gui {

class Navigator : public QWidget {
    Q_OBJECT
public:
    // Index of the list in the mnuNavigator menu (and its check mark).
    enum List { TopicList = 0, UserList = 1, UnitList = 2 };
    // Shared view of the two topic lists, as the mnuIkony menu indexes it.
    enum ViewMode { LargeIcons = 0, SmallList = 1 };

    // The database must outlive the navigator; renaming writes the display names into it
    // (through UnitDatabase::setTopicName, their one way in).
    explicit Navigator(ov::UnitDatabase& db, QWidget* parent = nullptr);

    // Fills the topic list (26 entries) and the user topic list from the names kept in the
    // settings: topicNames[n-1] for topic n, userNames[n-1] for user topic n. A missing or
    // empty name takes the built-in default. User topics are taken in order while they are
    // used in the user data file and stop at the first unused number. Call it after loading
    // the data files.
    void setTopicNames(const QStringList& topicNames, const QStringList& userNames);
    // Rebuilds the alphabetical unit list (after loading, reloading or hiding units).
    void fillUnitList();

    // Texts as the lists show them, for shut-down (Navigator/S1..S26, U1..U20) and the menus.
    int topicCount() const;             // 26 once filled
    int userTopicCount() const;         // N, the entries of the user topic list
    QString topicText(int n) const;     // entry n of the topic list, 1..26
    QString userTopicText(int n) const; // entry n of the user topic list, 1..N

    // The topic the navigator points at: 0 none yet, 1..26, or 26 + n for user topic n.
    int currentTopic() const { return currentTopic_; }
    List shownList() const { return shownList_; }
    ViewMode viewMode() const { return viewMode_; }
    // The options dialog's "optNavigator" choice: 0 topics, 1 units (the user list counts as 1).
    int navigatorOption() const { return shownList_ == TopicList ? 0 : 1; }
    bool canGoPrevious() const { return canPrev_; }
    bool canGoNext() const { return canNext_; }

    // Asks for the conversion table to be the page on show (after a panel click, say).
    void requestConversionPane() { emit conversionPaneWanted(); }

    // A later pane (unit search) laid over the lists; every list switch hides it again.
    void setSearchPane(QWidget* pane);
    void showSearchPane();
    void hideSearchPane(); // the list shown before comes back
    bool searchPaneShown() const;

public slots:
    void showTopicList();           // NavigatorV
    void showUserList();            // NavigatorU
    void showUnitList();            // NavigatorJ
    void chooseList(int menuIndex); // mnuNavigator(0..2): also enables the tab strip
    void setViewMode(int mode);     // VelicinyI / mnuIkony(0..1)

    void previousTopic();                // mnuNavigace(1), "Zpět"
    void nextTopic();                    // mnuNavigace(2), "Vpřed"
    void chooseTopicFromMenu(int topic); // mnuTema(1..26)
    void showCurrentTopic();             // display the current topic
    void updatePreviousNext();           // availability of previous/next
    // Goes to the unit named by a "topic-unit" text such as "3-12"; false (and nothing
    // happens) when the text names no unit of a listed topic.
    bool goToUnit(const QString& tag);

    // Points the navigator at topic t (selects its entry, updates previous/next) without
    // asking for the table; for start-up and for commands that fill the table themselves.
    void setCurrentTopic(int topic);
    // Selects the entry of topic t in its list without changing the current topic.
    void selectTopicEntry(int topic);
    // Start-up focus: the topic list when it is shown, otherwise the first unit entry.
    void focusShownList();

signals:
    void topicChosen(int topic);          // fill the table with this topic
    void unitChosen(int topic, int unit); // after topicChosen: make row unit-1 current and top
    void navigationChanged(bool canPrev, bool canNext);
    void listShown(const QString& panelText);          // status panel "Navi"
    void titleChanged(const QString& title);           // lblTitulek: " Výběr veličiny" / " Výběr jednotky"
    void listMenuChecked(int menuIndex);               // check mnuNavigator(menuIndex) alone
    void viewModeChanged(int mode);                    // check mnuIkony(mode) alone
    void topicRenamed(int topic, const QString& name); // mnuTema caption for topics 1..26
    void conversionPaneWanted();                       // ShowConversionPane
    void contextMenuRequested(cmd::Menu menu, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTabs();
    void buildLists();
    void connectLists();
    void connectTabs();
    QListWidget* makeList(const char* objectName);
    void addTopicEntry(QListWidget* list, int topic, const QString& text, const QString& iconKey);
    void showList(List list);
    QListWidget* listOf(List list) const;
    void onTabChosen(int tab);
    void onItemPicked(QListWidget* list, QListWidgetItem* item);
    void onEnter(QListWidget* list);
    bool acceptRename(QListWidget* list, int row, const QString& text);
    void selectQuietly(QListWidget* list, int row);
    int topicOf(const QListWidgetItem* item) const;
    bool focusAllowed() const;

    ov::UnitDatabase& db_;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QListWidget* topicList_ = nullptr;
    QListWidget* userTopicList_ = nullptr;
    QListWidget* unitList_ = nullptr;
    QPointer<QWidget> searchPane_;
    int currentTopic_ = 0;
    List shownList_ = TopicList;
    ViewMode viewMode_ = SmallList;
    bool canPrev_ = false; // as the menu starts: previous off, next on
    bool canNext_ = true;
    bool quiet_ = false; // selection changed by the program, not the user
};

} // namespace ov::gui
