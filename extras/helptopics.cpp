#include "extras/helptopics.h"

#include "gui/commandtable.h"
#include "gui/common.h"

#include <QFile>
#include <QKeySequence>
#include <QWidget>

namespace ov::gui::help {
namespace {

// clang-format off
constexpr Topic kTopics[] = {
    {kIndex,     "index",      ""},
    {1110,       "tabulka",    ""},
    {1100,       "panely",     "nahled"},
    {40,         "panely",     "lupa"},
    {1070,       "panely",     "informace"},
    {1420,       "panely",     "navrchu"},
    {1150,       "navigator",  ""},
    {1350,       "navigator",  "predchozi"},
    {1360,       "hledani",    ""},
    {1030,       "formaty",    "formaty"},
    {1020,       "formaty",    "soustavy"},
    {1230,       "formaty",    "zlomek"},
    {1380,       "formaty",    "rimsky"},
    {1280,       "oznaceni",   ""},
    {1290,       "oznaceni",   "urovne"},
    {1130,       "soubory",    ""},
    {1131,       "soubory",    "editace"},
    {1120,       "moznosti",   ""},
    {1370,       "nahravani",  ""},
    {1190,       "historie",   ""},
    {1140,       "tisk",       ""},
    {1141,       "tisk",       "schranka"},
    {1112,       "lite",       ""},
    {kKeyboard,  "klavesnice", ""},
    {50,         "predpony",   ""},
    {kConstants, "konstanty",  ""},
    {1111,       "doplnky",    "kalkulacka"},
    {1170,       "doplnky",    "domovska"},
    {80,         "doplnky",    "pripominky"},
    {1180,       "doplnky",    "oaplikaci"},
};

// The main controls; a control not listed takes the number of the nearest parent that is.
constexpr ControlTopic kControls[] = {
    {"frmOmnivelor", 1110}, {"tlbLista", 1110},   {"staStav", 1110},    {"picPlocha", 1110},
    {"picPrevod", 1110},    {"msgTab", 1110},     {"txtEdit", 1110},    {"lblTitulek", 1110},
    {"picTop", 1110},       {"lblSI", 1100},      {"tabNavigator", 1150}, {"picNavigator", 1150},
    {"lvwTema", 1150},      {"lvwJednotky", 1150}, {"lvwUser", 1150},   {"picLupa", 40},
    {"lblLupa", 40},        {"picInfo", 1070},    {"txtInfo", 1070},    {"picFind", 1360},  
    {"txtFind", 1360},      {"lvwFind", 1360},  {"rtfEdit", 1131},    {"frmOptions", 1120},
    {"frmTisk", 1140},      {"picLt", 1112},      {"frmAbout", 1180},   {"frmNapoveda", kIndex},
    {"frmHistorie", 1190},
};
// clang-format on

// A menu caption as the keyboard page names it: no accelerator marks, no "…".
QString pageCaption(const char* caption)
{
    return plainCaption(QString::fromUtf8(caption)).remove(QChar(0x2026)).trimmed();
}

const cmd::MenuRow* rowNamed(const char* name)
{
    for (const cmd::MenuRow& row : cmd::menuRows())
        if (qstrcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

} // namespace

std::span<const Topic> topics() { return kTopics; }
std::span<const ControlTopic> controlTopics() { return kControls; }

QUrl url(int context)
{
    for (const Topic& t : kTopics)
        if (t.context == context) {
            QUrl u(QStringLiteral("qrc:/help/%1.html").arg(QLatin1String(t.page)));
            if (t.anchor[0])
                u.setFragment(QString::fromLatin1(t.anchor));
            return u;
        }
    return url(kIndex);
}

int contextOf(const QWidget* widget)
{
    for (const QObject* o = widget; o; o = o->parent())
        for (const ControlTopic& c : kControls)
            if (o->objectName() == QLatin1String(c.objectName))
                return c.context;
    return cmd::kHelpDefault;
}

QString keyboardPage()
{
    QString rows;
    for (const cmd::MenuRow& row : cmd::menuRows()) {
        if (!row.shortcut[0])
            continue;
        const cmd::MenuRow* menu = rowNamed(row.parent);
        // Items of a submenu are named with it: "Aktuální jako › Binárně".
        QString where = menu ? pageCaption(menu->caption) : QString();
        const cmd::MenuRow* top = menu && menu->parent[0] ? rowNamed(menu->parent) : nullptr;
        if (top)
            where = pageCaption(top->caption) + QStringLiteral(" › ") + where;
        const QString key = QKeySequence(QString::fromLatin1(row.shortcut)).toString(QKeySequence::PortableText);
        rows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>\n")
                    .arg(escaped(key), escaped(pageCaption(row.caption)), escaped(where));
    }
    QFile file(QStringLiteral(":/help/klavesnice.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString page = QString::fromUtf8(file.readAll());
    return page.replace(QStringLiteral("<!--ZKRATKY-->"), rows);
}

} // namespace ov::gui::help
