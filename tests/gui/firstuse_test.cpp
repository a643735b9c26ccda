// Faults a new user met: status panels that did nothing, the right click beside the grid, two
// copies ending one after the other, a window stored minimised, the band of the switched-off
// preview; and the window as a screen reader walks it.
#include "fixture.h"

#include "gui/commands.h"
#include "navigation/navigator.h"
#include "table/conversiontable.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <functional>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QLabel* label(const QWidget* w, const QString& name) { return w->findChild<QLabel*>(name); }

// Every accessible object under the root, depth first.
void walk(QAccessibleInterface* iface, const std::function<void(QAccessibleInterface*)>& visit, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), visit, depth + 1);
}

} // namespace

class FirstUseTest : public WindowTestCase {
    Q_OBJECT

    MainWindow& activeWindow()
    {
        MainWindow& w = startedWindow();
        if (!QTest::qWaitForWindowActive(&w))
            QTest::qFail("the window did not become active", __FILE__, __LINE__);
        return w;
    }

    static void activate(MainWindow& w)
    {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    static void renameTopic(MainWindow& w, int topic, const QString& name)
    {
        activate(w);
        auto* list = w.findChild<QListWidget*>(QStringLiteral("lvwTema"));
        w.navigator()->showTopicList();
        list->setFocus();
        list->setCurrentRow(topic - 1);
        keyToFocus(&w, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        typeToFocus(&w, name);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(w.navigator()->topicText(topic), name);
    }

    static void convert(MainWindow& w, const QStringList& values)
    {
        activate(w);
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        for (const QString& v : values) {
            typeToFocus(&w, v);
            keyToFocus(&w, Qt::Key_Return);
        }
    }

private slots:
    void theStartScreenSaysWhatToDoUntilTheFirstTopic_data()
    {
        QTest::addColumn<QString>("stored"); // Start/Rady; empty: never stored
        QTest::addColumn<bool>("hint");
        QTest::newRow("by default") << "" << true;
        QTest::newRow("switched off") << "False" << false;
    }
    void theStartScreenSaysWhatToDoUntilTheFirstTopic()
    {
        QFETCH(QString, stored);
        QFETCH(bool, hint);
        if (!stored.isEmpty())
            environment().setSetting(QStringLiteral("Start/Rady"), stored);
        MainWindow& w = activeWindow();
        const QString text = QStringLiteral("Dvojklikem nebo klávesou Enter otevřete veličinu; F1 zobrazí nápovědu.");
        QLabel* line = label(&w, QStringLiteral("lblSI"));
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), hint ? text : QString()); // whole, on two lines where one is too narrow
        QCOMPARE(line->toolTip(), line->text());
        QCOMPARE(label(&w, QStringLiteral("lblTitulek"))->text(), QStringLiteral(" Vítejte v programu omniVELOR!"));
        QCOMPARE(w.table()->resultLineText(), QString()); // nothing to print or record
        keyToFocus(&w, Qt::Key_Return);                   // as the hint says
        QCOMPARE(w.table()->currentTopic(), 1);
        QCOMPARE(line->toolTip(), QStringLiteral(" Jednotek k převodu: 3 "));
        w.table()->showWelcome();
        QVERIFY(line->toolTip() != text);
    }

    void clickingAStatusPanelDoesWhatItsKeySays_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("listBefore");
        QTest::addColumn<int>("listAfter");
        QTest::addColumn<bool>("levelMenu");
        const int topics = Navigator::TopicList, units = Navigator::UnitList;
        QTest::newRow("Navi: nothing") << "Navi" << units << units << false;
        QTest::newRow("Temata: the topic list") << "Temata" << units << topics << false;
        QTest::newRow("Veličiny: the unit list") << "Veličiny" << topics << units << false;
        QTest::newRow("TVeličiny: nothing") << "TVeličiny" << topics << topics << false;
        QTest::newRow("Uroven: the level menu") << "Uroven" << topics << topics << true;
        QTest::newRow("Presnost: nothing") << "Presnost" << units << units << false;
    }

    void clickingAStatusPanelDoesWhatItsKeySays()
    {
        QFETCH(QString, panel);
        QFETCH(int, listBefore);
        QFETCH(int, listAfter);
        QFETCH(bool, levelMenu);
        MainWindow& w = activeWindow();
        QVERIFY(triggerAction(&w, QStringLiteral("mnuNavigator_%1").arg(listBefore)));
        QLabel* p = label(&w, QStringLiteral("sta_") + panel);
        QVERIFY(p);
        QTest::mouseClick(p, Qt::LeftButton);
        QCOMPARE(int(w.navigator()->shownList()), listAfter);
        const QString navigatorPanelText =
            listAfter == Navigator::TopicList ? QStringLiteral("Veličiny") : QStringLiteral("Jednotky");
        QCOMPARE(label(&w, QStringLiteral("sta_Navi"))->text(), navigatorPanelText);
        QMenu* levels = w.commands()->menu(QStringLiteral("mnuUroven"));
        if (levelMenu)
            QTRY_VERIFY(levels->isVisible());
        else
            QVERIFY(!levels->isVisible());
        levels->close();
    }

    void aRightClickBesideTheGridOffersGoTo_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("menu");
        // clang-format off
        QTest::newRow("the title") << "lblTitulek" << "mnuPrejit";
        // clang-format on
        // The result line has its own menu: what the short preview shows.
        // clang-format off
        QTest::newRow("the result line") << "lblSI" << "mnuKN";
        QTest::newRow("a value cell") << "msgTab" << "mnuA";
        // clang-format on
    }

    void aRightClickBesideTheGridOffersGoTo()
    {
        QFETCH(QString, where);
        QFETCH(QString, menu);
        MainWindow& w = activeWindow();
        keyToFocus(&w, Qt::Key_Return); // Délka
        QWidget* target = w.findChild<QWidget*>(where);
        QVERIFY(target);
        if (auto* grid = qobject_cast<QTableWidget*>(target)) {
            const QRect cell = grid->visualRect(grid->model()->index(0, 2));
            QTest::mousePress(grid->viewport(), Qt::RightButton, {}, cell.center());
        } else {
            QTest::mouseClick(target, Qt::RightButton, {}, QPoint(4, target->height() / 2));
        }
        QMenu* shown = w.commands()->menu(menu);
        QTRY_VERIFY(shown->isVisible());
        for (const char* other : {"mnuPrejit", "mnuA", "mnuTab", "mnuKN"})
            if (QLatin1String(other) != menu)
                QVERIFY2(!w.commands()->menu(QLatin1String(other))->isVisible(), other);
        shown->close();
    }

    void twoCopiesOnOneSettingsFileKeepBothRuns()
    {
        TestEnvironment& env = environment();
        env.useSmallData();
        env.setSetting("Obecne/Prevedeno", "10");
        env.setSetting("Obecne/Doba", "1:00:00");
        FakeDialogs& fake = fakeDialogs();
        TestApp first;
        TestApp second;
        QVERIFY(first->start({"omnivelor"}));
        QVERIFY(second->start({"omnivelor"}));
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("2"));

        renameTopic(*first, 1, QStringLiteral("Vzdálenost"));
        convert(*first, {"5", "6"});
        renameTopic(*second, 2, QStringLiteral("Plocha"));
        convert(*second, {"7", "8", "9"});

        fake.answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&*first, "mnuKonec"));
        QVERIFY(first->ended());
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("12"));
        fake.answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&*second, "mnuKonec"));
        QVERIFY(second->ended());

        // The copy that ended last undid nothing of the first one.
        QCOMPARE(env.setting("Navigator/S1"), QStringLiteral("Vzdálenost"));
        QCOMPARE(env.setting("Navigator/S2"), QStringLiteral("Plocha"));
        QVERIFY(!env.hasSetting("Navigator/S3"));
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("15"));
        QVERIFY2(env.setting("Obecne/Doba").startsWith(QStringLiteral("1:00:")),
                 qPrintable(env.setting("Obecne/Doba")));
    }

    void clearingStartsTheCountersAgain()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/Prevedeno", "10");
        env.setSetting("Obecne/Doba", "5:00:00");
        env.setSetting("Start/Spusteno", "7");
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        convert(w, {"1", "2"});
        w.clearCounters();
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("0"));
        QCOMPARE(w.table()->conversionCount(), 0L);
        // Only what this run does after "Vymazat" counts at its end.
        convert(w, {"3"});
        fake.answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&w, "mnuKonec"));
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("1"));
        QVERIFY2(env.setting("Obecne/Doba").startsWith(QStringLiteral("0:00:")),
                 qPrintable(env.setting("Obecne/Doba")));
    }

    void aStoredMinimisedWindowOpensNormal_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("maximised");
        QTest::newRow("normal") << "0" << false;
        QTest::newRow("minimised") << "1" << false;
        QTest::newRow("maximised") << "2" << true;
    }

    void aStoredMinimisedWindowOpensNormal()
    {
        QFETCH(QString, stored);
        QFETCH(bool, maximised);
        environment().setSetting("Start/WindowState", stored);
        MainWindow& w = startedWindow();
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMinimized());
        QCOMPARE(w.isMaximized(), maximised);
    }

    void thePreviewSwitchGivesItsBandToTheTable()
    {
        MainWindow& w = activeWindow();
        keyToFocus(&w, Qt::Key_Return);
        auto* grid = w.findChild<QTableWidget*>(QStringLiteral("msgTab"));
        QLabel* line = label(&w, QStringLiteral("lblSI"));
        QTRY_VERIFY(line->isVisible());
        const int withLine = grid->height();
        const int band = line->height();
        QVERIFY(triggerAction(&w, "mnuNahled"));
        QVERIFY(!line->isVisible());
        QTRY_VERIFY(grid->height() >= withLine + band);
        QVERIFY(triggerAction(&w, "mnuNahled"));
        QTRY_COMPARE(grid->height(), withLine);
    }

    void escClosesTheToolbarsOverflowBeforeMinimising()
    {
        MainWindow& w = activeWindow();
        QToolBar* bar = w.commands()->toolBar();
        bar->setIconSize(QSize(64, 64)); // more buttons than the window is wide
        auto* overflow = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(overflow);
        QTRY_VERIFY(overflow->isVisible());
        overflow->click();
        QVERIFY(overflow->isChecked());
        keyToFocus(&w, Qt::Key_Escape);
        QVERIFY(!overflow->isChecked());
        QVERIFY(!(w.windowState() & Qt::WindowMinimized));
        keyToFocus(&w, Qt::Key_Escape);
        QVERIFY(w.windowState() & Qt::WindowMinimized);
    }

    void aScreenReaderFindsTheWindowsTexts()
    {
        MainWindow& w = activeWindow();
        keyToFocus(&w, Qt::Key_Return); // Délka
        keyToFocus(&w, Qt::Key_Down);   // kilometr
        typeToFocus(&w, QStringLiteral("5"));
        keyToFocus(&w, Qt::Key_Return);

        QStringList names;
        bool currentCell = false;
        walk(QAccessible::queryAccessibleInterface(&w), [&](QAccessibleInterface* i) {
            names << i->text(QAccessible::Name);
            if (QAccessibleTableCellInterface* cell = i->tableCellInterface())
                currentCell |= cell->rowIndex() == 1 && cell->columnIndex() == 2 && i->text(QAccessible::Name) == "5";
        });
        QVERIFY(names.contains(QStringLiteral(" Délka")));
        QVERIFY(names.contains(QStringLiteral(" km: 5,00 km = 5 000,00 m ")));
        QVERIFY(names.contains(QStringLiteral("Jednotek v aplikaci: 5")));
        QVERIFY(currentCell);

        // Nothing the user works with is left without a name, the compact panel's fields included.
        QVERIFY(triggerAction(&w, "mnuLite"));
        QTRY_VERIFY(w.findChild<QWidget*>(QStringLiteral("picLt"))->isVisible());
        for (QWidget* child : w.findChildren<QWidget*>()) {
            const bool worksWith = child->inherits("QAbstractItemView") || child->inherits("QTabBar") ||
                                   child->inherits("QAbstractButton") || child->inherits("QLineEdit") ||
                                   child->inherits("QComboBox") || child->objectName() == "picPrevod";
            if (!worksWith || !child->isVisible() || child->objectName().startsWith("qt_"))
                continue;
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(child);
            QVERIFY2(i && !i->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(child->metaObject()->className() + QStringLiteral(" ") + child->objectName()));
        }
    }
};

QTEST_MAIN(FirstUseTest)
#include "firstuse_test.moc"
