#include "navigation/searchpane.h"

#include "core/search.h"
#include "gui/commands.h"
#include "gui/common.h"
#include "navigation/navigator.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ov::gui {
namespace {
constexpr int kTagRole = Qt::UserRole; // "t-u", as GoToUnit takes it

QLabel* buddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}
} // namespace

SearchPane::SearchPane(const ov::UnitDatabase& db, Navigator& navigator, QWidget* parent)
    : QWidget(parent), db_(db), navigator_(navigator)
{
    setObjectName(QStringLiteral("picFind"));
    setAccessibleName(QStringLiteral("Vyhledávání jednotek"));

    findEdit_ = new QLineEdit;
    findEdit_->setObjectName(QStringLiteral("txtFind"));
    findEdit_->setAccessibleName(QStringLiteral("Hledat"));
    findButton_ = new QPushButton(QStringLiteral("Najít"));
    findButton_->setObjectName(QStringLiteral("cmdFind"));
    resultList_ = new QTreeWidget;
    resultList_->setObjectName(QStringLiteral("lvwFind"));
    resultList_->setAccessibleName(QStringLiteral("Výsledky vyhledávání"));
    resultList_->setColumnCount(1);
    resultList_->setHeaderLabels({QStringLiteral("Jednotka")});
    resultList_->header()->setStretchLastSection(true);
    resultList_->setRootIsDecorated(false);
    resultList_->setUniformRowHeights(true);
    resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->installEventFilter(this);
    cancelButton_ = new QPushButton(QStringLiteral("Storno"));
    cancelButton_->setObjectName(QStringLiteral("cmdStorno"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(findEdit_, 1);
    searchRow->addWidget(findButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(buddyLabel(QStringLiteral("&Hledat:"), findEdit_));
    layout->addLayout(searchRow);
    layout->addWidget(buddyLabel(QStringLiteral("Výsle&dky vyhledávání:"), resultList_));
    layout->addWidget(resultList_, 1);
    layout->addWidget(cancelButton_, 0, Qt::AlignLeft);

    connect(findEdit_, &QLineEdit::returnPressed, this, &SearchPane::search);
    connect(findButton_, &QPushButton::clicked, this, &SearchPane::search);
    connect(cancelButton_, &QPushButton::clicked, this, &SearchPane::close);
    connect(resultList_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { openHit(item); });
    navigator_.setSearchPane(this);
}

void SearchPane::open()
{
    navigator_.showSearchPane();
    findEdit_->setFocus(Qt::ShortcutFocusReason);
    findEdit_->selectAll();
}

void SearchPane::close() { navigator_.hideSearchPane(); }

void SearchPane::clearResults() { resultList_->clear(); }

void SearchPane::search()
{
    const OverrideCursor busy(Qt::WaitCursor);
    resultList_->clear();
    // Exact names in the ordinary text colour, the looser hits after them in grey.
    const HitColours colours = hitColours(resultList_->palette());
    for (const ov::SearchHit& hit : ov::SearchUnits(db_, findEdit_->text().toStdString())) {
        auto* item = new QTreeWidgetItem(resultList_, {fromStd(hit.name)});
        item->setData(0, kTagRole, fromStd(hit.tag()));
        item->setToolTip(0, navigator_.topicText(hit.topic));
        item->setForeground(0, hit.exact ? colours.exact : colours.pattern);
    }
}

void SearchPane::openHit(QTreeWidgetItem* item)
{
    if (!item)
        return; // an empty list: nothing to open
    item->setForeground(0, hitColours(resultList_->palette()).visited);
    navigator_.goToUnit(item->data(0, kTagRole).toString());
}

bool SearchPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == resultList_ && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QList<QTreeWidgetItem*> selected = resultList_->selectedItems();
            openHit(selected.isEmpty() ? nullptr : selected.first());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

HitColours hitColours(const QPalette& palette)
{
    // A colour too faint is darkened on a light background and lightened on a dark one.
    const QColor background = palette.color(QPalette::Base);
    const QColor black(Qt::black), white(Qt::white);
    const QColor towards = textContrast(black, background) > textContrast(white, background) ? black : white;
    const auto readable = [&](const QColor& c) { return readableOn(c, background, towards, kHitContrast); };
    return {readable(palette.color(QPalette::Text)), readable(palette.color(QPalette::Disabled, QPalette::Text)),
            readable(palette.color(QPalette::Highlight))};
}

void bindSearchCommands(Commands& c, SearchPane& pane)
{
    c.bind(cmd::Command::Find, [&c, &pane](int) {
        if (c.editMode())
            pane.editorFind();
        else
            pane.open();
    });
}

} // namespace ov::gui
