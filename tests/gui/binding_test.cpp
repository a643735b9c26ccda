// Every command of the menu tree, the toolbar and its drop-downs does something: the started
// window has a handler for each, apart from the commands whose parts are still being built.
#include "fixture.h"

#include "gui/commands.h"
#include "gui/commandtable.h"
#include "table/conversiontable.h"

#include <QSet>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

// Waiting for their parts, by the part that will bind them. Binding one of these without
// removing it here fails the test, so the list always says what is still to come.
const QStringList kWaiting = {
};

// Every command name the rows can run, in table order.
QStringList commandNames()
{
    QStringList names;
    auto add = [&](const char* name) {
        const QString n = QString::fromUtf8(name);
        if (!n.isEmpty() && !names.contains(n))
            names << n;
    };
    for (const cmd::MenuRow& row : cmd::menuRows())
        if (!(row.flags & (cmd::Submenu | cmd::Separator)))
            add(row.name);
    add("mnuTema");
    for (const cmd::ToolRow& row : cmd::toolRows())
        add(row.command);
    for (const cmd::DropRow& row : cmd::dropRows())
        add(row.command);
    return names;
}

} // namespace

class BindingTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void everyCommandHasAHandlerOrIsWaiting()
    {
        MainWindow& w = startedWindow();
        QStringList unbound;
        for (const QString& name : commandNames())
            if (!w.commands()->isBound(*cmd::commandNamed(name.toStdString())))
                unbound << name;
        QStringList waiting = kWaiting;
        unbound.sort();
        waiting.sort();
        QCOMPARE(unbound, waiting);
    }

    void paneSwitchesRunFromMenuAndToolbarAlike()
    {
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        Commands& c = *w.commands();
        for (const char* key : {"Náhled", "Lupa", "Info"}) {
            const bool before = c.isPressed(QString::fromUtf8(key));
            c.action(QStringLiteral("tlb_") + QString::fromUtf8(key))->trigger();
            QCOMPARE(c.isPressed(QString::fromUtf8(key)), !before);
        }
        QVERIFY(!w.table()->resultLineVisible());
    }
};

QTEST_MAIN(BindingTest)
#include "binding_test.moc"
