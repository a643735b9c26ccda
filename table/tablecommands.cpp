#include "table/tablecommands.h"

#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QAction>

namespace ov::gui {

void bindTableCommands(Commands& c, ConversionTable& t)
{
    c.bind(cmd::Command::Format, [&t](int i) {
        t.setFormat(i);
        t.formatTable();
    });
    // "Aktuální jako": the items mnuSoustava(0..4) are the bases in BaseKind's order.
    c.bind(cmd::Command::Base, [&t](int i) {
        if (i >= int(ov::BaseKind::Binary) && i <= int(ov::BaseKind::CustomWithDecimals))
            t.runAs(ov::BaseKind(i));
    });
    c.bind(cmd::Command::Fraction, [&t](int) { t.runFraction(); });
    c.bind(cmd::Command::Roman, [&t](int) { t.runRoman(); });
    c.bind(cmd::Command::Prefixes, [&t](int) { t.showPrefixes(); });
    c.bind(cmd::Command::PreviewShows, [&t](int i) { t.setReferenceMode(i); });

    // The pane switches are the table's own: it follows their state whoever changes it.
    t.usePaneSwitches(c.action(cmd::Command::Preview), c.action(cmd::Command::Magnifier), c.action(cmd::Command::Info));
    for (const cmd::Command command : {cmd::Command::Preview, cmd::Command::Magnifier, cmd::Command::Info})
        c.bind(command, [](int) {});

    QObject::connect(&t, &ConversionTable::positionTextChanged, &c,
                     [&c](const QString& text) { c.setPanelText(QStringLiteral("TVeličiny"), text); });
    QObject::connect(&t, &ConversionTable::firstTopicShown, &c, &Commands::firstDisplay);
    QObject::connect(&t, &ConversionTable::representationEnabledChanged, &c, &Commands::setRepresentationEnabled);
    QObject::connect(&t, &ConversionTable::copyEnabledChanged, &c, &Commands::setCopyEnabled);
    QObject::connect(&t, &ConversionTable::contextMenuRequested, &c, &Commands::popupMenu);
}

} // namespace ov::gui
