// Help: every help number the program uses leads to a real page and anchor, F1 finds the page
// for where the user is, and the keyboard page lists the shortcuts the menus really have.
#include "fixture.h"

#include "extras/extras.h"
#include "extras/help.h"
#include "extras/helptopics.h"
#include "extras/helpwindow.h"
#include "gui/commands.h"
#include "gui/commandtable.h"
#include "table/conversiontable.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QString pageText(const QUrl& url)
{
    if (url.toString(QUrl::RemoveFragment) == QLatin1String(help::kKeyboardPage))
        return help::keyboardPage();
    QFile f(QLatin1Char(':') + url.path());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// "" when the url leads to a page that exists and has the anchor, else what is wrong.
QString brokenLink(const QUrl& url)
{
    const QString text = pageText(url);
    if (text.isEmpty())
        return QStringLiteral("no page ") + url.toString();
    if (url.hasFragment() && !text.contains(QStringLiteral("name=\"%1\"").arg(url.fragment())))
        return QStringLiteral("no anchor ") + url.toString();
    return {};
}

QString pageOf(const QUrl& url) { return url.fileName(); }

} // namespace

class HelpTest : public WindowTestCase {
    Q_OBJECT

    HelpWindow* helpWindow() { return mainWindow().extras()->help().window(); }
    QString shownPage()
    {
        HelpWindow* h = helpWindow();
        return h && h->isVisible() ? pageOf(h->currentUrl()) : QString();
    }

private slots:
    void everyHelpNumberOfTheMenusAndControlsLeadsToItsOwnPage()
    {
        QSet<int> numbers;
        for (const cmd::MenuRow& row : cmd::menuRows())
            if (row.help != cmd::kNoHelp)
                numbers.insert(row.help);
        numbers.insert(cmd::kHelpDefault); // the topic items of "Přejít"
        for (const help::ControlTopic& c : help::controlTopics())
            numbers.insert(c.context);
        for (int n : numbers) {
            bool listed = false;
            for (const help::Topic& t : help::topics())
                listed = listed || t.context == n;
            QVERIFY2(listed, qPrintable(QString::number(n)));
            QCOMPARE(brokenLink(help::url(n)), QString());
        }
        for (const help::Topic& t : help::topics())
            QCOMPARE(brokenLink(help::url(t.context)), QString());
    }

    void anUnknownNumberShowsTheIndex()
    {
        QCOMPARE(help::url(4711), help::url(help::kIndex));
        QCOMPARE(pageOf(help::url(help::kIndex)), QStringLiteral("index.html"));
    }

    void everyLinkBetweenThePagesLeadsSomewhere()
    {
        const QStringList pages = QDir(QStringLiteral(":/help")).entryList();
        QVERIFY(pages.size() >= 15);
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& page : pages) {
            const QUrl base(QStringLiteral("qrc:/help/") + page);
            for (const auto& m : href.globalMatch(pageText(base)))
                QCOMPARE(brokenLink(base.resolved(QUrl(m.captured(1)))), QString());
        }
    }

    void theHelpCommandsShowTheirPages_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("contains");
        // clang-format off
        QTest::newRow("index") << "mnuIndex" << "index.html" << "První kroky";
        QTest::newRow("toolbar") << "tlb_Nápověda" << "index.html" << "První kroky";
        QTest::newRow("keyboard") << "mnuKlavesnice" << "klavesnice.html" << "Ctrl+Shift+F5";
        QTest::newRow("keyboard, copy with the unit") << "mnuKlavesnice" << "klavesnice.html" << "Ctrl+Shift+C";
        QTest::newRow("constants") << "mnuKonstanty" << "konstanty.html" << "299 792 458";
        // clang-format on
    }
    void theHelpCommandsShowTheirPages()
    {
        QFETCH(QString, command);
        QFETCH(QString, page);
        QFETCH(QString, contains);
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, command));
        QCOMPARE(shownPage(), page);
        QVERIFY(helpWindow()->browser()->toPlainText().contains(contains));
        QVERIFY(!helpWindow()->isModal());
    }

    void oneHelpWindowFollowsTheTopics()
    {
        MainWindow& w = startedWindow();
        triggerAction(&w, QStringLiteral("mnuIndex"));
        HelpWindow* first = helpWindow();
        triggerAction(&w, QStringLiteral("mnuKonstanty"));
        QCOMPARE(helpWindow(), first);
        QCOMPARE(w.findChildren<HelpWindow*>().size(), 1);
        QTest::mouseClick(findNamed<QToolButton>(first, QStringLiteral("cmdZpet")), Qt::LeftButton);
        QCOMPARE(shownPage(), QStringLiteral("index.html"));
    }

    void escapeAndCtrlWCloseTheHelpWindow()
    {
        MainWindow& w = startedWindow();
        for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            triggerAction(&w, QStringLiteral("mnuIndex"));
            HelpWindow* h = helpWindow();
            QVERIFY(QTest::qWaitForWindowActive(h));
            QTest::keySequence(h->browser(), key);
            QVERIFY2(!h->isVisible(), qPrintable(key.toString()));
        }
    }

    void theKeyboardPageListsEveryShortcut()
    {
        MainWindow& w = startedWindow();
        triggerAction(&w, QStringLiteral("mnuKlavesnice"));
        const QString text = helpWindow()->browser()->toPlainText();
        int shortcuts = 0;
        for (const cmd::MenuRow& row : cmd::menuRows()) {
            if (!row.shortcut[0])
                continue;
            ++shortcuts;
            const QString key = QKeySequence(QString::fromLatin1(row.shortcut)).toString(QKeySequence::PortableText);
            QString caption = QString::fromUtf8(row.caption).remove(QLatin1Char('&')).remove(QChar(0x2026));
            QVERIFY2(text.contains(key + QLatin1Char('\t') + caption) ||
                         text.contains(key + QLatin1Char('\n') + caption),
                     qPrintable(key + " " + caption));
        }
        QVERIFY(shortcuts > 30);
    }

    void f1OnAHighlightedMenuItemShowsItsPage_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("page");
        // clang-format off
        QTest::newRow("Nahrávání") << "mnuNastroje" << "mnuRec_3" << "nahravani.html";
        QTest::newRow("omniVELOR Lite") << "mnuNastroje" << "mnuLite" << "lite.html";
        QTest::newRow("Lupa") << "mnuZobrazit" << "mnuLupa" << "panely.html";
        QTest::newRow("Historie") << "mnuZobrazit" << "mnuHistorie" << "historie.html";
        QTest::newRow("a level") << "mnuUroven" << "mnuU_2" << "oznaceni.html";
        QTest::newRow("Konec") << "mnuSoubor" << "mnuKonec" << "tabulka.html";
        // clang-format on
    }
    void f1OnAHighlightedMenuItemShowsItsPage()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, page);
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, QStringLiteral("mnuTema_1")));
        Commands& c = *w.commands();
        // The recording item is there as soon as a topic with units is shown.
        c.enableRec(true);
        QMenu* m = c.menu(menu);
        m->popup(w.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->setActiveAction(c.action(item));
        QCOMPARE(m->activeAction(), c.action(item));
        QTest::keyClick(m, Qt::Key_F1);
        QCOMPARE(shownPage(), page);
        QVERIFY(!m->isVisible());
    }

    void f1ShowsThePageOfTheFocusedControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("page");
        // clang-format off
        QTest::newRow("table") << "msgTab" << "tabulka.html";
        QTest::newRow("topic list") << "lvwTema" << "navigator.html";
        QTest::newRow("compact panel") << "txtLt_0" << "lite.html";
        // clang-format on
    }
    void f1ShowsThePageOfTheFocusedControl()
    {
        QFETCH(QString, control);
        QFETCH(QString, page);
        MainWindow& w = startedWindow();
        triggerAction(&w, QStringLiteral("mnuTema_1"));
        triggerAction(&w, QStringLiteral("mnuLite"));
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget* target = findNamed<QWidget>(&w, control);
        QVERIFY(target);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_F1);
        QCOMPARE(shownPage(), page);
    }

    void theHelpWindowsControlsHaveAccessibleNames()
    {
        MainWindow& w = startedWindow();
        triggerAction(&w, QStringLiteral("mnuIndex"));
        HelpWindow* h = helpWindow();
        QVERIFY(!h->accessibleName().isEmpty());
        for (QWidget* child : h->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
