#include "history/historywindow.h"

#include "core/loader.h"
#include "core/numtext.h"
#include "core/unitdb.h"
#include "gui/commands.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "navigation/navigator.h"
#include "settings/datafolder.h"
#include "table/conversiontable.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ov::gui {
namespace {

constexpr const char* kTimeFormat = "yyyy-MM-ddTHH:mm:ss";
constexpr int kIndexRole = Qt::UserRole;

// Today's entries by the clock alone, older ones with their day.
QString shownTime(const std::string& stored)
{
    const QDateTime t = QDateTime::fromString(fromStd(stored), QLatin1String(kTimeFormat));
    if (!t.isValid())
        return fromStd(stored);
    if (t.date() == QDate::currentDate())
        return t.toString(QStringLiteral("HH:mm:ss"));
    return t.toString(QStringLiteral("d. M. yyyy HH:mm"));
}

} // namespace

HistoryWindow::HistoryWindow(Commands& commands, ConversionTable& table, Navigator& navigator,
                             const ov::UnitDatabase& db, QWidget* parent)
    : QWidget(parent, Qt::Window), commands_(commands), table_(table), navigator_(navigator), db_(db),
      switch_(commands.action(cmd::Command::History))
{
    setObjectName(QStringLiteral("frmHistorie"));
    setWindowTitle(QStringLiteral("Historie"));
    resize(twipsToPixels(6600), twipsToPixels(4500));

    entryList_ = new QTreeWidget;
    entryList_->setObjectName(QStringLiteral("lvwHistorie"));
    entryList_->setAccessibleName(QStringLiteral("Poslední převody"));
    entryList_->setHeaderLabels({QStringLiteral("Čas"), QStringLiteral("Veličina"), QStringLiteral("Převod")});
    entryList_->setRootIsDecorated(false);
    entryList_->setUniformRowHeights(true);
    entryList_->setSelectionMode(QAbstractItemView::SingleSelection);
    entryList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entryList_->header()->setStretchLastSection(true);
    clearButton_ = new QPushButton(QStringLiteral("&Vymazat historii"));
    clearButton_->setObjectName(QStringLiteral("cmdVymazat"));
    clearButton_->setAutoDefault(false);

    auto* label = new QLabel(QStringLiteral("&Poslední převody (Enter převod otevře):"));
    label->setBuddy(entryList_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(entryList_, 1);
    layout->addWidget(clearButton_, 0, Qt::AlignLeft);

    // Enter and a double click only: a single click selects, whatever the desktop's habit.
    entryList_->installEventFilter(this);
    connect(entryList_, &QTreeWidget::itemDoubleClicked, this, &HistoryWindow::reopenItem);
    connect(clearButton_, &QPushButton::clicked, this, &HistoryWindow::clearHistory);
    connect(&table_, &ConversionTable::recordRequested, this, &HistoryWindow::record);
    commands.bind(cmd::Command::History, [this](int) { switched(switch_->isChecked()); });
    addAction(switch_); // its shortcut closes the window from inside as well
}

void HistoryWindow::switched(bool on)
{
    // Asked for while open behind another window (an entry was just opened in the table), the
    // history comes to the front instead of closing.
    if (!on && isVisible() && !isActiveWindow()) {
        switch_->setChecked(true);
        on = true;
    }
    if (!on) {
        hide();
        return;
    }
    show();
    raise();
    activateWindow();
    entryList_->setFocus(Qt::ShortcutFocusReason);
}

void HistoryWindow::closeEvent(QCloseEvent* event)
{
    switch_->setChecked(false);
    QWidget::closeEvent(event);
}

void HistoryWindow::showEvent(QShowEvent* event)
{
    if (stale_)
        refill();
    QWidget::showEvent(event);
}

void HistoryWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == entryList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            reopenItem(entryList_->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HistoryWindow::reopenItem(QTreeWidgetItem* item)
{
    if (item)
        reopen(item->data(0, kIndexRole).toInt());
}

QString HistoryWindow::filePath() { return userDataFolder() + QStringLiteral("/historie.txt"); }

void HistoryWindow::setKeeping(bool on)
{
    if (!read_) {
        read_ = true;
        QFile file(filePath());
        // A missing or unreadable file is an empty history; a damaged line costs only itself.
        if (on && file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(qint64(ov::kHistoryLimit) * 4096);
            history_.appendOlder(ov::ReadHistory(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
            refill();
        }
    } else if (keeping_ && !on) {
        QFile::remove(filePath());
    }
    keeping_ = on;
}

bool HistoryWindow::store() const
{
    if (!keeping_)
        return true;
    QDir().mkpath(userDataFolder());
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string text = ov::WriteHistory(history_.entries());
    file.write(text.data(), qint64(text.size()));
    return file.commit();
}

QString HistoryWindow::notSavedText()
{
    return QStringLiteral("Historii převodů se nepodařilo uložit do souboru %1.")
        .arg(QDir::toNativeSeparators(filePath()));
}

void HistoryWindow::storeAtEnd(bool askedByUser) const
{
    if (store())
        return;
    if (askedByUser)
        dialogs().message(nullptr, DialogService::Icon::Warning, appTitle(), notSavedText());
    else
        qWarning().noquote() << notSavedText();
}

void HistoryWindow::record()
{
    const int t = table_.currentTopic();
    const int row = table_.currentRow();
    const auto value = ov::ParseNumber(table_.cellText(row, ov::kColValue).toStdString(), table_.decimalSeparator());
    if (t <= 0 || row < 0 || !value)
        return;
    // A unit is shown by its symbol, or by its name when it has none, as the result line does.
    const auto shown = [this](int r) {
        const QString symbol = table_.cellText(r, ov::kColSymbol);
        return table_.cellText(r, ov::kColValue) + QLatin1Char(' ') +
               (symbol.isEmpty() ? table_.cellText(r, ov::kColName) : symbol);
    };
    QString text = shown(row);
    if (table_.rowCount() > 1)
        text += QStringLiteral(" → ") + shown(row == 0 ? 1 : 0);
    history_.add({QDateTime::currentDateTime().toString(QLatin1String(kTimeFormat)).toStdString(), t, db_.topicName(t),
                  table_.cellText(row, ov::kColName).toStdString(), ov::FormatGeneral(*value, '.'),
                  text.toStdString()});
    // Most conversions happen with the history closed: its list is made when it is shown.
    stale_ = true;
    if (isVisible())
        refill();
}

void HistoryWindow::refill()
{
    stale_ = false;
    entryList_->clear();
    const auto& entries = history_.entries();
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ov::HistoryEntry& e = entries[i];
        auto* item = new QTreeWidgetItem({shownTime(e.time), fromStd(e.topicName), fromStd(e.text)});
        item->setData(0, kIndexRole, int(i));
        item->setToolTip(2, fromStd(e.text));
        items << item;
    }
    entryList_->addTopLevelItems(items);
    if (!items.isEmpty())
        entryList_->setCurrentItem(items.first());
    clearButton_->setEnabled(!items.isEmpty());
}

int HistoryWindow::unitRow(const ov::HistoryEntry& e) const
{
    const int n = std::min(db_.unitCount(e.topic), ov::kMaxUnits);
    for (int u = 1; u <= n; ++u)
        if (db_.unit(e.topic, u).name == e.unitName)
            return u - 1;
    return -1;
}

void HistoryWindow::reopen(int index)
{
    // While a data file is edited the table is not on show; nothing is opened.
    if (index < 0 || std::size_t(index) >= history_.entries().size() || commands_.editMode())
        return;
    const ov::HistoryEntry entry = history_.entries()[std::size_t(index)];
    const int row = unitRow(entry);
    if (row < 0 || !navigator_.goToUnit(QStringLiteral("%1-%2").arg(entry.topic).arg(row + 1))) {
        dialogs().message(this, DialogService::Icon::Information, appTitle(),
                          QStringLiteral("Jednotka „%1“ už v tématu „%2“ není.")
                              .arg(fromStd(entry.unitName), fromStd(entry.topicName)));
        return;
    }
    table_.pasteValue(fromStd(ov::FormatGeneral(ov::ValInvariant(entry.value), table_.decimalSeparator())));
}

void HistoryWindow::clearHistory()
{
    history_.clear();
    refill();
    if (!store())
        dialogs().message(this, DialogService::Icon::Warning, appTitle(), notSavedText());
}

} // namespace ov::gui
