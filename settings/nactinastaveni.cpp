#include "settings/nactinastaveni.h"

#include "gui/dialogservice.h"

#include <QCoreApplication>
#include <QDir>
#include <functional>
#include <vector>

namespace ov::gui {
namespace {

struct Step {
    Key key;   // for the message when the store itself fails
    std::function<void(const SettingsStore&, Preferences&)> read;
};

int choice(const QString& text, const char* first, const char* second, int otherwise)
{
    if (text.compare(QLatin1String(first), Qt::CaseInsensitive) == 0)
        return 0;
    if (text.compare(QLatin1String(second), Qt::CaseInsensitive) == 0)
        return 1;
    return otherwise;
}

int toInt(qint64 v)
{
    return static_cast<int>(v);
}

// One entry per value, in the order the values have always been read; each is one step for
// the Abort/Retry/Ignore question.
const std::vector<Step>& steps()
{
    using S = const SettingsStore&;
    using P = Preferences&;
    static const std::vector<Step> table{
        {Key::File, [](S s, P p) { p.file = s.text(Key::File); }},
        {Key::Path, [](S s, P p) { p.path = s.text(Key::Path, programFolderPath(p.file)); }},
        {Key::FileUser, [](S s, P p) { p.fileUser = s.text(Key::FileUser); }},
        {Key::PathUser, [](S s, P p) { p.pathUser = s.text(Key::PathUser, programFolderPath(p.fileUser)); }},
        {Key::SafeEnd, [](S s, P p) { p.safeEnd = toInt(s.integer(Key::SafeEnd)); }},
        {Key::OnlyOne, [](S s, P p) { p.onlyOne = toInt(s.integer(Key::OnlyOne)); }},
        // Grid is read twice: once for the options dialog, once for the table.
        {Key::Grid, [](S s, P p) { p.gridOption = toInt(s.integer(Key::Grid)); }},
        {Key::Grid, [](S s, P p) { p.gridLines = toInt(s.integer(Key::Grid)); }},
        {Key::NumBase, [](S s, P p) { p.numBase = toInt(s.integer(Key::NumBase)); }},
        {Key::NumBaseDec, [](S s, P p) { p.numBaseDec = toInt(s.integer(Key::NumBaseDec)); }},
        {Key::ZCitlivost, [](S s, P p) { p.zCitlivost = toInt(s.integer(Key::ZCitlivost)); }},
        {Key::Fix,
         [](S s, P p) {
             p.fix = s.number(Key::Fix);
             p.fixText = QString::number(p.fix);
         }},
        {Key::Tema, [](S s, P p) { p.tema = toInt(s.integer(Key::Tema)); }},
        {Key::Uroven, [](S s, P p) { p.uroven = toInt(s.integer(Key::Uroven)); }},
        {Key::Nahled, [](S s, P p) { p.nahled = s.boolean(Key::Nahled); }},
        {Key::Lupa, [](S s, P p) { p.lupa = s.boolean(Key::Lupa) && p.tema > 0; }},
        {Key::Informace, [](S s, P p) { p.informace = s.boolean(Key::Informace); }},
        {Key::OnTop, [](S s, P p) { p.onTop = s.boolean(Key::OnTop); }},
        {Key::Presnost, [](S s, P p) { p.presnost = toInt(s.integer(Key::Presnost)); }},
        {Key::Veliciny,
         [](S s, P p) { p.veliciny = choice(s.text(Key::Veliciny).trimmed(), "Ikony", "Seznam", p.veliciny); }},
        {Key::Navigator,
         [](S s, P p) {
             p.navigator = choice(s.text(Key::Navigator).trimmed(), "Veliciny", "Jednotky", p.navigator);
         }},
        {Key::Colored, [](S s, P p) { p.colored = toInt(s.integer(Key::Colored)); }},
        {Key::ColoredColor, [](S s, P p) { p.coloredColor = static_cast<qint32>(s.integer(Key::ColoredColor)); }},
        {Key::FontName, [](S s, P p) { p.fontName = s.text(Key::FontName); }},
        {Key::FontSize, [](S s, P p) { p.fontSize = s.number(Key::FontSize); }},
        {Key::FontBold, [](S s, P p) { p.fontBold = s.boolean(Key::FontBold); }},
        {Key::FontItalic, [](S s, P p) { p.fontItalic = s.boolean(Key::FontItalic); }},
        {Key::Spusteno, [](S s, P p) { p.spusteno = static_cast<qint32>(s.integer(Key::Spusteno)); }},
        {Key::Prevedeno, [](S s, P p) { p.prevedeno = static_cast<qint32>(s.integer(Key::Prevedeno)); }},
    };
    return table;
}

} // namespace

QString programFolderPath(const QString& fileName)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName;
}

bool NactiNastaveni(SettingsStore& store, Preferences& prefs, QWidget* parent)
{
    prefs.path = programFolderPath(prefs.file);
    prefs.pathUser = programFolderPath(prefs.fileUser);
    // A damaged or unreadable file is reported once; what can be read of it is still used.
    bool storeReported = false;
    for (const Step& step : steps()) {
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
                store.sync();   // the user may have mended the file meanwhile
                storeReported = false;
                continue;
            }
            break;   // Ignore: the default stays, go on with the next value
        }
    }
    return true;
}

} // namespace ov::gui
