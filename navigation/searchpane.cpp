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
constexpr int kTagRole = Qt::UserRole;   // "t-u", as GoToUnit takes it

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

    txtFind_ = new QLineEdit;
    txtFind_->setObjectName(QStringLiteral("txtFind"));
    txtFind_->setAccessibleName(QStringLiteral("Hledat"));
    cmdFind_ = new QPushButton(QStringLiteral("Najít"));
    cmdFind_->setObjectName(QStringLiteral("cmdFind"));
    lvwFind_ = new QTreeWidget;
    lvwFind_->setObjectName(QStringLiteral("lvwFind"));
    lvwFind_->setAccessibleName(QStringLiteral("Výsledky vyhledávání"));
    lvwFind_->setColumnCount(1);
    lvwFind_->setHeaderLabels({QStringLiteral("Jednotka")});
    lvwFind_->header()->setStretchLastSection(true);
    lvwFind_->setRootIsDecorated(false);
    lvwFind_->setUniformRowHeights(true);
    lvwFind_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwFind_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwFind_->installEventFilter(this);
    cmdStorno_ = new QPushButton(QStringLiteral("Storno"));
    cmdStorno_->setObjectName(QStringLiteral("cmdStorno"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(txtFind_, 1);
    searchRow->addWidget(cmdFind_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(buddyLabel(QStringLiteral("&Hledat:"), txtFind_));
    layout->addLayout(searchRow);
    layout->addWidget(buddyLabel(QStringLiteral("Výsle&dky vyhledávání:"), lvwFind_));
    layout->addWidget(lvwFind_, 1);
    layout->addWidget(cmdStorno_, 0, Qt::AlignLeft);

    connect(txtFind_, &QLineEdit::returnPressed, this, &SearchPane::search);
    connect(cmdFind_, &QPushButton::clicked, this, &SearchPane::search);
    connect(cmdStorno_, &QPushButton::clicked, this, &SearchPane::close);
    connect(lvwFind_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { openHit(item); });
    navigator_.setSearchPane(this);
}

void SearchPane::open()
{
    navigator_.showSearchPane();
    txtFind_->setFocus(Qt::ShortcutFocusReason);
    txtFind_->selectAll();
}

void SearchPane::close() { navigator_.hideSearchPane(); }

void SearchPane::clearResults() { lvwFind_->clear(); }

void SearchPane::search()
{
    const OverrideCursor busy(Qt::WaitCursor);
    lvwFind_->clear();
    // Exact names in the ordinary text colour, the looser hits after them in grey.
    const HitColours colours = hitColours(lvwFind_->palette());
    for (const ov::SearchHit& hit : ov::SearchUnits(db_, txtFind_->text().toStdString())) {
        auto* item = new QTreeWidgetItem(lvwFind_, {fromStd(hit.name)});
        item->setData(0, kTagRole, fromStd(hit.tag()));
        item->setToolTip(0, navigator_.topicText(hit.topic));
        item->setForeground(0, hit.exact ? colours.exact : colours.pattern);
    }
}

void SearchPane::openHit(QTreeWidgetItem* item)
{
    if (!item)
        return;   // an empty list: nothing to open
    item->setForeground(0, hitColours(lvwFind_->palette()).visited);
    navigator_.goToUnit(item->data(0, kTagRole).toString());
}

bool SearchPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwFind_ && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QList<QTreeWidgetItem*> selected = lvwFind_->selectedItems();
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
