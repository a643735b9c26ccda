#include "navigation/navigator.h"

#include "core/unitdb.h"
#include "gui/common.h"
#include "gui/icons.h"

#include <QApplication>
#include <QCollator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QListWidget>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <vector>

namespace ov::gui {
namespace {

constexpr int kKeyRole = Qt::UserRole; // topic key (topic list) or "t-u" tag (unit list)
constexpr int kIconKeyRole = Qt::UserRole + 1;

// The tabs in strip order and the list each one shows.
struct TabDef {
    const char* caption;
    const char* key;
    const char* tip;
    Navigator::List list;
};
constexpr TabDef kTabs[] = {
    {"&Veličiny", "Veliciny", "Seznam veličin", Navigator::TopicList},
    {"&Jednotky", "Jednotky", "Abecední seznam jednotek", Navigator::UnitList},
    {"&Uživatel", "User", "Uživatelský seznam veličin", Navigator::UserList},
};

int tabOf(Navigator::List list)
{
    for (int i = 0; i < int(std::size(kTabs)); ++i)
        if (kTabs[i].list == list)
            return i;
    return 0;
}

// In-place renaming: the proposed text goes to the navigator, which may refuse it; the
// editor keeps Enter and Escape for itself even when the window binds them as shortcuts.
class RenameDelegate : public QStyledItemDelegate {
public:
    using Commit = std::function<void(int row, const QString& text)>;
    RenameDelegate(Commit commit, QObject* parent) : QStyledItemDelegate(parent), commit_(std::move(commit)) {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            commit_(index.row(), line->text());
    }

protected:
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    Commit commit_;
};

// The pane is narrow: tabs with less space around the caption keep "Veličiny", "Jednotky" and
// "Uživatel" whole at the default splitter position, and readable longer when it is dragged left.
class CompactTabStyle : public QProxyStyle {
public:
    CompactTabStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 6;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

Navigator::Navigator(ov::UnitDatabase& db, QWidget* parent) : QWidget(parent), db_(db)
{
    buildTabs();
    buildLists();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(stack_, 1);

    connectLists();
    connectTabs();
    setViewMode(SmallList);
    setTopicNames({}, {});
}

void Navigator::buildTabs()
{
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("tabNavigator"));
    for (const TabDef& t : kTabs) {
        const int i = tabs_->addTab(QString::fromUtf8(t.caption));
        tabs_->setTabData(i, QString::fromUtf8(t.key));
        tabs_->setTabToolTip(i, QString::fromUtf8(t.tip));
    }
    // The pane is narrow: the tabs share its width and shorten their captions.
    tabs_->setExpanding(true);
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideRight);
    tabs_->setDrawBase(false);
    auto* tabStyle = new CompactTabStyle;
    tabStyle->setParent(tabs_);
    tabs_->setStyle(tabStyle);
}

void Navigator::buildLists()
{
    stack_ = new QStackedWidget(this);
    stack_->setObjectName(QStringLiteral("picNavigator"));
    topicList_ = makeList("lvwTema");
    unitList_ = makeList("lvwJednotky");
    userTopicList_ = makeList("lvwUser");
    stack_->addWidget(topicList_);
    stack_->addWidget(unitList_);
    stack_->addWidget(userTopicList_);
    // A screen reader names each list as its tab's tool tip does.
    setAccessibleName(QStringLiteral("Navigátor"));
    tabs_->setAccessibleName(QStringLiteral("Navigátor"));
    for (const TabDef& t : kTabs)
        listOf(t.list)->setAccessibleName(QString::fromUtf8(t.tip));
}

void Navigator::connectLists()
{
    for (QListWidget* list : {topicList_, userTopicList_}) {
        list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        list->setItemDelegate(
            new RenameDelegate([this, list](int row, const QString& text) { acceptRename(list, row, text); }, list));
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& pos) {
            emit contextMenuRequested(cmd::Menu::TopicList, list->viewport()->mapToGlobal(pos));
        });
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { onItemPicked(list, item); });
        connect(list, &QListWidget::currentItemChanged, this,
                [this, list](QListWidgetItem* item) { onItemPicked(list, item); });
        connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            currentTopic_ = topicOf(item);
            showCurrentTopic();
        });
    }
    unitList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(unitList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { goToUnit(item->data(kKeyRole).toString()); });
}

void Navigator::connectTabs()
{
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (!quiet_)
            onTabChosen(tab);
    });
    // A click on the tab already selected changes nothing in the bar but still chooses it.
    connect(tabs_, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab >= 0 && tab == tabs_->currentIndex())
            onTabChosen(tab);
    });
}

QListWidget* Navigator::makeList(const char* objectName)
{
    auto* list = new QListWidget(stack_);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMovement(QListView::Static);
    list->setDragEnabled(false);
    list->setUniformItemSizes(false);
    list->setFrameShape(QFrame::StyledPanel);
    list->setFrameShadow(QFrame::Sunken);
    list->setViewMode(QListView::ListMode);
    list->setIconSize(QSize(16, 16));
    // The chosen entry stays clearly highlighted while the user works in the table.
    QPalette pal = list->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    list->setPalette(pal);
    list->installEventFilter(this);
    return list;
}

void Navigator::addTopicEntry(QListWidget* list, int topic, const QString& text, const QString& iconKey)
{
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setData(kKeyRole, topic <= ov::kBuiltinTopics ? iconKey : QString());
    item->setData(kIconKeyRole, iconKey);
    item->setIcon(topicIcon(iconKey, viewMode_ == LargeIcons));
}

void Navigator::setTopicNames(const QStringList& topicNames, const QStringList& userNames)
{
    const auto nameOr = [](const QStringList& names, int n, const QString& fallback) {
        const QString s = n - 1 < names.size() ? names.at(n - 1) : QString();
        return s.trimmed().isEmpty() ? fallback : s;
    };
    quiet_ = true;
    topicList_->clear();
    for (int n = 1; n <= ov::kBuiltinTopics; ++n) {
        const QString name = nameOr(topicNames, n, fromStd(ov::DefaultTopicName(n)));
        addTopicEntry(topicList_, n, name, fromStd(ov::TopicKey(n)));
        // The table title shows the same name as the list, before and after a restart.
        db_.setTopicName(n, name.toStdString());
    }
    // Entries are numbered by position, so the user list stops at the first unused topic.
    userTopicList_->clear();
    for (int n = 1; n <= ov::kUserTopics && db_.userTopicUsed(n); ++n) {
        const QString name = nameOr(userNames, n, QString::fromStdString(ov::DefaultUserTopicName(n)));
        addTopicEntry(userTopicList_, ov::kBuiltinTopics + n, name, QStringLiteral("User"));
        db_.setTopicName(ov::kBuiltinTopics + n, name.toStdString());
    }
    quiet_ = false;
    if (currentTopic_ > ov::kBuiltinTopics + userTopicCount())
        currentTopic_ = 0;
}

void Navigator::fillUnitList()
{
    struct Entry {
        QString name;
        QCollatorSortKey key;
        int topic;
        int unit;
    };
    // Alphabetical as the user reads it (Czech order: "č" after "c"), case aside. Each name's
    // sort key is made once; comparing keys is far cheaper than collating the names again at
    // every step of the sort.
    QCollator collator(QLocale{});
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<Entry> entries;
    const int last = ov::kBuiltinTopics + userTopicCount();
    for (int t = 1; t <= last; ++t)
        for (int u = 0; u <= db_.unitCount(t) && u <= ov::kMaxUnits; ++u)
            if (const std::string& name = db_.unit(t, u).name; !name.empty()) {
                QString text = QString::fromStdString(name);
                QCollatorSortKey key = collator.sortKey(text);
                entries.push_back({std::move(text), std::move(key), t, u});
            }
    // A name found in several topics keeps the topic order.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key.compare(b.key) < 0; });

    // One picture per topic (a user topic has no key: the "User" picture), and each item
    // complete before it joins the list, so that the list reports one insertion per unit
    // rather than a change for every property set.
    std::vector<QIcon> icons(std::size_t(last) + 1);
    for (int t = 1; t <= last; ++t)
        icons[std::size_t(t)] = topicIcon(fromStd(ov::TopicKey(t)), false);
    quiet_ = true;
    unitList_->clear();
    for (const Entry& e : entries) {
        auto* item = new QListWidgetItem(e.name);
        const QString tag = QString::number(e.topic) + QLatin1Char('-') + QString::number(e.unit);
        item->setData(kKeyRole, tag);
        item->setToolTip(tag);
        item->setIcon(icons[std::size_t(e.topic)]);
        unitList_->addItem(item);
    }
    quiet_ = false;
}

int Navigator::topicCount() const { return topicList_->count(); }
int Navigator::userTopicCount() const { return userTopicList_->count(); }

QString Navigator::topicText(int n) const
{
    const QListWidgetItem* item = topicList_->item(n - 1);
    return item ? item->text() : QString();
}

QString Navigator::userTopicText(int n) const
{
    const QListWidgetItem* item = userTopicList_->item(n - 1);
    return item ? item->text() : QString();
}

void Navigator::setSearchPane(QWidget* pane)
{
    if (searchPane_)
        stack_->removeWidget(searchPane_);
    searchPane_ = pane;
    if (pane)
        stack_->addWidget(pane);
}

void Navigator::showSearchPane()
{
    if (searchPane_)
        stack_->setCurrentWidget(searchPane_);
}

bool Navigator::focusAllowed() const
{
    const QWidget* w = window();
    return w->isVisible() && w->isEnabled();
}

QListWidget* Navigator::listOf(List list) const
{
    return list == TopicList ? topicList_ : list == UserList ? userTopicList_ : unitList_;
}

void Navigator::hideSearchPane()
{
    if (searchPaneShown())
        stack_->setCurrentWidget(listOf(shownList_));
}

bool Navigator::searchPaneShown() const { return searchPane_ && stack_->currentWidget() == searchPane_; }

void Navigator::showList(List list)
{
    QListWidget* shown = listOf(list);
    shownList_ = list;
    if (list != TopicList && window()->isVisible())
        emit conversionPaneWanted();
    emit titleChanged(list == UnitList ? QStringLiteral(" Výběr jednotky") : QStringLiteral(" Výběr veličiny"));
    // Showing one page of the stack hides the other lists and the search pane.
    stack_->setCurrentWidget(shown);
    if (focusAllowed()) {
        if (list != TopicList && shown->count() > 0)
            selectQuietly(shown, 0);
        shown->setFocus();
    }
    if (const int tab = tabOf(list); tabs_->currentIndex() != tab) {
        quiet_ = true;
        tabs_->setCurrentIndex(tab);
        quiet_ = false;
    }
    emit listMenuChecked(int(list));
    emit listShown(list == TopicList  ? QStringLiteral("Veličiny")
                   : list == UserList ? QStringLiteral("Uživatelské veličiny")
                                      : QStringLiteral("Jednotky"));
}

void Navigator::showTopicList() { showList(TopicList); }
void Navigator::showUserList() { showList(UserList); }
void Navigator::showUnitList() { showList(UnitList); }

void Navigator::chooseList(int menuIndex)
{
    if (menuIndex < TopicList || menuIndex > UnitList)
        return;
    emit listMenuChecked(menuIndex);
    tabs_->setEnabled(true);
    showList(List(menuIndex));
}

void Navigator::onTabChosen(int tab)
{
    if (tab < 0 || tab >= int(std::size(kTabs)))
        return;
    const List list = kTabs[tab].list;
    showList(list);
    if (list == UnitList)
        return;
    QListWidget* lw = listOf(list);
    if (QListWidgetItem* item = lw->currentItem(); item && item->isSelected()) {
        currentTopic_ = topicOf(item);
        updatePreviousNext();
    }
}

void Navigator::setViewMode(int mode)
{
    if (mode != LargeIcons && mode != SmallList)
        return;
    viewMode_ = ViewMode(mode);
    const bool large = viewMode_ == LargeIcons;
    for (QListWidget* list : {topicList_, userTopicList_}) {
        list->setViewMode(large ? QListView::IconMode : QListView::ListMode);
        list->setMovement(QListView::Static);
        list->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
        list->setWordWrap(large);
        list->setWrapping(large);
        list->setFlow(large ? QListView::LeftToRight : QListView::TopToBottom);
        list->setResizeMode(QListView::Adjust);
        list->setSpacing(large ? 2 : 0);
        // Icons sit in even cells so that long names wrap under their picture.
        list->setGridSize(large ? QSize(76, 66) : QSize());
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            item->setIcon(topicIcon(item->data(kIconKeyRole).toString(), large));
        }
    }
    emit viewModeChanged(mode);
}

int Navigator::topicOf(const QListWidgetItem* item) const
{
    if (!item)
        return 0;
    if (item->listWidget() == topicList_)
        return topicList_->row(item) + 1;
    if (item->listWidget() == userTopicList_)
        return ov::kBuiltinTopics + userTopicList_->row(item) + 1;
    return 0;
}

void Navigator::onItemPicked(QListWidget* list, QListWidgetItem* item)
{
    // Only an entry the user selects counts; the view making an entry current on focus does not.
    if (quiet_ || !item || item->listWidget() != list || !item->isSelected())
        return;
    currentTopic_ = topicOf(item);
    updatePreviousNext();
}

void Navigator::onEnter(QListWidget* list)
{
    QListWidgetItem* item = list->currentItem();
    const bool picked = item && item->isSelected();
    if (list == unitList_) {
        if (picked)
            goToUnit(item->data(kKeyRole).toString());
        return;
    }
    // Enter chooses the highlighted entry, whatever the navigator pointed at before.
    if (picked)
        currentTopic_ = topicOf(item);
    else if (currentTopic_ == 0)
        currentTopic_ = 1;
    showCurrentTopic();
}

bool Navigator::acceptRename(QListWidget* list, int row, const QString& text)
{
    QListWidgetItem* item = list->item(row);
    if (!item || text.trimmed().isEmpty())
        return false;
    item->setText(text);
    // The entry edited is renamed, even when the navigator points at another topic.
    const int topic = topicOf(item);
    db_.setTopicName(topic, text.toStdString());
    emit topicRenamed(topic, text);
    return true;
}

void Navigator::selectQuietly(QListWidget* list, int row)
{
    if (row < 0 || row >= list->count())
        return;
    quiet_ = true;
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(row));
    quiet_ = false;
}

void Navigator::showCurrentTopic()
{
    if (currentTopic_ == 0)
        return;
    emit topicChosen(currentTopic_);
    emit conversionPaneWanted();
    updatePreviousNext();
}

void Navigator::updatePreviousNext()
{
    const int t = currentTopic_;
    const int lastUser = ov::kBuiltinTopics + userTopicCount();
    canPrev_ = true;
    canNext_ = true;
    if (t == 1 || t == ov::kFirstUserTopic)
        canPrev_ = false;
    else if (t == ov::kBuiltinTopics || t == lastUser)
        canNext_ = false;
    emit navigationChanged(canPrev_, canNext_);
}

void Navigator::previousTopic()
{
    const int n = userTopicCount();
    int& t = currentTopic_;
    if ((t >= ov::kFirstUserTopic + 1 && t <= ov::kBuiltinTopics + n) || (t >= 2 && t <= ov::kBuiltinTopics))
        --t;
    selectTopicEntry(t);
    showCurrentTopic();
}

void Navigator::nextTopic()
{
    const int n = userTopicCount();
    int& t = currentTopic_;
    if (t == 0)
        t = 2;
    else if ((t >= ov::kFirstUserTopic && t <= ov::kBuiltinTopics - 1 + n) || (t >= 1 && t <= ov::kBuiltinTopics - 1))
        ++t;
    selectTopicEntry(t);
    showCurrentTopic();
}

void Navigator::chooseTopicFromMenu(int topic)
{
    if (topic < 1 || topic > ov::kBuiltinTopics)
        return;
    emit conversionPaneWanted();
    currentTopic_ = topic;
    selectTopicEntry(topic);
    emit topicChosen(topic);
    updatePreviousNext();
}

bool Navigator::goToUnit(const QString& tag)
{
    const qsizetype dash = tag.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return false;
    bool okTopic = false;
    bool okUnit = false;
    const int t = tag.left(dash).trimmed().toInt(&okTopic);
    const int u = tag.mid(dash + 1).trimmed().toInt(&okUnit);
    if (!okTopic || !okUnit || t < 1 || t > ov::kBuiltinTopics + userTopicCount() || u < 1 || u > db_.unitCount(t))
        return false;
    currentTopic_ = t;
    selectTopicEntry(t);
    showCurrentTopic();
    emit unitChosen(t, u);
    return true;
}

void Navigator::setCurrentTopic(int topic)
{
    if (topic < 0 || topic > ov::kBuiltinTopics + userTopicCount())
        return;
    currentTopic_ = topic;
    selectTopicEntry(topic);
    updatePreviousNext();
}

void Navigator::selectTopicEntry(int topic)
{
    if (topic >= 1 && topic <= ov::kBuiltinTopics)
        selectQuietly(topicList_, topic - 1);
    else if (topic > ov::kBuiltinTopics)
        selectQuietly(userTopicList_, topic - ov::kFirstUserTopic);
}

void Navigator::focusShownList()
{
    if (shownList_ == TopicList) {
        topicList_->setFocus();
        return;
    }
    QListWidget* list = listOf(shownList_);
    if (list->count() > 0) {
        list->scrollToItem(list->item(0));
        selectQuietly(list, 0);
    }
    list->setFocus();
}

bool Navigator::eventFilter(QObject* watched, QEvent* event)
{
    auto* list = qobject_cast<QListWidget*>(watched);
    if (!list || (list != topicList_ && list != userTopicList_ && list != unitList_))
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // F2 renames in the topic lists even though the window binds it to another command.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool rename = key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier && list != unitList_;
        if (rename || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress && QApplication::focusWidget() == list) {
        // (An Enter that ends renaming reaches the list too, passed on by the editor.)
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            onEnter(list);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ov::gui
