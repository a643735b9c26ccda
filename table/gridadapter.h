// The conversion table as the conversion engine sees it: cells, the current row, the in-cell
// editor and the calls out (result line, magnifier, clipboard commands, messages).
#pragma once
#include "core/grid.h"
#include "gui/common.h"

#include <QColor>
#include <QPalette>

namespace ov::gui {

class ConversionTable;

// A core colour in the palette of the widget that shows it; the theme colours are made
// readable on the grid's button face (at least these contrast ratios, as WCAG counts them).
inline constexpr double kTextContrast = 4.5;
inline constexpr double kGreyContrast = 3.0;
QColor toQColor(const ov::TextColour& colour, const QPalette& palette);

class GridAdapter final : public ov::ConversionGrid {
public:
    explicit GridAdapter(ConversionTable& table) : table_(table) {}

    int rowCount() const override;
    std::string cellText(int row, int col) const override;
    void setCellText(int row, int col, const std::string& text) override;
    void setCellColour(int row, ov::TextColour colour) override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void setRedraw(bool on) override;

    bool editorVisible() const override;
    std::string editorText() const override;
    std::string editorTag() const override;
    void hideEditor() override;

    void showResult(const std::string& text, bool showBox, ov::TextColour colour) override;
    void rebuildMagnifierText() override;
    void writeRecord() override;
    void updateClipboardCommands() override;
    void setRepresentationEnabled(bool enabled) override;
    void messageBox(const std::string& text, ov::MessageIcon icon) override;

private:
    ConversionTable& table_;
};

} // namespace ov::gui
