// The data files the program ships: they must load cleanly at every level and in every locale,
// keep the orders the engine relies on, and carry exact coefficients.
#include "core/loader.h"
#include "loader_support.h"
#include "rows.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using namespace ov;
using ovtest::RecordingSink;

namespace {

const double kPi = 4.0 * std::atan(1.0);
const std::string kMain = std::string(OV_DATA_DIR) + "/Omnivel.omv";
const std::string kUser = std::string(OV_DATA_DIR) + "/User.omv";

struct Loaded {
    std::unique_ptr<UnitDatabase> db = std::make_unique<UnitDatabase>();
    RecordingSink sink;
    LoadResult result;

    std::vector<std::string> names(int topic) const
    {
        std::vector<std::string> v;
        for (int u = 1; u <= db->unitCount(topic); ++u)
            v.push_back(db->unit(topic, u).name);
        return v;
    }
    int find(int topic, const std::string& name) const
    {
        for (int u = 1; u <= db->unitCount(topic); ++u)
            if (db->unit(topic, u).name == name)
                return u;
        return 0;
    }
    int total() const
    {
        int n = 0;
        for (int t = 1; t <= kBuiltinTopics; ++t)
            n += db->unitCount(t);
        return n;
    }
};

std::unique_ptr<Loaded> load(Level level, char dec = ',', const std::string& userPath = kUser)
{
    auto l = std::make_unique<Loaded>();
    LoadOptions o;
    o.mainPath = kMain;
    o.mainFileName = "Omnivel.omv";
    o.userPath = userPath;
    o.level = level;
    o.decimalSeparator = dec;
    l->result = LoadDataFiles(*l->db, o, l->sink);
    return l;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---------------------------------------------------------------------------------------------
// Every level, with both decimal separators.

struct LevelCase {
    const char* name;
    Level level;
    char dec;
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << c.name; }

class DataFilesAtLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(DataFilesAtLevel, LoadWithoutAnyMessage)
{
    const auto l = load(GetParam().level, GetParam().dec);
    for (const auto& m : l->sink.messages)
        ADD_FAILURE() << m.title << ": " << m.text;
    EXPECT_TRUE(l->result.mainLoaded);
    EXPECT_TRUE(l->result.userLoaded);
    EXPECT_EQ(l->result.mainEncoding, TextEncoding::Utf8);
    EXPECT_EQ(l->result.userEncoding, TextEncoding::Utf8);
}

TEST_P(DataFilesAtLevel, EveryTopicStartsWithItsReferenceUnit)
{
    const auto l = load(GetParam().level, GetParam().dec);
    for (int t = 1; t <= kBuiltinTopics; ++t) {
        ASSERT_GT(l->db->unitCount(t), 0) << "topic " << t;
        EXPECT_EQ(l->db->unit(t, 1).factor, 1.0) << "topic " << t << " " << l->db->unit(t, 1).name;
        for (int u = 1; u <= l->db->unitCount(t); ++u) {
            EXPECT_TRUE(std::isfinite(l->db->unit(t, u).factor) && l->db->unit(t, u).factor > 0)
                << "topic " << t << " " << l->db->unit(t, u).name;
            EXPECT_FALSE(l->db->unit(t, u).info.empty()) << "topic " << t << " " << l->db->unit(t, u).name;
        }
    }
    for (int n = 1; n <= kUserTopics; ++n) {
        const int t = kFirstUserTopic + n - 1;
        if (l->db->unitCount(t) > 0) {
            EXPECT_EQ(l->db->unit(t, 1).factor, 1.0) << "user topic " << n;
        }
    }
}

TEST_P(DataFilesAtLevel, KeepTheOrdersTheEngineReliesOn)
{
    const auto l = load(GetParam().level, GetParam().dec);
    EXPECT_EQ(l->names(kTemperatureTopic), (std::vector<std::string>{"kelvin", "stupeň Celsia", "stupeň Fahrenheita",
                                                                     "stupeň Rankina", "stupeň Réaumura"}));
    const auto angle = l->names(kAngleTopic);
    ASSERT_GE(angle.size(), 2u);
    EXPECT_EQ(angle[0], "radián");
    EXPECT_EQ(angle[1], "stupeň");
    EXPECT_NEAR(l->db->unit(kAngleTopic, 2).factor, kPi / 180, 1e-17);

    // "Předpony" selects the first row between 1 and 1000, so the thousand steps come first.
    const std::vector<std::pair<std::string, int>> prefixes = {
        {"jedna", 0},  {"kilo", 3},    {"mega", 6},   {"giga", 9},    {"tera", 12},   {"peta", 15},   {"exa", 18},
        {"zetta", 21}, {"yotta", 24},  {"ronna", 27}, {"quetta", 30}, {"mili", -3},   {"mikro", -6},  {"nano", -9},
        {"piko", -12}, {"femto", -15}, {"atto", -18}, {"zepto", -21}, {"yokto", -24}, {"ronto", -27}, {"quekto", -30},
        {"hekto", 2},  {"deka", 1},    {"deci", -1},  {"centi", -2}};
    ASSERT_GE(l->db->unitCount(kMultiplesTopic), static_cast<int>(prefixes.size()));
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        const int u = static_cast<int>(i) + 1;
        EXPECT_EQ(l->db->unit(kMultiplesTopic, u).name, prefixes[i].first);
        const double want = std::pow(10.0, prefixes[i].second);
        EXPECT_NEAR(l->db->unit(kMultiplesTopic, u).factor, want, want * 1e-15) << prefixes[i].first;
    }
}

TEST_P(DataFilesAtLevel, HaveNoDuplicateNameInATopic)
{
    const auto l = load(GetParam().level, GetParam().dec);
    for (int t = 1; t <= kMaxTopic; ++t) {
        std::set<std::string> seen;
        for (const auto& n : l->names(t))
            EXPECT_TRUE(seen.insert(n).second) << "topic " << t << ": " << n;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Levels, DataFilesAtLevel,
                         ::testing::Values(LevelCase{"AllComma", Level::All, ','},
                                           LevelCase{"AllPoint", Level::All, '.'},
                                           LevelCase{"Level1Comma", Level::Level1, ','},
                                           LevelCase{"Level1Point", Level::Level1, '.'},
                                           LevelCase{"Level2Comma", Level::Level2, ','},
                                           LevelCase{"Level2Point", Level::Level2, '.'},
                                           LevelCase{"Level3Comma", Level::Level3, ','},
                                           LevelCase{"Level3Point", Level::Level3, '.'}),
                         ovtest::rowName);
// clang-format on

// ---------------------------------------------------------------------------------------------
// Breadth and levels.

TEST(DataFiles, OfferManyUnitsInEveryTopic)
{
    const auto l = load(Level::All);
    for (int t = 1; t <= kBuiltinTopics; ++t) {
        if (t == kTemperatureTopic)
            continue; // exactly the five scales the engine converts
        EXPECT_GE(l->db->unitCount(t), 8) << "topic " << t;
    }
    EXPECT_EQ(l->db->unitCount(kTemperatureTopic), 5);
    EXPECT_GT(l->total(), 700);
    int userTopics = 0;
    for (int n = 1; n <= kUserTopics; ++n)
        if (l->db->userTopicUsed(n)) {
            ++userTopics;
            EXPECT_GE(l->db->unitCount(kFirstUserTopic + n - 1), 5) << "user topic " << n;
        }
    EXPECT_GE(userTopics, 7);
}

TEST(DataFiles, EveryLevelShowsFewerUnitsThanAll)
{
    const auto all = load(Level::All);
    const auto l1 = load(Level::Level1);
    const auto l2 = load(Level::Level2);
    const auto l3 = load(Level::Level3);
    EXPECT_LT(l1->total(), l2->total());
    EXPECT_LT(l1->total(), l3->total());
    EXPECT_LT(l2->total(), all->total());
    EXPECT_LT(l3->total(), all->total());
    for (int t = 1; t <= kBuiltinTopics; ++t) {
        const int a = all->db->unitCount(t), c1 = l1->db->unitCount(t), c2 = l2->db->unitCount(t),
                  c3 = l3->db->unitCount(t);
        // Unmarked lines load everywhere, "+" lines at level 2, "*" lines at level 3.
        EXPECT_EQ(c2 + c3, a + c1) << "topic " << t;
        if (t == kTemperatureTopic) {
            EXPECT_EQ(c1, a) << "the temperature rows must never move";
        } else {
            EXPECT_LT(c1, a) << "topic " << t << " has no marked unit";
            EXPECT_GE(c1, 4) << "topic " << t << " gives level 1 too short a list";
        }
        // A level shows a subsequence of "Vše" in the same order.
        const auto names = all->names(t);
        std::size_t i = 0;
        for (const auto& n : l1->names(t)) {
            while (i < names.size() && names[i] != n)
                ++i;
            EXPECT_LT(i, names.size()) << "topic " << t << ": " << n;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Coefficients checked against their definitions: exact ones to 15 significant digits; those that
// rest on G (CODATA 2022, relative uncertainty 2.2e-5) to the rounding of the seven or six digits
// that G supports, so that a value copied from an older table or from other constants fails.

struct Anchor {
    int topic;
    const char* name;
    double value;
    double relTol = 5e-15;
};

const double kInch = 0.0254, kFoot = 0.3048, kYard = 0.9144, kPound = 0.45359237, kGn = 9.80665;
const double kLbf = kPound * kGn, kUsGallon = 231 * kInch * kInch * kInch, kCalIt = 4.1868;
const double kBtuIt = 1055.05585262, kE = 1.602176634e-19, kViennaFathom = 1.89648384;
// The Paris foot is 144 lignes of a metre of 443.296 lignes; the Russian funt is a fixed mass.
const double kParisFoot = 144 / 443.296, kRussianFunt = 0.40951718;
const double kC = 299792458, kHbar = 6.62607015e-34 / (2 * kPi), kG = 6.67430e-11, kEps0 = 8.8541878188e-12;
const double kC4 = kC * kC * kC * kC, kSevenDigits = 5e-7, kSixDigits = 5e-6;
const int kUserCapacitance = kFirstUserTopic + 8;

const Anchor kAnchors[] = {
    {1, "míle", 1609.344},
    {1, "sáh vídeňský", kViennaFathom},
    {1, "stopa vídeňská", kViennaFathom / 6},
    {1, "palec vídeňský", kViennaFathom / 72},
    {1, "bod vídeňský", kViennaFathom / 10368},
    {1, "čárka (anglická)", kInch / 12},
    {1, "palec", kInch},
    {1, "pařížská stopa", kParisFoot},
    {1, "toise", 6 * kParisFoot},
    {1, "porýnská stopa", 139.13 / 443.296},
    {1, "námořní míle", 1852},
    {1, "stopa (americká měřická)", 1200.0 / 3937},
    {1, "astronomická jednotka", 149597870700.0},
    {1, "světelný rok", 9460730472580800.0},
    {1, "Bohrův poloměr", 5.29177210544e-11},
    {1, "parsek", 149597870700.0 * 648000 / kPi},
    {1, "typografický bod (DTP)", kInch / 72},
    {1, "jednotka X", 1.00207697e-13}, // copper x unit, CODATA 2022
    {1, "Planckova délka", std::sqrt(kHbar* kG / (kC * kC * kC)), kSevenDigits},
    {2, "akr", 4840 * kYard* kYard},
    {2, "hektar", 10000},
    {2, "stopa čtvereční", kFoot* kFoot},
    {2, "míle čtvereční", 1609.344 * 1609.344},
    {2, "jitro", 1600 * kViennaFathom* kViennaFathom},
    {2, "palec čtvereční vídeňský", kViennaFathom* kViennaFathom / 5184},
    {2, "akr (americký měřický)", 43560 * (1200.0 / 3937) * (1200.0 / 3937)},
    {2, "arpent (francouzský)", 180 * kParisFoot * 180 * kParisFoot},
    {2, "morgen (pruský)", 25920 * (139.13 / 443.296) * (139.13 / 443.296)},
    {3, "litr", 0.001},
    {3, "galon (americký)", kUsGallon},
    {3, "galon (britský)", 0.00454609},
    {3, "barel ropy", 42 * kUsGallon},
    {3, "unce objemová (americká)", kUsGallon / 128},
    {3, "stopa krychlová", kFoot* kFoot* kFoot},
    {3, "vědro", 0.056589},
    {3, "máz", 0.056589 / 40},
    {3, "minim (britský)", 0.00454609 / 76800},
    {3, "palec krychlový vídeňský", kViennaFathom* kViennaFathom* kViennaFathom / 373248},
    {4, "libra", kPound},
    {4, "unce", kPound / 16},
    {4, "grain", kPound / 7000},
    {4, "troyská unce", 480 * kPound / 7000},
    {4, "tuna (krátká)", 2000 * kPound},
    {4, "karát", 0.0002},
    {4, "atomová hmotnostní jednotka", 1.66053906892e-27}, // CODATA 2022
    {4, "hmotnost elektronu", 9.1093837139e-31},
    {4, "kilodalton", 1000 * 1.66053906892e-27},
    {4, "Planckova hmotnost", std::sqrt(kHbar* kC / kG), kSevenDigits},
    {4, "hmotnost Jupiteru", 1.2668653e17 / kG, kSevenDigits}, // IAU 2015 nominal GM of Jupiter
    {4, "lot", 0.560012 / 32},
    {4, "ruská libra", kRussianFunt},
    {4, "zolotnik", kRussianFunt / 96},
    {4, "pud", 40 * kRussianFunt},
    {4, "tael (hongkongský)", 4 * kPound / 16 / 3},
    {5, "gram na centimetr krychlový", 1000},
    {5, "libra na stopu krychlovou", kPound / (kFoot * kFoot * kFoot)},
    {5, "libra na galon (americký)", kPound / kUsGallon},
    {6, "libra síly", 4.4482216152605},
    {6, "kilopond", kGn},
    {6, "dyn", 1e-5},
    {6, "poundal", kPound* kFoot},
    {6, "Planckova síla", kC4 / kG, kSevenDigits},
    {7, "atmosféra (fyzikální)", 101325},
    {7, "bar", 100000},
    {7, "torr", 101325.0 / 760},
    {7, "milimetr rtuťového sloupce", 133.322387415},
    {7, "libra na palec čtvereční", kLbf / (kInch * kInch)},
    {7, "atmosféra (technická)", 98066.5},
    {7, "Planckův tlak", kC4* kC* kC* kC / (kHbar * kG * kG), kSixDigits},
    {8, "kalorie", kCalIt},
    {8, "britská tepelná jednotka", kBtuIt},
    {8, "kilowatthodina", 3.6e6},
    {8, "elektronvolt", kE},
    {8, "hartree", 4.3597447222060e-18},
    {8, "stopolibra", kFoot* kLbf},
    {8, "therm (EU)", 105.506e6}, // Directive 80/181/EEC
    {9, "koňská síla (anglická)", 745.69987158227022},
    {9, "koňská síla", 75 * kGn},
    {9, "tuna chlazení", 12000 * kBtuIt / 3600},
    {9, "kilokalorie za hodinu", 1.163},
    {9, "therm za hodinu", 105.506e6 / 3600},
    {9, "Planckův výkon", kC4* kC / kG, kSevenDigits},
    {10, "stupeň", kPi / 180},
    {10, "gon", kPi / 200},
    {10, "vteřina", kPi / 648000},
    {10, "otáčka", 2 * kPi},
    {10, "dílec (NATO)", 2 * kPi / 6400},
    {11, "hodina", 3600},
    {11, "den", 86400},
    {11, "rok (juliánský)", 31557600},
    {11, "rok (gregoriánský)", 365.2425 * 86400},
    {11, "Planckův čas", std::sqrt(kHbar* kG / (kC4 * kC)), kSevenDigits},
    {12, "kilometr za hodinu", 1 / 3.6},
    {12, "uzel", 1852.0 / 3600},
    {12, "míle za hodinu", 0.44704},
    {12, "rychlost světla", 299792458},
    {13, "centistokes", 1e-6},
    {13, "stokes", 1e-4},
    {13, "stopa čtvereční za sekundu", kFoot* kFoot},
    {14, "poise", 0.1},
    {14, "centipoise", 0.001},
    {14, "reyn", kLbf / (kInch * kInch)},
    {15, "litr za sekundu", 0.001},
    {15, "galon (americký) za minutu", kUsGallon / 60},
    {15, "stopa krychlová za minutu", kFoot* kFoot* kFoot / 60},
    {16, "kelvin", 1},
    {17, "miliampér", 0.001},
    {17, "abampér", 10},
    {17, "statampér", 0.1 / 299792458},
    {18, "kilovolt", 1000},
    {18, "statvolt", 299.792458},
    {18, "abvolt", 1e-8},
    {18, "Planckovo napětí", std::sqrt(kC4 / (4 * kPi * kEps0 * kG)), kSevenDigits},
    {19, "kiloohm", 1000},
    {19, "statohm", 299792458.0 * 299792458.0 * 1e-5},
    {19, "von Klitzingova konstanta", 6.62607015e-34 / (kE * kE)},
    {20, "maxwell", 1e-8},
    {20, "kvantum magnetického toku", 6.62607015e-34 / (2 * kE)},
    {21, "gauss", 1e-4},
    {21, "gama", 1e-9},
    {22, "oersted", 1000 / (4 * kPi)},
    {22, "kiloampér na metr", 1000},
    {23, "kilokandela", 1000},
    {23, "milikandela", 0.001},
    {24, "stilb", 1e4},
    {24, "lambert", 1e4 / kPi},
    {24, "footlambert", 1 / (kPi * kFoot * kFoot)},
    {25, "footcandle", 1 / (kFoot * kFoot)},
    {25, "phot", 1e4},
    {26, "kibi", 1024},
    {26, "yobi", std::pow(1024.0, 8)},
    {26, "procento", 0.01},
    {kUserCapacitance, "statfarad", 1e5 / (kC * kC)},
    {kUserCapacitance, "centimetr (kapacita)", 1e5 / (kC * kC)},
};

TEST(DataFiles, CarryExactCoefficients)
{
    for (const char dec : {',', '.'}) {
        const auto l = load(Level::All, dec);
        for (const auto& a : kAnchors) {
            const int u = l->find(a.topic, a.name);
            ASSERT_GT(u, 0) << "topic " << a.topic << " has no unit " << a.name;
            EXPECT_NEAR(l->db->unit(a.topic, u).factor, a.value, std::abs(a.value) * a.relTol)
                << "topic " << a.topic << " " << a.name;
        }
    }
}

TEST(DataFiles, UserTopicsCarryExactCoefficients)
{
    const auto l = load(Level::All);
    const auto coef = [&](int userTopic, const std::string& name) {
        const int t = kFirstUserTopic + userTopic - 1;
        const int u = l->find(t, name);
        EXPECT_GT(u, 0) << "user topic " << userTopic << " has no unit " << name;
        return u > 0 ? l->db->unit(t, u).factor : 0.0;
    };
    EXPECT_EQ(coef(1, "bajt"), 8);
    EXPECT_EQ(coef(1, "kibibajt"), 8192);
    EXPECT_EQ(coef(1, "gibibajt"), 8.0 * 1024 * 1024 * 1024);
    EXPECT_NEAR(coef(3, "normální tíhové zrychlení"), kGn, 1e-14);
    EXPECT_NEAR(coef(4, "librostopa"), kFoot * kLbf, 1e-14);
    EXPECT_NEAR(coef(5, "elementární náboj"), kE, 1e-33);
    EXPECT_EQ(coef(5, "ampérhodina"), 3600);
    EXPECT_EQ(coef(6, "curie"), 3.7e10);
    EXPECT_EQ(coef(7, "rad"), 0.01);
    EXPECT_EQ(coef(8, "rem"), 0.01);
}

// A unit whose symbol is a prefix on the symbol of another unit of its topic, and whose name starts
// with that prefix's name (less its last vowel, as in "hektar"), or whose name is the prefix's name
// on the other's name, is that unit times the prefix. The two conditions together keep out look-alikes such
// as the carat "ct" beside the tonne "t".

struct Prefix {
    const char* symbol;
    const char* name;
    double factor;
};

const Prefix kPrefixes[] = {
    {"Q", "quetta", 1e30},  {"R", "ronna", 1e27},   {"Y", "yotta", 1e24},   {"Z", "zetta", 1e21},
    {"E", "exa", 1e18},     {"P", "peta", 1e15},    {"T", "tera", 1e12},    {"G", "giga", 1e9},
    {"M", "mega", 1e6},     {"k", "kilo", 1e3},     {"h", "hekto", 1e2},    {"da", "deka", 1e1},
    {"d", "deci", 1e-1},    {"c", "centi", 1e-2},   {"m", "mili", 1e-3},    {"µ", "mikro", 1e-6},
    {"n", "nano", 1e-9},    {"p", "piko", 1e-12},   {"f", "femto", 1e-15},  {"a", "atto", 1e-18},
    {"z", "zepto", 1e-21},  {"y", "yokto", 1e-24},  {"r", "ronto", 1e-27},  {"q", "quekto", 1e-30},
    {"Ki", "kibi", 0x1p10}, {"Mi", "mebi", 0x1p20}, {"Gi", "gibi", 0x1p30}, {"Ti", "tebi", 0x1p40},
    {"Pi", "pebi", 0x1p50}, {"Ei", "exbi", 0x1p60}, {"Zi", "zebi", 0x1p70}, {"Yi", "yobi", 0x1p80},
};

// The prefix scales the first unit of a symbol together with its power: km² is 10⁶ m², cm⁻¹ is 10² m⁻¹.
int firstUnitPower(const std::string& symbol)
{
    std::size_t end = symbol.size();
    for (const char* separator : {"/", "·", " "})
        end = std::min(end, symbol.find(separator));
    for (const auto& [text, power] : {std::pair{"²", 2}, std::pair{"³", 3}, std::pair{"⁻¹", -1}})
        if (symbol.find(text) < end)
            return power;
    return 1;
}

TEST(DataFiles, EveryPrefixedUnitIsItsPrefixTimesItsUnit)
{
    const auto l = load(Level::All);
    const auto& db = *l->db;
    int pairs = 0;
    for (int t = 1; t <= kMaxTopic; ++t)
        for (int a = 1; a <= db.unitCount(t); ++a)
            for (int b = 1; b <= db.unitCount(t); ++b) {
                const std::string &nameA = db.unit(t, a).name, &nameB = db.unit(t, b).name;
                const std::string &symbolA = db.unit(t, a).symbol, &symbolB = db.unit(t, b).symbol;
                if (a == b || !(symbolA.ends_with(symbolB) || nameA.ends_with(nameB)))
                    continue;
                for (const auto& p : kPrefixes) {
                    const std::string name = p.name, stem = name.substr(0, name.size() - 1);
                    if (!(symbolA == p.symbol + symbolB && nameA.starts_with(stem)) && nameA != name + nameB)
                        continue;
                    ++pairs;
                    const double want = std::pow(p.factor, firstUnitPower(symbolB)) * db.unit(t, b).factor;
                    EXPECT_NEAR(db.unit(t, a).factor, want, want * 1e-12)
                        << "topic " << t << ": " << nameA << " = " << p.name << " × " << nameB;
                }
            }
    EXPECT_GT(pairs, 200) << pairs; // the pairing must not quietly find nothing
}

// ---------------------------------------------------------------------------------------------
// The files themselves.

TEST(DataFiles, AreUtf8WithCrLfAndAtMostSixFields)
{
    for (const auto& path : {kMain, kUser}) {
        const std::string bytes = readBytes(path);
        ASSERT_FALSE(bytes.empty()) << path;
        EXPECT_TRUE(isValidUtf8(bytes)) << path;
        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << path << " starts with a byte-order mark";
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << path;
        std::size_t start = 0, lineNo = 0;
        while (start < bytes.size()) {
            const std::size_t lf = bytes.find('\n', start);
            ASSERT_NE(lf, std::string::npos) << path;
            ++lineNo;
            ASSERT_GT(lf, start) << path << ": line " << lineNo << " ends with a bare LF";
            EXPECT_EQ(bytes[lf - 1], '\r') << path << ": line " << lineNo;
            const std::string line = bytes.substr(start, lf - 1 - start);
            EXPECT_FALSE(line.empty()) << path << ": blank line " << lineNo;
            EXPECT_EQ(line.find('\r'), std::string::npos) << path << ": line " << lineNo;
            if (path == kMain) {
                EXPECT_LE(std::count(line.begin(), line.end(), '|'), 5) << path << ": line " << lineNo;
            }
            start = lf + 1;
        }
    }
}

TEST(DataFiles, OldWindows1250UserFileStillLoads)
{
    const auto l = load(Level::All, ',', std::string(OV_TESTDATA_DIR) + "/user-1250.omv");
    EXPECT_TRUE(l->sink.messages.empty());
    EXPECT_TRUE(l->result.userLoaded);
    EXPECT_EQ(l->result.userEncoding, TextEncoding::Windows1250);
    const int rotation = kFirstUserTopic + 1, torque = kFirstUserTopic + 3, activity = kFirstUserTopic + 5;
    EXPECT_EQ(l->names(rotation), (std::vector<std::string>{"otáčka za sekundu", "otáčka za minutu", "úder za minutu",
                                                            "stupeň za sekundu"}));
    EXPECT_EQ(l->names(torque), (std::vector<std::string>{"newtonmetr", "kilopondmetr", "newtoncentimetr"}));
    EXPECT_EQ(l->db->unit(torque, 2).symbol, "kp·m");
    EXPECT_EQ(l->db->unit(torque, 2).factor, kGn);
    EXPECT_NE(l->db->unit(torque, 2).info.find("přesně"), std::string::npos);
    EXPECT_EQ(l->db->unit(activity, 2).symbol, "µCi");
    EXPECT_EQ(l->db->unit(activity, 3).name, "přeměna za minutu");
    EXPECT_TRUE(l->db->userTopicUsed(2));
    EXPECT_FALSE(l->db->userTopicUsed(1));
}

} // namespace
