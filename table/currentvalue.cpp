// The commands that show the current value in another form: the "Aktuální jako" group (number
// bases, Roman numeral, fraction) and the prefixes of the multiples topic.
#include "table/conversiontable.h"
#include "table/celleditor.h"

#include "core/catalogue.h"
#include "core/numtext.h"
#include "gui/clipboard.h"
#include "gui/common.h"
#include "gui/dialogservice.h"

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
    if (text.isEmpty() || !x)   // also a text left behind by an unfinished edit
        return;
    const QString unitName = cellString(currentRow(), 0);
    putClipboardText(text);
    fillTopic(ov::kMultiplesTopic);
    setTitleText(" " + unitName);
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
        cellEditor_->setText(text);   // the user commits it as anything typed
        return;
    }
    // An edit like a typed one, so that a value that cannot be used gives the cell back its text.
    editing_->startEdit(text);
    focusGrid();
}

// ---- "Aktuální jako" ------------------------------------------------------------------------

void ConversionTable::runRepresentation(const QString& key)
{
    static const std::pair<const char*, ov::BaseKind> bases[] = {
        {"Binarne", ov::BaseKind::Binary},   {"Oktalne", ov::BaseKind::Octal},
        {"Hexadecimalne", ov::BaseKind::Hex}, {"Vlastni", ov::BaseKind::Custom},
        {"VlastniD", ov::BaseKind::CustomWithDecimals},
    };
    for (const auto& [name, kind] : bases) {
        if (key == QLatin1String(name)) {
            runAs(kind);
            return;
        }
    }
    if (key == "Zlomek")
        runFraction();
    else if (key == "Rimsky")
        runRoman();
}

void ConversionTable::runAs(ov::BaseKind kind)
{
    const std::string text = currentValueText().toStdString();
    // A base shown nowhere would look like a dead command: with no line and no magnifier, a box.
    showRepresentation(ov::BaseResult(text, kind, options_.numBase, options_.numBaseDec, decimalSeparator()),
                       !magnifierOn());
}

void ConversionTable::runRoman()
{
    showRepresentation(ov::RomanResult(currentValueText().toStdString(), decimalSeparator()), true);
}

void ConversionTable::runFraction()
{
    const std::string text = currentValueText().toStdString();
    showRepresentation(ov::FractionResult(text, options_.fractionSensitivity, decimalSeparator()), true);
}

void ConversionTable::showRepresentation(const ov::RepresentationResult& result, bool showBoxWhenOk)
{
    using Kind = ov::RepresentationResult::Kind;
    if (currentValueText().isEmpty() || result.kind == Kind::Empty) {
        focusGrid();
        return;
    }
    engine_.state().resultText = result.text;
    switch (result.kind) {
    case Kind::Ok:
        showResult(fromStd(result.text), showBoxWhenOk, Qt::black);
        if (magnifierOn())
            emit magnifierTextChanged(fromStd(result.text), 0);
        break;
    case Kind::OutOfRange: showResult(fromStd(result.text), true, Qt::red); break;
    case Kind::NotANumber:
        dialogs().message(this, DialogService::Icon::Warning, appTitle(), displayText(result.text), QMessageBox::Ok);
        break;
    case Kind::Empty: break;
    }
    focusGrid();
}

} // namespace ov::gui
