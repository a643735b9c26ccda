#include "table/tablecommands.h"

#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QAction>

namespace ov::gui {

void bindTableCommands(Commands& c, ConversionTable& t)
{
    c.bind(QStringLiteral("mnuFormatZ"), [&t](int i) {
        t.setFormat(i);
        t.formatTable();
    });
    // "Aktuální jako": the items mnuSoustava(0..4) are the bases in BaseKind's order.
    c.bind(QStringLiteral("mnuSoustava"), [&t](int i) {
        if (i >= int(ov::BaseKind::Binary) && i <= int(ov::BaseKind::CustomWithDecimals))
            t.runAs(ov::BaseKind(i));
    });
    c.bind(QStringLiteral("mnuZlomek"), [&t](int) { t.runFraction(); });
    c.bind(QStringLiteral("mnuLatin"), [&t](int) { t.runRoman(); });
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
    QObject::connect(&t, &ConversionTable::representationEnabledChanged, &c, &Commands::setRepresentationEnabled);
    QObject::connect(&t, &ConversionTable::copyEnabledChanged, &c, &Commands::setCopyEnabled);
    QObject::connect(&t, &ConversionTable::contextMenuRequested, &c, &Commands::popupMenu);
}

} // namespace ov::gui
