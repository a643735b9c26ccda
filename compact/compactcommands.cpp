#include "compact/compactcommands.h"

#include "compact/compactpanel.h"
#include "gui/commands.h"
#include "table/conversiontable.h"

namespace ov::gui {

void bindCompactCommands(Commands& commands, CompactPanel& panel, ConversionTable& table)
{
    commands.bind(cmd::Command::Compact, [&panel, &table](int) { panel.open(table.currentTopic()); });
    QObject::connect(&table, &ConversionTable::topicFilled, &panel, &CompactPanel::closePanel);
}

} // namespace ov::gui
