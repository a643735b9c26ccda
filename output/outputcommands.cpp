#include "output/outputcommands.h"

#include "gui/clipboard.h"
#include "gui/commandtable.h"
#include "gui/commands.h"
#include "output/printing.h"
#include "output/recorder.h"
#include "table/conversiontable.h"

namespace ov::gui {

void bindOutputCommands(Commands& c, ConversionTable& t, Recorder& recorder, Printing& printing)
{
    c.bind(cmd::Command::Record, [&recorder](int i) {
        if (const auto names = cmd::recordingCommands(); i >= 0 && std::size_t(i) < names.size())
            recorder.command(QLatin1String(names[std::size_t(i)]));
    });
    QObject::connect(&recorder, &Recorder::stateChanged, &c, &Commands::setRecordingState);
    QObject::connect(&recorder, &Recorder::recEnabledChanged, &c, &Commands::enableRec);

    // While a data file is edited, its editor has the clipboard to itself.
    c.bind(cmd::Command::Copy, [&c, &t](int) {
        if (c.editMode() || t.currentTopic() == 0 || t.currentValueText().isEmpty())
            return;
        putClipboardText(t.currentValueText());
    });
    // "0,005 km": the value as displayed and the unit's symbol, ready to be pasted into a text.
    // A unit without a symbol gives the value alone.
    c.bind(cmd::Command::CopyWithUnit, [&c, &t](int) {
        const QString value = t.currentValueText();
        if (c.editMode() || t.currentTopic() == 0 || value.isEmpty())
            return;
        const QString symbol = t.cellText(t.currentRow(), ov::kColSymbol);
        putClipboardText(symbol.isEmpty() ? value : value + QLatin1Char(' ') + symbol);
    });
    c.bind(cmd::Command::Paste, [&c, &t](int) {
        if (c.editMode() || t.currentTopic() == 0)
            return;
        // Read now: the clipboard may have changed since the command was enabled.
        if (const auto number = clipboardNumber(t.decimalSeparator()))
            t.pasteValue(*number);
    });
    // The table reports copy's state at each moment the clipboard commands are brought up to
    // date; paste follows the clipboard at the same moments.
    QObject::connect(&t, &ConversionTable::copyEnabledChanged, &c,
                     [&c, &t] { c.setPasteEnabled(clipboardNumber(t.decimalSeparator()).has_value()); });

    c.bind(cmd::Command::Print, [&c, &printing](int) {
        if (c.editMode())
            printing.printEditor();
        else
            printing.run();
    });
}

} // namespace ov::gui
