#include "table/panes.h"

#include "gui/common.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace ov::gui {
namespace {
// In twips, as the window's other lengths: the strip's height, the text's resting distance
// from the left edge and the room left after its end when scrolled to the far right.
constexpr int kMagnifierHeightTwips = 1200;
constexpr int kMagnifierLeftTwips = 75;
constexpr int kMagnifierEndTwips = 200;
constexpr int kInfoHeightTwips = 1000;
constexpr int kRestingPointSize = 14;

void followSwitch(QWidget* pane, QAction* switchAction)
{
    pane->setVisible(switchAction->isChecked());
    QObject::connect(switchAction, &QAction::toggled, pane, &QWidget::setVisible);
}
} // namespace

Magnifier::Magnifier(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picLupa"));
    setAccessibleName(QStringLiteral("Lupa"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFixedHeight(twipsToPixels(kMagnifierHeightTwips));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    textLabel_ = new QLabel;
    textLabel_->setObjectName(QStringLiteral("lblLupa"));
    textLabel_->setAccessibleName(QStringLiteral("Lupa"));
    textLabel_->setTextFormat(Qt::PlainText);
    textLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    textLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The system's own colours, so that the text stays readable in a dark theme as well.
    textLabel_->setForegroundRole(QPalette::Text);
    QFont big = textLabel_->font();
    big.setPointSize(kRestingPointSize);
    textLabel_->setFont(big);

    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(twipsToPixels(kMagnifierLeftTwips), 0, twipsToPixels(kMagnifierEndTwips), 0);
    row->addWidget(textLabel_);
    row->addStretch(1);

    area_ = new QScrollArea(this);
    area_->setFrameShape(QFrame::NoFrame);
    area_->setBackgroundRole(QPalette::Base);
    area_->setWidgetResizable(true);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->horizontalScrollBar()->setObjectName(QStringLiteral("hsbLupa"));
    area_->horizontalScrollBar()->setAccessibleName(QStringLiteral("Posun lupy"));
    area_->setWidget(content);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area_);
    hide();
}

void Magnifier::follow(QAction* switchAction) { followSwitch(this, switchAction); }

void Magnifier::setText(const QString& text, int pointSize)
{
    if (pointSize > 0 && textLabel_->font().pointSize() != pointSize) {
        QFont f = textLabel_->font();
        f.setPointSize(pointSize);
        textLabel_->setFont(f);
    }
    textLabel_->setText(displayText(text));
    area_->horizontalScrollBar()->setValue(0);
}

QString Magnifier::text() const { return textLabel_->text(); }

QScrollBar* Magnifier::scrollBar() const { return area_->horizontalScrollBar(); }

InfoPane::InfoPane(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("txtInfo"));
    setAccessibleName(QStringLiteral("Informace o jednotce"));
    setReadOnly(true);
    setFixedHeight(twipsToPixels(kInfoHeightTwips));
    setFocusPolicy(Qt::ClickFocus);
    hide();
}

void InfoPane::follow(QAction* switchAction) { followSwitch(this, switchAction); }

void InfoPane::setInfo(const QString& text) { setPlainText(displayText(text)); }

} // namespace ov::gui
