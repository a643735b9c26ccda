#include "table/tablecommands.h"

#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QAction>
#include <QMenu>
#include <iterator>

namespace ov::gui {
namespace {

// "Aktuální jako" items mnuSoustava(0..4) by index, as the table names the representations.
const char* const kBaseKeys[] = {"Binarne", "Oktalne", "Hexadecimalne", "Vlastni", "VlastniD"};

void popup(Commands& commands, const QString& menuName, const QPoint& globalPos)
{
    if (QMenu* m = commands.menu(menuName))
        m->popup(globalPos);
}

} // namespace

void bindTableCommands(Commands& c, ConversionTable& t)
{
    c.bind(QStringLiteral("mnuFormatZ"), [&t](int i) {
        t.setFormat(i);
        t.formatTable();
    });
    c.bind(QStringLiteral("mnuSoustava"), [&t](int i) {
        if (i >= 0 && i < int(std::size(kBaseKeys)))
            t.runRepresentation(QLatin1String(kBaseKeys[i]));
    });
    c.bind(QStringLiteral("mnuZlomek"), [&t](int) { t.runRepresentation(QStringLiteral("Zlomek")); });
    c.bind(QStringLiteral("mnuLatin"), [&t](int) { t.runRepresentation(QStringLiteral("Rimsky")); });
    c.bind(QStringLiteral("mnuPredpony"), [&t](int) { t.showPrefixes(); });
    c.bind(QStringLiteral("mnuNahledUkazuje"), [&t](int i) { t.setReferenceMode(i); });

    // The pane switches are the table's own: it follows their state whoever changes it.
    t.usePaneSwitches(c.action(QStringLiteral("mnuNahled")), c.action(QStringLiteral("mnuLupa")),
                      c.action(QStringLiteral("mnuInfo")));
    for (const char* name : {"mnuNahled", "mnuLupa", "mnuInfo"})
        c.bind(QLatin1String(name), [](int) {});

    QObject::connect(&t, &ConversionTable::positionTextChanged, &c,
                     [&c](const QString& text) { c.setPanelText(QStringLiteral("TVeličiny"), text); });
    QObject::connect(&t, &ConversionTable::firstTopicShown, &c, &Commands::firstDisplay);
    QObject::connect(&t, &ConversionTable::jakoEnabledChanged, &c, &Commands::setJakoEnabled);
    QObject::connect(&t, &ConversionTable::copyEnabledChanged, &c, &Commands::setCopyEnabled);
    QObject::connect(&t, &ConversionTable::contextMenuRequested, &c,
                     [&c](const QString& menu, const QPoint& pos) { popup(c, menu, pos); });
}

} // namespace ov::gui
