// The compact window "omniVELOR Lite": opened from the menu on the topic the table shows, a
// value typed into one row and Enter give the value in the other row's unit.
#include "fixture.h"

#include "compact/compactpanel.h"
#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

const QString kUnsuitable = QStringLiteral("Nevhodná vstupní hodnota.");

} // namespace

class CompactTest : public WindowTestCase {
    Q_OBJECT

    // The window on the fixture's small database (metres, the 60 units, temperatures...),
    // showing `topic`, with the panel opened from the menu.
    CompactPanel& openOn(int topic)
    {
        MainWindow& w = startedWindow();
        context().db = smallDatabase();
        w.table()->fillTopic(topic);
        triggerAction(&w, QStringLiteral("mnuLite"));
        return *w.compactPanel();
    }
    QLineEdit* box(int row)
    {
        return findNamed<QLineEdit>(mainWindow().compactPanel(), QStringLiteral("txtLt_%1").arg(row));
    }
    QString label(int n)
    {
        return findNamed<QLabel>(mainWindow().compactPanel(), QStringLiteral("lblLt_%1").arg(n))->text();
    }
    QComboBox* list() { return findNamed<QComboBox>(mainWindow().compactPanel(), QStringLiteral("cboLt")); }

    // Types into a row's box and presses Enter there.
    void enter(int row, const QString& text)
    {
        QLineEdit* b = box(row);
        b->setFocus();
        b->clear();
        QTest::keyClicks(b, text);
        QTest::keyClick(b, Qt::Key_Return);
    }
    // The arrow of the row, then the unit in the list, by keyboard as the user picks it.
    void choose(int row, int unit)
    {
        QTest::mouseClick(findNamed<QToolButton>(mainWindow().compactPanel(), QStringLiteral("imgDown_%1").arg(row)),
                          Qt::LeftButton);
        QComboBox* c = list();
        QVERIFY(c->isVisible());
        QAbstractItemView* view = c->view();
        view->setCurrentIndex(c->model()->index(unit - 1, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(!c->isVisible());
    }

private slots:
    void withoutATopicTheUserIsToldToChooseOne()
    {
        MainWindow& w = startedWindow();
        QCOMPARE(w.table()->currentTopic(), 0);
        QVERIFY(triggerAction(&w, QStringLiteral("mnuLite")));
        QCOMPARE(fakeDialogs().messageTexts(),
                 QStringList{QStringLiteral("Není vybraná veličina.\n\nNejprve vyberte veličinu.")});
        QCOMPARE(fakeDialogs().calls().first().icon, DialogService::Icon::Information);
        QVERIFY(!w.compactPanel()->isVisible());
    }

    void opensOnTheFirstTwoUnitsWithTheTopicsUnitsInTheList()
    {
        CompactPanel& p = openOn(1);
        QVERIFY(p.isVisible());
        QCOMPARE(label(0), QStringLiteral("metr"));
        QCOMPARE(label(2), QStringLiteral("m"));
        QCOMPARE(label(1), QStringLiteral("kilometr"));
        QCOMPARE(label(3), QStringLiteral("km"));
        QVERIFY(box(0)->text().isEmpty() && box(1)->text().isEmpty());
        QStringList items;
        for (int i = 0; i < list()->count(); ++i)
            items << list()->itemText(i);
        QCOMPARE(items, (QStringList{"metr", "kilometr", "centimetr", "milimetr", "palec", "4 palce"}));
        QVERIFY(fakeDialogs().calls().isEmpty());
    }

    void enterComputesTheOtherRow_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("unit0");
        QTest::addColumn<int>("unit1");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("other");
        // clang-format off
        QTest::newRow("5 km in metres") << 1 << 1 << 2 << 1 << "5" << "5000";
        QTest::newRow("metres to kilometres") << 1 << 1 << 2 << 0 << "1500" << "1,5";
        QTest::newRow("inches to centimetres") << 1 << 5 << 3 << 0 << "2" << "5,08";
        QTest::newRow("100 °C in °F") << 16 << 2 << 3 << 0 << "100" << "212";
        QTest::newRow("-40 °F in °C") << 16 << 2 << 3 << 1 << "-40" << "-40";
        QTest::newRow("0 °C in kelvin") << 16 << 1 << 2 << 1 << "0" << "273,15";
        QTest::newRow("°Ré to °R") << 16 << 5 << 4 << 0 << "80" << "671,67";
        QTest::newRow("kelvin to °C") << 16 << 1 << 2 << 0 << "1" << "-272,15";
        QTest::newRow("exponent form") << 2 << 1 << 60 << 1 << "1E300" << "6E+301";
        // clang-format on
    }
    void enterComputesTheOtherRow()
    {
        QFETCH(int, topic);
        QFETCH(int, unit0);
        QFETCH(int, unit1);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, other);
        CompactPanel& p = openOn(topic);
        choose(0, unit0);
        choose(1, unit1);
        // Choosing a unit with an empty box is the warning; nothing else is to be seen.
        fakeDialogs().clear();
        enter(row, typed);
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
        QCOMPARE(box(1 - row)->text(), other);
        QCOMPARE(box(row)->text(), typed);
        QCOMPARE(p.unit(0), unit0);
        QCOMPARE(p.unit(1), unit1);
    }

    void choosingAUnitReadsTheRowInItAndRecomputesTheOther()
    {
        openOn(1);
        enter(0, "3");
        QCOMPARE(box(1)->text(), QStringLiteral("0,003"));
        choose(0, 3); // the 3 is now centimetres
        QCOMPARE(label(0), QStringLiteral("centimetr"));
        QCOMPARE(label(2), QStringLiteral("cm"));
        QCOMPARE(box(0)->text(), QStringLiteral("3"));
        QCOMPARE(box(1)->text(), QStringLiteral("3E-05"));
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    void valuesThatAreNotConvertedChangeNothing_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        const QStringList unsuitable{kUnsuitable};
        // clang-format off
        QTest::newRow("zero") << 1 << "0" << none;
        QTest::newRow("negative") << 1 << "-3" << none;
        QTest::newRow("not a number") << 1 << "abc" << unsuitable;
        QTest::newRow("empty") << 1 << "" << unsuitable;
        QTest::newRow("overflow") << 2 << "1E308" << unsuitable;
        QTest::newRow("below absolute zero") << 16 << "-1" << QStringList{QStringLiteral("Teplota pod 0 K teoreticky neexistuje.")};
        QTest::newRow("absolute zero") << 16 << "0" << QStringList{QStringLiteral("Teplota pod 0 K teoreticky neexistuje.")};
        // clang-format on
    }
    void valuesThatAreNotConvertedChangeNothing()
    {
        QFETCH(int, topic);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        openOn(topic);
        if (topic == 2)
            choose(0, 60); // 60 units of 1: 1E308 × 60 overflows
        box(1)->setText(QStringLiteral("7"));
        fakeDialogs().clear();
        enter(0, typed);
        QCOMPARE(fakeDialogs().messageTexts(), messages);
        for (const DialogCall& c : fakeDialogs().calls()) {
            QCOMPARE(c.icon, DialogService::Icon::Warning);
            QCOMPARE(c.title, QStringLiteral("omniVELOR"));
        }
        QCOMPARE(box(0)->text(), typed);
        QCOMPARE(box(1)->text(), QStringLiteral("7"));
    }

    void coefficientsAreKeptExactly()
    {
        MainWindow& w = startedWindow();
        addUnit(context().db, 3, "jednotka", "j", 1);
        addUnit(context().db, 3, "třetina", "t", 1.0 / 3);
        w.table()->fillTopic(3);
        triggerAction(&w, QStringLiteral("mnuLite"));
        enter(0, "3");
        QCOMPARE(box(1)->text(), QStringLiteral("9"));
        enter(1, "3");
        QCOMPARE(box(0)->text(), QStringLiteral("1"));
    }

    void aTopicWithOneUnitLeavesTheLowerRowEmpty()
    {
        MainWindow& w = startedWindow();
        addUnit(context().db, 4, "sám", "s", 1);
        // What an earlier load left behind the unit count is not a unit.
        context().db.unitSlot(4, 2).name = "zbytek";
        context().db.unitSlot(4, 2).symbol = "z";
        w.table()->fillTopic(4);
        triggerAction(&w, QStringLiteral("mnuLite"));
        QCOMPARE(label(0), QStringLiteral("sám"));
        QCOMPARE(label(1), QString());
        QCOMPARE(label(3), QString());
        enter(0, "5");
        QCOMPARE(fakeDialogs().messageTexts(), QStringList{kUnsuitable});
        QCOMPARE(box(1)->text(), QString());
    }

    void fillingTheTableAnewClosesThePanel_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("another topic") << "mnuTema_2";
        QTest::newRow("the next topic") << "mnuNavigace_2";
        QTest::newRow("another level") << "mnuU_1";
        QTest::newRow("all units shown again") << "mnuZobrazitVse";
    }
    void fillingTheTableAnewClosesThePanel()
    {
        QFETCH(QString, command);
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        QVERIFY(triggerAction(&w, QStringLiteral("mnuLite")));
        QVERIFY(w.compactPanel()->isVisible());
        QVERIFY(triggerAction(&w, command));
        QVERIFY(!w.compactPanel()->isVisible());
    }

    void closeHidesThePanelAndTheNextOpeningStartsAfresh()
    {
        CompactPanel& p = openOn(1);
        choose(0, 4);
        enter(0, "10");
        QTest::mouseClick(findNamed<QToolButton>(&p, QStringLiteral("imgLt")), Qt::LeftButton);
        QVERIFY(!p.isVisible());
        triggerAction(&mainWindow(), QStringLiteral("mnuLite"));
        QCOMPARE(label(0), QStringLiteral("metr"));
        QVERIFY(box(0)->text().isEmpty() && box(1)->text().isEmpty());
    }

    void everyControlHasAnAccessibleName()
    {
        CompactPanel& p = openOn(1);
        QVERIFY(!p.accessibleName().isEmpty());
        for (QWidget* child : p.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->objectName().isEmpty())
                QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
        QCOMPARE(findNamed<QToolButton>(&p, QStringLiteral("imgDown_0"))->toolTip(), QStringLiteral("Vybrat jednotku"));
        QCOMPARE(findNamed<QToolButton>(&p, QStringLiteral("imgLt"))->toolTip(), QStringLiteral("Zavřít"));
    }
};

QTEST_MAIN(CompactTest)
#include "compact_test.moc"
