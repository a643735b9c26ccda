// The settings file as the user has it: what an empty file gives, the text forms, and the
// Abort/Retry/Ignore question for a value that cannot be used.
#include "fixture.h"
#include "settings/datafolder.h"
#include "settings/preferences.h"

#include <QCoreApplication>
#include <QFile>

using namespace ov::gui;
using namespace ov::gui::test;

class SettingsTest : public WindowTestCase {
    Q_OBJECT

    // Reads the settings into p with "Ignorovat" for an answer: the one question asked names `what`.
    void readIgnoringTheOneQuestion(Preferences& p, const QString& what)
    {
        FakeDialogs& fake = fakeDialogs();
        fake.answer(QMessageBox::Ignore);
        SettingsStore store;
        QVERIFY(readPreferences(store, p));
        QCOMPARE(fake.calls().size(), 1);
        QVERIFY2(fake.calls().first().details.contains(what), qPrintable(fake.calls().first().details));
    }

private slots:
    void fileIsInTheConfigurationFolder()
    {
        TestEnvironment& env = environment();
        QCOMPARE(SettingsStore::defaultFilePath(), env.iniPath());
        SettingsStore store;
        store.setBoolean(Key::OnTop, true);
        store.setInteger(Key::SplitterPosition, 1800);
        store.setNavigatorText(false, 3, QStringLiteral("Můj objem"));
        QVERIFY(store.sync());
        QCOMPARE(env.setting(QStringLiteral("Obecne/OnTop")), QStringLiteral("True"));
        QCOMPARE(env.setting(QStringLiteral("Start/Vlevo")), QStringLiteral("1800"));
        QCOMPARE(env.setting(QStringLiteral("Navigator/S3")), QStringLiteral("Můj objem"));
    }

    void emptyStoreGivesTheFirstRunState()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        SettingsStore store;
        Preferences p;
        QVERIFY(readPreferences(store, p));
        QVERIFY(fake.calls().isEmpty());
        const QString dir = QCoreApplication::applicationDirPath();
        QCOMPARE(p.path, dir + QStringLiteral("/Omnivel.omv"));
        QCOMPARE(p.pathUser, dir + QStringLiteral("/User.omv"));
        QCOMPARE(p.safeEnd, 1);
        QCOMPARE(p.numBase, 12);
        QCOMPARE(p.numBaseDec, 6);
        QCOMPARE(p.fractionSensitivity, 3);
        QCOMPARE(p.fixText, QStringLiteral("2"));
        QCOMPARE(p.startTopic, 0);
        QCOMPARE(p.level, 0);
        QVERIFY(p.showPreview);
        QVERIFY(!p.showMagnifier);
        QVERIFY(!p.showInfo);
        QCOMPARE(p.topicView, 1);
        QCOMPARE(p.navigator, 0);
        QCOMPARE(p.coloredColor, -2147483634);
        QCOMPARE(p.fontName, QStringLiteral("MS Sans Serif"));
        // Reading writes nothing.
        QVERIFY(!QFile::exists(env.iniPath()));
    }

    void emptyStoreReadsAsADefaultPreferences()
    {
        SettingsStore store;
        Preferences read;
        QVERIFY(readPreferences(store, read));
        Preferences defaults;
        defaults.path = programFolderPath(defaults.file);
        defaults.pathUser = programFolderPath(defaults.fileUser);
        // "Leave the navigator as it is" is what a text other than the two known ones means.
        defaults.topicView = 1;
        defaults.navigator = 0;
        QVERIFY(read == defaults);
    }

    void everyWrittenPreferenceReadsBackTheSame()
    {
        Preferences p;
        p.file = "Jednotky.omv";
        p.path = environment().folder() + "/Jednotky.omv";
        p.fileUser = "Moje.omv";
        p.pathUser = environment().folder() + "/Moje.omv";
        p.safeEnd = 0;
        p.onlyOne = 1;
        p.gridOption = p.gridLines = 1;
        p.numBase = 7;
        p.numBaseDec = 3;
        p.fractionSensitivity = 5;
        p.fix = 4;
        p.fixText = "4";
        p.startTopic = 16;
        p.level = 2;
        p.showPreview = false;
        p.showMagnifier = p.showInfo = p.onTop = true;
        p.displayFormat = 3;
        p.topicView = 0;
        p.navigator = 1;
        p.colored = 0;
        p.coloredColor = 0x00FF8040;
        p.evaluateExpressions = true;
        p.startHint = false;
        p.fontName = "DejaVu Sans Mono";
        p.fontSize = 10.5;
        p.fontBold = p.fontItalic = true;
        p.startCount = 12;
        p.conversionTotal = 345;
        SettingsStore store;
        for (int k = 0; k < int(Key::Count); ++k)
            if (isWritten(Key(k)))
                writePreferences(store, p, {Key(k)});
        QVERIFY(store.sync());
        Preferences read;
        QVERIFY(readPreferences(store, read));
        read.totalSeconds = p.totalSeconds; // the running time is read by shut-down, not here
        QVERIFY(read == p);
        QVERIFY(fakeDialogs().calls().isEmpty());
    }

    void storedValuesAreRead_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("path follows the file name") << "Obecne/File" << "Jiny.omv" << "path"
                                                    << QCoreApplication::applicationDirPath() + "/Jiny.omv";
        QTest::newRow("icons in lower case") << "Obecne/Veliciny" << "ikony" << "veliciny" << "0";
        QTest::newRow("unit list in upper case") << "Obecne/Navigator" << "JEDNOTKY" << "navigator" << "1";
        QTest::newRow("unknown view changes nothing") << "Obecne/Veliciny" << "Dlaždice" << "veliciny" << "-1";
        QTest::newRow("magnifier needs a start topic") << "Obecne/Lupa" << "True" << "lupa" << "0";
        QTest::newRow("boolean any case") << "Obecne/OnTop" << "tRUE" << "onTop" << "1";
        QTest::newRow("fixed decimals") << "Obecne/Fix" << "4" << "fixText" << "4";
        QTest::newRow("custom base") << "Start/NumBase" << "16" << "numBase" << "16";
        // clang-format on
    }

    void storedValuesAreRead()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        TestEnvironment& env = environment();
        env.setSetting(key, value);
        SettingsStore store;
        Preferences p;
        QVERIFY(readPreferences(store, p));
        const QHash<QString, QString> seen{
            {"path", p.path},
            {"veliciny", QString::number(p.topicView)},
            {"navigator", QString::number(p.navigator)},
            {"lupa", QString::number(p.showMagnifier)},
            {"onTop", QString::number(p.onTop)},
            {"fixText", p.fixText},
            {"numBase", QString::number(p.numBase)},
        };
        QCOMPARE(seen.value(field), expected);
    }

    void magnifierWithStartTopic()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/Lupa", "True");
        env.setSetting("Start/Tema", "3");
        SettingsStore store;
        Preferences p;
        readPreferences(store, p);
        QVERIFY(p.showMagnifier);
        QCOMPARE(p.startTopic, 3);
    }

    void garbageGridAsksTwiceAndReadingGoesOn()
    {
        TestEnvironment& env = environment();
        env.setSetting("Start/Grid", "ano");
        env.setSetting("Start/NumBase", "16");
        FakeDialogs& fake = fakeDialogs();
        fake.answer(QMessageBox::Ignore);
        fake.answer(QMessageBox::Ignore);
        SettingsStore store;
        Preferences p;
        QVERIFY(readPreferences(store, p));
        QCOMPARE(fake.calls().size(), 2);
        for (const DialogCall& c : fake.calls()) {
            QCOMPARE(c.text, QStringLiteral("Chyba načítání z registrů."));
            QCOMPARE(c.title, QStringLiteral("Chyba inicializace"));
            QCOMPARE(c.icon, DialogService::Icon::Critical);
            QCOMPARE(c.buttons, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
            QCOMPARE(c.defaultButton, QMessageBox::Ignore);
            // The user learns which value it was.
            QVERIFY2(c.details.contains("Start/Grid") && c.details.contains("„ano“"), qPrintable(c.details));
        }
        QCOMPARE(p.gridLines, 0);
        QCOMPARE(p.numBase, 16);
        // The garbage stays in the file for the user to mend.
        QCOMPARE(env.setting("Start/Grid"), QStringLiteral("ano"));
    }

    void abortStopsReadingWithDefaults()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/SafeEnd", "x");
        env.setSetting("Start/OnlyOne", "1");
        env.setSetting("Start/NumBase", "16");
        FakeDialogs& fake = fakeDialogs();
        fake.answer(QMessageBox::Abort);
        SettingsStore store;
        Preferences p;
        QVERIFY(!readPreferences(store, p));
        QCOMPARE(fake.calls().size(), 1);
        QCOMPARE(p.safeEnd, 1);
        QCOMPARE(p.onlyOne, 0);
        QCOMPARE(p.numBase, 12);
        // What was read before the bad value stays.
        QCOMPARE(p.path, QCoreApplication::applicationDirPath() + "/Omnivel.omv");
    }

    void retryReadsTheMendedFile()
    {
        TestEnvironment& env = environment();
        env.setSetting("Start/NumBase", "dvanáct");
        FakeDialogs& fake = fakeDialogs();
        SettingsStore store;
        // The user mends the file while the question is on screen, then chooses Retry.
        fake.answer(QMessageBox::Retry);
        fake.whileShown([&](const DialogCall&) { env.setSetting("Start/NumBase", "20"); });
        Preferences p;
        QVERIFY(readPreferences(store, p));
        QCOMPARE(fake.calls().size(), 1);
        QCOMPARE(p.numBase, 20);
    }

    void unusableValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        // clang-format off
        QTest::newRow("base below 2") << "Start/NumBase" << "1";
        QTest::newRow("base above 32") << "Start/NumBase" << "33";
        QTest::newRow("level 4") << "Obecne/Uroven" << "4";
        QTest::newRow("format text") << "Obecne/Presnost" << "vědecké";
        QTest::newRow("start topic 27") << "Start/Tema" << "27";
        QTest::newRow("boolean word") << "Obecne/Nahled" << "ano";
        QTest::newRow("fixed decimals 10") << "Obecne/Fix" << "10";
        QTest::newRow("empty counter") << "Start/Spusteno" << "";
        QTest::newRow("colour too large") << "Obecne/ColoredColor" << "4294967295";
        // clang-format on
    }

    void unusableValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        environment().setSetting(key, value);
        Preferences p;
        readIgnoringTheOneQuestion(p, key);
        const Preferences defaults;
        QCOMPARE(p.numBase, defaults.numBase);
        QCOMPARE(p.level, defaults.level);
        QCOMPARE(p.displayFormat, defaults.displayFormat);
        QCOMPARE(p.startTopic, defaults.startTopic);
        QCOMPARE(p.showPreview, defaults.showPreview);
        QCOMPARE(p.fixText, defaults.fixText);
    }

    void damagedFileIsReportedOnceAndReadAsFarAsPossible()
    {
        TestEnvironment& env = environment();
        QFile f(env.iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Start\nGrid=1\n\x01\xff garbage\n[Obecne]\nSafeEnd=0\n");
        f.close();
        Preferences p;
        readIgnoringTheOneQuestion(p, QStringLiteral("poškozený"));
        QCOMPARE(p.safeEnd, 0);
    }

    void runningTimeTextForm()
    {
        TestEnvironment& env = environment();
        SettingsStore store;
        QCOMPARE(store.seconds(Key::TotalTime), 0);
        store.setSeconds(Key::TotalTime, 90061);
        QCOMPARE(store.text(Key::TotalTime), QStringLiteral("25:01:01"));
        QCOMPARE(store.seconds(Key::TotalTime), 90061);
        env.setSetting("Obecne/Doba", "0,5");
        store.sync();
        QCOMPARE(store.seconds(Key::TotalTime), 43200);
        env.setSetting("Obecne/Doba", "dlouho");
        store.sync();
        QVERIFY_THROWS_EXCEPTION(SettingError, store.seconds(Key::TotalTime));
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
