#include "table/gridadapter.h"
#include "table/celleditor.h"
#include "table/conversiontable.h"

#include "gui/common.h"
#include "gui/dialogservice.h"

#include <algorithm>
#include <cmath>

namespace ov::gui {

namespace {

// A theme colour shown as text on the grid's button face, moved towards the theme's text colour
// until it can be read there, in a light theme and a dark one alike.
QColor readable(const QColor& colour, const QPalette& palette, double wanted)
{
    return readableOn(colour, palette.color(QPalette::Button), palette.color(QPalette::ButtonText), wanted);
}

} // namespace

QColor toQColor(const ov::TextColour& colour, const QPalette& palette)
{
    using Role = ov::TextColour::Role;
    switch (colour.role) {
    case Role::Rgb:
        return QColor(static_cast<int>((colour.rgb >> 16) & 0xFF), static_cast<int>((colour.rgb >> 8) & 0xFF),
                      static_cast<int>(colour.rgb & 0xFF));
    case Role::WindowText: return palette.color(QPalette::WindowText);
    // The entry colour's default. On the button-face background of the grid the highlight-text
    // colour (white in most themes) cannot be read, so the cell takes the highlight colour itself.
    case Role::HighlightText:
    case Role::Highlight: return readable(palette.color(QPalette::Highlight), palette, kTextContrast);
    case Role::GrayText: return readable(palette.color(QPalette::Disabled, QPalette::Text), palette, kGreyContrast);
    }
    return palette.color(QPalette::WindowText);
}

int GridAdapter::rowCount() const { return table_.gridView_->rowCount(); }

std::string GridAdapter::cellText(int row, int col) const { return table_.cellString(row, col).toStdString(); }

void GridAdapter::setCellText(int row, int col, const std::string& text)
{
    if (row < 0 || row >= table_.gridView_->rowCount() || col < 0 || col > 2)
        return;
    QTableWidgetItem* cell = table_.gridView_->item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem();
        table_.gridView_->setItem(row, col, cell);
    }
    cell->setText(QString::fromStdString(text));
}

void GridAdapter::setCellColour(int row, ov::TextColour colour)
{
    if (QTableWidgetItem* cell = table_.gridView_->item(row, kColValue))
        cell->setForeground(toQColor(colour, table_.gridView_->palette()));
}

int GridAdapter::currentRow() const { return table_.gridView_->currentRow(); }

void GridAdapter::setCurrentRow(int row)
{
    if (row >= 0 && row < table_.gridView_->rowCount())
        table_.gridView_->setCurrentCell(row, kColValue); // runs the cell-change handling
}

void GridAdapter::setRedraw(bool on) { table_.gridView_->setUpdatesEnabled(on); }

bool GridAdapter::editorVisible() const { return table_.editing_->editing(); }
std::string GridAdapter::editorText() const { return table_.cellEditor_->text().toStdString(); }
std::string GridAdapter::editorTag() const { return table_.cellEditor_->tag().toStdString(); }
void GridAdapter::hideEditor() { table_.editing_->discard(); }

void GridAdapter::showResult(const std::string& text, bool showBox, ov::TextColour colour)
{
    table_.showResult(QString::fromStdString(text), showBox, toQColor(colour, table_.palette()));
}

void GridAdapter::rebuildMagnifierText() { table_.updateMagnifier(); }
void GridAdapter::writeRecord() { emit table_.recordRequested(); }
void GridAdapter::updateClipboardCommands() { table_.updateClipboardCommands(); }
void GridAdapter::setRepresentationEnabled(bool enabled) { emit table_.representationEnabledChanged(enabled); }

void GridAdapter::messageBox(const std::string& text, ov::MessageIcon icon)
{
    dialogs().message(&table_, dialogIcon(icon), appTitle(), displayText(text), QMessageBox::Ok);
}

} // namespace ov::gui
