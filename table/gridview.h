// The grid msgTab: three columns (unit name, symbol, value), the value column the only one the
// cursor moves in, small pictures at the right edge of cells. It only reports what the user does
// (keys, clicks, focus, scrolling); the conversion table decides what that means.
#pragma once
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace ov::gui {

// Pictures drawn at the right edge of a cell, top-aligned.
enum class CellPicture { None = 0, Info = 1, Mark = 2, Blank = 3 };

inline constexpr int kPictureRole = Qt::UserRole + 1;

class PictureDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    // True when the cell's text does not fit beside its picture and is shown shortened.
    bool textIsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    static QIcon iconFor(CellPicture picture);
};

class GridView : public QTableWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    int topRow() const;
    void setTopRow(int row);
    // Rows fully visible from the top row on; the row count when all the remaining rows fit.
    int visibleRows() const;
    void updateColumnWidths();
    // True once the grid has shown a topic; before that it takes no edits or menus.
    void setHasTopic(bool on) { hasTopic_ = on; }
    // Lines between the cells, in the disabled-text colour; off, the lines vanish into the face.
    void setGridLinesShown(bool on);

signals:
    void gotFocus();
    void characterTyped(const QString& text); // a character key
    void editKeyPressed();                    // Space, Backspace, Enter: edit the cell's text
    void insertPressed();
    void doubleClickedCell();
    void rightClicked(int row, int column, const QPoint& globalPos);
    void scrolled();
    void resized();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;

private:
    // The colours and the row height derive from the desktop's palette and font, so they are
    // made again whenever either changes while the program runs.
    void applyColours();
    void applyRowHeight();

    bool hasTopic_ = false;
    bool colouring_ = false;
};

} // namespace ov::gui
