#include "compact/compactpanel.h"

#include "core/catalogue.h"
#include "core/engine.h"
#include "core/numtext.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "core/unitdb.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace ov::gui {

// The shared unit list: it is only on screen while its drop-down is open, so leaving the list
// without a choice hides it and changes nothing.
class UnitList : public QComboBox {
public:
    using QComboBox::QComboBox;
    void hidePopup() override
    {
        QComboBox::hidePopup();
        hide();
    }
};

namespace {

const QString kUnsuitable = QStringLiteral("Nevhodná vstupní hodnota.");

} // namespace

CompactPanel::CompactPanel(const ov::UnitDatabase& db, char decimal, QWidget* host)
    : QFrame(host), db_(db), decimal_(decimal)
{
    setObjectName(QStringLiteral("picLt"));
    setAccessibleName(QStringLiteral("omniVELOR Lite"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 4, 6);
    grid->setHorizontalSpacing(6);
    addTitleRow(grid);
    for (int k = 0; k < 2; ++k)
        addUnitRow(grid, k);

    unitList_ = new UnitList(this);
    unitList_->setObjectName(QStringLiteral("cboLt"));
    unitList_->setAccessibleName(QStringLiteral("Vybrat jednotku"));
    unitList_->hide();
    connect(unitList_, &QComboBox::activated, this, [this](int index) { chooseUnit(listRow_, index + 1); });

    hide();
    host->installEventFilter(this);
}

void CompactPanel::addTitleRow(QGridLayout* grid)
{
    auto* title = new QLabel(QStringLiteral("omniVELOR Lite"), this);
    title->setObjectName(QStringLiteral("lblLtTitulek"));
    title->setAccessibleName(QStringLiteral("Název panelu"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 0, 1, 3);
    closeButton_ = new QToolButton(this);
    closeButton_->setObjectName(QStringLiteral("imgLt"));
    closeButton_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton_->setAutoRaise(true);
    closeButton_->setToolTip(QStringLiteral("Zavřít"));
    closeButton_->setAccessibleName(QStringLiteral("Zavřít"));
    grid->addWidget(closeButton_, 0, 3, Qt::AlignRight);
    connect(closeButton_, &QToolButton::clicked, this, &CompactPanel::closePanel);
}

// Row k (0: upper, 1: lower): the unit's name and symbol, the value box and the button of the unit list.
void CompactPanel::addUnitRow(QGridLayout* grid, int k)
{
    static const char* const kRowNames[] = {"horní", "dolní"};
    const QString which = QString::fromUtf8(kRowNames[k]);
    auto* nameLabel = new QLabel(this);
    nameLabel->setObjectName(QStringLiteral("lblLt_%1").arg(k));
    nameLabel->setAccessibleName(QStringLiteral("Jednotka, %1 řádek").arg(which));
    nameLabel->setMinimumWidth(twipsToPixels(1800));
    auto* symbolLabel = new QLabel(this);
    symbolLabel->setObjectName(QStringLiteral("lblLt_%1").arg(k + 2));
    symbolLabel->setAccessibleName(QStringLiteral("Značka, %1 řádek").arg(which));
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("txtLt_%1").arg(k));
    box->setAccessibleName(QStringLiteral("Hodnota, %1 řádek").arg(which));
    // The thin sunken border of the window's boxes.
    box->setFrame(true);
    auto* down = new QToolButton(this);
    down->setObjectName(QStringLiteral("imgDown_%1").arg(k));
    down->setArrowType(Qt::DownArrow);
    down->setAutoRaise(true);
    down->setToolTip(QStringLiteral("Vybrat jednotku"));
    down->setAccessibleName(QStringLiteral("Vybrat jednotku, %1 řádek").arg(which));
    grid->addWidget(nameLabel, k + 1, 0);
    grid->addWidget(symbolLabel, k + 1, 1);
    grid->addWidget(box, k + 1, 2);
    grid->addWidget(down, k + 1, 3);
    unitLabels_[std::size_t(k)] = nameLabel;
    unitLabels_[std::size_t(k + 2)] = symbolLabel;
    valueEdits_[std::size_t(k)] = box;
    listButtons_[std::size_t(k)] = down;
    connect(box, &QLineEdit::returnPressed, this, [this, k] { compute(k); });
    connect(down, &QToolButton::clicked, this, [this, k] { openUnitList(k); });
}

bool CompactPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        place();
    return QFrame::eventFilter(watched, event);
}

void CompactPanel::place()
{
    adjustSize();
    const QWidget* host = parentWidget();
    move(std::max(0, host->width() - width() - 8), 8);
}

void CompactPanel::open(int topic)
{
    if (topic < 1 || topic > ov::kMaxTopic) {
        dialogs().message(parentWidget(), DialogService::Icon::Information, appTitle(),
                          QStringLiteral("Není vybraná veličina.\n\nNejprve vyberte veličinu."));
        return;
    }
    topic_ = topic;
    const ov::UnitDatabase& db = db_;
    unitList_->hide();
    unitList_->clear();
    for (int u = 1; u <= db.unitCount(topic); ++u)
        unitList_->addItem(fromStd(db.unit(topic, u).name));
    // A topic with a single unit leaves the lower row without one.
    setUnit(0, db.unitCount(topic) >= 1 ? 1 : 0);
    setUnit(1, db.unitCount(topic) >= 2 ? 2 : 0);
    for (QLineEdit* box : valueEdits_)
        box->clear();
    place();
    show();
    raise();
    valueEdits_[0]->setFocus();
}

void CompactPanel::closePanel()
{
    unitList_->hide();
    hide();
}

void CompactPanel::setUnit(int row, int unit)
{
    const std::size_t t = std::size_t(topic_), u = std::size_t(unit);
    const bool has = unit > 0;
    unit_[std::size_t(row)] = unit;
    unitLabels_[std::size_t(row)]->setText(has ? fromStd(db_.unit(t, u).name) : QString());
    unitLabels_[std::size_t(row + 2)]->setText(has ? fromStd(db_.unit(t, u).symbol) : QString());
}

void CompactPanel::openUnitList(int row)
{
    listRow_ = row;
    const QRect at = listButtons_[std::size_t(row)]->geometry();
    const QRect name = unitLabels_[std::size_t(row)]->geometry();
    unitList_->setGeometry(name.left(), at.top(), at.right() - name.left(), at.height());
    if (unit_[std::size_t(row)] > 0)
        unitList_->setCurrentIndex(unit_[std::size_t(row)] - 1);
    unitList_->show();
    unitList_->raise();
    unitList_->setFocus();
    unitList_->showPopup();
}

void CompactPanel::chooseUnit(int row, int unit)
{
    if (unit < 1 || unit > db_.unitCount(topic_))
        return;
    unitList_->hide();
    setUnit(row, unit);
    compute(row);
    valueEdits_[std::size_t(row)]->setFocus();
}

void CompactPanel::warn(const QString& text)
{
    dialogs().message(this, DialogService::Icon::Warning, appTitle(), text);
}

void CompactPanel::compute(int row)
{
    const std::size_t k = std::size_t(row), o = std::size_t(1 - row);
    const std::optional<double> x = ov::ParseNumber(valueEdits_[k]->text().toStdString(), decimal_);
    if (!x || unit_[k] == 0 || unit_[o] == 0) {
        warn(kUnsuitable);
        return;
    }
    std::optional<double> y;
    if (topic_ == ov::kTemperatureTopic) {
        // Temperatures have offsets: they go through kelvin, and any sign is a temperature.
        const std::optional<double> kelvin = ov::TemperatureToKelvin(unit_[k], *x);
        if (kelvin && std::isfinite(*kelvin) && *kelvin <= 0) {
            warn(QString::fromUtf8(ov::kAbsoluteZeroText));
            return;
        }
        if (kelvin)
            y = ov::TemperatureFromKelvin(unit_[o], *kelvin);
    } else {
        // Quantities other than temperature are not negative: such a value is passed over.
        if (!(*x > 0))
            return;
        const std::size_t t = std::size_t(topic_);
        const double from = db_.unit(t, unit_[k]).factor;
        const double to = db_.unit(t, unit_[o]).factor;
        if (to != 0)
            y = *x * from / to;
    }
    if (!y || !std::isfinite(*y)) {
        warn(kUnsuitable);
        return;
    }
    valueEdits_[o]->setText(fromStd(ov::FormatGeneral(*y + 0.0, decimal_)));
}

} // namespace ov::gui
