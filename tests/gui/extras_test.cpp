// The calculator, the home page, the feedback mail and the about box, through the fake desktop
// of the dialog service.
#include "fixture.h"

#include "extras/aboutbox.h"
#include "extras/extras.h"
#include "extras/links.h"
#include "extras/scramble.h"
#include "gui/commands.h"
#include "table/conversiontable.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>

#include <csignal>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

const QString kCalculatorMissing = QStringLiteral(
    "Kalkulačka nenalezena! Nainstalujte kalkulačku, například gnome-calculator, kcalc nebo galculator.");
const Addresses kAddresses{QStringLiteral("https://omnivelor.example/"), QStringLiteral("autori@omnivelor.example")};

} // namespace

class ExtrasTest : public WindowTestCase {
    Q_OBJECT

    MainWindow& windowWith(const Addresses& addresses)
    {
        MainWindow& w = startedWindow();
        w.extras()->setAddresses(addresses);
        return w;
    }
    QAction* action(const char* name) { return mainWindow().commands()->action(QString::fromLatin1(name)); }
    int starts() const
    {
        int n = 0;
        for (const DialogCall& c : const_cast<ExtrasTest*>(this)->fakeDialogs().calls())
            n += c.kind == QLatin1String("start");
        return n;
    }

private slots:
    void theCalculatorIsTheFirstOneFoundAndStartsOnlyOnce()
    {
        fakeDialogs().setPrograms({QStringLiteral("xcalc"), QStringLiteral("kcalc")});
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, QStringLiteral("mnuKalkulacka")));
        QCOMPARE(fakeDialogs().calls().last().text, QStringLiteral("/usr/bin/kcalc"));
        QCOMPARE(fakeDialogs().runningPrograms().size(), 1);
        // While it runs, nothing new comes up.
        QVERIFY(triggerAction(&w, QStringLiteral("mnuKalkulacka")));
        QCOMPARE(starts(), 1);
        // Closed by the user: the next choice starts a new one.
        fakeDialogs().endProgram(fakeDialogs().runningPrograms().first());
        QVERIFY(triggerAction(&w, QStringLiteral("mnuKalkulacka")));
        QCOMPARE(starts(), 2);
        QVERIFY(action("mnuKalkulacka")->isEnabled());
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    // The real desktop: a program started detached is seen running until it ends, zombie or not.
    void theDesktopSeesAStartedProgramEnd()
    {
        useRealDialogs();
        const QString sleep = dialogs().findProgram(QStringLiteral("sleep"));
        QVERIFY(!sleep.isEmpty());
        const std::optional<qint64> pid = dialogs().startDetached(sleep, {QStringLiteral("30")});
        QVERIFY(pid);
        QVERIFY(dialogs().isRunning(*pid));
        ::kill(pid_t(*pid), SIGTERM);
        QTRY_VERIFY(!dialogs().isRunning(*pid));
        QVERIFY(!dialogs().startDetached(QStringLiteral("/nonexistent/calculator"), {}));
    }

    void withoutACalculatorTheCommandIsDisabledWithTheRedMessage_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("startedBefore");
        QTest::addColumn<bool>("resultLine");
        QTest::newRow("none on the path") << false << false << true;
        QTest::newRow("none, no result line") << false << false << false;
        QTest::newRow("it does not start") << true << false << true;
        QTest::newRow("a restart fails") << true << true << true;
    }
    void withoutACalculatorTheCommandIsDisabledWithTheRedMessage()
    {
        QFETCH(bool, installed);
        QFETCH(bool, startedBefore);
        QFETCH(bool, resultLine);
        if (installed)
            fakeDialogs().setPrograms({QStringLiteral("galculator")});
        MainWindow& w = startedWindow();
        triggerAction(&w, QStringLiteral("mnuTema_1"));
        w.commands()->action(QStringLiteral("mnuNahled"))->setChecked(resultLine);
        if (startedBefore) {
            triggerAction(&w, QStringLiteral("mnuKalkulacka"));
            fakeDialogs().endProgram(fakeDialogs().runningPrograms().first());
        }
        fakeDialogs().setStartFails(installed);
        QVERIFY(triggerAction(&w, QStringLiteral("mnuKalkulacka")));
        QVERIFY(!action("mnuKalkulacka")->isEnabled());
        if (resultLine) {
            auto* line = findNamed<QLabel>(&w, QStringLiteral("lblSI"));
            QCOMPARE(line->toolTip(), kCalculatorMissing);
            QCOMPARE(line->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            QCOMPARE(fakeDialogs().messageTexts(), QStringList());
        } else {
            QCOMPARE(fakeDialogs().messageTexts(), QStringList{kCalculatorMissing});
        }
    }

    void withoutAnAddressItsCommandsAreDisabled_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("mail");
        // clang-format off
        QTest::newRow("neither") << "" << "";
        QTest::newRow("home page only") << "https://omnivelor.example/" << "";
        QTest::newRow("mail only") << "" << "autori@omnivelor.example";
        QTest::newRow("both") << "https://omnivelor.example/" << "autori@omnivelor.example";
        // clang-format on
    }
    void withoutAnAddressItsCommandsAreDisabled()
    {
        QFETCH(QString, home);
        QFETCH(QString, mail);
        MainWindow& w = windowWith({home, mail});
        QCOMPARE(action("mnuWWW")->isEnabled(), !home.isEmpty());
        QCOMPARE(action("mnuMail")->isEnabled(), !mail.isEmpty());
        fakeDialogs().whileShown([&](const DialogCall&) {
            AboutBox* box = w.extras()->aboutBox();
            QCOMPARE(box->label(4)->isEnabled(), !home.isEmpty());
            QCOMPARE(box->label(10)->isEnabled(), !mail.isEmpty());
            QCOMPARE(box->label(4)->toolTip(), home);
        });
        QVERIFY(triggerAction(&w, QStringLiteral("mnuOAplikaci")));
    }

    void theHomePageAndTheMailOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("url");
        // clang-format off
        QTest::newRow("home page") << "mnuWWW" << "https://omnivelor.example/";
        QTest::newRow("mail, subject encoded")
            << "mnuMail" << "mailto:autori@omnivelor.example?Subject=omniVELOR%201.41%20-%20p%C5%99ipom%C3%ADnky.%20Revize%200";
        // clang-format on
    }
    void theHomePageAndTheMailOpenTheirAddresses()
    {
        QFETCH(QString, command);
        QFETCH(QString, url);
        MainWindow& w = windowWith(kAddresses);
        QVERIFY(triggerAction(&w, command));
        QCOMPARE(fakeDialogs().openedUrls(), QStringList{url});
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    void aFailedConnectionTellsWhatToDoInstead_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("home page") << "mnuWWW"
                                   << "Spojení se nepodařilo.\n\nPokud jste připojeni k internetu pokuste se zadat adresu "
                                      "https://omnivelor.example/ sami.";
        QTest::newRow("mail") << "mnuMail"
                              << "Spojení se nepodařilo.\n\nPokud jste připojeni k internetu pokuste se mailovat na "
                                 "autori@omnivelor.example.";
        // clang-format on
    }
    void aFailedConnectionTellsWhatToDoInstead()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        MainWindow& w = windowWith(kAddresses);
        fakeDialogs().setUrlFails(true);
        QVERIFY(triggerAction(&w, command));
        QCOMPARE(fakeDialogs().messageTexts(), QStringList{text});
        QCOMPARE(fakeDialogs().messages(text).first().icon, DialogService::Icon::Warning);
        QCOMPARE(fakeDialogs().messages(text).first().title, QStringLiteral("omniVELOR"));
    }

    void mailAddressesJoinTheirParts_data()
    {
        QTest::addColumn<QStringList>("parts"); // subject, body, copy, blind copy
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoded");
        // clang-format off
        QTest::newRow("address only") << QStringList{"", "", "", ""} << "mailto:a@b.cz" << "mailto:a@b.cz";
        QTest::newRow("subject only") << QStringList{"s t", "", "", ""} << "mailto:a@b.cz?Subject=s t"
                                      << "mailto:a@b.cz?Subject=s%20t";
        QTest::newRow("body only") << QStringList{"", "x&y", "", ""} << "mailto:a@b.cz?Body=x&y"
                                   << "mailto:a@b.cz?Body=x%26y";
        QTest::newRow("all four") << QStringList{"s", "b", "c@d.cz", "e@f.cz"}
                                  << "mailto:a@b.cz?Subject=s&Body=b&CC=c@d.cz&BCC=e@f.cz"
                                  << "mailto:a@b.cz?Subject=s&Body=b&CC=c%40d.cz&BCC=e%40f.cz";
        // clang-format on
    }
    void mailAddressesJoinTheirParts()
    {
        QFETCH(QStringList, parts);
        QFETCH(QString, text);
        QFETCH(QString, encoded);
        const QString address = QStringLiteral("a@b.cz");
        QCOMPARE(mailtoText(address, parts[0], parts[1], parts[2], parts[3]), text);
        QCOMPARE(QString::fromLatin1(mailtoUrl(address, parts[0], parts[1], parts[2], parts[3]).toEncoded()), encoded);
    }

    void theAboutBoxShowsTheVersionAndTheUnscrambledTexts()
    {
        MainWindow& w = windowWith(kAddresses);
        QSignalSpy stops(w.extras(), &Extras::aboutToShow);
        int shown = 0;
        fakeDialogs().whileShown([&](const DialogCall& call) {
            ++shown;
            QCOMPARE(call.text, QStringLiteral("frmAbout"));
            // The recording has been stopped before the box comes up.
            QCOMPARE(stops.count(), 1);
            AboutBox* box = w.extras()->aboutBox();
            QCOMPARE(box->label(1)->text(), QStringLiteral("VELOR 1.41"));
            QCOMPARE(box->label(1)->toolTip(), QStringLiteral("omniVELOR"));
            QCOMPARE(box->label(0)->toolTip(), QStringLiteral("omniVELOR"));
            QCOMPARE(box->label(2)->text(), QStringLiteral("© 2026 vývojáři omniVELOR"));
            QCOMPARE(box->label(2)->toolTip(), QStringLiteral("Licence MIT"));
            QCOMPARE(box->label(10)->text(), QStringLiteral("Napište nám své připomínky"));
            QCOMPARE(box->label(10)->toolTip(), QStringLiteral("Odeslat autorovi e-mail"));
            QCOMPARE(box->label(3)->text(),
                     QStringLiteral("Aplikace pro převod fyzikálních a jiných jednotek,  na zlomky a římská čísla. "
                                    "Převod do různých číselných soustav."));
            for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
            // The labels open their addresses and say nothing when that fails.
            fakeDialogs().setUrlFails(true);
            QTest::mouseClick(box->label(4), Qt::LeftButton);
            QTest::mouseClick(box->label(10), Qt::LeftButton);
        });
        QVERIFY(triggerAction(&w, QStringLiteral("mnuOAplikaci")));
        QCOMPARE(shown, 1);
        QCOMPARE(fakeDialogs().openedUrls(),
                 (QStringList{"https://omnivelor.example/", "mailto:autori@omnivelor.example?Subject=omniVELOR"}));
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    void scramblingIsItsOwnInverse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Licence MIT");
        QTest::newRow("every byte") << [] {
            QByteArray all;
            for (int i = 0; i < 256; ++i)
                all.append(char(i));
            return all;
        }();
    }
    void scramblingIsItsOwnInverse()
    {
        QFETCH(QByteArray, bytes);
        const std::string plain = bytes.toStdString();
        const std::string scrambled = Unscramble(plain);
        if (!plain.empty())
            QVERIFY(scrambled != plain);
        QCOMPARE(Unscramble(scrambled), plain);
        // A fresh start every time: the same text scrambles the same way.
        QCOMPARE(Unscramble(plain), scrambled);
    }

    void aClickOnTheTitlePopsUpTheTopicMenu()
    {
        MainWindow& w = startedWindow();
        triggerAction(&w, QStringLiteral("mnuTema_1"));
        QMenu* go = w.commands()->menu(QStringLiteral("mnuPrejit"));
        QTest::mouseClick(findNamed<QLabel>(&w, QStringLiteral("lblTitulek")), Qt::LeftButton);
        QVERIFY(go->isVisible());
        // At the splitter, below the toolbar; a screen too small for the topics moves it up.
        const QPoint corner = w.table()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(go->pos().x(), corner.x());
        QVERIFY(go->pos().y() <= corner.y());
        go->close();
    }
};

QTEST_MAIN(ExtrasTest)
#include "extras_test.moc"
