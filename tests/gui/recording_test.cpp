// Recording conversions as a user does it: "Nahrávání", a file chosen in the save dialog,
// conversions typed into the table, pause and resume, stop; the file read back byte for byte.
#include "fixture.h"

#include "gui/commands.h"
#include "output/recorder.h"
#include "table/conversiontable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTimer>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

using WindowAction = std::function<void(MainWindow&)>;
using Conversions = QList<QPair<int, QString>>; // row, text typed

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Which of the four recording buttons are shown: "Start", "Pause", "Stop", "Rec".
QString shownButtons(const MainWindow& w)
{
    QStringList shown;
    for (const char* key : {"Start", "Pause", "Stop", "Rec"})
        if (w.commands()->action(QStringLiteral("tlb_") + QLatin1String(key))->isVisible())
            shown << QLatin1String(key);
    return shown.join(u' ');
}

} // namespace

Q_DECLARE_METATYPE(WindowAction)

class RecordingTest : public WindowTestCase {
    Q_OBJECT

    QString out(const QString& name) const { return tmp_->path() + u'/' + name; }
    void setUp() override { tmp_ = std::make_unique<QTemporaryDir>(); }

    // Started on the given main data file, topic 1 shown.
    MainWindow& windowOn(const QStringList& mainData)
    {
        if (!mainData.isEmpty())
            environment().useData(mainData, {});
        MainWindow& w = startedWindow(mainData.isEmpty() ? Data::Small : Data::AsWritten);
        if (!QTest::qWaitForWindowActive(&w))
            QTest::qFail("the window did not become active", __FILE__, __LINE__);
        triggerAction(&w, QStringLiteral("mnuTema_1"));
        return w;
    }

    void record(MainWindow& w, const QString& path, int filter = 0)
    {
        fakeDialogs().answerSave(path, filter);
        triggerAction(&w, QStringLiteral("mnuRec_3"));
    }

    std::unique_ptr<QTemporaryDir> tmp_;

private slots:
    void recordsTheTableOfEachConversion_data()
    {
        QTest::addColumn<QStringList>("data");
        QTest::addColumn<int>("filter");
        QTest::addColumn<Conversions>("conversions");
        QTest::addColumn<QByteArray>("expected");
        // clang-format off
        QTest::newRow("three units, semicolons")
            << QStringList() << 0 << Conversions{{1, "5"}, {0, "2"}}
            << QByteArray("metr;kilometr;centimetr\r\n5000;5;500000\r\n2;0,002;200\r\n");
        QTest::newRow("tabs") << QStringList() << 1 << Conversions{{1, "5"}}
                              << QByteArray("metr\tkilometr\tcentimetr\r\n5000\t5\t500000\r\n");
        QTest::newRow("spaces, names as they are")
            << QStringList() << 2 << Conversions{{2, "12,5"}}
            << QByteArray("metr kilometr centimetr\r\n0,125 0,000125 12,5\r\n");
        QTest::newRow("one unit: no separators")
            << QStringList{"1|loket|lk|1||True"} << 0 << Conversions{{0, "3"}, {0, "4"}}
            << QByteArray("loket\r\n3\r\n4\r\n");
        QTest::newRow("a name a spreadsheet would split is quoted")
            << QStringList{"1|míra; \"stará\"|m|1||True", "1|sáh|s|2"} << 0 << Conversions{{1, "1"}}
            << QByteArray("\"míra; \"\"stará\"\"\";sáh\r\n2;1\r\n");
        QTest::newRow("no quotes between tabs")
            << QStringList{"1|míra; \"stará\"|m|1||True", "1|sáh|s|2"} << 1 << Conversions{{1, "1"}}
            << QByteArray("míra; \"stará\"\tsáh\r\n2\t1\r\n");
        QTest::newRow("a value that is not a number records nothing")
            << QStringList() << 0 << Conversions{{1, "x5"}, {1, "1"}}
            << QByteArray("metr;kilometr;centimetr\r\n1000;1;100000\r\n");
        // clang-format on
    }
    void recordsTheTableOfEachConversion()
    {
        QFETCH(QStringList, data);
        QFETCH(int, filter);
        QFETCH(Conversions, conversions);
        QFETCH(QByteArray, expected);
        MainWindow& w = windowOn(data);
        QCOMPARE(shownButtons(w), QStringLiteral("Rec"));
        record(w, out("zaznam"), filter);
        QCOMPARE(shownButtons(w), QStringLiteral("Pause Stop"));
        for (const auto& [row, text] : conversions)
            convert(w, row, text);
        triggerAction(&w, QStringLiteral("mnuRec_2"));
        QCOMPARE(shownButtons(w), QStringLiteral("Rec"));
        QCOMPARE(contents(out("zaznam")), expected);
    }

    // The dialog opens in the documents folder, or in the home folder where there is none, with
    // no file name offered; the next recording starts where the last one went.
    void theSaveDialogOffersThreeKindsFromTheDocumentsFolderThenTheLastOne_data()
    {
        QTest::addColumn<bool>("documents");
        QTest::addColumn<bool>("real");
        QTest::newRow("a home with Documents") << true << false;
        QTest::newRow("the real dialog, a home without Documents") << false << true;
    }

    void theSaveDialogOffersThreeKindsFromTheDocumentsFolderThenTheLastOne()
    {
        QFETCH(bool, documents);
        QFETCH(bool, real);
        const QString home = out(QStringLiteral("domov")), folder = documents ? home + "/Documents" : home;
        QVERIFY(QDir().mkpath(folder));
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.toLocal8Bit());
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", oldHome); });
        MainWindow& w = windowOn({});
        if (real) {
            useRealDialogs();
            QString shown;
            QTimer::singleShot(0, [&] {
                if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                    shown = d->directory().absolutePath() + u'|' + d->findChild<QLineEdit*>("fileNameEdit")->text();
                    d->reject();
                }
            });
            w.recorder()->command(QStringLiteral("Rec"));
            QCOMPARE(shown, folder + u'|');
            return;
        }
        record(w, out("a.csv"));
        triggerAction(&w, QStringLiteral("mnuRec_2"));
        record(w, out("b.csv"));
        const QList<DialogCall>& calls = fakeDialogs().calls();
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0].title, QStringLiteral("Název výstupního souboru"));
        QCOMPARE(calls[0].details,
                 QStringLiteral("CSV text oddělený středníky (*.csv)|text (oddělený tabulátory) (*.txt)|"
                                "formátovaný text (oddělený mezerami) (*.txt)"));
        QCOMPARE(calls[0].text, folder);
        QCOMPARE(calls[1].text, tmp_->path());
    }

    void pausedConversionsAreNotRecorded()
    {
        MainWindow& w = windowOn({});
        record(w, out("p.csv"));
        triggerAction(&w, QStringLiteral("mnuRec_1"));
        QCOMPARE(shownButtons(w), QStringLiteral("Start Stop"));
        convert(w, 1, QStringLiteral("5"));
        triggerAction(&w, QStringLiteral("mnuRec_0"));
        QCOMPARE(shownButtons(w), QStringLiteral("Pause Stop"));
        convert(w, 1, QStringLiteral("7"));
        triggerAction(&w, QStringLiteral("mnuRec_2"));
        QCOMPARE(contents(out("p.csv")), QByteArray("metr;kilometr;centimetr\r\n7000;7;700000\r\n"));
    }

    void cancellingTheDialogLeavesNoFileAndNoMessage()
    {
        MainWindow& w = windowOn({});
        fakeDialogs().answerSave(std::nullopt);
        triggerAction(&w, QStringLiteral("mnuRec_3"));
        QCOMPARE(shownButtons(w), QStringLiteral("Rec"));
        QVERIFY(!w.recorder()->isOpen());
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
        QCOMPARE(QDir(tmp_->path()).entryList(QDir::Files), QStringList());
    }

    void commandsThatDoNotFitTheStateDoNothing()
    {
        MainWindow& w = windowOn({});
        Recorder& r = *w.recorder();
        for (const char* stale : {"Pause", "Start", "Stop"})
            r.command(QLatin1String(stale));
        QCOMPARE(r.state(), QString());
        record(w, out("s.csv"));
        r.command(QStringLiteral("Start")); // not paused
        r.command(QStringLiteral("Rec"));   // already recording: no second dialog
        QCOMPARE(r.state(), QStringLiteral("Rec"));
        QCOMPARE(fakeDialogs().calls().size(), 1);
    }

    void aFileThatCannotBeWrittenStopsWithAWarning_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a full device") << QStringLiteral("/dev/full");
        QTest::newRow("a folder that is not there") << QStringLiteral("/nonexistent-folder/x.csv");
    }
    void aFileThatCannotBeWrittenStopsWithAWarning()
    {
        QFETCH(QString, path);
        MainWindow& w = windowOn({});
        record(w, path);
        QCOMPARE(shownButtons(w), QStringLiteral("Rec"));
        QVERIFY(!w.recorder()->isOpen());
        const QList<DialogCall> warned =
            fakeDialogs().messages(QStringLiteral("Záznam byl zastaven: do souboru %1 nelze zapisovat.").arg(path));
        QCOMPARE(warned.size(), 1);
        QCOMPARE(warned[0].icon, DialogService::Icon::Warning);
        QVERIFY(!warned[0].details.isEmpty()); // the system's reason
        // The conversion itself goes on as ever.
        convert(w, 1, QStringLiteral("5"));
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("5000"));
    }

    void aRecordThatDoesNotFitStopsAndKeepsTheLinesBefore()
    {
        MainWindow& w = windowOn({});
        record(w, out("limit.csv"));
        convert(w, 1, QStringLiteral("5"));
        const QByteArray before("metr;kilometr;centimetr\r\n5000;5;500000\r\n");
        QCOMPARE(contents(out("limit.csv")), before);

        // A file-size limit that the next record passes; tests run as root, so permission bits
        // would not stop the write.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit tight = old;
        tight.rlim_cur = rlim_t(before.size() + 4);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        convert(w, 1, QStringLiteral("7"));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(fakeDialogs()
                     .messages(QStringLiteral("Záznam byl zastaven: do souboru %1 nelze zapisovat.")
                                   .arg(QDir::toNativeSeparators(out("limit.csv"))))
                     .size(),
                 1);
        QCOMPARE(shownButtons(w), QStringLiteral("Rec"));
        QCOMPARE(contents(out("limit.csv")), before);
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("7000"));
        QCOMPARE(w.table()->cellText(2, 2), QStringLiteral("700000"));
        convert(w, 1, QStringLiteral("8"));
        QCOMPARE(contents(out("limit.csv")), before);
    }

    void whatChangesTheTableStopsTheRecording_data()
    {
        QTest::addColumn<WindowAction>("change");
        const WindowAction otherTopic = [](MainWindow& w) { triggerAction(&w, QStringLiteral("mnuTema_2")); };
        const WindowAction sameTopic = [](MainWindow& w) { triggerAction(&w, QStringLiteral("mnuTema_1")); };
        const WindowAction level = [](MainWindow& w) { triggerAction(&w, QStringLiteral("mnuU_1")); };
        // clang-format off
        QTest::newRow("another topic") << otherTopic;
        QTest::newRow("the topic shown again") << sameTopic;
        QTest::newRow("another level") << level;
        QTest::newRow("the about box") << WindowAction([](MainWindow& w) { triggerAction(&w, QStringLiteral("mnuOAplikaci")); });
        // clang-format on
    }
    void whatChangesTheTableStopsTheRecording()
    {
        QFETCH(WindowAction, change);
        MainWindow& w = windowOn({});
        record(w, out("t.csv"));
        convert(w, 1, QStringLiteral("5"));
        change(w);
        QVERIFY(!w.recorder()->isOpen());
        QCOMPARE(shownButtons(w), QStringLiteral("Rec"));
        w.recorder()->command(QStringLiteral("Start")); // a stale "Start": nothing happens
        convert(w, 0, QStringLiteral("3"));
        QCOMPARE(contents(out("t.csv")), QByteArray("metr;kilometr;centimetr\r\n5000;5;500000\r\n"));
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    // Paused, or resumed after a pause, a recording goes on across topics; each topic's lines
    // come under its own unit names.
    void aPausedOrResumedRecordingGoesOnAcrossTopics_data()
    {
        const auto act = [](const char* name) { return WindowAction([=](MainWindow& w) { triggerAction(&w, name); }); };
        const auto type = [](int row, const char* text) {
            return WindowAction([=](MainWindow& w) { convert(w, row, text); });
        };
        const auto mark = [](int row) {
            return WindowAction([=](MainWindow& w) {
                w.findChild<QTableWidget*>("msgTab")->setCurrentCell(row, 2);
                w.table()->focusGrid();
                keyToFocus(&w, Qt::Key_Insert);
            });
        };
        const WindowAction pause = act("mnuRec_1"), resume = act("mnuRec_0"), area = act("mnuTema_2"),
                           length = act("mnuTema_1");
        const QByteArray start("metr;kilometr;centimetr\r\n5000;5;500000\r\n"),
            areaBlock("metr čtvereční;ar\r\n300;3\r\n");
        QTest::addColumn<QList<WindowAction>>("steps");
        QTest::addColumn<QByteArray>("expected");
        // clang-format off
        QTest::newRow("paused, another topic, resumed") << QList{pause, area, resume, type(1, "3")} << start + areaBlock;
        QTest::newRow("resumed, another topic and back")
            << QList{pause, resume, area, type(1, "3"), length, type(1, "2")}
            << start + areaBlock + "metr;kilometr;centimetr\r\n2000;2;200000\r\n";
        QTest::newRow("resumed, another level") << QList{pause, resume, act("mnuU_1"), type(1, "2")} << start + "2000;2;200000\r\n";
        QTest::newRow("resumed, units hidden") << QList{pause, resume, mark(1), mark(2), act("mnuSkryt"), type(0, "2")}
                                               << start + "kilometr;centimetr\r\n2;200000\r\n";
        QTest::newRow("paused in another topic") << QList{pause, area, type(1, "3"), resume} << start;
        // clang-format on
    }
    void aPausedOrResumedRecordingGoesOnAcrossTopics()
    {
        QFETCH(QList<WindowAction>, steps);
        QFETCH(QByteArray, expected);
        MainWindow& w = windowOn({});
        record(w, out("t.csv"));
        convert(w, 1, QStringLiteral("5"));
        for (const WindowAction& step : steps)
            step(w);
        QVERIFY(w.recorder()->isOpen());
        triggerAction(&w, QStringLiteral("mnuRec_2"));
        QCOMPARE(contents(out("t.csv")), expected);
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    void recOnlyWithATopicThatHasUnits()
    {
        MainWindow& w = startedWindow();
        QVERIFY(!findAction(&w, QStringLiteral("mnuRec_3"))->isEnabled());
        QVERIFY(!findAction(&w, QStringLiteral("tlb_Rec"))->isEnabled());
        w.recorder()->command(QStringLiteral("Rec")); // no topic: not even the dialog
        QVERIFY(fakeDialogs().calls().isEmpty());
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        QVERIFY(findAction(&w, QStringLiteral("mnuRec_3"))->isEnabled());
        QVERIFY(findAction(&w, QStringLiteral("tlb_Rec"))->isEnabled());
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_3"))); // no units
        QVERIFY(!findAction(&w, QStringLiteral("tlb_Rec"))->isEnabled());
    }

    void shutDownClosesTheFile()
    {
        MainWindow& w = windowOn({});
        record(w, out("end.csv"));
        convert(w, 1, QStringLiteral("5"));
        fakeDialogs().answer(QMessageBox::Yes); // "Ukončit program?"
        w.shutDown();
        QVERIFY(w.ended());
        QVERIFY(!w.recorder()->isOpen());
        QCOMPARE(contents(out("end.csv")), QByteArray("metr;kilometr;centimetr\r\n5000;5;500000\r\n"));
    }
};

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
