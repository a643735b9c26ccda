// The conversion table of the main window: the title lblTitulek, the result line lblSI, the grid
// msgTab with its in-cell editor txtEdit and the up-arrow picTop. It owns the conversion engine
// and its state, and is the engine's grid; the unit database belongs to the application.
// The pane switches (short preview, magnifier, information) are checkable actions: the table
// reads them and follows their changes, it keeps no state of its own for them.
#pragma once
#include "core/engine.h"
#include "core/marks.h"
#include "core/represent.h"
#include "gui/commandtable.h"
#include "table/gridadapter.h"
#include "table/gridview.h"

#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QToolButton;

namespace ov::gui {

class CellEditor;
class CellEditing;

// How the table shows its values, as the options dialog sets it; the defaults are a fresh
// installation's.
struct TableOptions {
    // The engine's own defaults where the engine keeps the option.
    int fix = ov::EngineSettings{}.fix;          // decimals of the fixed format, 0..9
    bool colored = ov::EngineSettings{}.colored; // the entered value's cell in its own colour
    ov::TextColour colouredColour = ov::EngineSettings{}.coloredColour;
    bool expressions = ov::EngineSettings{}.expressions; // arithmetic typed into a cell is evaluated
    bool gridLines = true;
    int numBase = 12;            // the custom base of "Aktuální jako"
    int numBaseDec = 6;          // its places after the point
    int fractionSensitivity = 3; // ZCitlivost
};

class ConversionTable : public QWidget {
    Q_OBJECT
public:
    ConversionTable(const ov::UnitDatabase& db, char decimalSeparator, QWidget* parent = nullptr);
    ~ConversionTable() override;

    // Topics
    void fillTopic(int topic);
    int currentTopic() const { return currentTopic_; }
    void showWelcome(); // no topic yet: empty grid, start-screen title
    // A first hint in the result line of the start screen, until the first topic is shown; it
    // is no result: the line's text for printing stays empty.
    void setStartHint(bool on);
    void goToRow(int row); // current row and top row (GoToUnit)
    void showPrefixes();   // the current value in the multiples topic
    // The row marks of every topic, drawn by the table; a hidden topic's title ends with
    // " (skryto)". They must outlive the table.
    void setMarks(const ov::MarkState* marks) { marks_ = marks; }
    // A pasted value: into the open editor, or entered in the current unit and converted.
    void pasteValue(const QString& text);
    void setTitleText(const QString& text); // the title label as given
    // A renamed topic on show is titled with its new name at once, still marked when hidden.
    void topicRenamed(int topic, const QString& name);

    // Settings
    void setFormat(int index); // a negative index selects single precision
    int format() const;
    void formatTable();
    void setOptions(const TableOptions& options); // a fix outside 0..9 is brought into it
    const TableOptions& options() const { return options_; }
    char decimalSeparator() const;
    long conversionCount() const;
    void setConversionCount(long count);

    // The switches of the panes, shared with the menu and the toolbar; until this is called
    // the table has its own (preview on, magnifier and information off).
    void usePaneSwitches(QAction* preview, QAction* magnifier, QAction* info);

    // Display
    void setResultLineVisible(bool on); // the short preview
    bool resultLineVisible() const;
    void setReferenceMode(int mode); // 0: against the first unit, 1: the entered one
    void setMagnifierOn(bool on);
    void setInfoOn(bool on);
    void setMarkingDisplay(bool on); // information pictures and marks
    bool markingDisplay() const { return markingDisplay_; }
    void setEditMode(bool on) { editMode_ = on; } // a data file is open for editing
    void setCellPicture(int row, int column, CellPicture picture);
    CellPicture cellPicture(int row, int column) const;

    // "Aktuální jako": "Binarne", "Oktalne", "Hexadecimalne", "Vlastni", "VlastniD", "Zlomek", "Rimsky"
    void runRepresentation(const QString& key);
    void runAs(ov::BaseKind kind);
    void runRoman();
    void runFraction();

    // The result line and the grid as they stand, for the commands and the output
    void showResult(const QString& text, bool showBox, const QColor& colour);
    QString resultLineText() const; // the whole text of the result line, however cut
    QString currentValueText() const;
    int rowCount() const;
    QString cellText(int row, int column) const { return cellString(row, column); }
    int currentRow() const;
    // The block of rows selected with Shift and the arrows (or the mouse), in ascending order;
    // the current row twice when no block is selected.
    std::pair<int, int> selectedRows() const;
    void focusGrid(); // the grid takes the focus: commit + recompute

signals:
    void titleClicked();                           // left button on the title
    void positionTextChanged(const QString& text); // panel "TVeličiny"
    void firstTopicShown();
    void representationEnabledChanged(bool enabled);
    void copyEnabledChanged(bool enabled);
    void contextMenuRequested(cmd::Menu menu, const QPoint& globalPos);
    void conversionDone();
    void magnifierTextChanged(const QString& text, int pointSize); // pointSize 0: keep the size
    void infoTextChanged(const QString& text);
    void markToggleRequested(int row); // Insert on a row
    void recordRequested();            // a value converted: a record line, a history entry
    void prefixesShown(int topic, const QString& unitName);
    void topicFilled(int topic);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class GridAdapter;

    void buildWidgets();
    void connectGrid();
    void connectEditing();
    void useOwnPaneSwitches();
    void onCharacterTyped(const QString& text);
    void onInsertPressed();
    void onGridRightClicked(int row, int column, const QPoint& globalPos);
    void onGridScrolled();
    void onGridResized();
    void onCurrentCellChanged(int row, int column, int previousRow);
    void onEditorTextChanged(const QString& text); // the magnifier shows the value as typed
    void scrollUpOneRow();                         // the up-arrow picTop

    void fillRows(int topic, int count);
    QString resultText() const;
    int editRow() const;
    void gridGotFocus();
    void cellChanged(int row, int previousRow);
    void enterCell();
    QString composeMagnifierText() const;
    QString composeInfoText() const;
    void updateMagnifier();
    void updateInfo();
    void updateClipboardCommands();
    void showStartHint();
    void placeTopButton();
    void nameForAssistiveTechnology();
    void followSwitch(QAction* action, void (ConversionTable::*follow)());
    void previewSwitched();
    bool magnifierOn() const;
    bool infoOn() const;
    void showRepresentation(const ov::RepresentationResult& result, bool showBoxWhenOk);
    void setTitle(const QString& unitOrTopic);
    void showMarks();
    QString cellString(int row, int column) const;
    ov::EngineSettings& settings() const;

    const ov::UnitDatabase& db_;
    GridAdapter adapter_;
    ov::ConversionEngine engine_;

    QLabel* titleLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    GridView* gridView_ = nullptr;
    CellEditor* cellEditor_ = nullptr;
    CellEditing* editing_ = nullptr;
    QToolButton* topButton_ = nullptr;

    int currentTopic_ = 0;
    bool busy_ = false;
    bool firstShown_ = false;
    QAction* preview_ = nullptr;
    QAction* magnifier_ = nullptr;
    QAction* info_ = nullptr;
    int referenceMode_ = 0;
    bool markingDisplay_ = true;
    bool editMode_ = false;
    bool focusDelivered_ = false;
    bool engineRunning_ = false;
    bool startHint_ = true;
    bool hintShown_ = false;
    TableOptions options_;
    const ov::MarkState* marks_ = nullptr;
};

} // namespace ov::gui
