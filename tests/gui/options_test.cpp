// The options dialog "Možnosti" as the user works it: typing into the number fields, OK and
// Storno, the file and colour choices, the statistics and the set-up switch.
#include "fixture.h"

#include "gui/commands.h"
#include "navigation/navigator.h"
#include "settings/optionsdialog.h"
#include "table/conversiontable.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

template <class T> T* control(QDialog& d, const QString& name)
{
    T* c = d.findChild<T*>(name);
    if (!c)
        QTest::qFail(qPrintable(QStringLiteral("No control ") + name), __FILE__, __LINE__);
    return c;
}

// A click where the user aims: a check or option button on its box, a push button anywhere.
void click(QDialog& d, const QString& name)
{
    auto* b = control<QAbstractButton>(d, name);
    if (!b)
        return;
    const bool boxed = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, boxed ? QPoint(8, b->height() / 2) : b->rect().center());
}

// Selects the field's text and types over it, as a user replacing a value.
void typeInto(QDialog& d, const QString& name, const QString& text)
{
    auto* tabs = control<QTabWidget>(d, "tbsOptions");
    QLineEdit* e = control<QLineEdit>(d, name);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(e))
            tabs->setCurrentIndex(i);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
}

// Check boxes off by default whose choice is stored for the next start.
constexpr const char* kNextStartBoxes[] = {"chkOnTop", "chkPamatovatOznacene", "chkUkladatHistorii"};

QString labelText(QDialog& d, const QString& name) { return control<QLabel>(d, name)->text(); }

} // namespace

class OptionsTest : public WindowTestCase {
    Q_OBJECT

    // Opens "Možnosti" from the menu; `user` acts in it.
    void options(MainWindow& w, std::function<void(QDialog&)> user)
    {
        fakeDialogs().actInDialog(std::move(user));
        QVERIFY(triggerAction(&w, "mnuOptions"));
    }

private slots:
    void numberFieldsTakeWholeNumbersInTheirRange_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        // clang-format off
        QTest::newRow("base above range") << "txtNumBase" << "33" << "Musí být číslo mezi 2 a 32";
        QTest::newRow("base at the top") << "txtNumBase" << "32" << "";
        QTest::newRow("base as letters") << "txtNumBase" << "abc" << "Musí být číslo mezi 2 a 32";
        QTest::newRow("base with exponent") << "txtNumBase" << "1e1" << "Musí být číslo mezi 2 a 32";
        QTest::newRow("places minus zero") << "txtNumBaseDec" << "-0" << "Musí být číslo mezi 1 a 16";
        QTest::newRow("fraction with comma") << "txtCit" << "1,5" << "Musí být číslo mezi 1 a 9";
        QTest::newRow("fraction empty") << "txtCit" << "" << "Musí být číslo mezi 1 a 9";
        QTest::newRow("fixed zero") << "txtFix" << "0" << "";
        QTest::newRow("fixed ten") << "txtFix" << "10" << "Musí být číslo mezi 0 a 9";
        // clang-format on
    }

    void numberFieldsTakeWholeNumbersInTheirRange()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        MainWindow& w = startedWindow();
        FakeDialogs& fake = fakeDialogs();
        options(w, [&](QDialog& d) {
            control<QComboBox>(d, "cboPresnost")->setCurrentIndex(3); // txtFix is enabled for it
            typeInto(d, field, typed);
            QLineEdit* e = control<QLineEdit>(d, field);
            QTest::keyClick(e, Qt::Key_Tab);
            if (message.isEmpty()) {
                QVERIFY(fake.messageTexts().isEmpty());
                QVERIFY(!e->hasFocus());
            } else {
                QCOMPARE(fake.messageTexts(), QStringList{message});
                QCOMPARE(fake.calls().last().icon, DialogService::Icon::Information);
                QCOMPARE(fake.calls().last().title, QStringLiteral("omniVELOR"));
                QVERIFY(e->hasFocus());
            }
            click(d, "cmdStorno");
        });
    }

    void enterOnOkChecksTheFieldsItself()
    {
        MainWindow& w = startedWindow();
        FakeDialogs& fake = fakeDialogs();
        options(w, [&](QDialog& d) {
            typeInto(d, "txtCit", "12");
            QTest::keyClick(control<QLineEdit>(d, "txtCit"), Qt::Key_Return);
            QCOMPARE(fake.messageTexts(), QStringList{"Musí být číslo mezi 1 a 9"});
            QVERIFY(d.isVisible());
            QVERIFY(control<QLineEdit>(d, "txtCit")->hasFocus());
            click(d, "cmdStorno");
        });
        QVERIFY(!environment().hasSetting("Obecne/ZCitlivost"));
    }

    void fixedDecimalsOnlyForTheFixedFormat()
    {
        MainWindow& w = startedWindow();
        options(w, [&](QDialog& d) {
            auto* format = control<QComboBox>(d, "cboPresnost");
            for (int i = 0; i < 4; ++i) {
                format->setCurrentIndex(i);
                QCOMPARE(control<QLineEdit>(d, "txtFix")->isEnabled(), i == 3);
            }
            click(d, "cmdStorno");
        });
    }

    void cancelStoresNothingAndShowsTheEarlierValuesNextTime()
    {
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        FakeDialogs& fake = fakeDialogs();
        QFile ini(env.iniPath());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray before = ini.readAll();
        ini.close();
        const QString other = env.writeFile("Jiný.omv", smallMainData());
        fake.answerFile(other);
        fake.answerColour(QColor(1, 2, 3));
        options(w, [&](QDialog& d) {
            click(d, "cmdCesta_0");
            QCOMPARE(control<QLineEdit>(d, "txtCesta_0")->text(), QDir::toNativeSeparators(other));
            click(d, "cmdBarva");
            for (const char* box : {"chkSafeEnd", "chkOnTop", "chkZobrazeni_1", "chkGrid", "chkOnlyOne", "chkColored",
                                    "chkVyrazy", "chkPamatovatOznacene", "chkUkladatHistorii"})
                click(d, box);
            click(d, "optUroven_3");
            click(d, "optNavigator_1");
            control<QComboBox>(d, "cboPresnost")->setCurrentIndex(2);
            control<QComboBox>(d, "cboTema")->setCurrentIndex(5);
            typeInto(d, "txtNumBase", "16");
            click(d, "cmdStorno");
        });
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), before);
        QCOMPARE(context().prefs.path, env.folder() + "/Omnivel.omv");
        QCOMPARE(context().prefs.file, QStringLiteral("Omnivel.omv"));
        QVERIFY(!w.commands()->isPressed("Lupa"));
        QCOMPARE(w.navigator()->shownList(), Navigator::TopicList);
        options(w, [&](QDialog& d) {
            QCOMPARE(control<QLineEdit>(d, "txtCesta_0")->text(),
                     QDir::toNativeSeparators(env.folder() + "/Omnivel.omv"));
            QVERIFY(control<QCheckBox>(d, "chkSafeEnd")->isChecked());
            QVERIFY(!control<QCheckBox>(d, "chkZobrazeni_1")->isChecked());
            QVERIFY(control<QRadioButton>(d, "optUroven_0")->isChecked());
            QCOMPARE(control<QComboBox>(d, "cboTema")->currentIndex(), 0);
            QCOMPARE(control<QLineEdit>(d, "txtNumBase")->text(), QStringLiteral("12"));
            click(d, "cmdStorno");
        });
    }

    void okAppliesPanesFormatAndBases()
    {
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        options(w, [&](QDialog& d) {
            click(d, "chkZobrazeni_1"); // magnifier on
            click(d, "chkZobrazeni_0"); // preview off
            control<QComboBox>(d, "cboPresnost")->setCurrentIndex(3);
            typeInto(d, "txtFix", "4");
            typeInto(d, "txtNumBase", "16");
            click(d, "cmdOK");
            QVERIFY(!d.isVisible());
        });
        Commands& c = *w.commands();
        QVERIFY(c.isPressed("Lupa"));
        QVERIFY(!c.isPressed("Náhled"));
        QVERIFY(!w.table()->resultLineVisible());
        QCOMPARE(c.formatIndex(), 3);
        QCOMPARE(c.action("mnuFormatZ_3")->text(), QStringLiteral("Pevný počet (4)"));
        QCOMPARE(c.action("mnuSoustava_3")->text(), QStringLiteral("Vlast&ní (16)"));
        QCOMPARE(env.setting("Obecne/Lupa"), QStringLiteral("True"));
        QCOMPARE(env.setting("Obecne/Nahled"), QStringLiteral("False"));
        QCOMPARE(env.setting("Obecne/Presnost"), QStringLiteral("3"));
        QCOMPARE(env.setting("Obecne/Fix"), QStringLiteral("4"));
        QCOMPARE(env.setting("Start/NumBase"), QStringLiteral("16"));
        // Unchanged, the magnifier stays as it is.
        options(w, [&](QDialog& d) { click(d, "cmdOK"); });
        QVERIFY(c.isPressed("Lupa"));
    }

    // Check boxes stored as "True"/"False": the default shown, the other state stored by OK and
    // shown again the next time.
    void switchesAreStoredAndShownAgain_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("byDefault");
        // clang-format off
        QTest::newRow("expressions") << "chkVyrazy" << "Obecne/Vyrazy" << false;
        QTest::newRow("start screen hints") << "chkRady" << "Start/Rady" << true;
        // clang-format on
    }
    void switchesAreStoredAndShownAgain()
    {
        QFETCH(QString, box);
        QFETCH(QString, key);
        QFETCH(bool, byDefault);
        MainWindow& w = startedWindow();
        options(w, [&](QDialog& d) {
            QCOMPARE(control<QCheckBox>(d, box)->isChecked(), byDefault);
            click(d, box);
            click(d, "cmdOK");
        });
        QCOMPARE(environment().setting(key), byDefault ? QStringLiteral("False") : QStringLiteral("True"));
        options(w, [&](QDialog& d) {
            QCOMPARE(control<QCheckBox>(d, box)->isChecked(), !byDefault);
            click(d, "cmdStorno");
        });
    }

    void expressionsAreEvaluatedOnlyWhenChosen()
    {
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        convert(w, 0, QStringLiteral("1/3"));
        QCOMPARE(fakeDialogs().messageTexts().size(), 1);
        QVERIFY(fakeDialogs().messageTexts().first().startsWith("Chyba 13: "));
        QCOMPARE(w.table()->cellText(0, 2), QString());
        options(w, [&](QDialog& d) {
            click(d, "chkVyrazy");
            click(d, "cmdOK");
        });
        convert(w, 0, QStringLiteral("1/3"));
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("0,3333333"));
        QCOMPARE(w.table()->resultLineText(), QStringLiteral(" m: 0,333 333 3 m = 0,333 333 3 m "));
        convert(w, 1, QStringLiteral("2*(3,5-1)"));
        QCOMPARE(w.table()->cellText(0, 2), QStringLiteral("5000"));
        QCOMPARE(fakeDialogs().messageTexts().size(), 1);
    }

    void levelAndOnTopAreStoredForTheNextStart()
    {
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        options(w, [&](QDialog& d) {
            click(d, "optUroven_2");
            for (const char* box : kNextStartBoxes)
                click(d, box);
            click(d, "cmdOK");
        });
        QCOMPARE(env.setting("Obecne/Uroven"), QStringLiteral("2"));
        for (const char* key : {"Obecne/OnTop", "Obecne/PamatovatOznacene", "Obecne/UkladatHistorii"})
            QCOMPARE(env.setting(key), QStringLiteral("True"));
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!w.commands()->action("mnuU_2")->isChecked());
        options(w, [&](QDialog& d) {
            QVERIFY(control<QRadioButton>(d, "optUroven_2")->isChecked());
            for (const char* box : kNextStartBoxes)
                QVERIFY2(control<QCheckBox>(d, box)->isChecked(), box);
            click(d, "cmdStorno");
        });
    }

    void aLevelFromTheMenuIsTheDialogsChoiceAndOkStoresIt()
    {
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuU_2"));
        for (const char* button : {"cmdStorno", "cmdOK"}) {
            options(w, [&](QDialog& d) {
                QVERIFY(control<QRadioButton>(d, "optUroven_2")->isChecked());
                click(d, button);
            });
        }
        QCOMPARE(env.setting("Obecne/Uroven"), QStringLiteral("2"));
    }

    void navigatorListSwitchesOnlyWhenItsChoiceChanged()
    {
        MainWindow& w = startedWindow();
        w.navigator()->showUserList();
        options(w, [&](QDialog& d) {
            QVERIFY(control<QRadioButton>(d, "optNavigator_1")->isChecked());
            click(d, "cmdOK");
        });
        QCOMPARE(w.navigator()->shownList(), Navigator::UserList);
        options(w, [&](QDialog& d) {
            click(d, "optNavigator_0");
            click(d, "cmdOK");
        });
        QCOMPARE(w.navigator()->shownList(), Navigator::TopicList);
        QCOMPARE(environment().setting("Obecne/Navigator"), QStringLiteral("Veliciny"));
    }

    void chosenColourReadsBackAndTheDefaultSurvives()
    {
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        FakeDialogs& fake = fakeDialogs();
        options(w, [&](QDialog& d) { click(d, "cmdOK"); });
        QCOMPARE(env.setting("Obecne/ColoredColor"), QStringLiteral("-2147483634"));
        fake.answerColour(QColor(0x12, 0x34, 0x56));
        options(w, [&](QDialog& d) {
            click(d, "cmdBarva");
            QVERIFY(control<QCheckBox>(d, "chkColored")->hasFocus());
            click(d, "cmdOK");
        });
        QCOMPARE(env.setting("Obecne/ColoredColor"), QString::number(0x563412));
        fake.answerColour(std::nullopt);
        options(w, [&](QDialog& d) {
            click(d, "cmdBarva");
            click(d, "cmdOK");
        });
        const DialogCall& asked = fake.calls().last();
        QCOMPARE(asked.kind, QStringLiteral("colour"));
        QCOMPARE(asked.title, QStringLiteral("Volba barvy"));
        QCOMPARE(asked.text, QStringLiteral("#123456"));
        QCOMPARE(env.setting("Obecne/ColoredColor"), QString::number(0x563412));
    }

    void fileChoiceShowsSizeAndTime_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("size");
        QTest::newRow("empty") << 0 << "0 kB (0 bajtů)";
        QTest::newRow("whole kilobytes") << 12288 << "12 kB (12288 bajtů)";
        QTest::newRow("a fraction") << 12800 << "12,5 kB (12800 bajtů)";
        QTest::newRow("missing") << -1 << "";
    }

    void fileChoiceShowsSizeAndTime()
    {
        QFETCH(int, bytes);
        QFETCH(QString, size);
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        const QString path = env.folder() + "/Moje.omv";
        if (bytes >= 0) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(bytes, 'x'));
        }
        fakeDialogs().answerFile(path);
        options(w, [&](QDialog& d) {
            QVERIFY(!labelText(d, "lblInfo_19").isEmpty());
            click(d, "cmdCesta_1");
            QCOMPARE(labelText(d, "lblInfo_19"), size);
            QCOMPARE(labelText(d, "lblInfo_18").isEmpty(), bytes < 0);
            if (bytes >= 0)
                QCOMPARE(labelText(d, "lblInfo_18"), QFileInfo(path).lastModified().toString("dd.MM.yyyy, hh:mm:ss"));
            click(d, "cmdOK");
        });
        QCOMPARE(env.setting("Obecne/PathUser"), path);
        QCOMPARE(env.setting("Obecne/FileUser"), QStringLiteral("Moje.omv"));
        const auto calls = fakeDialogs().calls();
        const auto asked =
            std::find_if(calls.begin(), calls.end(), [](const DialogCall& c) { return c.kind == "open"; });
        QVERIFY(asked != calls.end());
        QCOMPARE(asked->title, QStringLiteral("Zvolte soubor s daty programu omniVELOR"));
    }

    void clearingCountersResetsAtOnce()
    {
        TestEnvironment& env = environment();
        env.setSetting("Start/Spusteno", "7");
        env.setSetting("Obecne/Prevedeno", "50");
        env.setSetting("Obecne/Doba", "30:00:00");
        MainWindow& w = startedWindow();
        options(w, [&](QDialog& d) {
            QCOMPARE(labelText(d, "lblInfo_3"), QStringLiteral("8"));
            QCOMPARE(labelText(d, "lblInfo_4"), QStringLiteral("50"));
            QVERIFY(labelText(d, "lblInfo_5").startsWith("30:00:"));
            click(d, "cmdReset");
            QCOMPARE(labelText(d, "lblInfo_3"), QStringLiteral("1"));
            QCOMPARE(labelText(d, "lblInfo_4"), QStringLiteral("0"));
            QCOMPARE(labelText(d, "lblInfo_5"), QStringLiteral("0:00:00"));
            QCOMPARE(labelText(d, "lblInfo_8"), QStringLiteral("0:00:00"));
            click(d, "cmdStorno");
        });
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("0"));
        QCOMPARE(env.setting("Obecne/Doba"), QStringLiteral("0:00:00"));
        QCOMPARE(w.table()->conversionCount(), 0L);
    }

    void ctrlTabGoesRoundAndTheTabIsRemembered()
    {
        MainWindow& w = startedWindow();
        options(w, [&](QDialog& d) {
            auto* tabs = control<QTabWidget>(d, "tbsOptions");
            QCOMPARE(tabs->currentIndex(), 0);
            tabs->setCurrentIndex(4);
            QTest::keyClick(&d, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(tabs->currentIndex(), 0);
            QTest::keyClick(&d, Qt::Key_Tab, Qt::ControlModifier);
            click(d, "cmdStorno");
        });
        options(w, [&](QDialog& d) {
            QCOMPARE(control<QTabWidget>(d, "tbsOptions")->currentIndex(), 1);
            click(d, "cmdStorno");
        });
    }

    void everyControlHasAnAccessibleName()
    {
        MainWindow& w = startedWindow();
        options(w, [&](QDialog& d) {
            for (QWidget* c : d.findChildren<QWidget*>()) {
                const bool named =
                    !c->accessibleName().isEmpty() ||
                    (qobject_cast<QAbstractButton*>(c) && !qobject_cast<QAbstractButton*>(c)->text().isEmpty());
                if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) ||
                    (qobject_cast<QLabel*>(c) && !c->objectName().isEmpty()))
                    QVERIFY2(named, qPrintable(c->objectName()));
            }
            click(d, "cmdStorno");
        });
    }

    void unwritableSettingsFileIsReported()
    {
        TestEnvironment& env = environment();
        MainWindow& w = startedWindow();
        // Even root cannot write a file where a folder stands.
        QVERIFY(QFile::remove(env.iniPath()));
        QVERIFY(QDir().mkpath(env.iniPath()));
        options(w, [&](QDialog& d) {
            click(d, "chkZobrazeni_2");
            click(d, "cmdOK");
        });
        QCOMPARE(fakeDialogs().messageTexts(), QStringList{"Nastavení se nepodařilo uložit do souboru " +
                                                           QDir::toNativeSeparators(env.iniPath()) + "."});
        // The choice still takes effect in this run.
        QVERIFY(w.commands()->isPressed("Info"));
        QVERIFY(QDir().rmdir(env.iniPath()));
    }

    void setupWithNothingChangedKeepsStartTopicAndLevel()
    {
        TestEnvironment& env = environment();
        env.useSmallData();
        env.setSetting("Start/Tema", "2");
        env.setSetting("Obecne/Uroven", "2");
        FakeDialogs& fake = fakeDialogs();
        fake.actInDialog([](QDialog& d) {
            QCOMPARE(control<QComboBox>(d, "cboTema")->currentIndex(), 2);
            QCOMPARE(control<QComboBox>(d, "cboTema")->count(), 27);
            QCOMPARE(control<QComboBox>(d, "cboTema")->itemText(0), QStringLiteral("Úvodní obrazovka"));
            QVERIFY(control<QRadioButton>(d, "optUroven_2")->isChecked());
            click(d, "cmdOK");
        });
        fake.answer(QMessageBox::Yes);
        QVERIFY(!mainWindow().start({"omnivelor", "SETUP"}));
        QCOMPARE(env.setting("Start/Tema"), QStringLiteral("2"));
        QCOMPARE(env.setting("Obecne/Uroven"), QStringLiteral("2"));
    }
};

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
