#include "table/gridview.h"
#include "core/grid.h"
#include "gui/common.h"
#include "gui/icons.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <cmath>

namespace ov::gui {

namespace {
constexpr int kValueColumn = ov::kColValue;

// The square a picture takes at the right edge of a cell.
QRect pictureBox(const QRect& cell)
{
    const int side = std::min(16, cell.height());
    return {cell.right() - side + 1, cell.top(), side, side};
}
} // namespace

QIcon PictureDelegate::iconFor(CellPicture picture)
{
    // The blank picture draws nothing, so it is not drawn at all.
    static const QIcon info = cellIcon(QStringLiteral("info"));
    static const QIcon mark = cellIcon(QStringLiteral("mark"));
    switch (picture) {
    case CellPicture::Info: return info;
    case CellPicture::Mark: return mark;
    default: return {};
    }
}

void PictureDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QIcon icon = iconFor(static_cast<CellPicture>(index.data(kPictureRole).toInt()));
    if (icon.isNull()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    // The background spans the cell; the text stops where the picture begins, never under it.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, view);
    const QRect box = pictureBox(option.rect);
    opt.rect.setRight(box.left() - 1);
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, view);
    icon.paint(painter, box, Qt::AlignRight | Qt::AlignTop);
}

bool PictureDelegate::textIsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    if (opt.text.isEmpty())
        return false;
    if (!iconFor(static_cast<CellPicture>(index.data(kPictureRole).toInt())).isNull())
        opt.rect.setRight(pictureBox(option.rect).left() - 1);
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, view);
    // The style keeps a margin on each side of the text inside that rectangle.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return opt.fontMetrics.horizontalAdvance(opt.text) > room.width() - 2 * margin;
}

bool PictureDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index)
{
    // A text too long for its cell is shown whole as the cell's tool tip.
    if (event && view && event->type() == QEvent::ToolTip && index.isValid() && index.data(Qt::ToolTipRole).isNull()) {
        if (textIsCut(option, index))
            QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(),
                               option.rect);
        else
            QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

GridView::GridView(QWidget* parent) : QTableWidget(parent)
{
    setObjectName("msgTab");
    setColumnCount(3);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setFrameShape(QFrame::NoFrame);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setItemDelegate(new PictureDelegate(this));
    verticalHeader()->setMinimumSectionSize(1);
    applyRowHeight();
    applyColours();

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit scrolled(); });
}

void GridView::setGridLinesShown(bool on)
{
    setShowGrid(on);
    setGridStyle(on ? Qt::SolidLine : Qt::NoPen);
    applyColours();
}

void GridView::applyColours()
{
    // The grid, the area beyond its rows and the fixed columns all wear the button-face colour.
    const QPalette desktop = QApplication::palette(this);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, desktop.color(QPalette::Button));
    pal.setColor(QPalette::Window, desktop.color(QPalette::Button));
    pal.setColor(QPalette::Mid,
                 showGrid() ? desktop.color(QPalette::Disabled, QPalette::Text) : desktop.color(QPalette::Button));
    colouring_ = true;
    setPalette(pal);
    colouring_ = false;
}

void GridView::applyRowHeight()
{
    // Compact rows: a topic's units should fit without scrolling where possible.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void GridView::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    // A new desktop palette reaches the grid as a change of the roles it does not set itself.
    if (event->type() == QEvent::PaletteChange && !colouring_)
        applyColours();
    else if (event->type() == QEvent::FontChange)
        applyRowHeight();
}

int GridView::topRow() const
{
    const int r = rowAt(0);
    return r < 0 ? 0 : r;
}

void GridView::setTopRow(int row)
{
    if (row >= 0 && row < rowCount())
        verticalScrollBar()->setValue(row);
}

int GridView::visibleRows() const
{
    const int height = viewport()->height();
    for (int r = topRow(); r < rowCount(); ++r) {
        if (rowViewportPosition(r) + rowHeight(r) > height)
            return r - topRow();
    }
    return rowCount();
}

void GridView::updateColumnWidths()
{
    const int gridWidth = width();
    const double w = pixelsToTwips(gridWidth) - 200.0;
    const int c0 = std::max(0, twipsToPixels(std::round(w * 0.47)));
    const int c1 = std::max(0, twipsToPixels(std::round(w * 0.15)));
    // The value column ends where the vertical scroll bar begins, shown or not.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setColumnWidth(0, c0);
    setColumnWidth(1, c1);
    setColumnWidth(2, std::max(0, gridWidth - c0 - c1 - bar));
}

void GridView::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    emit gotFocus();
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (!hasTopic_ || rowCount() == 0) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (event->key()) {
    case Qt::Key_Insert:
        if (plain) {
            emit insertPressed();
            return;
        }
        break;
    case Qt::Key_Escape:
        event->ignore(); // the window's own Escape rule
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Backspace:
        if (plain) {
            emit editKeyPressed();
            return;
        }
        break;
    default: break;
    }
    const QString text = event->text();
    if (plain && !text.isEmpty() && text.at(0).isPrint()) {
        emit characterTyped(text);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (hasTopic_)
            emit rightClicked(rowAt(pos.y()), columnAt(pos.x()), event->globalPosition().toPoint());
        event->accept();
        return;
    }
    // The fixed columns and the area below the rows cannot become the current cell.
    if (event->button() == Qt::LeftButton && (columnAt(pos.x()) != kValueColumn || rowAt(pos.y()) < 0)) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (hasTopic_ && rowCount() > 0 && event->button() == Qt::LeftButton)
        emit doubleClickedCell();
}

void GridView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    // The mouse menus are handled on the press; the keyboard's menu key acts on the current cell.
    if (event->reason() != QContextMenuEvent::Keyboard || !hasTopic_)
        return;
    const int row = currentRow();
    const QRect cell = visualRect(model()->index(std::max(row, 0), kValueColumn));
    emit rightClicked(row, kValueColumn, viewport()->mapToGlobal(cell.center()));
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    updateColumnWidths();
    emit resized();
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int n = rowCount();
    if (n == 0)
        return {};
    int r = currentIndex().isValid() ? currentIndex().row() : -1;
    const int page = std::max(1, visibleRows() > 1 ? visibleRows() - 1 : 1);
    switch (action) {
    case MoveUp:
    case MovePrevious: r -= 1; break;
    case MoveDown:
    case MoveNext: r += 1; break;
    case MovePageUp: r -= page; break;
    case MovePageDown: r += page; break;
    case MoveHome: r = 0; break;
    case MoveEnd: r = n - 1; break;
    case MoveLeft:
    case MoveRight: break;
    }
    r = std::clamp(r, 0, n - 1);
    return model()->index(r, kValueColumn);
}

} // namespace ov::gui
