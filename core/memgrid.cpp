#include "memgrid.h"

namespace ov {

void MemoryGrid::fillTopic(const UnitDatabase& db, int topic)
{
    rows.clear();
    const int n = db.unitCount(topic);
    for (int u = 1; u <= n; ++u)
        rows.push_back({db.unit(topic, u).name, db.unit(topic, u).symbol, {}, TextColour::windowText()});
    current = 0;
    editorShown = false;
    editor.clear();
    tag.clear();
}

void MemoryGrid::typeInto(int row, const std::string& text)
{
    setCurrentRow(row);
    tag = cellText(current, kColValue);
    editor = text;
    editorShown = true;
}

std::string MemoryGrid::cellText(int row, int col) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const Row& r = rows[static_cast<std::size_t>(row)];
    switch (col) {
    case kColName: return r.name;
    case kColSymbol: return r.symbol;
    case kColValue: return r.value;
    default: return {};
    }
}

void MemoryGrid::setCellText(int row, int col, const std::string& text)
{
    if (row < 0 || row >= rowCount())
        return;
    Row& r = rows[static_cast<std::size_t>(row)];
    switch (col) {
    case kColName: r.name = text; break;
    case kColSymbol: r.symbol = text; break;
    case kColValue: r.value = text; break;
    default: break;
    }
}

void MemoryGrid::setCellColour(int row, TextColour colour)
{
    if (row >= 0 && row < rowCount())
        rows[static_cast<std::size_t>(row)].colour = colour;
}

void MemoryGrid::setCurrentRow(int row)
{
    // A grid refuses a row it does not have; the current row stays where it was.
    if (row < 0 || row >= rowCount() || row == current)
        return;
    const int from = current;
    current = row;
    if (onRowChanged)
        onRowChanged(from, row);
}

void MemoryGrid::setRedraw(bool on)
{
    if (!on)
        ++redrawOffCount;
    redrawOn = on;
}

void MemoryGrid::showResult(const std::string& text, bool showBox, TextColour colour)
{
    results.push_back({text, showBox, colour});
}

} // namespace ov
