// The command vocabulary of the main window as data: every menu item, toolbar button and
// status-bar panel with its caption, shortcut, initial state and help number. Commands builds
// the widgets from these rows; nothing else in the program repeats a caption or a shortcut.
#pragma once
#include <iterator>
#include <optional>
#include <span>
#include <string_view>

namespace ov::gui::cmd {

// Initial flags of a menu row.
enum Flag : unsigned {
    None = 0,
    Off = 1u << 0,       // starts disabled
    Hidden = 1u << 1,    // starts invisible
    Checked = 1u << 2,   // starts with a check mark
    Checkable = 1u << 3, // carries a check mark that can change
    Group = 1u << 4,     // one of an exclusive group (all rows of the same name)
    Submenu = 1u << 5,   // opens a submenu; children name it as their parent
    Separator = 1u << 6,
    NotInBar = 1u << 7, // top-level menu kept out of the menu bar (context menu only)
};

// Every command the menus, the toolbar and its drop-downs can run: its identifier in the code and
// its control name (the object name of its actions, without the index). This list is the one
// place a command's name is written; the rows below refer to a command by its identifier.
// clang-format off
#define OV_COMMANDS(X) \
    X(Open,            "mnuOtevrit")        \
    X(Reload,          "mnuNacist")         \
    X(EditData,        "mnuEdit")           \
    X(SaveData,        "mnuUlozit")         \
    X(Print,           "mnuTisk")           \
    X(Quit,            "mnuKonec")          \
    X(Copy,            "mnuKopirovat")      \
    X(CopyWithUnit,    "mnuKopirovatJ")     \
    X(CopyExtended,    "mnuKopírovatR")     \
    X(Paste,           "mnuVlozit")         \
    X(Find,            "mnuNajit")          \
    X(Level,           "mnuU")              \
    X(Magnifier,       "mnuLupa")           \
    X(Preview,         "mnuNahled")         \
    X(Info,            "mnuInfo")           \
    X(History,         "mnuHistorie")       \
    X(PreviewShows,    "mnuNahledUkazuje")  \
    X(OnTop,           "mnuOnTop")          \
    X(Navigate,        "mnuNavigace")       \
    X(EditFont,        "mnuPismo")          \
    X(Format,          "mnuFormatZ")        \
    X(HideUnmarked,    "mnuSkryt")          \
    X(ShowAll,         "mnuZobrazitVse")    \
    X(MarkColours,     "mnuBarvy")          \
    X(ListView,        "mnuIkony")          \
    X(TopicList,       "mnuNavigator")      \
    X(Prefixes,        "mnuPredpony")       \
    X(Constants,       "mnuKonstanty")      \
    X(Base,            "mnuSoustava")       \
    X(Fraction,        "mnuZlomek")         \
    X(Roman,           "mnuLatin")          \
    X(Record,          "mnuRec")            \
    X(Compact,         "mnuLite")           \
    X(Calculator,      "mnuKalkulacka")     \
    X(Options,         "mnuOptions")        \
    X(HelpForFocus,    "mnuNapoveda")       \
    X(HelpIndex,       "mnuIndex")          \
    X(WhatsThis,       "mnuCoJeTo")         \
    X(Keyboard,        "mnuKlavesnice")     \
    X(HomePage,        "mnuWWW")            \
    X(Feedback,        "mnuMail")           \
    X(About,           "mnuOAplikaci")      \
    X(TableRows,       "mnuHide")           \
    X(Topic,           "mnuTema")
// clang-format on

// The two halves of a row of these lists: the identifier, and the control name.
#define OV_IDENTIFIER(id, name) id,
#define OV_CONTROL_NAME(id, name) name,

enum class Command { OV_COMMANDS(OV_IDENTIFIER) };
inline constexpr const char* kCommandNames[] = {OV_COMMANDS(OV_CONTROL_NAME)};
inline constexpr int kCommandCount = int(std::size(kCommandNames));

// The control name of a command ("mnuKopirovat").
constexpr const char* nameOf(Command c) { return kCommandNames[int(c)]; }
// The command of a control name, nothing for a name no command has.
std::optional<Command> commandNamed(std::string_view name);

// The menus other parts pop up as context menus: identifier and the menu's control name.
// clang-format off
#define OV_POPUP_MENUS(X) \
    X(ValueCell,   "mnuA")        \
    X(TableCell,   "mnuTab")      \
    X(Go,          "mnuPrejit")   \
    X(ResultLine,  "mnuKN")       \
    X(CellEditor,  "mnuEditace")  \
    X(TopicList,   "mnut")
// clang-format on

enum class Menu { OV_POPUP_MENUS(OV_IDENTIFIER) };
inline constexpr const char* kMenuNames[] = {OV_POPUP_MENUS(OV_CONTROL_NAME)};
inline constexpr int kMenuCount = int(std::size(kMenuNames));
constexpr const char* nameOf(Menu m) { return kMenuNames[int(m)]; }

// Commands that deliberately do nothing yet: their items exist, no part handles them.
std::span<const Command> inertCommands();

inline constexpr int kHelpDefault = 1110;
inline constexpr int kNoHelp = 0;

struct MenuRow {
    const char* name;     // control name, without the index
    int index;            // index within a control array, -1 for a single control
    const char* caption;  // with "&" before the accelerator letter; empty for a separator
    const char* shortcut; // portable key-sequence text, empty for none
    unsigned flags;
    int help;           // help context number, kNoHelp for none
    const char* parent; // the menu it belongs to, empty for a top-level menu
};

// In menu order: a parent row always comes before its children. The topic items of
// "&Přejít" (mnuTema_1..26) are not rows: their captions are the topic names.
std::span<const MenuRow> menuRows();

enum class ButtonKind { Button, Check, DropDown, Separator };

struct ToolRow {
    const char* key; // the button key the toolbar dispatches on
    const char* toolTip;
    ButtonKind kind;
    const char* image;   // image key of the picture ":/icons/<image>.svg"
    const char* command; // menu control run by a click, empty when the click has its own rule;
                         // for a check button, the pane switch whose own action it shows
    int index;           // index of that control, -1 for none
    unsigned flags;      // Off, Hidden, Checked
};
std::span<const ToolRow> toolRows();

struct DropRow {
    const char* button; // key of the drop-down button
    const char* text;
    const char* key;
    const char* image; // new image of the button, empty to keep it
    bool remembered;   // becomes the command the button itself repeats
    const char* command;
    int index;
};
std::span<const DropRow> dropRows();

struct PanelRow {
    const char* key;
    const char* text;
    const char* toolTip;
    int stretch;
};
std::span<const PanelRow> panelRows();

// A menu item that a context menu offers too, after a separator: the same command, with the
// same state, shortcut and check mark wherever it is shown.
struct ContextRow {
    const char* menu; // the context menu ("mnuA": the value cell's)
    const char* item; // object name of the item, a row of menuRows()
};
std::span<const ContextRow> contextItems();

// The recording commands in the order of the items mnuRec(0..3), which are also the keys of
// the toolbar buttons that give them: "Start", "Pause", "Stop", "Rec".
std::span<const char* const> recordingCommands();

// Availability rules, as lists of object names ("mnuRec_3", "tlb_Jako").
// Enabled together by the first display of a topic.
std::span<const char* const> firstDisplayNames();
// Disabled while a data file is edited.
std::span<const char* const> editBlockedNames();
// Enabled only while a data file is edited.
std::span<const char* const> editOnlyNames();
// Shown only while a data file is edited.
std::span<const char* const> editVisibleNames();

// The four display formats: status-bar letters by index.
inline constexpr const char* kFormatLetters[] = {"J", "D", "S", "F"};

} // namespace ov::gui::cmd
