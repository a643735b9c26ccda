#include "table/workspace.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace ov::gui {
namespace {
// The bar between the columns; the panes on the right start right after it.
constexpr int kBarPixels = 5;

// While dragged, the bar takes the colour of the application workspace. Painted by the bar
// itself: a style sheet would restyle every widget below the splitter, slowing each one's
// creation and painting, and keep them from following a change of the desktop theme.
class Bar : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QSplitterHandle::mousePressEvent(event);
        setPressed(event->button() == Qt::LeftButton || pressed_);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QSplitterHandle::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            setPressed(false);
    }
    void paintEvent(QPaintEvent* event) override
    {
        if (!pressed_)
            return QSplitterHandle::paintEvent(event);
        QPainter(this).fillRect(rect(), palette().color(QPalette::Dark));
    }

private:
    void setPressed(bool on)
    {
        if (on != pressed_) {
            pressed_ = on;
            update();
        }
    }
    bool pressed_ = false;
};

class Splitter : public QSplitter {
public:
    using QSplitter::QSplitter;

protected:
    QSplitterHandle* createHandle() override { return new Bar(orientation(), this); }
};
} // namespace

Workspace::Workspace(QWidget* left, QWidget* firstPage, QWidget* parent) : QWidget(parent)
{
    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("picPrava"));
    pages_ = new QStackedWidget(right);
    pages_->setObjectName(QStringLiteral("picStrany"));
    pages_->addWidget(firstPage);
    right_ = new QVBoxLayout(right);
    right_->setContentsMargins(0, 0, 0, 0);
    right_->setSpacing(2);
    right_->addWidget(pages_, 1);

    setObjectName(QStringLiteral("picPlocha"));
    splitter_ = new Splitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("picTram"));
    splitter_->setHandleWidth(kBarPixels);
    splitter_->setChildrenCollapsible(false);
    splitter_->setOpaqueResize(true);
    splitter_->addWidget(left);
    splitter_->addWidget(right);
    // Growing the window widens the panes, never the navigator.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    applyMinimumWidths();
    outer_ = new QVBoxLayout(this);
    outer_->setContentsMargins(0, 0, 0, 0);
    outer_->setSpacing(2);
    outer_->addWidget(splitter_, 1);

    connect(splitter_, &QSplitter::splitterMoved, this, [this](int pos, int) {
        if (applying_)
            return;
        // The bar is where the user let it go; the panes start right after it. At either
        // limit the position is the limit itself, not the nearest whole pixel.
        const int shown = pos + kBarPixels;
        const int highest = pixelsToTwips(window()->width()) - kMinRightTwips;
        if (shown <= twipsToPixels(kMinSplitterTwips))
            splitterPosition_ = clamp(kMinSplitterTwips);
        else if (shown >= twipsToPixels(highest))
            splitterPosition_ = clamp(highest);
        else
            splitterPosition_ = clamp(pixelsToTwips(shown));
        applyPosition();
    });
}

void Workspace::applyMinimumWidths()
{
    splitter_->widget(0)->setMinimumWidth(twipsToPixels(kMinSplitterTwips) - kBarPixels);
    // The workspace spans the whole window, so the panes' width is the window's minus Vlevo.
    splitter_->widget(1)->setMinimumWidth(twipsToPixels(kMinRightTwips));
}

void Workspace::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A new desktop font changes the size of a twip: the limits and the bar follow it.
    if (event->type() == QEvent::FontChange) {
        applyMinimumWidths();
        applyPosition();
    }
}

void Workspace::addPage(QWidget* page) { pages_->addWidget(page); }

void Workspace::showPage(QWidget* page) { pages_->setCurrentWidget(page); }

QWidget* Workspace::currentPage() const { return pages_->currentWidget(); }

void Workspace::setTopStrip(QWidget* strip) { outer_->insertWidget(0, strip); }

void Workspace::setBottomBox(QWidget* box) { right_->addWidget(box); }

int Workspace::clamp(int twips) const
{
    const int windowTwips = pixelsToTwips(window()->width());
    twips = std::max(twips, kMinSplitterTwips);
    // On a window narrower than both limits together the right-hand panes win.
    if (windowTwips - twips < kMinRightTwips)
        twips = windowTwips - kMinRightTwips;
    return twips;
}

int Workspace::splitterPosition() const
{
    const QList<int> sizes = splitter_->sizes();
    if (sizes.isEmpty())
        return splitterPosition_;
    const int shownPixels = sizes.first() + kBarPixels;
    // The position in twips as set, as long as the bar still stands there.
    return twipsToPixels(splitterPosition_) == shownPixels ? splitterPosition_ : pixelsToTwips(shownPixels);
}

int Workspace::setSplitterPosition(int twips)
{
    splitterPosition_ = clamp(twips);
    applyPosition();
    return splitterPosition_;
}

void Workspace::applyPosition()
{
    const int total = splitter_->width() - kBarPixels;
    const int left = std::max(1, twipsToPixels(splitterPosition_) - kBarPixels);
    applying_ = true;
    splitter_->setSizes({left, std::max(1, total - left)});
    applying_ = false;
}

} // namespace ov::gui
