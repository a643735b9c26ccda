// The "Aktuální jako" commands: the current value as a number in another base, a Roman
// numeral or a fraction, shown in the result line, the magnifier or a box.
#include "table/conversiontable.h"

#include "gui/common.h"
#include "gui/dialogservice.h"

namespace ov::gui {

void ConversionTable::runRepresentation(const QString& key)
{
    static const std::pair<const char*, ov::BaseKind> bases[] = {
        {"Binarne", ov::BaseKind::Binary},
        {"Oktalne", ov::BaseKind::Octal},
        {"Hexadecimalne", ov::BaseKind::Hex},
        {"Vlastni", ov::BaseKind::Custom},
        {"VlastniD", ov::BaseKind::CustomWithDecimals},
    };
    for (const auto& [name, kind] : bases) {
        if (key == QLatin1String(name)) {
            runAs(kind);
            return;
        }
    }
    if (key == QLatin1String("Zlomek"))
        runFraction();
    else if (key == QLatin1String("Rimsky"))
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
