// The commands the navigator serves (previous/next topic, the topic menu, the lists and their
// view, the status panels that open a list), bound where the navigator lives, and the
// navigator's reports wired to the command layer.
#pragma once

namespace ov::gui {

class Commands;
class Navigator;

void bindNavigatorCommands(Commands& commands, Navigator& navigator);

} // namespace ov::gui
