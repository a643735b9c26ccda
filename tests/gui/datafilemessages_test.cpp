// A broken main data file as the window user meets it: the first ten bad lines are told, then one
// box says there are more, and the window comes up with every good line loaded.
#include "fixture.h"

#include "table/conversiontable.h"

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

const QString kMore = QStringLiteral(
    "Soubor Omnivel.omv obsahuje další chybné řádky. Další chyby už nebudou hlášeny; opravte soubor a načtěte ho znovu.");

// Good units first, then bad lines whose topic is no number (each message names its line).
QStringList brokenFile(int badLines)
{
    QStringList lines = smallMainData();
    for (int i = 0; i < badLines; ++i)
        lines << QStringLiteral("x%1|kus|ks|1").arg(i);
    return lines;
}

// More units than topic 1 holds: a "too many" message for every line past the 150th.
QStringList overfullTopic(int extra)
{
    QStringList lines{QStringLiteral("1|metr|m|1||True")};
    for (int u = 2; u <= 150 + extra; ++u)
        lines << QStringLiteral("1|jednotka %1|j|%1").arg(u);
    return lines;
}

} // namespace

class DataFileMessagesTest : public WindowTestCase {
    Q_OBJECT

    MainWindow& startOn(const QStringList& mainFile)
    {
        TestEnvironment& env = environment();
        env.useData(mainFile);
        env.setSetting("Obecne/SafeEnd", "0");
        return startedWindow(Data::AsWritten);
    }

private slots:
    void startUpTellsTenThenOnce_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<int>("boxes"); // what the user clicks through
        QTest::addColumn<bool>("more"); // the last of them is the notice
        QTest::newRow("one bad line") << brokenFile(1) << 1 << false;
        QTest::newRow("ten bad lines") << brokenFile(10) << 10 << false;
        QTest::newRow("eleven bad lines") << brokenFile(11) << 11 << true;
        QTest::newRow("500 bad lines") << brokenFile(500) << 11 << true;
        // Start-up shows a repeated text once; the repeats still count toward the ten.
        QTest::newRow("300 units too many") << overfullTopic(300) << 2 << true;
    }

    void startUpTellsTenThenOnce()
    {
        QFETCH(QStringList, file);
        QFETCH(int, boxes);
        QFETCH(bool, more);
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startOn(file);

        QCOMPARE(fake.calls().size(), boxes);
        QCOMPARE(fake.messages(kMore).size(), more ? 1 : 0);
        if (more) {
            const DialogCall& last = fake.calls().last();
            QCOMPARE(last.text, kMore);
            QCOMPARE(last.title, QStringLiteral("omniVELOR"));
            QCOMPARE(last.icon, DialogService::Icon::Critical);
        }
        // The good lines are all there and the window is ready.
        QVERIFY(w.isVisible());
        QVERIFY(context().db.unitCount(1) >= 3);
        QCOMPARE(context().db.unit(1, 1).name, std::string("metr"));
    }

    void theBadLinesAreToldInFileOrder()
    {
        FakeDialogs& fake = fakeDialogs();
        startOn(brokenFile(500));
        const QStringList texts = fake.messageTexts();
        QCOMPARE(texts.size(), 11);
        // The small file has six lines; the bad ones follow.
        for (int i = 0; i < 10; ++i) {
            QVERIFY2(texts.at(i).contains(QStringLiteral("na řádku %1 načten").arg(7 + i)), qPrintable(texts.at(i)));
            QVERIFY2(texts.at(i).endsWith(QStringLiteral("x%1").arg(i)), qPrintable(texts.at(i)));
        }
    }

    void everyReloadHasItsOwnCount()
    {
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startOn(brokenFile(500));
        QCOMPARE(fake.calls().size(), 11);
        // Choosing a level reads the file again: the same ten and the notice, once more.
        fake.clear();
        QVERIFY(triggerAction(&w, "mnuU_1"));
        QCOMPARE(fake.calls().size(), 11);
        QCOMPARE(fake.messageTexts().last(), kMore);
        fake.clear();
        QVERIFY(triggerAction(&w, "mnuU_0"));
        QCOMPARE(fake.calls().size(), 11);
        QVERIFY(w.isVisible());
        QCOMPARE(context().db.unit(1, 2).name, std::string("kilometr"));
    }
};

QTEST_MAIN(DataFileMessagesTest)
#include "datafilemessages_test.moc"
