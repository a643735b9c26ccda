// Marking units with Insert, hiding the unmarked or the selected ones, showing them again and
// switching the level, as the user does it in the main window.
#include "fixture.h"

#include "gui/commands.h"
#include "navigation/searchpane.h"
#include "table/conversiontable.h"
#include "table/gridview.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QStringList markData()
{
    return {
        QStringLiteral("1|metr|m|1|Základní jednotka délky.|True"),
        QStringLiteral("1|kilometr|km|1000"),
        QStringLiteral("1|centimetr|cm|0.01"),
        QStringLiteral("1|milimetr|mm|0.001"),
        QStringLiteral("1|+palec|in|0.0254"),
        QStringLiteral("1|*míle|mi|1609.344"),
        QStringLiteral("2|metr čtvereční|m²|1||True"),
        QStringLiteral("2|ar|a|100"),
        QStringLiteral("10|radián|rad|1||True"),
        QStringLiteral("10|stupeň|°|0.0174532925199433"),
        QStringLiteral("10|grad|gon|0.015707963267949"),
        QStringLiteral("16|kelvin|K|1||True"),
        QStringLiteral("16|stupeň Celsia|°C|1"),
        QStringLiteral("16|stupeň Fahrenheita|°F|1"),
        QStringLiteral("16|stupeň Rankina|°R|1"),
        QStringLiteral("16|stupeň Réaumura|°Ré|1"),
    };
}

} // namespace

class RowMarksTest : public WindowTestCase {
    Q_OBJECT

    MainWindow* w_ = nullptr;

    QTableWidget* grid() const { return findNamed<QTableWidget>(w_, QStringLiteral("msgTab")); }
    QString title() const { return findNamed<QLabel>(w_, QStringLiteral("lblTitulek"))->text(); }
    bool enabled(const char* name) const { return findAction(w_, QString::fromUtf8(name))->isEnabled(); }

    QStringList units() const
    {
        QStringList names;
        for (int r = 0; r < grid()->rowCount(); ++r)
            names << grid()->item(r, 0)->text();
        return names;
    }

    QStringList markedUnits() const
    {
        QStringList names;
        for (int r = 0; r < grid()->rowCount(); ++r)
            if (w_->table()->cellPicture(r, 2) == CellPicture::Mark)
                names << grid()->item(r, 0)->text();
        return names;
    }

    void show(int topic)
    {
        QVERIFY(triggerAction(w_, QStringLiteral("mnuTema_%1").arg(topic)));
        QCOMPARE(QApplication::focusWidget(), grid());
    }

    void goTo(int row)
    {
        grid()->setCurrentCell(row, 2);
        grid()->setFocus();
    }

    void markRows(std::initializer_list<int> rows)
    {
        for (int row : rows) {
            goTo(row);
            keyToFocus(w_, Qt::Key_Insert);
        }
    }

protected:
    void setUp() override
    {
        environment().useData(markData());
        w_ = &startedWindow(Data::AsWritten);
        QVERIFY(QTest::qWaitForWindowActive(w_));
    }

private slots:
    void hidingTheUnmarkedKeepsTheMarkedAgainstTheFirst()
    {
        show(1);
        markRows({1, 2, 3});
        QVERIFY(triggerAction(w_, "mnuSkryt"));
        QCOMPARE(units(), QStringList({"kilometr", "centimetr", "milimetr"}));
        const ov::UnitDatabase& db = context().db;
        QCOMPARE(db.unit(1, 1).factor, 1.0);
        QVERIFY(qAbs(db.unit(1, 2).factor - 0.00001) < 1e-15);
        QVERIFY(qAbs(db.unit(1, 3).factor - 0.000001) < 1e-15);
        QCOMPARE(title(), QStringLiteral(" Délka (skryto)"));
        // The marks went with the hiding: nothing is marked, nothing more can be hidden.
        for (int r = 0; r < 3; ++r)
            QVERIFY(w_->table()->cellPicture(r, 2) != CellPicture::Mark);
        QVERIFY(!enabled("mnuSkryt"));
        QCOMPARE(w_->commands()->panelText(QStringLiteral("TVeličiny")), QStringLiteral("V tématu: 1/3"));
    }

    void hideUnmarkedIsOfferedFromTwoMarks_data()
    {
        QTest::addColumn<QList<int>>("presses"); // rows where Insert is pressed, in order
        QTest::addColumn<bool>("offered");
        QTest::addColumn<int>("marked");
        QTest::newRow("none") << QList<int>{} << false << 0;
        QTest::newRow("one") << QList<int>{1} << false << 1;
        QTest::newRow("two") << QList<int>{1, 3} << true << 2;
        QTest::newRow("two, one taken back") << QList<int>{1, 3, 1} << false << 1;
        QTest::newRow("three") << QList<int>{0, 1, 2} << true << 3;
    }
    void hideUnmarkedIsOfferedFromTwoMarks()
    {
        QFETCH(QList<int>, presses);
        QFETCH(bool, offered);
        QFETCH(int, marked);
        show(1);
        for (int row : presses)
            markRows({row});
        QCOMPARE(enabled("mnuSkryt"), offered);
        QCOMPARE(enabled("mnuHide_2"), offered);
        int pictures = 0;
        for (int r = 0; r < grid()->rowCount(); ++r)
            pictures += w_->table()->cellPicture(r, 2) == CellPicture::Mark;
        QCOMPARE(pictures, marked);
        QCOMPARE(context().marks.markCount(1), marked);
    }

    void hidingTheSelectedBlock_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("steps"); // Shift+Down (positive) or Shift+Up (negative)
        QTest::addColumn<QStringList>("left");
        QTest::newRow("downwards") << 1 << 2 << QStringList{"metr", "palec", "míle"};
        QTest::newRow("upwards") << 3 << -2 << QStringList{"metr", "palec", "míle"};
        QTest::newRow("one row") << 0 << 0 << QStringList{"kilometr", "centimetr", "milimetr", "palec", "míle"};
        QTest::newRow("every row") << 0 << 5 << QStringList{};
    }
    void hidingTheSelectedBlock()
    {
        QFETCH(int, from);
        QFETCH(int, steps);
        QFETCH(QStringList, left);
        show(1);
        goTo(from);
        for (int i = 0; i < qAbs(steps); ++i)
            keyToFocus(w_, steps > 0 ? Qt::Key_Down : Qt::Key_Up, Qt::ShiftModifier);
        QVERIFY(triggerAction(w_, "mnuHide_1"));
        QCOMPARE(units(), left);
        QCOMPARE(title(), QStringLiteral(" Délka (skryto)"));
        // Even an empty topic takes a value nowhere and shows everything again.
        keyToFocus(w_, Qt::Key_5);
        keyToFocus(w_, Qt::Key_Return);
        QVERIFY(triggerAction(w_, "mnuZobrazitVse"));
        QCOMPARE(grid()->rowCount(), 6);
    }

    void showingAllAgainEndsTheHiddenTitle_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("command");
        // clang-format off
        QTest::newRow("built-in, Řádky menu") << 1 << "Délka" << "mnuZobrazitVse";
        QTest::newRow("built-in, table menu") << 1 << "Délka" << "mnuHide_0";
        QTest::newRow("built-in, reload") << 1 << "Délka" << "mnuNacist";
        QTest::newRow("user topic") << 27 << "Uživatel 1" << "mnuZobrazitVse";
        QTest::newRow("renamed while hidden") << 1 << "Vzdálenost" << "rename";
        // clang-format on
    }
    void showingAllAgainEndsTheHiddenTitle()
    {
        QFETCH(int, topic);
        QFETCH(QString, name);
        QFETCH(QString, command);
        if (topic > 26) {
            QVERIFY(triggerAction(w_, "mnuNavigator_1"));
            keyToFocus(w_, Qt::Key_Return);
        } else {
            show(topic);
        }
        QCOMPARE(w_->table()->currentTopic(), topic);
        const int all = grid()->rowCount();
        markRows({0, 1});
        QVERIFY(triggerAction(w_, "mnuHide_2"));
        if (command == QLatin1String("rename")) {
            auto* list = findNamed<QListWidget>(w_, QStringLiteral("lvwTema"));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_F2);
            QTRY_VERIFY(list->findChild<QLineEdit*>());
            QLineEdit* editor = list->findChild<QLineEdit*>();
            editor->selectAll();
            typeToFocus(w_, name);
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_VERIFY(!list->findChild<QLineEdit*>());
            command = QStringLiteral("mnuZobrazitVse");
        }
        QCOMPARE(title(), " " + name + " (skryto)");
        QVERIFY(triggerAction(w_, command));
        QCOMPARE(title(), " " + name);
        QCOMPARE(grid()->rowCount(), all);
    }

    void marksStayWithTheirTopicAndTheDisplaySwitch()
    {
        show(1);
        markRows({1, 3});
        show(2);
        QCOMPARE(w_->table()->cellPicture(1, 2), CellPicture::None);
        QVERIFY(!enabled("mnuSkryt"));
        show(1);
        QCOMPARE(w_->table()->cellPicture(1, 2), CellPicture::Mark);
        QCOMPARE(w_->table()->cellPicture(3, 2), CellPicture::Mark);
        QVERIFY(enabled("mnuSkryt"));
        QVERIFY(triggerAction(w_, "mnuBarvy"));
        QCOMPARE(w_->table()->cellPicture(1, 2), CellPicture::Blank);
        QCOMPARE(w_->table()->cellPicture(0, 0), CellPicture::Blank);
        // With the display off Insert does nothing.
        markRows({2});
        QCOMPARE(context().marks.markCount(1), 2);
        QVERIFY(triggerAction(w_, "mnuBarvy"));
        QCOMPARE(w_->table()->cellPicture(1, 2), CellPicture::Mark);
        QCOMPARE(w_->table()->cellPicture(2, 2), CellPicture::Blank);
        QCOMPARE(w_->table()->cellPicture(0, 0), CellPicture::Info);
    }

    void theTemperatureTopicIsNeverReduced()
    {
        show(16);
        markRows({1, 2, 3});
        QCOMPARE(context().marks.markCount(16), 0);
        QCOMPARE(w_->table()->cellPicture(1, 2), CellPicture::None);
        for (const char* name : {"mnuSkryt", "mnuHide_1", "mnuHide_2"})
            QVERIFY2(!enabled(name), name);
        QVERIFY(enabled("mnuHide_0"));
        show(1);
        QVERIFY(enabled("mnuHide_1"));
    }

    void theAngleLineGivesWayAfterHiding()
    {
        show(10);
        const auto* line = findNamed<QLabel>(w_, QStringLiteral("lblSI"));
        goTo(1);
        typeToFocus(w_, QStringLiteral("30"));
        keyToFocus(w_, Qt::Key_Return);
        QVERIFY2(line->text().contains(QStringLiteral("úhel")), qPrintable(line->text()));
        markRows({1, 2});
        QVERIFY(triggerAction(w_, "mnuSkryt"));
        QCOMPARE(units(), QStringList({"stupeň", "grad"}));
        goTo(0);
        typeToFocus(w_, QStringLiteral("90"));
        keyToFocus(w_, Qt::Key_Return);
        QVERIFY2(line->text().contains(QStringLiteral(" = ")), qPrintable(line->text()));
        QVERIFY2(!line->text().contains(QStringLiteral("úhel")), qPrintable(line->text()));
        QCOMPARE(grid()->item(1, 2)->text(), QStringLiteral("100"));
    }

    void aLevelReloadsAndClearsTheMarks_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QStringList>("names");
        const QStringList base{"metr", "kilometr", "centimetr", "milimetr"};
        // clang-format off
        QTest::newRow("Úroveň 1") << 1 << "1" << "Úroveň 1" << base;
        QTest::newRow("Úroveň 2") << 2 << "2" << "Úroveň 2" << base + QStringList{"palec"};
        QTest::newRow("Úroveň 3") << 3 << "3" << "Úroveň 3" << base + QStringList{"míle"};
        QTest::newRow("Vše") << 0 << "V" << "Úroveň Vše" << base + QStringList{"palec", "míle"};
        // clang-format on
    }
    void aLevelReloadsAndClearsTheMarks()
    {
        QFETCH(int, level);
        QFETCH(QString, panel);
        QFETCH(QString, tip);
        QFETCH(QStringList, names);
        show(1);
        markRows({0, 1, 2});
        QVERIFY(triggerAction(w_, "mnuHide_2"));
        markRows({0, 1});
        QVERIFY(triggerAction(w_, QStringLiteral("mnuU_%1").arg(level)));
        QCOMPARE(w_->commands()->panelText(QStringLiteral("Uroven")), panel);
        QCOMPARE(w_->commands()->panelToolTip(QStringLiteral("Uroven")), tip);
        QCOMPARE(units(), names);
        QCOMPARE(title(), QStringLiteral(" Délka"));
        QCOMPARE(context().marks.markCount(1), 0);
        QVERIFY(!enabled("mnuSkryt"));
        QCOMPARE(QApplication::focusWidget(), grid());
    }

    void keptMarksComeBackAfterARestart_data()
    {
        QTest::addColumn<bool>("keep");      // "Pamatovat si označené jednotky"
        QTest::addColumn<bool>("reordered"); // the data file's units reordered between the runs
        QTest::addColumn<QStringList>("marked");
        QTest::newRow("kept") << true << false << QStringList{"kilometr", "milimetr"};
        QTest::newRow("kept, file reordered") << true << true << QStringList{"milimetr", "kilometr"};
        QTest::newRow("not kept") << false << false << QStringList{};
    }
    void keptMarksComeBackAfterARestart()
    {
        QFETCH(bool, keep);
        QFETCH(bool, reordered);
        QFETCH(QStringList, marked);
        environment().setSetting(QStringLiteral("Obecne/PamatovatOznacene"), keep ? "True" : "False");
        w_ = &restartedWindow();
        show(1);
        markRows({1, 3});
        if (reordered) {
            QStringList data = markData().mid(6);
            data.prepend(QStringLiteral("1|centimetr|cm|0.01"));
            data.prepend(QStringLiteral("1|kilometr|km|1000"));
            data.prepend(QStringLiteral("1|milimetr|mm|0.001"));
            data.prepend(QStringLiteral("1|metr|m|1||True"));
            environment().writeFile(QStringLiteral("Omnivel.omv"), data);
        }
        w_ = &restartedWindow();
        show(1);
        QCOMPARE(markedUnits(), marked);
        QCOMPARE(enabled("mnuSkryt"), keep);
        if (!keep)
            return;
        // Hiding the others and showing everything again leaves the same units marked.
        QVERIFY(triggerAction(w_, "mnuSkryt"));
        QCOMPARE(units(), marked);
        QVERIFY(triggerAction(w_, "mnuZobrazitVse"));
        QCOMPARE(markedUnits(), marked);
    }

    void hidingRenewsTheUnitListAndDropsTheSearchResults()
    {
        QVERIFY(triggerAction(w_, "mnuNajit"));
        typeToFocus(w_, QStringLiteral("milimetr"));
        keyToFocus(w_, Qt::Key_Return);
        auto* hits = findNamed<QTreeWidget>(w_, QStringLiteral("lvwFind"));
        QCOMPARE(hits->topLevelItemCount(), 2);
        show(1);
        markRows({0, 2});
        QVERIFY(triggerAction(w_, "mnuSkryt"));
        QCOMPARE(hits->topLevelItemCount(), 0);
        // The unit left behind the topic's end is no unit any more: neither listed nor found.
        w_->searchPane()->search();
        QCOMPARE(hits->topLevelItemCount(), 0);
        const auto* list = findNamed<QListWidget>(w_, QStringLiteral("lvwJednotky"));
        QVERIFY(list->findItems(QStringLiteral("milimetr"), Qt::MatchExactly).isEmpty());
        QCOMPARE(list->findItems(QStringLiteral("centimetr"), Qt::MatchExactly).size(), 1);
    }
};

QTEST_MAIN(RowMarksTest)
#include "marks_test.moc"
