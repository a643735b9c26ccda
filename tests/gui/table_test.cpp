// The conversion table as a user sees it: filling a topic, typing a value, the result line,
// the notices, the temperature rules, the representations and the prefixes command.
#include "tablewindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QApplication>
#include <QSignalSpy>
#include <QTableWidget>

using namespace ov::gui;
using namespace ov::gui::test;

class TableTest : public TableWindowTestCase {
    Q_OBJECT

    QLabel* resultLine() const { return findNamed<QLabel>(window_.get(), "lblSI"); }

private slots:
    void fillShowsEveryUnitOfTheTopic()
    {
        QSignalSpy first(table_, &ConversionTable::firstTopicShown);
        QSignalSpy position(table_, &ConversionTable::positionTextChanged);
        table_->fillTopic(1);
        table_->fillTopic(1);
        QCOMPARE(first.count(), 1);
        QCOMPARE(position.last().at(0).toString(), QString("V tématu: 1/6"));
        QCOMPARE(findNamed<QLabel>(window_.get(), "lblTitulek")->text(), QString(" Délka"));
        QCOMPARE(resultLine()->text(), QString(" Jednotek k převodu: 6 "));
        QCOMPARE(grid()->rowCount(), 6);
        QCOMPARE(grid()->item(1, 0)->text(), QString("kilometr"));
        QCOMPARE(grid()->item(1, 1)->text(), QString("km"));
        QCOMPARE(cell(1), QString());
        QCOMPARE(grid()->currentRow(), 0);
        QCOMPARE(grid()->currentColumn(), 2);
        QVERIFY(!(grid()->item(0, 0)->flags() & Qt::ItemIsSelectable));
        QVERIFY(!(grid()->item(0, 1)->flags() & Qt::ItemIsSelectable));
        // The information picture marks exactly the units with an information text.
        QCOMPARE(table_->cellPicture(0, 0), CellPicture::Info);
        QCOMPARE(table_->cellPicture(1, 0), CellPicture::None);
    }

    void columnsFillTheGridUpToTheScrollBar()
    {
        table_->fillTopic(1);
        for (int width : {400, 700}) {
            window_->resize(width, 420);
            QCoreApplication::processEvents();
            const int w = grid()->width();
            const double inner = w * 15.0 - 200.0;
            QCOMPARE(grid()->columnWidth(0), int(std::lround(std::round(inner * 0.47) / 15.0)));
            QCOMPARE(grid()->columnWidth(1), int(std::lround(std::round(inner * 0.15) / 15.0)));
            const int bar = grid()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid());
            QCOMPARE(grid()->columnWidth(0) + grid()->columnWidth(1) + grid()->columnWidth(2) + bar, w);
        }
    }

    void typedValueFillsEveryRow()
    {
        QSignalSpy done(table_, &ConversionTable::conversionDone);
        QSignalSpy position(table_, &ConversionTable::positionTextChanged);
        table_->fillTopic(1);
        key(Qt::Key_Down);
        enter("5");
        QCOMPARE(cell(0), QString("5000"));
        QCOMPARE(cell(1), QString("5"));
        QCOMPARE(cell(2), QString("500000"));
        QCOMPARE(cell(3), QString("5000000"));
        QCOMPARE(resultLine()->text(), QString(" km: 5,00 km = 5 000,00 m "));
        QCOMPARE(grid()->currentRow(), 1);
        QCOMPARE(position.last().at(0).toString(), QString("V tématu: 2/6"));
        QCOMPARE(done.count(), 1);
        QVERIFY(fakeDialogs().calls().isEmpty());
        // The entered value carries the entry colour, readable on the grid; the other cells the
        // ordinary text colour.
        const QColor entry = grid()->item(1, 2)->foreground().color();
        QVERIFY(entry != grid()->palette().color(QPalette::WindowText));
        QVERIFY(textContrast(entry, grid()->palette().color(QPalette::Button)) >= kTextContrast);
        key(Qt::Key_Down);
        enter("1");
        QCOMPARE(grid()->item(1, 2)->foreground().color(), grid()->palette().color(QPalette::WindowText));
    }

    void resultLineAgainstTheEnteredUnit()
    {
        table_->fillTopic(1);
        table_->setReferenceMode(1);
        key(Qt::Key_Down);
        enter("5");
        key(Qt::Key_Down);
        QCOMPARE(resultLine()->text(), QString(" cm: 500 000,00 cm = 5,00 km "));
        table_->setReferenceMode(0);
        key(Qt::Key_Down);
        QCOMPARE(resultLine()->text(), QString(" mm: 5 000 000,00 mm = 5 000,00 m "));
    }

    void movingToAnEmptyRowKeepsTheLine()
    {
        QSignalSpy position(table_, &ConversionTable::positionTextChanged);
        table_->fillTopic(1);
        key(Qt::Key_End);
        QCOMPARE(resultLine()->text(), QString(" Jednotek k převodu: 6 "));
        QCOMPARE(position.last().at(0).toString(), QString("V tématu: 6/6"));
    }

    void textThatIsNoNumberIsRefused()
    {
        table_->fillTopic(1);
        key(Qt::Key_Down);
        enter("5");
        key(Qt::Key_Space); // edit the cell's own text "5"
        key(Qt::Key_Backspace);
        enter("abc");
        QCOMPARE(fakeDialogs().calls().size(), 1);
        const DialogCall box = fakeDialogs().calls().first();
        QCOMPARE(box.icon, DialogService::Icon::Warning);
        QCOMPARE(box.title, QString("omniVELOR"));
        QVERIFY2(box.text.startsWith("Chyba 13: "), qPrintable(box.text));
        QVERIFY2(box.text.endsWith("Nevhodná hodnota 'abc'.\n"), qPrintable(box.text));
        QCOMPARE(cell(1), QString("5"));
        QCOMPARE(cell(0), QString("5000"));
    }

    // Too large for a double is an overflow; the box wraps the long value instead of cutting it.
    void aNumberTooLargeIsAnOverflowShownWhole()
    {
        useRealDialogs();
        const QString nines(400, u'9');
        QString text;
        bool fits = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text().remove(QChar(0x200B));
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            fits = box->width() <= box->screen()->availableGeometry().width() &&
                   label->minimumSizeHint().width() <= label->width() &&
                   (!label->wordWrap() || label->heightForWidth(label->width()) <= label->height());
            QTest::keyClick(box, Qt::Key_Return);
        });
        table_->fillTopic(1);
        key(Qt::Key_Down);
        enter(nines);
        QCOMPARE(text, "Chyba 6: Přetečení\n\nNevhodná hodnota '" + nines + "'.\n");
        QVERIFY(fits);
        QCOMPARE(cell(1), QString());
    }

    void longLineIsShortenedWithFullTooltip()
    {
        table_->fillTopic(1);
        window_->resize(150, 420);
        QCoreApplication::processEvents();
        key(Qt::Key_Down);
        enter("123456");
        const QString full = resultLine()->toolTip();
        QCOMPARE(full, QString(" km: 123 456,00 km = 123 456 000,00 m "));
        const QString shown = resultLine()->text();
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        const QString kept = shown.chopped(1);
        QVERIFY(full.trimmed().startsWith(kept)); // cut at the end, trimmed at both ends
        QVERIFY(!kept.endsWith(' '));
        QVERIFY(QFontMetrics(resultLine()->font()).horizontalAdvance(kept) < grid()->width() - 20);
    }

    void hiddenLineUsesBoxesOnlyWhenAsked()
    {
        table_->fillTopic(1);
        table_->setResultLineVisible(false);
        enter("5");
        QVERIFY(fakeDialogs().calls().isEmpty()); // an ordinary result line is not pushed into a box
        table_->runRepresentation("Rimsky");
        QCOMPARE(fakeDialogs().messageTexts(), QStringList{"5 = V"});
        QCOMPARE(fakeDialogs().calls().first().icon, DialogService::Icon::Information);
    }

    void negativeNoticeOncePerRun()
    {
        table_->fillTopic(1);
        enter("-5");
        QCOMPARE(cell(0), QString("5"));
        QCOMPARE(fakeDialogs().calls().size(), 1);
        QVERIFY(fakeDialogs().calls().first().text.startsWith("Zadáno záporné číslo.\n"));
        QCOMPARE(fakeDialogs().calls().first().icon, DialogService::Icon::Information);
        enter("-7");
        QCOMPARE(cell(0), QString("7"));
        QCOMPARE(fakeDialogs().calls().size(), 1);
    }

    void temperatureMinusForty()
    {
        table_->fillTopic(16);
        key(Qt::Key_Down);
        enter("-40");
        QCOMPARE(cell(0), QString("233,15"));
        QCOMPARE(cell(1), QString("-40"));
        QCOMPARE(cell(2), QString("-40"));
        QCOMPARE(cell(3), QString("419,67"));
        QCOMPARE(cell(4), QString("-32"));
        QVERIFY(fakeDialogs().calls().isEmpty());
    }

    void temperatureBelowAbsoluteZero()
    {
        table_->fillTopic(16);
        enter("0");
        QCOMPARE(resultLine()->text(), QString("Teplota pod 0 K teoreticky neexistuje."));
        QCOMPARE(resultLine()->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(cell(1), QString("-273,15"));
    }

    void representations_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("red");
        // clang-format off
        QTest::newRow("binary") << "5" << "Binarne" << "5 dekadicky = 101 binárně." << false;
        QTest::newRow("binary out of range") << "32768" << "Binarne"
                                             << "Vstupní hodnota 32768 je mimo povolený rozsah." << true;
        QTest::newRow("octal") << "8" << "Oktalne" << "8 dekadicky = 10 oktálně." << false;
        QTest::newRow("hex") << "255" << "Hexadecimalne" << "255 dekadicky = FF hexadecimálně." << false;
        QTest::newRow("custom base") << "255" << "Vlastni" << "255 dekadicky = (193)12" << false;
        QTest::newRow("custom with decimals") << "10,5" << "VlastniD" << "10,5 dekadicky = (A,6)12" << false;
        QTest::newRow("roman") << "1999" << "Rimsky" << "1999 = MIM" << false;
        QTest::newRow("fraction") << "2,25" << "Zlomek" << "2 + 1/4 chyba 0" << false;
        // clang-format on
    }

    void representations()
    {
        QFETCH(QString, value);
        QFETCH(QString, command);
        QFETCH(QString, shown);
        QFETCH(bool, red);
        table_->setOptions({.numBase = 12, .numBaseDec = 6});
        table_->fillTopic(1);
        enter(value);
        table_->runRepresentation(command);
        QCOMPARE(resultLine()->text(), shown);
        QCOMPARE(resultLine()->toolTip(), shown);
        QCOMPARE(resultLine()->palette().color(QPalette::WindowText), red ? QColor(Qt::red) : QColor(Qt::black));
        QVERIFY(fakeDialogs().calls().isEmpty());
        QVERIFY(grid()->hasFocus());
    }

    void representationOfAnEmptyCellChangesNothing()
    {
        table_->fillTopic(1);
        table_->runRepresentation("Binarne");
        QCOMPARE(resultLine()->text(), QString(" Jednotek k převodu: 6 "));
        QVERIFY(fakeDialogs().calls().isEmpty());
    }

    void representationOfATextThatIsNoNumber()
    {
        table_->fillTopic(1);
        type("x");
        table_->goToRow(1); // the edit ends without a recomputation: "x" stays in the cell
        table_->goToRow(0);
        QCOMPARE(cell(0), QString("x"));
        table_->runRepresentation("Binarne");
        QCOMPARE(fakeDialogs().calls().size(), 1);
        QCOMPARE(fakeDialogs().calls().first().icon, DialogService::Icon::Warning);
        QCOMPARE(fakeDialogs().calls().first().title, QString("omniVELOR"));
        QVERIFY2(fakeDialogs().calls().first().text.contains("'x'"), qPrintable(fakeDialogs().calls().first().text));
    }

    void representationFollowsTheCurrentValue()
    {
        QSignalSpy asButton(table_, &ConversionTable::representationEnabledChanged);
        QSignalSpy copy(table_, &ConversionTable::copyEnabledChanged);
        table_->fillTopic(1);
        QCOMPARE(asButton.last().at(0).toBool(), false);
        QCOMPARE(copy.last().at(0).toBool(), false);
        enter("5");
        QCOMPARE(asButton.last().at(0).toBool(), true);
        QCOMPARE(copy.last().at(0).toBool(), true);
        table_->fillTopic(16);
        QCOMPARE(asButton.last().at(0).toBool(), false);
        QCOMPARE(copy.last().at(0).toBool(), false);
    }

    void prefixesOfTheCurrentValue()
    {
        QSignalSpy shown(table_, &ConversionTable::prefixesShown);
        table_->fillTopic(1);
        enter("1500");
        table_->showPrefixes();
        QCOMPARE(table_->currentTopic(), 26);
        QCOMPARE(findNamed<QLabel>(window_.get(), "lblTitulek")->text(), QString(" metr"));
        QCOMPARE(cell(0), QString("1500"));
        QCOMPARE(cell(1), QString("1,5"));
        QCOMPARE(cell(2), QString("0,0015"));
        QCOMPARE(cell(3), QString("1500000"));
        QCOMPARE(grid()->currentRow(), 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("1500"));
        QCOMPARE(shown.count(), 1);
    }

    void prefixesOfAPowerOfThousandStayOnTheFirstRow()
    {
        table_->fillTopic(1);
        enter("1000");
        table_->showPrefixes();
        QCOMPARE(grid()->currentRow(), 0);
    }

    void informationAndMagnifierTexts()
    {
        QSignalSpy info(table_, &ConversionTable::infoTextChanged);
        QSignalSpy magnifierSpy(table_, &ConversionTable::magnifierTextChanged);
        table_->fillTopic(1);
        QCOMPARE(magnifierSpy.count(), 0); // nothing is sent to panes that are off
        table_->setInfoOn(true);
        QCOMPARE(info.last().at(0).toString(), QString("METR (1 m = 1,00 m)\r\nZákladní jednotka SI."));
        table_->setMagnifierOn(true);
        key(Qt::Key_Down);
        QCOMPARE(info.last().at(0).toString(), QString("KILOMETR (1 km = 1 000,00 m)\r\n"));
        enter("5");
        QCOMPARE(magnifierSpy.last().at(0).toString(),
                 QString("metr [m] 5 000,00\r\nkilometr [km] 5,00\r\nkilometr [km] 5,00"));
        QCOMPARE(magnifierSpy.last().at(1).toInt(), 14);
        table_->fillTopic(16);
        QCOMPARE(info.last().at(0).toString(), QString("KELVIN\r\nTermodynamická teplota."));
    }

    void displayFormatOfTheTable_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("kilometres");
        QTest::newRow("double") << 1 << "0,0254";
        QTest::newRow("scientific") << 2 << "2,54E-02";
        QTest::newRow("fixed") << 3 << "0,03";
        QTest::newRow("negative index is single") << -1 << "0,0254";
    }

    void displayFormatOfTheTable()
    {
        QFETCH(int, format);
        QFETCH(QString, kilometres);
        table_->fillTopic(1);
        table_->goToRow(4);
        enter("1000"); // inches
        table_->setOptions({.fix = 2});
        table_->setFormat(format);
        table_->formatTable();
        QCOMPARE(cell(1), kilometres);
    }

    void withoutEntryColouringTheCellsKeepTheirColour()
    {
        table_->setOptions({.colored = false});
        table_->fillTopic(1);
        enter("5");
        QCOMPARE(grid()->item(0, 2)->foreground().color(), grid()->palette().color(QPalette::WindowText));
    }

    void markingDisplayOffBlanksThePictures()
    {
        table_->fillTopic(1);
        table_->setMarkingDisplay(false);
        QCOMPARE(table_->cellPicture(0, 0), CellPicture::Blank);
        table_->setMarkingDisplay(true);
        QCOMPARE(table_->cellPicture(0, 0), CellPicture::Info);
        table_->setMarkingDisplay(false);
        table_->fillTopic(1);
        QCOMPARE(table_->cellPicture(0, 0), CellPicture::None);
    }

    void gridLinesSwitch()
    {
        table_->setOptions({.gridLines = false});
        QVERIFY(!grid()->showGrid());
        table_->setOptions({.gridLines = true});
        QVERIFY(grid()->showGrid());
    }
};

QTEST_MAIN(TableTest)
#include "table_test.moc"
