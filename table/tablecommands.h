// The commands the conversion table serves, bound where the table lives, and the table's
// reports wired to the command layer (panels, enabled states, context menus).
#pragma once

namespace ov::gui {

class Commands;
class ConversionTable;

void bindTableCommands(Commands& commands, ConversionTable& table);

} // namespace ov::gui
