// The window "Historie" as the user works it: conversions listed newest first, one opened again
// with Enter or a double click, the history emptied, and kept across a restart when wanted.
#include "fixture.h"

#include "history/historywindow.h"
#include "table/conversiontable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

using namespace ov::gui;
using namespace ov::gui::test;

class HistoryTest : public WindowTestCase {
    Q_OBJECT

    QTreeWidget* list(MainWindow& w) const { return w.findChild<QTreeWidget*>(QStringLiteral("lvwHistorie")); }

    // The conversions as the list shows them, newest first.
    QStringList shown(MainWindow& w) const
    {
        QStringList texts;
        for (int i = 0; i < list(w)->topLevelItemCount(); ++i)
            texts << list(w)->topLevelItem(i)->text(1) + QStringLiteral(": ") + list(w)->topLevelItem(i)->text(2);
        return texts;
    }

    QString file() { return environment().dataFolder() + QStringLiteral("/omnivelor/historie.txt"); }

private slots:
    void listsConversionsAndOpensThemAgain_data()
    {
        QTest::addColumn<bool>("doubleClick"); // else Enter
        QTest::addColumn<bool>("escape");      // closed by Esc, else by the shortcut
        QTest::newRow("Enter, Esc") << false << true;
        QTest::newRow("double click, Ctrl+Shift+H") << true << false;
    }
    void listsConversionsAndOpensThemAgain()
    {
        QFETCH(bool, doubleClick);
        QFETCH(bool, escape);
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        convert(w, 1, QStringLiteral("5"));
        convert(w, 0, QStringLiteral("0,5"));
        QVERIFY(triggerAction(&w, "mnuTema_2"));
        keyToFocus(&w, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QWidget* window = w.historyWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(shown(w), (QStringList{"Délka: 0,5 m → 0,0005 km", "Délka: 5 km → 5000 m"}));
        QTreeWidgetItem* older = list(w)->topLevelItem(1);
        list(w)->setCurrentItem(older);
        const QPoint at = list(w)->visualItemRect(older).center();
        if (doubleClick) {
            QTest::mouseClick(list(w)->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list(w)->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::keyClick(list(w), Qt::Key_Return);
        }
        QCOMPARE(w.table()->currentTopic(), 1);
        QCOMPARE(w.table()->currentRow(), 1);
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("5000"));
        QCOMPARE(shown(w).first(), QStringLiteral("Délka: 5 km → 5000 m"));
        // The table has the focus; the shortcut brings the history to the front again, where
        // "Vymazat historii" empties it and Esc or the shortcut closes it, the menu item following.
        QCOMPARE(QApplication::focusWidget(), w.findChild<QTableWidget*>(QStringLiteral("msgTab")));
        keyToFocus(&w, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), list(w));
        keyToFocus(window, Qt::Key_Tab);
        keyToFocus(window, Qt::Key_Space);
        QCOMPARE(list(w)->topLevelItemCount(), 0);
        if (escape)
            keyToFocus(window, Qt::Key_Escape);
        else
            keyToFocus(window, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!window->isVisible());
        QVERIFY(!findAction(&w, "mnuHistorie")->isChecked());
    }

    void aUnitNoLongerThereIsToldAndNothingChanges()
    {
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        convert(w, 2, QStringLiteral("7"));
        environment().writeFile(QStringLiteral("Omnivel.omv"), smallMainData().mid(0, 3) + smallMainData().mid(4));
        QVERIFY(triggerAction(&w, "mnuNacist"));
        w.historyWindow()->reopen(0);
        QCOMPARE(fakeDialogs().messageTexts(), QStringList{"Jednotka „centimetr“ už v tématu „Délka“ není."});
        QCOMPARE(w.table()->cellText(0, 2), QString());
    }

    void keptAcrossARestartWhenWanted_data()
    {
        QTest::addColumn<bool>("keep");         // "Ukládat historii převodů"
        QTest::addColumn<QByteArray>("before"); // the file as an earlier run (or a hand) left it
        QTest::addColumn<QStringList>("after"); // the list after a restart
        const QByteArray earlier("2026-12-01T10:00:00\t2\tPlocha\tar\t1\t1 a → 100 m²\r\n");
        const QString now = QStringLiteral("Délka: 5 km → 5000 m");
        QTest::newRow("kept") << true << QByteArray() << QStringList{now};
        QTest::newRow("kept, damaged lines passed over")
            << true << QByteArray("5 km\tnesmysl\r\n") + earlier + QByteArray("\xFF\xFE\r\n")
            << QStringList{now, "Plocha: 1 a → 100 m²"};
        QTest::newRow("not kept") << false << earlier << QStringList{};
    }
    void keptAcrossARestartWhenWanted()
    {
        QFETCH(bool, keep);
        QFETCH(QByteArray, before);
        QFETCH(QStringList, after);
        environment().setSetting(QStringLiteral("Obecne/UkladatHistorii"), keep ? "True" : "False");
        if (!before.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(file()).path()));
            QFile f(file());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        convert(w, 1, QStringLiteral("5"));
        QCOMPARE(shown(restartedWindow()), after);
        QFile f(file());
        QCOMPARE(f.open(QIODevice::ReadOnly), keep || !before.isEmpty());
        QCOMPARE(f.readAll().contains("\t1\tDélka\tkilometr\t5\t5 km → 5000 m\r\n"), keep);
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
