// The conversion table as the engine sees it. The Qt table implements this interface; an
// in-memory grid (memgrid.h) serves the tests and the command line.
//
// Data flow of one conversion: the table commits the editor -> ConversionEngine::onGridFocus
// reads the cell texts through this interface, writes every row's value text, formats column 2,
// composes the result line and calls back out (showResult, rebuildMagnifierText, writeRecord, ...).
#pragma once
#include "messages.h"
#include <cstdint>
#include <string>

namespace ov {

// A text colour: either a system colour role or an RGB value (0xRRGGBB).
struct TextColour {
    enum class Role { Rgb, WindowText, HighlightText, Highlight, GrayText };
    Role role = Role::WindowText;
    std::uint32_t rgb = 0;
    static TextColour black() { return {Role::Rgb, 0x000000}; }
    static TextColour red() { return {Role::Rgb, 0xFF0000}; }
    static TextColour windowText() { return {Role::WindowText, 0}; }
    static TextColour highlightText() { return {Role::HighlightText, 0}; }
    static TextColour fromRgb(std::uint32_t v) { return {Role::Rgb, v}; }
    bool operator==(const TextColour&) const = default;
};

inline constexpr int kColName = 0, kColSymbol = 1, kColValue = 2;

class ConversionGrid {
public:
    virtual ~ConversionGrid() = default;

    // Cells
    virtual int rowCount() const = 0;
    virtual std::string cellText(int row, int col) const = 0;
    virtual void setCellText(int row, int col, const std::string& text) = 0;
    virtual void setCellColour(int row, TextColour colour) = 0; // value cell (column 2)
    virtual int currentRow() const = 0;
    // An ordinary change of the current cell: the real table runs its cell-change handling.
    virtual void setCurrentRow(int row) = 0;
    virtual void setRedraw(bool on) = 0;

    // The in-cell editor
    virtual bool editorVisible() const = 0;
    virtual std::string editorText() const = 0;
    virtual std::string editorTag() const = 0; // the cell's text from before the edit
    virtual void hideEditor() = 0;

    // Calls out
    virtual void showResult(const std::string& text, bool showBox, TextColour colour) = 0;
    virtual void rebuildMagnifierText() = 0;    // rebuild the magnifier text
    virtual void writeRecord() = 0;             // one record line while recording is on
    virtual void updateClipboardCommands() = 0; // "Kopírovat" enabled when the cell is not empty
    virtual void setRepresentationEnabled(bool enabled) = 0;
    virtual void messageBox(const std::string& text, MessageIcon icon) = 0; // title: omniVELOR
};

} // namespace ov
