// The commands of recording, the clipboard and printing, bound where their code lives.
#pragma once

namespace ov::gui {

class Commands;
class ConversionTable;
class Printing;
class Recorder;

void bindOutputCommands(Commands& commands, ConversionTable& table, Recorder& recorder, Printing& printing);

} // namespace ov::gui
