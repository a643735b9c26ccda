// The hint of the start screen: until the first topic is opened, the result line says how to
// open one. It is no result: nothing prints, records or stores it.
#include "table/conversiontable.h"

#include <QLabel>
#include <QLayout>

namespace ov::gui {

void ConversionTable::setStartHint(bool on)
{
    startHint_ = on;
    showStartHint();
}

// The hint is written whether the line is shown or not, so that switching the line on shows
// it. It is not cut like a result: where one line is too narrow for it, it takes two. Once it
// is over (the first topic, or switched off) the line it left is cleared.
void ConversionTable::showStartHint()
{
    const bool due = startHint_ && !firstShown_ && currentTopic_ == 0;
    if (due == hintShown_)
        return;
    const QString hint = QStringLiteral("Dvojklikem nebo klávesou Enter otevřete veličinu; F1 zobrazí nápovědu.");
    resultLabel_->setWordWrap(due);
    resultLabel_->setText(due ? hint : QString());
    resultLabel_->setToolTip(due ? hint : QString());
    hintShown_ = due;
    // The line's height changes with the lines of the hint: the grid takes its new place at
    // once, not only when the layout next runs.
    if (layout())
        layout()->activate();
}

} // namespace ov::gui
