// Copy and paste as a user meets them: the displayed value out, alone or with its unit, a number
// in, and the commands enabled by what the cell and the clipboard hold at the moments the table
// refreshes them.
#include "fixture.h"

#include "gui/clipboard.h"
#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableWidget>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

void selectRow(MainWindow& w, int row) { w.findChild<QTableWidget*>(QStringLiteral("msgTab"))->setCurrentCell(row, 2); }

bool enabled(const MainWindow& w, const char* name)
{
    return w.commands()->action(QString::fromUtf8(name))->isEnabled();
}

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

} // namespace

class ClipboardTest : public WindowTestCase {
    Q_OBJECT

    MainWindow& windowWithTopic()
    {
        MainWindow& w = startedWindow();
        if (!QTest::qWaitForWindowActive(&w))
            QTest::qFail("the window did not become active", __FILE__, __LINE__);
        QGuiApplication::clipboard()->clear();
        triggerAction(&w, QStringLiteral("mnuTema_1"));
        return w;
    }

private slots:
    // "omnivelor --schranka TEXT", started by the desktop search's service, which has no windows.
    void theClipboardOptionPutsItsTextThere()
    {
        QCOMPARE(holdClipboardText(QStringLiteral("5000 m")), 0);
        QCOMPARE(clipboardText(), QStringLiteral("5000 m"));
    }

    void copyGivesTheValueAsDisplayed()
    {
        MainWindow& w = windowWithTopic();
        QVERIFY(!enabled(w, "mnuKopirovat")); // empty cell
        QVERIFY(!enabled(w, "tlb_Kopírovat"));
        convert(w, 1, QStringLiteral("5"));
        QVERIFY(triggerAction(&w, QStringLiteral("mnuFormatZ_2"))); // scientific
        selectRow(w, 0);
        QVERIFY(enabled(w, "mnuKopirovat"));
        QVERIFY(triggerAction(&w, QStringLiteral("tlb_Kopírovat")));
        QCOMPARE(clipboardText(), QStringLiteral("5,00E+03"));
        QCOMPARE(clipboardText(), w.table()->cellText(0, 2));
    }

    void copyWithTheUnitGivesTheDisplayedValueAndTheSymbol_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("menu item") << "mnuKopirovatJ";
        QTest::newRow("shortcut") << "Ctrl+Shift+C";
        QTest::newRow("value cell's context menu") << "mnuA";
    }
    void copyWithTheUnitGivesTheDisplayedValueAndTheSymbol()
    {
        QFETCH(QString, how);
        MainWindow& w = windowWithTopic();
        QVERIFY(!enabled(w, "mnuKopirovatJ")); // empty cell
        convert(w, 0, QStringLiteral("5"));
        selectRow(w, 1);
        QVERIFY(enabled(w, "mnuKopirovatJ"));
        if (how == QLatin1String("Ctrl+Shift+C")) {
            keyToFocus(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        } else if (how == QLatin1String("mnuA")) {
            const QList<QAction*> items = w.commands()->menu(how)->actions();
            QCOMPARE(items.last(), w.commands()->action(QStringLiteral("mnuKopirovatJ")));
            QVERIFY(items.at(items.size() - 2)->isSeparator());
            items.last()->trigger();
        } else {
            QVERIFY(triggerAction(&w, how));
        }
        QCOMPARE(clipboardText(), QStringLiteral("0,005 km"));
    }

    void pasteEntersTheNumberAndConverts()
    {
        MainWindow& w = windowWithTopic();
        QGuiApplication::clipboard()->setText(QStringLiteral("12,5\n")); // as a spreadsheet copies it
        selectRow(w, 1);
        QVERIFY(enabled(w, "mnuVlozit"));
        QVERIFY(triggerAction(&w, QStringLiteral("mnuVlozit")));
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("12500"));
        QCOMPARE(w.table()->cellText(1, 2), QStringLiteral("12,5"));
        QCOMPARE(w.table()->cellText(2, 2), QStringLiteral("1250000"));
    }

    void pasteIntoAnOpenEditorOnlyFillsIt()
    {
        MainWindow& w = windowWithTopic();
        QGuiApplication::clipboard()->setText(QStringLiteral("3"));
        selectRow(w, 1);
        w.table()->focusGrid();
        typeToFocus(&w, QStringLiteral("9"));
        QVERIFY(triggerAction(&w, QStringLiteral("tlb_Vložit")));
        auto* editor = w.findChild<QLineEdit*>(QStringLiteral("txtEdit"));
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("3"));
        QCOMPARE(w.table()->cellText(0, 2), QString());
        keyToFocus(&w, Qt::Key_Return);
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("3000"));
    }

    void aPastedValueThatFailsGivesTheCellItsTextBack()
    {
        MainWindow& w = windowWithTopic();
        convert(w, 1, QStringLiteral("5"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1E308")); // a kilometre count too big for metres
        selectRow(w, 0);
        selectRow(w, 1);
        QVERIFY(triggerAction(&w, QStringLiteral("mnuVlozit")));
        QCOMPARE(fakeDialogs().calls().size(), 1);
        QCOMPARE(fakeDialogs().calls()[0].icon, DialogService::Icon::Warning);
        QCOMPARE(w.table()->cellText(1, 2), QStringLiteral("5"));
    }

    void pasteIsEnabledForOneNumberOnly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        // clang-format off
        QTest::newRow("a number") << "text" << "12,5" << true;
        QTest::newRow("a number with blanks and a line end") << "text" << "  -7 \r\n" << true;
        QTest::newRow("an exponent") << "text" << "1,5E-3" << true;
        QTest::newRow("a point, not the locale's comma") << "text" << "12.5" << false;
        QTest::newRow("a word") << "text" << "abc" << false;
        QTest::newRow("two lines") << "text" << "1\n2" << false;
        QTest::newRow("101 digits") << "text" << QString(101, u'1') << false;
        QTest::newRow("100 digits") << "text" << QString(100, u'1') << true;
        QTest::newRow("empty") << "empty" << "" << false;
        QTest::newRow("a picture") << "image" << "" << false;
        // clang-format on
    }
    void pasteIsEnabledForOneNumberOnly()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        MainWindow& w = windowWithTopic();
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (kind == QLatin1String("text")) {
            clipboard->setText(text);
        } else if (kind == QLatin1String("image")) {
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(Qt::red);
            clipboard->setImage(picture);
        } else {
            clipboard->clear();
        }
        selectRow(w, 1); // entering a cell refreshes the commands
        QCOMPARE(::enabled(w, "mnuVlozit"), enabled);
        QCOMPARE(::enabled(w, "tlb_Vložit"), enabled);
    }

    void theStateFollowsTheClipboardAtTheNextRefreshAndPasteReadsItAgain()
    {
        MainWindow& w = windowWithTopic();
        QGuiApplication::clipboard()->setText(QStringLiteral("4"));
        selectRow(w, 1);
        QVERIFY(enabled(w, "mnuVlozit"));
        QGuiApplication::clipboard()->setText(QStringLiteral("čtyři"));
        QVERIFY(enabled(w, "mnuVlozit")); // no refresh yet
        QVERIFY(triggerAction(&w, QStringLiteral("mnuVlozit")));
        QCOMPARE(w.table()->cellText(1, 2), QString()); // no longer a number: nothing happens
        QVERIFY(fakeDialogs().calls().isEmpty());
        selectRow(w, 2);
        QVERIFY(!enabled(w, "mnuVlozit"));
    }

    // Ctrl+C and Ctrl+V are the commands' own keys, with the cell editor open or not.
    void theKeysDoWhatTheCommandsDo_data()
    {
        QTest::addColumn<QString>("before"); // converted in kilometres first
        QTest::addColumn<QString>("typed");  // left open in the editor
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("editorAfter"); // empty: the editor is closed
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<QString>("metres"); // after Enter commits an open editor
        // clang-format off
        QTest::newRow("Ctrl+V replaces the typed text") << "" << "1" << "2,5" << int(Qt::Key_V) << "2,5" << "2,5" << "2500";
        QTest::newRow("Ctrl+V in the grid converts") << "" << "" << "2,5" << int(Qt::Key_V) << "" << "2,5" << "2500";
        QTest::newRow("Ctrl+V of a word does nothing") << "" << "1" << "abc" << int(Qt::Key_V) << "1" << "abc" << "1000";
        QTest::newRow("Ctrl+C copies the cell, not the typing") << "5" << "7" << "x" << int(Qt::Key_C) << "7" << "5" << "7000";
        QTest::newRow("Ctrl+C in the grid") << "5" << "" << "x" << int(Qt::Key_C) << "" << "5" << "5000";
        // clang-format on
    }
    void theKeysDoWhatTheCommandsDo()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, clipboard);
        QFETCH(int, key);
        QFETCH(QString, editorAfter);
        QFETCH(QString, clipboardAfter);
        QFETCH(QString, metres);
        MainWindow& w = windowWithTopic();
        if (!before.isEmpty())
            convert(w, 1, before);
        QGuiApplication::clipboard()->setText(clipboard);
        selectRow(w, 0);
        selectRow(w, 1);
        w.table()->focusGrid();
        typeToFocus(&w, typed);
        keyToFocus(&w, Qt::Key(key), Qt::ControlModifier);
        auto* editor = w.findChild<QLineEdit*>(QStringLiteral("txtEdit"));
        QCOMPARE(editor->isVisible(), !editorAfter.isEmpty());
        QCOMPARE(clipboardText(), clipboardAfter);
        if (editor->isVisible()) {
            QCOMPARE(editor->text(), editorAfter);
            keyToFocus(&w, Qt::Key_Return);
        }
        QCOMPARE(w.table()->cellText(0, 2), metres);
    }

    void withoutATopicOrWhileEditingADataFileBothDoNothing()
    {
        MainWindow& w = startedWindow();
        QGuiApplication::clipboard()->setText(QStringLiteral("5"));
        w.commands()->action(QStringLiteral("mnuVlozit"))->trigger();
        w.commands()->action(QStringLiteral("mnuKopirovat"))->trigger();
        QCOMPARE(clipboardText(), QStringLiteral("5"));

        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        convert(w, 1, QStringLiteral("2"));
        w.commands()->editModeOnOff(true);
        w.commands()->action(QStringLiteral("mnuKopirovat"))->trigger();
        QCOMPARE(clipboardText(), QStringLiteral("5"));
        w.commands()->action(QStringLiteral("mnuVlozit"))->trigger();
        QCOMPARE(w.table()->cellText(1, 2), QStringLiteral("2"));
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
