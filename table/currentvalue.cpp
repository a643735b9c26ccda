// The current value taken further: shown with every prefix in the multiples topic, or replaced
// by a pasted one.
#include "table/conversiontable.h"
#include "table/celleditor.h"

#include "core/catalogue.h"
#include "core/numtext.h"
#include "gui/clipboard.h"
#include "gui/common.h"

#include <cmath>

namespace ov::gui {

namespace {
constexpr int kValueColumn = ov::kColValue;
} // namespace

void ConversionTable::showPrefixes()
{
    if (editMode_)
        return;
    const QString text = currentValueText();
    const auto x = ov::ParseNumber(text.toStdString(), decimalSeparator());
    if (text.isEmpty() || !x) // also a text left behind by an unfinished edit
        return;
    const QString unitName = cellString(currentRow(), 0);
    putClipboardText(text);
    fillTopic(ov::kMultiplesTopic);
    setTitleText(u' ' + unitName);
    const int n = gridView_->rowCount();
    if (n > 0) {
        gridView_->item(0, kValueColumn)->setText(text);
        focusGrid();
        const auto factor = [this](int u) { return db_.unit(ov::kMultiplesTopic, u).factor; };
        for (int u = 1; u <= n; ++u) {
            const double v = *x * factor(1) / factor(u);
            gridView_->item(u - 1, kValueColumn)->setText(fromStd(ov::FormatGeneral(v, decimalSeparator())));
        }
        for (int r = 0; r < n; ++r) {
            const auto v = ov::ParseNumber(cellString(r, kValueColumn).toStdString(), decimalSeparator());
            if (v && std::fabs(*v) > 1.0 && std::fabs(*v) < 1000.0) {
                gridView_->setCurrentCell(r, kValueColumn);
                gridView_->setTopRow(r);
                break;
            }
        }
    }
    emit prefixesShown(ov::kMultiplesTopic, unitName);
}

void ConversionTable::pasteValue(const QString& text)
{
    if (currentTopic_ == 0 || currentRow() < 0)
        return;
    if (editing_->editing()) {
        cellEditor_->setText(text); // the user commits it as anything typed
        return;
    }
    // An edit like a typed one, so that a value that cannot be used gives the cell back its text.
    editing_->startEdit(text);
    focusGrid();
}

} // namespace ov::gui
