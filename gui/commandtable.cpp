#include "gui/commandtable.h"

#include <iterator>

namespace ov::gui::cmd {
namespace {

constexpr int D = kHelpDefault;
constexpr int N = kNoHelp;
constexpr unsigned Sub = Submenu;
constexpr unsigned Sep = Separator;
constexpr unsigned Radio = Checkable | Group;
constexpr unsigned Toggle = Checkable;
using enum Command;
// The control name of a command, in the rows.
constexpr const char* C(Command c) { return nameOf(c); }

// clang-format off
constexpr MenuRow kMenus[] = {
    // name               idx caption                         shortcut          flags                help  parent
    {"mnuSoubor",          -1, "&Soubor",                      "",               Sub,                 D,    ""},
    {C(Open),              -1, "&Otevřít",                     "",               Off | Hidden,        D,    "mnuSoubor"},
    {C(Reload),            -1, "Znovu &načíst",                "Ctrl+R",         None,                D,    "mnuSoubor"},
    {"mnuE",               -1, "&Editace jednotek",            "",               Sub,                 D,    "mnuSoubor"},
    {C(EditData),           0, "&Hlavní",                      "Ctrl+E",         None,                D,    "mnuE"},
    {C(EditData),           1, "&Uživatelské",                 "",               None,                D,    "mnuE"},
    {C(SaveData),           0, "&Zavřít",                      "Ctrl+W",         Off,                 D,    "mnuSoubor"},
    {C(SaveData),           1, "&Uložit",                      "Ctrl+S",         Off,                 D,    "mnuSoubor"},
    {"mnuSep3",            -1, "",                             "",               Sep,                 N,    "mnuSoubor"},
    {C(Print),             -1, "&Tisk…",                       "Ctrl+P",         None,                D,    "mnuSoubor"},
    {"mnuSep",             -1, "",                             "",               Sep,                 N,    "mnuSoubor"},
    {C(Quit),              -1, "&Konec",                       "",               None,                D,    "mnuSoubor"},

    {"mnuEditace",         -1, "Úpr&avy",                      "",               Sub,                 D,    ""},
    {C(Copy),              -1, "&Kopírovat",                   "Ctrl+C",         None,                D,    "mnuEditace"},
    {C(CopyWithUnit),      -1, "Kopírovat s &jednotkou",       "Ctrl+Shift+C",   None,                1141, "mnuEditace"},
    {C(CopyExtended),      -1, "&Rozšířené kopírování",        "",               Off | Hidden,        D,    "mnuEditace"},
    {C(Paste),             -1, "&Vložit",                      "Ctrl+V",         None,                D,    "mnuEditace"},
    {"mnuSepU",            -1, "",                             "",               Sep,                 N,    "mnuEditace"},
    {C(Find),              -1, "&Najít",                       "Ctrl+F",         None,                1360, "mnuEditace"},

    {"mnuZobrazit",        -1, "&Zobrazit",                    "",               Sub,                 D,    ""},
    {"mnuUroven",          -1, "Ú&roveň",                      "",               Sub,                 1290, "mnuZobrazit"},
    {C(Level),              0, "Vše",                          "",               Radio | Checked,     1290, "mnuUroven"},
    {C(Level),              1, "Úroveň 1",                     "",               Radio,               1290, "mnuUroven"},
    {C(Level),              2, "Úroveň 2",                     "",               Radio,               1290, "mnuUroven"},
    {C(Level),              3, "Úroveň 3",                     "",               Radio,               1290, "mnuUroven"},
    {"mnuSep1",            -1, "",                             "",               Sep,                 N,    "mnuZobrazit"},
    {C(Magnifier),         -1, "&Lupa",                        "F2",             Toggle | Off,        40,   "mnuZobrazit"},
    {C(Preview),           -1, "Krátký &náhled",               "F3",             Toggle | Off | Checked, 1100, "mnuZobrazit"},
    {C(Info),              -1, "&Informace",                   "Ctrl+I",         Toggle | Off,        1070, "mnuZobrazit"},
    {C(History),           -1, "&Historie",                    "Ctrl+Shift+H",   Toggle,              1190, "mnuZobrazit"},
    {"mnuSep6",            -1, "",                             "",               Sep,                 N,    "mnuZobrazit"},
    {"mnuKN",              -1, "&Krátký náhled uvádí",         "",               Sub,                 N,    "mnuZobrazit"},
    {C(PreviewShows),       0, "Aktuální a &první jednotka",   "",               Radio | Checked,     N,    "mnuKN"},
    {C(PreviewShows),       1, "Aktuální a &zadaná jednotka",  "",               Radio,               N,    "mnuKN"},
    {C(OnTop),             -1, "Vždy n&avrchu",                "Ctrl+T",         Toggle,              1420, "mnuZobrazit"},

    {"mnuPrejit",          -1, "&Přejít",                      "",               Sub,                 D,    ""},
    {C(Navigate),           1, "&Předchozí téma",              "F7",             Off,                 1350, "mnuPrejit"},
    {C(Navigate),           2, "&Následující téma",            "F8",             None,                1350, "mnuPrejit"},
    {"mnuSep4",            -1, "",                             "",               Sep,                 N,    "mnuPrejit"},

    {"mnuFormat",          -1, "&Formát",                      "",               Sub,                 D,    ""},
    {C(EditFont),          -1, "Písmo...",                     "",               Hidden,              N,    "mnuFormat"},
    {"mnuSep17",           -1, "",                             "",               Sep | Hidden,        N,    "mnuFormat"},
    {C(Format),             0, "&Jednoduchá přesnost",         "Ctrl+J",         Radio | Checked,     1030, "mnuFormat"},
    {C(Format),             1, "&Dvojitá přesnost",            "Ctrl+D",         Radio,               1030, "mnuFormat"},
    {C(Format),             2, "&Vědecké zobrazení",           "",               Radio,               1030, "mnuFormat"},
    {C(Format),             3, "Pevné (Fi&xed)",               "Ctrl+X",         Radio,               1030, "mnuFormat"},
    {"mnuSep11",           -1, "",                             "",               Sep,                 N,    "mnuFormat"},
    {"mnuRadek",           -1, "Řád&ky",                       "",               Sub | Off,           D,    "mnuFormat"},
    {C(HideUnmarked),      -1, "&Skrýt neoznačené",            "",               Off,                 D,    "mnuRadek"},
    {C(ShowAll),           -1, "&Zobrazit",                    "",               None,                D,    "mnuRadek"},
    {"mnuSep16",           -1, "",                             "",               Sep,                 N,    "mnuRadek"},
    {C(MarkColours),       -1, "&Barevné značení",             "",               Toggle | Checked,    D,    "mnuRadek"},
    {"mnuSep12",           -1, "",                             "",               Sep,                 N,    "mnuFormat"},
    {"mnut",               -1, "Zobrazit &Navigátor",          "",               Sub,                 D,    "mnuFormat"},
    {C(ListView),           0, "&Ikony",                       "",               Radio,               D,    "mnut"},
    {C(ListView),           1, "&Seznam",                      "",               Radio | Checked,     D,    "mnut"},

    {"mnuNastroje",        -1, "Nást&roje",                    "",               Sub,                 D,    ""},
    {C(TopicList),          0, "Seznam &veličin",              "Shift+F4",       Radio | Checked,     1150, "mnuNastroje"},
    {C(TopicList),          1, "&Uživatelské veličiny",        "Ctrl+Shift+F4",  Radio,               1150, "mnuNastroje"},
    {C(TopicList),          2, "Seznam &jednotek",             "F4",             Radio,               1150, "mnuNastroje"},
    {"mnuSep2",            -1, "",                             "",               Sep,                 N,    "mnuNastroje"},
    {C(Prefixes),          -1, "&Předpony",                    "F5",             Off,                 50,   "mnuNastroje"},
    {C(Constants),         -1, "Fyzikální &konstanty…",        "F6",             None,                1040, "mnuNastroje"},
    {"mnuSep5",            -1, "",                             "",               Sep,                 N,    "mnuNastroje"},
    {"mnuA",               -1, "Aktuální jako",                "",               Sub | Off,           D,    "mnuNastroje"},
    {C(Base),               0, "&Binárně",                     "Ctrl+B",         None,                1020, "mnuA"},
    {C(Base),               1, "&Oktálně",                     "Ctrl+O",         None,                1020, "mnuA"},
    {C(Base),               2, "&Hexadecimálně",               "Ctrl+H",         None,                1020, "mnuA"},
    {C(Base),               3, "Vlast&ní",                     "Ctrl+N",         None,                1020, "mnuA"},
    {C(Base),               4, "Vlastní vč. &des. míst",       "",               None,                1020, "mnuA"},
    {"mnuSep7",            -1, "",                             "",               Sep,                 N,    "mnuA"},
    {C(Fraction),          -1, "&Zlomek",                      "Ctrl+Z",         None,                1230, "mnuA"},
    {C(Roman),             -1, "Ří&msky",                      "Ctrl+L",         None,                1380, "mnuA"},
    {"mnuSep13",           -1, "",                             "",               Sep,                 N,    "mnuNastroje"},
    {C(Record),             0, "&Start",                       "Ctrl+F5",        Hidden,              1370, "mnuNastroje"},
    {C(Record),             1, "Pa&uza",                       "Ctrl+F6",        Hidden,              1370, "mnuNastroje"},
    {C(Record),             2, "S&top",                        "Ctrl+F7",        Hidden,              1370, "mnuNastroje"},
    {C(Record),             3, "Nah&rávání",                   "Ctrl+Shift+F5",  Off,                 1370, "mnuNastroje"},
    {"mnuSep14",           -1, "",                             "",               Sep,                 N,    "mnuNastroje"},
    {C(Compact),           -1, "omniVELOR Lite",               "",               None,                1112, "mnuNastroje"},
    {C(Calculator),        -1, "K&alkulačka",                  "Ctrl+K",         None,                1111, "mnuNastroje"},
    {"mnuSpe15",           -1, "",                             "",               Sep,                 N,    "mnuNastroje"},
    {C(Options),           -1, "&Možnosti…",                   "",               None,                1120, "mnuNastroje"},

    {"mnuN",               -1, "&Nápověda",                    "",               Sub,                 D,    ""},
    {C(HelpForFocus),      -1, "&Nápověda…",                   "F1",             None,                N,    "mnuN"},
    {C(HelpIndex),         -1, "&Index…",                      "",               None,                1,    "mnuN"},
    {"mnuSep9",            -1, "",                             "",               Sep,                 N,    "mnuN"},
    {C(WhatsThis),         -1, "&Co je to?",                   "",               Hidden,              D,    "mnuN"},
    {C(Keyboard),          -1, "&Klávesnice…",                 "Shift+F1",       None,                1160, "mnuN"},
    {"mnuSep8",            -1, "",                             "",               Sep,                 N,    "mnuN"},
    {C(HomePage),          -1, "&Domovská stránka…",           "",               None,                D,    "mnuN"},
    {C(Feedback),          -1, "&Připomínky k aplikaci…",      "",               None,                80,   "mnuN"},
    {C(About),             -1, "&O aplikaci omniVELOR…",       "",               None,                N,    "mnuN"},

    // The table's context menu; never shown in the menu bar.
    {"mnuTab",             -1, "Tabulka",                      "",               Sub | NotInBar,      D,    ""},
    {C(TableRows),          0, "Zobrazit",                     "",               None,                D,    "mnuTab"},
    {C(TableRows),          1, "Skrýt aktivní",                "",               None,                D,    "mnuTab"},
    {C(TableRows),          2, "Skrýt neoznačené",             "",               Off,                 D,    "mnuTab"},
};

using K = ButtonKind;
constexpr ToolRow kTools[] = {
    // key          tooltip                    kind          image           command         idx flags
    {"Otevřít",   "Editace",                 K::Button,    "Otevrit",      C(EditData),    0,  None},
    {"Uložit",    "Uložit",                  K::Button,    "Ulozit",       C(SaveData),    1,  Off},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Tisk",      "Tisk…",                   K::Button,    "Tisk",         C(Print),      -1,  None},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Kopírovat", "Kopírovat",               K::Button,    "Kopirovat",    C(Copy),       -1,  None},
    {"Vložit",    "Vložit",                  K::Button,    "Vlozit",       C(Paste),      -1,  None},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Náhled",    "Krátký náhled",           K::Check,     "Nahled",       C(Preview),    -1,  None},
    {"Lupa",      "Lupa",                    K::Check,     "Lupa",         C(Magnifier),  -1,  None},
    {"Info",      "Informace",               K::Check,     "Info",         C(Info),       -1,  None},
    {"Jako",      "Aktuální buňka jako…",    K::DropDown,  "AktualniJako", "",            -1,  Off},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Zpět",      "Zpět",                    K::Button,    "Zpet",         C(Navigate),    1,  Off},
    {"Vpřed",     "Vpřed",                   K::Button,    "Vpred",        C(Navigate),    2,  None},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Úroveň",    "Úroveň",                  K::DropDown,  "Uroven",       C(Level),       0,  None},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Start",     "Pokračovat",              K::Button,    "Start",        C(Record),      0,  Hidden},
    {"Pause",     "Pauza",                   K::Button,    "Pause",        C(Record),      1,  Hidden},
    {"Stop",      "Koncec nahrávání",        K::Button,    "Stop",         C(Record),      2,  Hidden},
    {"Rec",       "Nahrávání",               K::Button,    "Rec",          C(Record),      3,  Off},
    {"",          "",                        K::Separator, "",             "",            -1,  None},
    {"Nápověda",  "Nápověda",                K::Button,    "Napoveda",     C(HelpIndex),  -1,  None},
};

constexpr DropRow kDrops[] = {
    // button    text                      key              image           remembered command     idx
    {"Jako",   "Binárně",                "Binarne",       "Bin",          true,  C(Base),       0},
    {"Jako",   "Oktálně",                "Oktalne",       "Oct",          true,  C(Base),       1},
    {"Jako",   "Hexadecimálně",          "Hexadecimalne", "Hex",          true,  C(Base),       2},
    {"Jako",   "Vlastní",                "Vlastni",       "AktualniJako", false, C(Base),       3},
    {"Jako",   "Vlastní vč. des. míst",  "VlastniD",      "AktualniJako", false, C(Base),       4},
    {"Jako",   "Zlomek",                 "Zlomek",        "Zlomek",       true,  C(Fraction),  -1},
    {"Jako",   "Římsky",                 "Rimsky",        "Romanus",      true,  C(Roman),     -1},
    {"Úroveň", "Vše",                    "Vse",           "",             false, C(Level),      0},
    {"Úroveň", "Úroveň 1",               "Uroven1",       "",             false, C(Level),      1},
    {"Úroveň", "Úroveň 2",               "Uroven2",       "",             false, C(Level),      2},
    {"Úroveň", "Úroveň 3",               "Uroven3",       "",             false, C(Level),      3},
};

constexpr PanelRow kPanels[] = {
    {"Navi",      "Veličiny",             "Navigátor",           0},
    {"Temata",    "Témat:",               "Klepněte pro seznam", 0},
    {"Veličiny",  "Jednotek v aplikaci:", "Klepněte pro seznam", 0},
    {"TVeličiny", "V tématu:",            "",                    1},
    {"Uroven",    "V",                    "Úroveň",              0},
    {"Presnost",  "J",                    "Jednoduchá přesnost", 0},
};

// The value cell's context menu also offers copying the value with its unit.
constexpr ContextRow kContextItems[] = {
    {"mnuA", "mnuKopirovatJ"},
};

constexpr const char* kRecordingCommands[] = {"Start", "Pause", "Stop", "Rec"};
constexpr const char* kFirstDisplay[] = {
    "tlb_Jako",
    "mnuRadek", "mnuNahled", "mnuLupa", "mnuInfo", "mnuPredpony", "mnuA",
};
constexpr const char* kEditBlocked[] = {
    "mnuNacist", "mnuE", "mnuNahled", "mnuLupa", "mnuInfo", "mnuPredpony", "mnuA", "mnuUroven",
    "mnuRec_0", "mnuRec_1", "mnuRec_2", "mnuRec_3",
    "tlb_Jako", "tlb_Úroveň",
    "tlb_Start", "tlb_Pause", "tlb_Stop", "tlb_Rec",
};
constexpr const char* kEditOnly[] = {"mnuUlozit_0", "mnuUlozit_1", "tlb_Uložit"};
constexpr const char* kEditVisible[] = {C(EditFont), "mnuSep17"};
// Commands that do nothing: the hidden "&Otevřít" has never done anything of its own (the
// toolbar's "Otevřít" runs "&Hlavní"), and the extended copy is never offered.
constexpr Command kInert[] = {Open, CopyExtended};
// clang-format on

} // namespace

std::span<const MenuRow> menuRows() { return kMenus; }
std::span<const ToolRow> toolRows() { return kTools; }
std::span<const DropRow> dropRows() { return kDrops; }
std::span<const PanelRow> panelRows() { return kPanels; }
std::span<const ContextRow> contextItems() { return kContextItems; }
std::span<const char* const> recordingCommands() { return kRecordingCommands; }
std::span<const char* const> firstDisplayNames() { return kFirstDisplay; }
std::span<const char* const> editBlockedNames() { return kEditBlocked; }
std::span<const char* const> editOnlyNames() { return kEditOnly; }
std::span<const char* const> editVisibleNames() { return kEditVisible; }
std::span<const Command> inertCommands() { return kInert; }

std::optional<Command> commandNamed(std::string_view name)
{
    for (int i = 0; i < kCommandCount; ++i)
        if (name == kCommandNames[i])
            return Command(i);
    return std::nullopt;
}

} // namespace ov::gui::cmd
