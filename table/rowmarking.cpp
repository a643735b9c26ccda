#include "table/rowmarking.h"

#include "core/catalogue.h"
#include "core/marks.h"
#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QAction>

namespace ov::gui {

RowMarking::RowMarking(Commands& c, ConversionTable& t, ov::UnitDatabase& db, ov::MarkState& marks)
    : QObject(&t), commands_(c), table_(t), db_(db), marks_(marks)
{
    table_.setMarks(&marks_);
    c.bind(cmd::Command::HideUnmarked, [this](int) { hideUnmarked(); });
    c.bind(cmd::Command::ShowAll, [this](int) { emit reloadRequested(); });
    c.bind(cmd::Command::MarkColours,
           [this](int) { table_.setMarkingDisplay(commands_.action(cmd::Command::MarkColours)->isChecked()); });
    c.bind(cmd::Command::TableRows, [this](int i) {
        if (i == 0)
            emit reloadRequested();
        else if (i == 1)
            hideSelected();
        else
            hideUnmarked();
    });
    connect(&table_, &ConversionTable::markToggleRequested, this, &RowMarking::toggleMark);
    connect(&table_, &ConversionTable::topicFilled, this, &RowMarking::updateAvailability);
}

// The temperature topic is computed by the fixed places of its five units: it is never reduced.
bool RowMarking::canHide(int topic) const { return topic > 0 && topic != ov::kTemperatureTopic; }

void RowMarking::updateAvailability()
{
    const int t = table_.currentTopic();
    commands_.setHideEnabled(canHide(t) && marks_.markCount(t) >= 2);
    commands_.setHideActiveEnabled(canHide(t));
}

void RowMarking::toggleMark(int row)
{
    const int t = table_.currentTopic();
    if (!canHide(t) || !table_.markingDisplay() || row < 0 || row >= db_.unitCount(t))
        return;
    const bool marked = marks_.toggle(t, row + 1);
    table_.setCellPicture(row, ov::kColValue, marked ? CellPicture::Mark : CellPicture::Blank);
    updateAvailability();
}

void RowMarking::hideUnmarked()
{
    const int t = table_.currentTopic();
    if (canHide(t))
        hide(t, remembering_ ? ov::MarkedNames(db_, marks_, t) : std::vector<std::string>{});
}

void RowMarking::hideSelected()
{
    const int t = table_.currentTopic();
    if (!canHide(t))
        return;
    // The marks the user set, before the block's own marking replaces them.
    const std::vector<std::string> kept = remembering_ ? ov::MarkedNames(db_, marks_, t) : std::vector<std::string>{};
    const auto [first, last] = table_.selectedRows();
    marks_.markOutside(t, db_.unitCount(t), first + 1, last + 1);
    hide(t, kept);
}

void RowMarking::hide(int t, const std::vector<std::string>& keptMarks)
{
    ov::HideUnmarked(db_, marks_, t);
    ov::MarkByName(db_, marks_, t, keptMarks);
    emit unitsHidden(t);
    table_.fillTopic(t);
}

} // namespace ov::gui
