// An in-memory conversion grid for tests and the command line; records every call out.
#pragma once
#include "grid.h"
#include "unitdb.h"
#include <string>
#include <vector>
#include <functional>

namespace ov {

class MemoryGrid : public ConversionGrid {
public:
    struct Row {
        std::string name, symbol, value;
        TextColour colour = TextColour::windowText();
    };
    struct Shown {
        std::string text;
        bool showBox;
        TextColour colour;
    };
    struct Box {
        std::string text;
        MessageIcon icon;
    };

    // Rows 0..n-1 from a topic's units (name, symbol, empty value), as the table fills a topic.
    void fillTopic(const UnitDatabase& db, int topic);
    // Starts an edit of `row` as the in-cell editor would: tag = old text, editor text = text.
    void typeInto(int row, const std::string& text);

    std::vector<Row> rows;
    int current = 0;
    bool editorShown = false;
    std::string editor, tag;
    bool representationEnabled = true;
    std::vector<Shown> results;
    std::vector<Box> boxes;
    int magnifierCalls = 0, recordCalls = 0, clipboardCalls = 0, redrawOffCount = 0;
    bool redrawOn = true;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    std::string cellText(int row, int col) const override;
    void setCellText(int row, int col, const std::string& text) override;
    void setCellColour(int row, TextColour colour) override;
    int currentRow() const override { return current; }
    void setCurrentRow(int row) override;
    void setRedraw(bool on) override;
    bool editorVisible() const override { return editorShown; }
    std::string editorText() const override { return editor; }
    std::string editorTag() const override { return tag; }
    void hideEditor() override { editorShown = false; }
    void showResult(const std::string& text, bool showBox, TextColour colour) override;
    void rebuildMagnifierText() override { ++magnifierCalls; }
    void writeRecord() override { ++recordCalls; }
    void updateClipboardCommands() override { ++clipboardCalls; }
    void setRepresentationEnabled(bool enabled) override { representationEnabled = enabled; }
    void messageBox(const std::string& text, MessageIcon icon) override { boxes.push_back({text, icon}); }

    // Hook for a cell-change handler (the real table recomposes the result line on row moves).
    // Runs only when the current row really changes, as the grid's cell-change event does.
    std::function<void(int from, int to)> onRowChanged;
};

} // namespace ov
