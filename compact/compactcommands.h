// "omniVELOR Lite" opens the compact panel on the topic the table shows; whatever fills the
// table anew (another topic, hidden units, a reload) closes it, since its units may be gone.
#pragma once

namespace ov::gui {

class Commands;
class CompactPanel;
class ConversionTable;

void bindCompactCommands(Commands& commands, CompactPanel& panel, ConversionTable& table);

} // namespace ov::gui
