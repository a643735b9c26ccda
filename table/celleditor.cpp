#include "table/celleditor.h"

#include "core/grid.h"
#include "table/gridview.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ov::gui {

namespace {
constexpr int kValueColumn = ov::kColValue;

bool isEditorKey(int key)
{
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up ||
           key == Qt::Key_Down;
}

// Ctrl+C and Ctrl+V are the window's copy and paste commands even while the editor is open:
// copy takes the cell's value, paste replaces the typed text. The line edit's own copy and
// paste would take its selection and insert at the caret instead.
bool isWindowClipboardKey(const QKeyEvent* key)
{
    return key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_C) ||
           key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_V);
}
} // namespace

CellEditor::CellEditor(QWidget* parent) : QLineEdit(parent)
{
    setObjectName("txtEdit");
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    hide();
}

bool CellEditor::event(QEvent* event)
{
    // These keys steer the edit; no window shortcut may take them away while typing.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isEditorKey(key->key()) && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
        if (isWindowClipboardKey(key)) {
            event->ignore(); // left to the window's shortcut
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    // Only reached when the window's command is unavailable: then the key does nothing, as the
    // disabled menu item does.
    if (isWindowClipboardKey(event)) {
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Escape: emit escapePressed(); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: emit enterPressed(); return; // swallowed: no character, no beep
        case Qt::Key_Up: emit upPressed(); return;
        case Qt::Key_Down: emit downPressed(); return;
        default: break;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CellEditor::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CellEditor::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse opens the menu on the press; here only the keyboard's menu key is left.
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard)
        emit menuRequested(mapToGlobal(cursorRect().center()));
}

CellEditing::CellEditing(GridView* grid, CellEditor* editor, QObject* parent)
    : QObject(parent), grid_(grid), editor_(editor)
{
    connect(editor_, &CellEditor::escapePressed, this, [this] {
        discard();
        emit focusGridRequested();
    });
    connect(editor_, &CellEditor::enterPressed, this, [this] { emit focusGridRequested(); });
    connect(editor_, &CellEditor::upPressed, this, [this] { commitAndMove(-1); });
    connect(editor_, &CellEditor::downPressed, this, [this] { commitAndMove(+1); });
    connect(editor_, &CellEditor::menuRequested, this,
            [this](const QPoint& pos) { emit menuRequested(cmd::Menu::CellEditor, pos); });
}

bool CellEditing::editing() const { return editor_->isVisibleTo(grid_); }

void CellEditing::startEdit(const QString& typed)
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount())
        return;
    editRow_ = row;
    emit editStarted(row);
    const QTableWidgetItem* cell = grid_->item(row, kValueColumn);
    const QString text = cell ? cell->text() : QString();
    // An edit of a row scrolled out of view brings it back first, so the editor is seen.
    grid_->scrollToItem(grid_->item(row, kValueColumn), QAbstractItemView::EnsureVisible);
    editor_->setText(typed.isEmpty() ? text : typed);
    editor_->setCursorPosition(static_cast<int>(editor_->text().size()));
    editor_->setTag(text);
    editor_->setFont(grid_->font());
    placeEditor();
    editor_->raise();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

void CellEditing::placeEditor()
{
    if (editRow_ < 0 || editRow_ >= grid_->rowCount())
        return;
    editor_->setGeometry(grid_->visualRect(grid_->model()->index(editRow_, kValueColumn)));
}

bool CellEditing::findMe(const QString& character)
{
    const int last = grid_->rowCount() - 1;
    if (last < 0 || character.isEmpty())
        return false;
    const QString wanted = character.left(1).toUpper();
    const auto matches = [&](int r) {
        const QTableWidgetItem* name = grid_->item(r, 0);
        return name && name->text().left(1).toUpper() == wanted;
    };
    int c = grid_->currentRow();
    if (c == last)
        c = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int r = pass == 0 ? c + 1 : 0; r <= last; ++r) {
            if (matches(r)) {
                grid_->setCurrentCell(r, kValueColumn);
                grid_->setTopRow(r);
                return true;
            }
        }
    }
    return false;
}

void CellEditing::discard()
{
    if (editor_->hasFocus())
        editor_->clearFocus(); // hiding a focused editor would throw the focus anywhere
    editor_->hide();
}

void CellEditing::leaveCell(int previousRow)
{
    if (!editing())
        return;
    if (previousRow >= 0 && previousRow < grid_->rowCount()) {
        QTableWidgetItem* cell = grid_->item(previousRow, kValueColumn);
        if (cell)
            cell->setText(editor_->text());
    }
    discard();
}

void CellEditing::commitAndMove(int step)
{
    emit focusGridRequested();
    const int row = grid_->currentRow();
    const int target = row + step;
    if (row >= 0 && target >= 0 && target < grid_->rowCount())
        grid_->setCurrentCell(target, kValueColumn);
}

} // namespace ov::gui
