// Start-up as the user lives it: a garbage setting, the SETUP switch, a second copy of the
// program, the stored level and start topic, a missing data file.
#include "fixture.h"
#include "gui/common.h"

#include "app/mainwindow.h"
#include "settings/singleinstance.h"
#include "settings/splash.h"
#include "table/conversiontable.h"
#include "table/workspace.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QThread>
#include <QPushButton>
#include <QTimer>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QLockFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>

#include <csignal>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {
const QString kSecondCopy =
    QStringLiteral("Je nastavena volba Spouštět pouze 1 instanci programu. Aplikace omniVELOR je již spuštěna.\r\n\r\n"
                   "Aplikace bude ukončena.");

int rows(const QWidget* w) { return w->findChild<QTableWidget*>(QStringLiteral("msgTab"))->rowCount(); }

// Waits until the process sleeps with its processor time unchanged for a while: it waits
// for the user. False when it ended or did not come to rest in time.
bool waitUntilResting(qint64 pid)
{
    QByteArray last;
    for (int quiet = 0, round = 0; round < 600; ++round, QThread::msleep(50)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        // After the name: the state, ..., user and system time as the 12th and 13th fields.
        const QList<QByteArray> f = stat.readAll().split(')').last().split(' ');
        const QByteArray now = f.value(1) + f.value(12) + ' ' + f.value(13);
        quiet = now == last && f.value(1) == "S" ? quiet + 1 : 0;
        if (quiet == 6)
            return true;
        last = now;
    }
    return false;
}

} // namespace

class StartupTest : public WindowTestCase {
    Q_OBJECT
private slots:
    // The session ending (or kill) ends the program as closing its window does, but without
    // a question nobody may be there to answer: the placement, counters and names stored.
    void aTerminationSignalEndsWithoutQuestions_data()
    {
        QTest::addColumn<QString>("safeEnd");
        QTest::newRow("no question wanted") << "0";
        QTest::newRow("question wanted") << "1";
    }
    void aTerminationSignalEndsWithoutQuestions()
    {
        QFETCH(QString, safeEnd);
        TestEnvironment& env = environment();
        env.setSetting("Obecne/SafeEnd", safeEnd);
        env.setSetting("Obecne/Prevedeno", "10");
        MainWindow& w = startedWindow();
        w.resize(640, 480);
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        convert(w, 0, QStringLiteral("5"));
        ::raise(SIGTERM);
        ::raise(SIGTERM); // two before the loop comes round are one request
        QTRY_VERIFY(w.ended());
        QCOMPARE(fakeDialogs().calls().size(), 0);
        QCOMPARE(env.setting("Start/Width"), QString::number(640 * 15));
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("11"));
        QVERIFY(!w.isVisible());
    }

    void aTerminationSignalDuringStartUpEndsOnceStarted()
    {
        TestEnvironment& env = environment();
        env.useSmallData();
        env.setSetting("Obecne/SafeEnd", "1");
        MainWindow& w = mainWindow();
        ::raise(SIGTERM); // read by the splash window's round of events, mid start-up
        QVERIFY(w.start({"omnivelor"}));
        QVERIFY(!w.ended());
        QTRY_VERIFY(w.ended());
        QCOMPARE(fakeDialogs().calls().size(), 0);
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
        QCOMPARE(env.setting("Start/Vlevo"), QString::number(w.workspace()->splitterPosition()));
    }

    void aTerminationSignalWhileTheQuestionIsOpenStoresTheRunOnce()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/SafeEnd", "1");
        env.setSetting("Obecne/Prevedeno", "10");
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        convert(w, 0, QStringLiteral("5"));
        fakeDialogs().whileShown([](const DialogCall&) {
            ::raise(SIGTERM);
            QCoreApplication::processEvents();
        });
        fakeDialogs().answer(QMessageBox::Yes); // "Ukončit program?", answered after the signal
        QVERIFY(triggerAction(&w, QStringLiteral("mnuKonec")));
        QVERIFY(w.ended());
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("11"));
    }

    // The real program, killed as a logout kills it: it ends by itself, at once, in every state.
    void theProgramEndsWithinASecondOfATerminationSignal_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("missingData");
        QTest::addColumn<QString>("stored");
        QTest::newRow("the SETUP options dialog") << QStringList{"SETUP"} << false << "Obecne/Prevedeno";
        QTest::newRow("a box during start-up") << QStringList() << true << "Obecne/Prevedeno";
        QTest::newRow("running") << QStringList() << false << "Start/Width";
    }
    void theProgramEndsWithinASecondOfATerminationSignal()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, missingData);
        QFETCH(QString, stored);
        TestEnvironment& env = environment();
        env.useSmallData();
        if (missingData)
            env.setSetting("Obecne/Path", env.folder() + "/chybi.omv");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(OV_PROGRAM), arguments);
        QVERIFY(program.waitForStarted());
        const auto noneLeft = qScopeGuard([&] {
            program.kill();
            program.waitForFinished();
        });
        QVERIFY(waitUntilResting(program.processId()));
        QVERIFY(!env.hasSetting(stored));
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed()) + " ms"));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit); // not the signal's default end
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(env.hasSetting(stored));
    }

    void qtTextsAreCzech()
    {
        QVERIFY(installQtTranslation());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ano"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Ne"));
    }

    void realSettingsQuestionLooksAsTheUserKnowsIt()
    {
        useRealDialogs();
        QVERIFY(installQtTranslation());
        QString title, text, details, defaultText;
        QStringList buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        // The real box, read and answered with Enter the moment it is open.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            details = box->informativeText();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            defaultText = box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        const auto answer = dialogs().messageWithDetails(
            nullptr, DialogService::Icon::Critical, "Chyba inicializace", "Chyba načítání z registrů.", "Start/Grid",
            QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Ignore);
        QCOMPARE(answer, QMessageBox::Ignore);
        QCOMPARE(title, QStringLiteral("Chyba inicializace"));
        QCOMPARE(text, QStringLiteral("Chyba načítání z registrů."));
        QCOMPARE(details, QStringLiteral("Start/Grid"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons.size(), 3);
        QVERIFY2(buttons.contains("Ignorovat"), qPrintable(buttons.join(", ")));
        QCOMPARE(defaultText, QStringLiteral("Ignorovat"));
    }

    void garbageSettingAsksAndTheProgramStarts()
    {
        TestEnvironment& env = environment();
        env.useSmallData();
        env.setSetting("Start/Grid", "mřížka");
        FakeDialogs& fake = fakeDialogs();
        fake.answer(QMessageBox::Ignore);
        fake.answer(QMessageBox::Ignore);
        MainWindow& w = mainWindow();
        // The settings are read while the splash window is up and the main window is not.
        QStringList seen;
        fake.whileShown([&](const DialogCall&) {
            seen << QStringLiteral("%1 %2 %3").arg(w.splash()->isVisible()).arg(w.splash()->text()).arg(w.isVisible());
        });
        QVERIFY(w.start({"omnivelor"}));
        QCOMPARE(seen, QStringList(2, QStringLiteral("1 Nahrává se omniVELOR 0")));
        QCOMPARE(fake.messages("Chyba načítání z registrů.").size(), 2);
        QCOMPARE(fake.calls().first().title, QStringLiteral("Chyba inicializace"));
        QVERIFY(w.isVisible());
        QVERIFY(!w.table()->options().gridLines);
        QCOMPARE(fake.pendingAnswers(), 0);
        // A whole session leaves the value for the user to mend.
        fake.answer(QMessageBox::Yes);
        w.close();
        QVERIFY(w.ended());
        QCOMPARE(env.setting("Start/Grid"), QStringLiteral("mřížka"));
    }

    void abortStartsWithTheDefaults()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/SafeEnd", "možná");
        FakeDialogs& fake = fakeDialogs();
        fake.answer(QMessageBox::Abort);
        MainWindow& w = startedWindow();
        QCOMPARE(fake.calls().size(), 1);
        // The data files were read before the bad value: the topics are there.
        QCOMPARE(context().db.unitCount(1), 3);
        QCOMPARE(w.windowTitle(), QStringLiteral("omniVELOR 1.41"));
    }

    void setupSwitchOffersToEnd_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("upper case") << QStringList{"omnivelor", "SETUP"};
        QTest::newRow("lower case") << QStringList{"omnivelor", "setup"};
        QTest::newRow("inside an argument") << QStringList{"omnivelor", "/SetUp"};
    }

    void setupSwitchOffersToEnd()
    {
        QFETCH(QStringList, arguments);
        TestEnvironment& env = environment();
        env.useSmallData();
        FakeDialogs& fake = fakeDialogs();
        fake.actInDialog([](QDialog& options) { options.reject(); });
        fake.answer(QMessageBox::Yes);
        MainWindow& w = mainWindow();
        QVERIFY(!w.start(arguments));
        // The options dialog comes first, then the two boxes.
        QCOMPARE(fake.calls().first().kind, QStringLiteral("dialog"));
        QCOMPARE(fake.calls().first().title, QStringLiteral("Možnosti"));
        QCOMPARE(fake.messageTexts(), (QStringList{"Spusťte aplikaci znovu.", "Ukončit program?"}));
        QCOMPARE(fake.calls().at(1).icon, DialogService::Icon::Information);
        QCOMPARE(fake.calls().at(1).title, QStringLiteral("omniVELOR"));
        QVERIFY(w.ended());
        QVERIFY(!w.isVisible());
        // Nothing of a window that was never placed is kept, and no start is counted.
        QVERIFY(!env.hasSetting("Start/Left"));
        QVERIFY(!env.hasSetting("Start/Vlevo"));
        QVERIFY(!env.hasSetting("Start/Spusteno"));
    }

    // The desktop's search starts the window on a topic with a value entered in one unit.
    void commandLineOpensATopicWithAValue_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("row");       // the current row
        QTest::addColumn<QString>("metre"); // the first unit's value
        // clang-format off
        QTest::newRow("unit by name") << QStringList{"--tema", "1", "--jednotka", "kilometr", "--hodnota", "5"} << 1 << 1
                                      << "5000";
        QTest::newRow("unit by symbol") << QStringList{"--tema", "1", "--jednotka", "cm", "--hodnota", "250"} << 1 << 2
                                        << "2,5";
        QTest::newRow("unit by number, options with =")
            << QStringList{"--tema=1", "--jednotka=2", "--hodnota=2,5"} << 1 << 1 << "2500";
        QTest::newRow("other topic") << QStringList{"--hodnota", "3", "--jednotka", "a", "--tema", "2"} << 2 << 1 << "300";
        QTest::newRow("a value named setup is no set-up switch")
            << QStringList{"--tema", "1", "--jednotka", "setup", "--hodnota", "5"} << 1 << 0 << "";
        QTest::newRow("topic only") << QStringList{"--tema", "2"} << 2 << 0 << "";
        QTest::newRow("topic without units: the start screen") << QStringList{"--tema", "9", "--hodnota", "5"} << 0 << 0
                                                               << "";
        // clang-format on
    }
    void commandLineOpensATopicWithAValue()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, topic);
        QFETCH(int, row);
        QFETCH(QString, metre);
        MainWindow& w = startedWindow(Data::Small, QStringList{"omnivelor"} + arguments);
        QVERIFY(fakeDialogs().calls().isEmpty());
        QCOMPARE(w.table()->currentTopic(), topic);
        if (topic == 0)
            return;
        QCOMPARE(w.table()->currentRow(), row);
        QCOMPARE(w.table()->cellText(0, 2), metre);
    }

    void setupDeclinedGoesOnStarting()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        fake.actInDialog([](QDialog& options) { options.reject(); });
        fake.answer(QMessageBox::No);
        MainWindow& w = startedWindow(Data::Small, {"omnivelor", "setup"});
        QVERIFY(w.isVisible());
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
        QCOMPARE(rows(&w), 0);
        // The next shut-down stores the real placement.
        fake.answer(QMessageBox::Yes);
        w.close();
        QCOMPARE(env.setting("Start/Width"), QString::number(w.width() * 15));
        QCOMPARE(env.setting("Start/Vlevo"), QString::number(kDefaultSplitterTwips));
    }

    void secondCopyIsRefused()
    {
        TestEnvironment& env = environment();
        env.useSmallData();
        env.setSetting("Start/OnlyOne", "1");
        env.setSetting("Start/Spusteno", "7");
        SingleInstance first;
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        FakeDialogs& fake = fakeDialogs();
        {
            TestApp secondApp;
            MainWindow& second = *secondApp;
            QVERIFY(!second.start({"omnivelor"}));
            QCOMPARE(fake.messageTexts(), QStringList{kSecondCopy});
            QCOMPARE(fake.calls().first().icon, DialogService::Icon::Information);
            QVERIFY(!second.isVisible());
        }
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("7"));
        // The running copy is asked to come to the front.
        QVERIFY(raised.count() > 0 || raised.wait(2000));
    }

    void secondCopyRunsWhenAllowed()
    {
        TestEnvironment& env = environment();
        env.useSmallData();
        SingleInstance first;
        QVERIFY(first.claim());
        FakeDialogs& fake = fakeDialogs();
        TestApp secondApp;
        MainWindow& second = *secondApp;
        QVERIFY(second.start({"omnivelor"}));
        QVERIFY(fake.calls().isEmpty());
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
    }

    void lockOfAFinishedCopyDoesNotCount()
    {
        TestEnvironment& env = environment();
        env.setSetting("Start/OnlyOne", "1");
        {
            SingleInstance earlier;
            QVERIFY(earlier.claim());
        }
        FakeDialogs& fake = fakeDialogs();
        startedWindow();
        QVERIFY(fake.calls().isEmpty());
    }

    void storedLevelReloadsTheDataFiles()
    {
        TestEnvironment& env = environment();
        QStringList data = smallMainData();
        data.insert(3, QStringLiteral("1|*palec|in|0.0254"));
        env.useData(data);
        env.setSetting("Obecne/Uroven", "1");
        env.setSetting("Start/Tema", "1");
        MainWindow& w = startedWindow(Data::AsWritten);
        QVERIFY(findAction(&w, "mnuU_1")->isChecked());
        QCOMPARE(context().db.unitCount(1), 3);
        QCOMPARE(rows(&w), 3);
        QCOMPARE(w.table()->currentTopic(), 1);
    }

    void storedPreferencesReachTheWindow_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("checked");
        // clang-format off
        QTest::newRow("format fixed") << "Obecne/Presnost" << "3" << "mnuFormatZ_3" << true;
        QTest::newRow("large icons") << "Obecne/Veliciny" << "IKONY" << "mnuIkony_0" << true;
        QTest::newRow("unit list") << "Obecne/Navigator" << "jednotky" << "mnuNavigator_2" << true;
        QTest::newRow("no preview") << "Obecne/Nahled" << "False" << "mnuNahled" << false;
        QTest::newRow("no preview button") << "Obecne/Nahled" << "False" << "tlb_Náhled" << false;
        QTest::newRow("information") << "Obecne/Informace" << "True" << "mnuInfo" << true;
        QTest::newRow("information button") << "Obecne/Informace" << "True" << "tlb_Info" << true;
        QTest::newRow("magnifier without start topic") << "Obecne/Lupa" << "True" << "mnuLupa" << false;
        // clang-format on
    }

    void storedPreferencesReachTheWindow()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, action);
        QFETCH(bool, checked);
        TestEnvironment& env = environment();
        env.setSetting(key, value);
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        // A toolbar switch is checked as the user sees it, on the button itself.
        if (action.startsWith("tlb_")) {
            auto* button = findNamed<QToolButton>(&w, action);
            QVERIFY(button);
            QCOMPARE(button->isChecked(), checked);
        } else {
            QAction* a = findAction(&w, action);
            QVERIFY(a);
            QCOMPARE(a->isChecked(), checked);
        }
        QVERIFY(fake.calls().isEmpty());
    }

    void storedNumbersReachTheCaptions()
    {
        TestEnvironment& env = environment();
        env.setSetting("Start/NumBase", "16");
        env.setSetting("Obecne/Fix", "4");
        env.setSetting("Start/Grid", "1");
        MainWindow& w = startedWindow();
        QCOMPARE(findAction(&w, "mnuSoustava_3")->text(), QStringLiteral("Vlast&ní (16)"));
        QCOMPARE(findAction(&w, "mnuFormatZ_3")->text(), QStringLiteral("Pevný počet (4)"));
        QVERIFY(w.table()->options().gridLines);
    }

    void unitListAtStartHasTheFocus()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/Navigator", "Jednotky");
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* units = w.findChild<QListWidget*>(QStringLiteral("lvwJednotky"));
        QCOMPARE(QApplication::focusWidget(), units);
        QCOMPARE(units->currentRow(), 0);
    }

    void missingDataFileIsReportedOnce()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/Path", env.folder() + "/chybi.omv");
        env.setSetting("Obecne/PathUser", env.folder() + "/chybi-user.omv");
        env.setSetting("Obecne/Uroven", "2");
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow(Data::AsWritten);
        QCOMPARE(fake.calls().size(), 1);
        QCOMPARE(fake.calls().first().icon, DialogService::Icon::Critical);
        QVERIFY2(fake.calls().first().text.startsWith("Soubor Omnivel.omv nebyl nalezen."),
                 qPrintable(fake.calls().first().text));
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
