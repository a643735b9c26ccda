#include "settings/preferences.h"

#include "gui/dialogservice.h"
#include "settings/datafolder.h"

#include <QDir>
#include <algorithm>
#include <iterator>

namespace ov::gui {
namespace {

using S = const SettingsStore&;
using P = Preferences&;
using W = SettingsStore&;
using CP = const Preferences&;

// One row per value: how readPreferences reads it (nullptr: start-up or shut-down reads it
// itself) and how writePreferences writes it (nullptr: never written from the preferences).
struct Row {
    Key key;
    void (*read)(S, P);
    void (*write)(W, CP);
};

int choice(const QString& text, const char* first, const char* second, int otherwise)
{
    if (text.compare(QLatin1String(first), Qt::CaseInsensitive) == 0)
        return 0;
    if (text.compare(QLatin1String(second), Qt::CaseInsensitive) == 0)
        return 1;
    return otherwise;
}

int toInt(qint64 v) { return static_cast<int>(v); }

// In the order the values have always been read; each read is one step for the
// Abort/Retry/Ignore question.
// clang-format off
const Row kRows[] = {
    {Key::File,      [](S s, P p) { p.file = s.text(Key::File); },
                     [](W s, CP p) { s.setText(Key::File, p.file); }},
    {Key::Path,      [](S s, P p) { p.path = s.text(Key::Path, programFolderPath(p.file)); },
                     [](W s, CP p) { s.setText(Key::Path, p.path); }},
    {Key::FileUser,  [](S s, P p) { p.fileUser = s.text(Key::FileUser); },
                     [](W s, CP p) { s.setText(Key::FileUser, p.fileUser); }},
    {Key::PathUser,  [](S s, P p) { p.pathUser = s.text(Key::PathUser, programFolderPath(p.fileUser)); },
                     [](W s, CP p) { s.setText(Key::PathUser, p.pathUser); }},
    {Key::SafeEnd,   [](S s, P p) { p.safeEnd = toInt(s.integer(Key::SafeEnd)); },
                     [](W s, CP p) { s.setInteger(Key::SafeEnd, p.safeEnd); }},
    {Key::OnlyOne,   [](S s, P p) { p.onlyOne = toInt(s.integer(Key::OnlyOne)); },
                     [](W s, CP p) { s.setInteger(Key::OnlyOne, p.onlyOne); }},
    // Grid is read twice: once for the options dialog, once for the table.
    {Key::Grid,      [](S s, P p) { p.gridOption = toInt(s.integer(Key::Grid)); },
                     [](W s, CP p) { s.setInteger(Key::Grid, p.gridOption); }},
    {Key::Grid,      [](S s, P p) { p.gridLines = toInt(s.integer(Key::Grid)); }, nullptr},
    {Key::NumBase,   [](S s, P p) { p.numBase = toInt(s.integer(Key::NumBase)); },
                     [](W s, CP p) { s.setInteger(Key::NumBase, p.numBase); }},
    {Key::NumBaseDec,[](S s, P p) { p.numBaseDec = toInt(s.integer(Key::NumBaseDec)); },
                     [](W s, CP p) { s.setInteger(Key::NumBaseDec, p.numBaseDec); }},
    {Key::FractionSensitivity,[](S s, P p) { p.fractionSensitivity = toInt(s.integer(Key::FractionSensitivity)); },
                     [](W s, CP p) { s.setInteger(Key::FractionSensitivity, p.fractionSensitivity); }},
    {Key::Fix,       [](S s, P p) { p.fix = s.number(Key::Fix); p.fixText = QString::number(p.fix); },
                     [](W s, CP p) { s.setText(Key::Fix, p.fixText); }},
    {Key::StartTopic,      [](S s, P p) { p.startTopic = toInt(s.integer(Key::StartTopic)); },
                     [](W s, CP p) { s.setInteger(Key::StartTopic, p.startTopic); }},
    {Key::Level,    [](S s, P p) { p.level = toInt(s.integer(Key::Level)); },
                     [](W s, CP p) { s.setInteger(Key::Level, p.level); }},
    {Key::Preview,    [](S s, P p) { p.showPreview = s.boolean(Key::Preview); },
                     [](W s, CP p) { s.setBoolean(Key::Preview, p.showPreview); }},
    {Key::Magnifier,      [](S s, P p) { p.showMagnifier = s.boolean(Key::Magnifier) && p.startTopic > 0; },
                     [](W s, CP p) { s.setBoolean(Key::Magnifier, p.showMagnifier); }},
    {Key::Info, [](S s, P p) { p.showInfo = s.boolean(Key::Info); },
                     [](W s, CP p) { s.setBoolean(Key::Info, p.showInfo); }},
    {Key::OnTop,     [](S s, P p) { p.onTop = s.boolean(Key::OnTop); },
                     [](W s, CP p) { s.setBoolean(Key::OnTop, p.onTop); }},
    {Key::DisplayFormat,  [](S s, P p) { p.displayFormat = toInt(s.integer(Key::DisplayFormat)); },
                     [](W s, CP p) { s.setInteger(Key::DisplayFormat, p.displayFormat); }},
    {Key::TopicView,  [](S s, P p) { p.topicView = choice(s.text(Key::TopicView).trimmed(), "Ikony", "Seznam", p.topicView); },
                     [](W s, CP p) { s.setText(Key::TopicView, p.topicView == 0 ? QStringLiteral("Ikony") : QStringLiteral("Seznam")); }},
    {Key::Navigator, [](S s, P p) { p.navigator = choice(s.text(Key::Navigator).trimmed(), "Veliciny", "Jednotky", p.navigator); },
                     [](W s, CP p) { s.setText(Key::Navigator, p.navigator == 1 ? QStringLiteral("Jednotky") : QStringLiteral("Veliciny")); }},
    {Key::Colored,   [](S s, P p) { p.colored = toInt(s.integer(Key::Colored)); },
                     [](W s, CP p) { s.setInteger(Key::Colored, p.colored); }},
    {Key::ColoredColor, [](S s, P p) { p.coloredColor = static_cast<qint32>(s.integer(Key::ColoredColor)); },
                     [](W s, CP p) { s.setInteger(Key::ColoredColor, p.coloredColor); }},
    {Key::Expressions,    [](S s, P p) { p.evaluateExpressions = s.boolean(Key::Expressions); },
                     [](W s, CP p) { s.setBoolean(Key::Expressions, p.evaluateExpressions); }},
    {Key::StartHint,      [](S s, P p) { p.startHint = s.boolean(Key::StartHint); },
                     [](W s, CP p) { s.setBoolean(Key::StartHint, p.startHint); }},
    {Key::FontName,  [](S s, P p) { p.fontName = s.text(Key::FontName); },
                     [](W s, CP p) { s.setText(Key::FontName, p.fontName); }},
    {Key::FontSize,  [](S s, P p) { p.fontSize = s.number(Key::FontSize); },
                     [](W s, CP p) { s.setText(Key::FontSize, QString::number(p.fontSize)); }},
    {Key::FontBold,  [](S s, P p) { p.fontBold = s.boolean(Key::FontBold); },
                     [](W s, CP p) { s.setBoolean(Key::FontBold, p.fontBold); }},
    {Key::FontItalic,[](S s, P p) { p.fontItalic = s.boolean(Key::FontItalic); },
                     [](W s, CP p) { s.setBoolean(Key::FontItalic, p.fontItalic); }},
    {Key::StartCount,  [](S s, P p) { p.startCount = static_cast<qint32>(s.integer(Key::StartCount)); },
                     [](W s, CP p) { s.setInteger(Key::StartCount, p.startCount); }},
    {Key::ConversionTotal, [](S s, P p) { p.conversionTotal = static_cast<qint32>(s.integer(Key::ConversionTotal)); },
                     [](W s, CP p) { s.setInteger(Key::ConversionTotal, p.conversionTotal); }},
    {Key::RememberMarks, [](S s, P p) { p.rememberMarks = s.boolean(Key::RememberMarks); },
                     [](W s, CP p) { s.setBoolean(Key::RememberMarks, p.rememberMarks); }},
    {Key::KeepHistory, [](S s, P p) { p.keepHistory = s.boolean(Key::KeepHistory); },
                     [](W s, CP p) { s.setBoolean(Key::KeepHistory, p.keepHistory); }},
    // The running time of all runs: shut-down and the options dialog read it themselves.
    {Key::TotalTime,      nullptr,
                     [](W s, CP p) { s.setSeconds(Key::TotalTime, p.totalSeconds); }},
};
// clang-format on

} // namespace

bool readPreferences(SettingsStore& store, Preferences& prefs, QWidget* parent)
{
    prefs.path = programFolderPath(prefs.file);
    prefs.pathUser = programFolderPath(prefs.fileUser);
    // A damaged or unreadable file is reported once; what can be read of it is still used.
    bool storeReported = false;
    for (const Row& step : kRows) {
        if (!step.read)
            continue;
        for (;;) {
            QString details;
            try {
                if (!storeReported && !store.healthy()) {
                    storeReported = true;
                    throw SettingError(step.key, {},
                                       QStringLiteral("Soubor nastavení %1 je poškozený nebo nečitelný; "
                                                      "použijí se hodnoty, které lze přečíst.")
                                           .arg(QDir::toNativeSeparators(store.filePath())));
                }
                // Work on a copy, so that a failing step changes nothing.
                Preferences next = prefs;
                step.read(store, next);
                prefs = next;
                break;
            } catch (const SettingError& e) {
                details = e.detail();
            }
            const QMessageBox::StandardButton answer = dialogs().messageWithDetails(
                parent, DialogService::Icon::Critical, QStringLiteral("Chyba inicializace"),
                QStringLiteral("Chyba načítání z registrů."), details,
                QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Ignore);
            if (answer == QMessageBox::Abort)
                return false;
            if (answer == QMessageBox::Retry) {
                store.sync(); // the user may have mended the file meanwhile
                storeReported = false;
                continue;
            }
            break; // Ignore: the default stays, go on with the next value
        }
    }
    return true;
}

} // namespace ov::gui

namespace ov::gui {

void writePreferences(SettingsStore& store, const Preferences& prefs, std::initializer_list<Key> keys)
{
    for (const Row& row : kRows)
        if (row.write && std::find(keys.begin(), keys.end(), row.key) != keys.end())
            row.write(store, prefs);
}

bool isWritten(Key key)
{
    return std::any_of(std::begin(kRows), std::end(kRows), [key](const Row& r) { return r.key == key && r.write; });
}

ov::TextColour storedColour(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & 0x80000000u) {
        switch (bits & 0xFFu) {
        case 13: return {ov::TextColour::Role::Highlight, 0};
        case 14: return ov::TextColour::highlightText();
        case 17: return {ov::TextColour::Role::GrayText, 0};
        default: return ov::TextColour::windowText();
        }
    }
    const quint32 r = bits & 0xFFu, g = (bits >> 8) & 0xFFu, b = (bits >> 16) & 0xFFu;
    return ov::TextColour::fromRgb((r << 16) | (g << 8) | b);
}

} // namespace ov::gui
