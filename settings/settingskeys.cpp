#include "settings/settingskeys.h"

#include "core/catalogue.h"

#include <array>
#include <limits>

namespace ov::gui {
namespace {

constexpr double kInt32Min = std::numeric_limits<qint32>::min();
constexpr double kInt32Max = std::numeric_limits<qint32>::max();
constexpr double kInt16Min = std::numeric_limits<qint16>::min();
constexpr double kInt16Max = std::numeric_limits<qint16>::max();

using K = Key;
using S = Section;
using V = ValueKind;

// The stored text forms are what earlier versions wrote; keep them when adding keys.
constexpr std::array<KeyInfo, static_cast<int>(Key::Count)> kKeys{{
    {K::File, S::General, "File", V::Text, "Omnivel.omv"},
    {K::Path, S::General, "Path", V::Text, nullptr},
    {K::FileUser, S::General, "FileUser", V::Text, "User.omv"},
    {K::PathUser, S::General, "PathUser", V::Text, nullptr},
    {K::SafeEnd, S::General, "SafeEnd", V::Integer, "1", 0, 1},
    {K::FractionSensitivity, S::General, "ZCitlivost", V::Integer, "3", 1, 9},
    {K::Fix, S::General, "Fix", V::Number, "2", 0, 9},
    {K::Level, S::General, "Uroven", V::Integer, "0", 0, 3},
    {K::Preview, S::General, "Nahled", V::Boolean, "True"},
    {K::Magnifier, S::General, "Lupa", V::Boolean, "False"},
    {K::Info, S::General, "Informace", V::Boolean, "False"},
    {K::OnTop, S::General, "OnTop", V::Boolean, "False"},
    {K::DisplayFormat, S::General, "Presnost", V::Integer, "0", 0, 3},
    {K::TopicView, S::General, "Veliciny", V::Text, "Seznam"},
    {K::Navigator, S::General, "Navigator", V::Text, "Veliciny"},
    {K::Colored, S::General, "Colored", V::Integer, "1", 0, 1},
    // The platform's "highlighted text" system colour, 0x8000000E.
    {K::ColoredColor, S::General, "ColoredColor", V::Integer, "-2147483634", kInt32Min, kInt32Max},
    {K::ConversionTotal, S::General, "Prevedeno", V::Integer, "0", 0, kInt32Max},
    {K::TotalTime, S::General, "Doba", V::Time, "0"},
    {K::Expressions, S::General, "Vyrazy", V::Boolean, "False"}, // arithmetic in a cell
    {K::RememberMarks, S::General, "PamatovatOznacene", V::Boolean, "False"},
    {K::KeepHistory, S::General, "UkladatHistorii", V::Boolean, "False"},

    {K::StartCount, S::Start, "Spusteno", V::Integer, "0", 0, kInt32Max},
    {K::OnlyOne, S::Start, "OnlyOne", V::Integer, "0", 0, 1},
    {K::Grid, S::Start, "Grid", V::Integer, "0", 0, 1},
    {K::NumBase, S::Start, "NumBase", V::Integer, "12", 2, 32},
    {K::NumBaseDec, S::Start, "NumBaseDec", V::Integer, "6", 1, 16},
    {K::StartTopic, S::Start, "Tema", V::Integer, "0", 0, 26},
    {K::Left, S::Start, "Left", V::Number, nullptr, kInt32Min, kInt32Max},
    {K::Top, S::Start, "Top", V::Number, nullptr, kInt32Min, kInt32Max},
    {K::Width, S::Start, "Width", V::Number, "7590", 0, kInt32Max},
    {K::Height, S::Start, "Height", V::Number, "6285", 0, kInt32Max},
    {K::WindowState, S::Start, "WindowState", V::Integer, "0", 0, 2},
    {K::SplitterPosition, S::Start, "Vlevo", V::Integer, "2300", kInt16Min, kInt16Max},
    {K::StartHint, S::Start, "Rady", V::Boolean, "True"}, // the hint on the start screen

    {K::FontName, S::Edit, "FontName", V::Text, "MS Sans Serif"},
    {K::FontSize, S::Edit, "FontSize", V::Number, "8", 1, 1638},
    {K::FontBold, S::Edit, "FontBold", V::Boolean, "False"},
    {K::FontItalic, S::Edit, "FontItalic", V::Boolean, "False"},
    // Unsaved changes of a data file kept in a copy when the system ended the program: the
    // file and the copy, until the next start has told the user.
    {K::UnsavedFile, S::Edit, "NeulozenySoubor", V::Text, ""},
    {K::UnsavedCopy, S::Edit, "NeulozenaKopie", V::Text, ""},
}};

constexpr bool tableInKeyOrder()
{
    for (int i = 0; i < static_cast<int>(Key::Count); ++i)
        if (static_cast<int>(kKeys[i].key) != i)
            return false;
    return true;
}
static_assert(tableInKeyOrder(), "the key table must list the keys in the order of the enum");

} // namespace

const KeyInfo& keyInfo(Key key) { return kKeys[static_cast<int>(key)]; }

QString sectionName(Section section)
{
    switch (section) {
    case Section::General: return QStringLiteral("Obecne");
    case Section::Start: return QStringLiteral("Start");
    case Section::Navigator: return QStringLiteral("Navigator");
    case Section::Edit: return QStringLiteral("Edit");
    case Section::Marks: return QStringLiteral("Oznacene");
    }
    return {};
}

QString keyPath(Key key)
{
    const KeyInfo& info = keyInfo(key);
    return sectionName(info.section) + QLatin1Char('/') + QLatin1String(info.name);
}

QString navigatorKey(bool userTopic, int n)
{
    return (userTopic ? QStringLiteral("U") : QStringLiteral("S")) + QString::number(n);
}

QString topicKey(int topic)
{
    const bool user = topic > ov::kBuiltinTopics;
    return navigatorKey(user, user ? topic - ov::kBuiltinTopics : topic);
}

QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString timeText(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 h = seconds / 3600;
    const int m = static_cast<int>((seconds / 60) % 60);
    const int s = static_cast<int>(seconds % 60);
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

} // namespace ov::gui
