// The in-cell editor txtEdit: a line edit laid exactly over the current value cell while the
// user types, and the rules that open, close and steer it (including the first-letter jump).
#pragma once
#include "gui/commandtable.h"

#include <QLineEdit>
#include <QObject>

namespace ov::gui {

class GridView;

class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit CellEditor(QWidget* parent = nullptr);
    // The cell's text from before the edit, given back when the typed text cannot be used.
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

signals:
    void escapePressed();
    void enterPressed();
    void upPressed();
    void downPressed();
    void menuRequested(const QPoint& globalPos);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString tag_;
};

// Opens and closes the editor over the grid. Giving the grid the focus is the table's business
// (that is what commits and recomputes), so it is asked for by signal.
class CellEditing : public QObject {
    Q_OBJECT
public:
    CellEditing(GridView* grid, CellEditor* editor, QObject* parent = nullptr);

    // Starts an edit of the current cell: a typed character replaces the text, an empty
    // `typed` keeps the cell's text; the caret goes to the end either way.
    void startEdit(const QString& typed);
    // Moves to the next unit whose name starts with `character` (case-insensitive, wrapping).
    bool findMe(const QString& character);
    // Hides the editor, the typed text is lost.
    void discard();
    // The current cell changed under an open editor: its text goes into the row left.
    void leaveCell(int previousRow);
    // Keeps the editor over its cell after the grid changed size.
    void placeEditor();
    bool editing() const;

signals:
    void editStarted(int row);
    void focusGridRequested();
    void menuRequested(cmd::Menu menu, const QPoint& globalPos);

private:
    void commitAndMove(int step);

    GridView* grid_;
    CellEditor* editor_;
    int editRow_ = -1;
};

} // namespace ov::gui
