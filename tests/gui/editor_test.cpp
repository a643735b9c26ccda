// Typing into the table: how the in-cell editor opens and ends, the first-letter jump and the
// mouse menus, driven by keys and clicks on the real widgets.
#include "tablewindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QWheelEvent>

using namespace ov::gui;
using namespace ov::gui::test;

class EditorTest : public TableWindowTestCase {
    Q_OBJECT

    QLineEdit* elsewhere_ = nullptr;

    QLineEdit* editor() const { return findNamed<QLineEdit>(window_.get(), "txtEdit"); }
    QPoint cellCentre(int row, int column) const
    {
        return grid()->visualRect(grid()->model()->index(row, column)).center();
    }

protected:
    void setUp() override
    {
        elsewhere_ = new QLineEdit; // another control of the window
        showTable(elsewhere_);
        table_->fillTopic(1);
        QVERIFY(grid()->hasFocus());
    }

private slots:
    void typingReplacesTheCell()
    {
        enter("5");
        type("7");
        QVERIFY(editor()->isVisible());
        QVERIFY(editor()->hasFocus());
        QCOMPARE(editor()->text(), QString("7"));
        QCOMPARE(cell(0), QString("5")); // nothing changes before the edit ends
        QCOMPARE(editor()->geometry(), grid()->visualRect(grid()->model()->index(0, 2)));
        type("2");
        key(Qt::Key_Return);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(0), QString("72"));
        QCOMPARE(cell(1), QString("0,072"));
        QVERIFY(grid()->hasFocus());
    }

    void editKeysKeepTheText_data()
    {
        QTest::addColumn<int>("startKey");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("backspace") << int(Qt::Key_Backspace);
        QTest::newRow("enter on the grid") << int(Qt::Key_Return);
    }

    void editKeysKeepTheText()
    {
        QFETCH(int, startKey);
        enter("25");
        key(Qt::Key(startKey));
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->text(), QString("25"));
        QCOMPARE(editor()->cursorPosition(), 2);
        type("0");
        key(Qt::Key_Return);
        QCOMPARE(cell(0), QString("250"));
    }

    void doubleClickEditsTheText()
    {
        key(Qt::Key_Down);
        enter("3");
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(1, 2));
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->text(), QString("3"));
        QCOMPARE(editor()->cursorPosition(), 1);
    }

    void escapeDiscardsTheTypedText()
    {
        enter("5");
        type("9");
        key(Qt::Key_Escape);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(0), QString("5"));
        QCOMPARE(cell(1), QString("0,005"));
        QVERIFY(grid()->hasFocus());
        QVERIFY(fakeDialogs().calls().isEmpty());
    }

    void arrowsCommitThenMove_data()
    {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<int>("endRow");
        QTest::newRow("up on the first row stays") << 0 << int(Qt::Key_Up) << 0;
        QTest::newRow("up") << 2 << int(Qt::Key_Up) << 1;
        QTest::newRow("down") << 0 << int(Qt::Key_Down) << 1;
        QTest::newRow("down on the last row stays") << 5 << int(Qt::Key_Down) << 5;
    }

    void arrowsCommitThenMove()
    {
        QFETCH(int, startRow);
        QFETCH(int, arrow);
        QFETCH(int, endRow);
        table_->goToRow(startRow);
        type(" "); // Space: edit the (empty) cell
        type("3");
        key(Qt::Key(arrow));
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(startRow), QString("3"));
        QVERIFY(!cell(startRow == 0 ? 1 : 0).isEmpty()); // every row was recomputed
        QCOMPARE(grid()->currentRow(), endRow);
    }

    void scrollingDiscardsTheEdit()
    {
        table_->fillTopic(2);
        type("8");
        QVERIFY(editor()->isVisible());
        QWheelEvent wheel(QPointF(50, 50), grid()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid()->viewport(), &wheel);
        QVERIFY(grid()->verticalScrollBar()->value() > 0);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(0), QString());
        QCOMPARE(cell(1), QString());
        QVERIFY(grid()->hasFocus());
    }

    void leavingTheCellCommitsWithoutRecomputing()
    {
        type("6");
        QTest::mouseClick(elsewhere_, Qt::LeftButton); // the user clicks another control
        QVERIFY(elsewhere_->hasFocus());
        QVERIFY(editor()->isVisible());
        table_->goToRow(2); // e.g. a unit chosen in a list
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(0), QString("6"));
        QCOMPARE(cell(1), QString());
        QCOMPARE(grid()->currentRow(), 2);
    }

    void clickingAnotherRowFinishesTheEdit()
    {
        type("6");
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 2));
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(0), QString("6"));
        QCOMPARE(cell(3), QString("6000"));
        QCOMPARE(grid()->currentRow(), 3);
    }

    void clickOnTheFixedColumnsKeepsTheRow()
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 0));
        QCOMPARE(grid()->currentRow(), 0);
        QCOMPARE(grid()->currentColumn(), 2);
    }

    void firstLetterJumps_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("to");
        QTest::newRow("next unit with the letter") << 0 << "k" << 1;
        QTest::newRow("upper case finds lower case") << 0 << "K" << 1;
        QTest::newRow("after the current row") << 0 << "m" << 3;
        QTest::newRow("wraps to the top") << 3 << "m" << 0;
        QTest::newRow("only match is the current row") << 4 << "p" << 4;
        QTest::newRow("from the last row") << 5 << "p" << 4;
        QTest::newRow("digit of a unit name") << 0 << "4" << 5;
    }

    void firstLetterJumps()
    {
        QFETCH(int, from);
        QFETCH(QString, letter);
        QFETCH(int, to);
        table_->goToRow(from);
        type(letter);
        QCOMPARE(grid()->currentRow(), to);
        QVERIFY(!editor()->isVisible());
    }

    void otherCharactersOpenTheEditor_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("digit") << "5";
        QTest::newRow("minus") << "-";
        QTest::newRow("letter of no unit") << "x";
    }

    void otherCharactersOpenTheEditor()
    {
        QFETCH(QString, typed);
        type(typed);
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->text(), typed);
        QCOMPARE(grid()->currentRow(), 0);
    }

    void gridKeysStayInTheValueColumn_data()
    {
        QTest::addColumn<int>("navigation");
        QTest::addColumn<int>("row");
        QTest::newRow("right") << int(Qt::Key_Right) << 2;
        QTest::newRow("left") << int(Qt::Key_Left) << 2;
        QTest::newRow("home") << int(Qt::Key_Home) << 0;
        QTest::newRow("end") << int(Qt::Key_End) << 5;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 5;
    }

    void gridKeysStayInTheValueColumn()
    {
        QFETCH(int, navigation);
        QFETCH(int, row);
        table_->goToRow(2);
        key(Qt::Key(navigation));
        QCOMPARE(grid()->currentRow(), row);
        QCOMPARE(grid()->currentColumn(), 2);
        QVERIFY(!editor()->isVisible());
    }

    void shiftArrowsSelectABlock()
    {
        table_->goToRow(4);
        keyToFocus(window_.get(), Qt::Key_Up, Qt::ShiftModifier);
        keyToFocus(window_.get(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(table_->selectedRows(), std::make_pair(2, 4));
        QCOMPARE(grid()->currentRow(), 2);
        QVERIFY(!editor()->isVisible());
    }

    void typingShowsInTheMagnifier()
    {
        QSignalSpy magnifierSpy(table_, &ConversionTable::magnifierTextChanged);
        table_->setMagnifierOn(true);
        key(Qt::Key_Down);
        type("5");
        QCOMPARE(magnifierSpy.last().at(0).toString(), QString("kilometr\r\n5"));
        type("1");
        QCOMPARE(magnifierSpy.last().at(0).toString(), QString("kilometr\r\n51"));
        QCOMPARE(magnifierSpy.last().at(1).toInt(), 24);
    }

    void insertAsksForTheMark()
    {
        QSignalSpy mark(table_, &ConversionTable::markToggleRequested);
        key(Qt::Key_Down);
        key(Qt::Key_Insert);
        QCOMPARE(mark.count(), 1);
        QCOMPARE(mark.first().at(0).toInt(), 1);
        QVERIFY(!editor()->isVisible());
    }

    void rightClickMenus()
    {
        QSignalSpy menu(table_, &ConversionTable::contextMenuRequested);
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(2, 2));
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.last().at(0).value<cmd::Menu>(), cmd::Menu::ValueCell);
        QCOMPARE(grid()->currentRow(), 2);
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(4, 0));
        QCOMPARE(menu.count(), 2);
        QCOMPARE(menu.last().at(0).value<cmd::Menu>(), cmd::Menu::TableCell);
        QCOMPARE(grid()->currentRow(), 2);
        type("5");
        QTest::mouseClick(editor(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(menu.count(), 3);
        QCOMPARE(menu.last().at(0).value<cmd::Menu>(), cmd::Menu::CellEditor);
        QVERIFY(editor()->isVisible());
    }

    void welcomeScreenTakesNoInput()
    {
        QSignalSpy menu(table_, &ConversionTable::contextMenuRequested);
        table_->showWelcome();
        type("5");
        QVERIFY(!editor()->isVisible());
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(menu.count(), 0);
    }

    void newTopicDropsAnUnfinishedEdit()
    {
        type("6");
        QTest::mouseClick(elsewhere_, Qt::LeftButton);
        table_->fillTopic(2);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(cell(0), QString());
        QCOMPARE(cell(1), QString());
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
