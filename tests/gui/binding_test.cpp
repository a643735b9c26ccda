// Every command of the menu tree, the toolbar and its drop-downs does something: the started
// window has a handler for each, apart from the commands the table declares inert; a name that
// is no command is refused.
#include "fixture.h"

#include "gui/commands.h"
#include "gui/commandtable.h"
#include "table/conversiontable.h"

#include <QMainWindow>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

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
    void everyCommandHasAHandlerOrIsInert()
    {
        MainWindow& w = startedWindow();
        QCOMPARE(w.commands()->bindingProblems(), QStringList());
        for (const QString& name : commandNames())
            QVERIFY2(cmd::commandNamed(name.toStdString()), qPrintable(name));
    }

    // The check the start-up runs, on a command layer bound by hand.
    void bindingProblemsNameTheCommand_data()
    {
        QTest::addColumn<QString>("bound");
        QTest::addColumn<QString>("problem");
        // clang-format off
        QTest::newRow("unbound") << "" << "mnuKonec: no handler";
        QTest::newRow("inert bound") << "mnuOtevrit" << "mnuOtevrit: inert but bound";
        QTest::newRow("bound") << "mnuKonec" << "";
        // clang-format on
    }
    void bindingProblemsNameTheCommand()
    {
        QFETCH(QString, bound);
        QFETCH(QString, problem);
        QMainWindow main;
        Commands c(&main);
        if (!bound.isEmpty())
            c.bind(*cmd::commandNamed(bound.toStdString()), [](int) {});
        const QStringList problems = c.bindingProblems();
        QCOMPARE(problems.contains(problem), !problem.isEmpty());
        QVERIFY(!problems.contains(bound + QStringLiteral(": no handler")));
    }

    // A control name given as text must be one of the table's commands.
    void textualNamesAreKnownOrRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("known");
        QTest::newRow("command") << "mnuKopirovat" << true;
        QTest::newRow("accented") << "mnuKopírovatR" << true;
        QTest::newRow("topic items") << "mnuTema" << true;
        QTest::newRow("typo") << "mnuKopirovta" << false;
        QTest::newRow("with index") << "mnuSoustava_0" << false;
        QTest::newRow("submenu") << "mnuSoubor" << false;
        QTest::newRow("empty") << "" << false;
    }
    void textualNamesAreKnownOrRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, known);
        const auto command = cmd::commandNamed(name.toStdString());
        QCOMPARE(bool(command), known);
        if (command)
            QCOMPARE(QString::fromUtf8(cmd::nameOf(*command)), name);
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
