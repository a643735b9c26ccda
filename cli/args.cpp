// Command-line words, options and the locale's decimal separator.
#include "cli.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace ov::cli {

namespace {

int integerOption(const std::string& name, const std::string& value, int lo, int hi)
{
    int v = 0;
    const char* end = value.data() + value.size();
    const auto [p, ec] = std::from_chars(value.data(), end, v);
    if (value.empty() || ec != std::errc() || p != end || v < lo || v > hi)
        throw UsageError("volba " + name + " čeká celé číslo " + std::to_string(lo) + ".." + std::to_string(hi) +
                         ", ne '" + value + "'");
    return v;
}

// Options that take a value; "--name value" and "--name=value" are both accepted.
void applyOption(Options& o, const std::string& name, const std::string& value)
{
    if (name == "--data")
        o.dataPath = value;
    else if (name == "--user")
        o.userPath = value;
    else if (name == "--level")
        o.level = static_cast<Level>(integerOption(name, value, 0, 3));
    else if (name == "--format")
        o.format = static_cast<DisplayFormat>(integerOption(name, value, 0, 3));
    else if (name == "--fix")
        o.fix = integerOption(name, value, 0, 9);
    else if (name == "--base")
        o.base = integerOption(name, value, 2, 32);
    else if (name == "--base-places")
        o.basePlaces = integerOption(name, value, 1, 16);
    else if (name == "--sensitivity")
        o.sensitivity = integerOption(name, value, 1, 9);
    else if (name == "--decimal") {
        if (value != "," && value != ".")
            throw UsageError("volba --decimal čeká ',' nebo '.', ne '" + value + "'");
        o.decimal = value[0];
    } else
        throw UsageError("neznámá volba " + name);
}

} // namespace

Options parseArguments(int argc, char** argv, char defaultDecimal)
{
    Options o;
    o.decimal = defaultDecimal;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (optionsEnd || a.size() < 2 || a.compare(0, 2, "--") != 0) {
            o.words.push_back(a); // "-5" is a value, not an option
            continue;
        }
        if (a == "--") {
            optionsEnd = true;
        } else if (a == "--help") {
            o.help = true;
        } else if (const auto eq = a.find('='); eq != std::string::npos) {
            applyOption(o, a.substr(0, eq), a.substr(eq + 1));
        } else {
            static const std::string_view known[] = {"--data", "--user",        "--level",       "--format", "--fix",
                                                     "--base", "--base-places", "--sensitivity", "--decimal"};
            if (std::find(std::begin(known), std::end(known), a) == std::end(known))
                throw UsageError("neznámá volba " + a);
            if (i + 1 >= argc)
                throw UsageError("volbě " + a + " chybí hodnota");
            applyOption(o, a, argv[++i]);
        }
    }
    return o;
}

char decimalFromLocale(const char* lcAll, const char* lcNumeric, const char* lang)
{
    std::string name;
    for (const char* v : {lcAll, lcNumeric, lang})
        if (v && *v) {
            name = v;
            break;
        }
    // "cs_CZ.UTF-8@euro" -> "cs_CZ" -> language "cs"
    const std::string base = name.substr(0, name.find_first_of(".@"));
    const std::string language = base.substr(0, base.find('_'));

    // Places that write a decimal point although their language elsewhere uses a comma.
    static const std::string_view pointLocales[] = {"de_CH", "de_LI", "it_CH", "es_MX", "es_US"};
    static const std::string_view commaLanguages[] = {
        "cs", "sk", "de", "fr", "es", "it", "pl", "ru", "nl", "pt", "da", "fi", "sv", "nb", "nn", "no",
        "hu", "ro", "bg", "uk", "be", "hr", "sl", "sr", "bs", "mk", "sq", "el", "tr", "lt", "lv", "et",
        "is", "ca", "eu", "gl", "id", "vi", "az", "kk", "ka", "hy", "af", "fo", "lb", "oc", "br", "fy"};
    const auto contains = [](const auto& list, std::string_view v) {
        return std::find(std::begin(list), std::end(list), v) != std::end(list);
    };
    if (contains(commaLanguages, language) && !contains(pointLocales, base))
        return ',';
    return '.';
}

const char* usageText()
{
    return "Použití: omnivelor-cli [volby] PŘÍKAZ [ARGUMENTY]\n"
           "\n"
           "Příkazy:\n"
           "  topics                         témata s jednotkami: číslo, klíč, název, počet jednotek\n"
           "  units TÉMA                     jednotky tématu: číslo, název, značka, koeficient, informace\n"
           "  convert TÉMA JEDNOTKA HODNOTA  převede hodnotu zadanou v jednotce do všech jednotek tématu\n"
           "  as DRUH HODNOTA                hodnota jako bin, oct, hex, base, base-dec, roman nebo fraction\n"
           "  search TEXT                    vyhledá jednotky podle názvu ve vestavěných tématech\n"
           "  check [SOUBOR...]              zkontroluje datové soubory (bez souboru ty, které program čte)\n"
           "\n"
           "Volby:\n"
           "  --data SOUBOR         hlavní datový soubor (výchozí Omnivel.omv, viz Datové soubory)\n"
           "  --user SOUBOR         uživatelský datový soubor (výchozí User.omv, viz Datové soubory)\n"
           "  --level 0..3          úroveň: 0 vše, 1 úroveň 1, 2 úroveň 2, 3 úroveň 3 (výchozí 0)\n"
           "  --format 0..3         zobrazení: 0 jednoduchá přesnost, 1 dvojitá přesnost, 2 vědecké,\n"
           "                        3 pevný počet desetinných míst (výchozí 0)\n"
           "  --fix 0..9            desetinná místa pevného zobrazení (výchozí 2)\n"
           "  --base 2..32          vlastní číselná soustava (výchozí 12)\n"
           "  --base-places 1..16   míst za čárkou ve vlastní soustavě (výchozí 6)\n"
           "  --sensitivity 1..9    citlivost převodu na zlomek (výchozí 3)\n"
           "  --decimal , nebo .    desetinný oddělovač (výchozí podle národního prostředí)\n"
           "  --help                tato nápověda\n"
           "\n"
           "TÉMA je číslo tématu, jeho klíč nebo název; JEDNOTKA je číslo jednotky, její značka\n"
           "nebo název. Názvy se porovnávají bez ohledu na velikost písmen.\n"
           "\n"
           "Datové soubory: vlastní kopie v $XDG_DATA_HOME/omnivelor (obvykle ~/.local/share/omnivelor),\n"
           "když existuje, jinak soubory dodané s programem.\n"
           "\n"
           "Výstup je v UTF-8, hlášení jdou na chybový výstup. Když převod skončí chybovým\n"
           "hlášením, tabulka se nevypisuje.\n"
           "Návratový kód: 0 úspěch, 1 program by ukázal chybové hlášení, 2 chybné volání.\n";
}

} // namespace ov::cli
