// The main window as a user meets it: the first start, choosing a topic and converting,
// previous/next, the splitter and size limits, Esc, and what "Konec" leaves in the settings.
#include "fixture.h"

#include "app/mainwindow.h"
#include "table/workspace.h"
#include "navigation/navigator.h"
#include "settings/splash.h"
#include "table/conversiontable.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QWindow>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QString labelText(const QWidget* w, const char* name)
{
    const auto* l = w->findChild<QLabel*>(QString::fromUtf8(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QString::fromUtf8(name));
}

QString cell(const QWidget* w, int row, int col)
{
    const auto* grid = w->findChild<QTableWidget*>(QStringLiteral("msgTab"));
    const QTableWidgetItem* item = grid ? grid->item(row, col) : nullptr;
    return item ? item->text() : QString();
}

} // namespace

class MainWindowTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void firstStartOpensCentredWithTheTopicListFocused()
    {
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("omniVELOR 1.41"));
        QCOMPARE(w.size(), QSize(506, 419));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(w.pos(), QPoint((screen.width() - 506) / 2, (screen.height() - 419) / 2));
        QCOMPARE(w.workspace()->splitterPosition(), kDefaultSplitterTwips);
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!w.splash()->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.findChild<QWidget*>(QStringLiteral("lvwTema")));
        QVERIFY(fake.calls().isEmpty());
        saveShot(&w, "first-start");
    }

    void enterShowsTheTopicAndAValueFillsEveryRow()
    {
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        keyToFocus(&w, Qt::Key_Return);
        QCOMPARE(labelText(&w, "lblTitulek"), QStringLiteral(" Délka"));
        QCOMPARE(w.table()->currentTopic(), 1);
        QCOMPARE(w.findChild<QTableWidget*>(QStringLiteral("msgTab"))->rowCount(), 3);

        keyToFocus(&w, Qt::Key_Down); // kilometr
        typeToFocus(&w, QStringLiteral("5"));
        keyToFocus(&w, Qt::Key_Return);
        QCOMPARE(cell(&w, 0, 2), QStringLiteral("5000"));
        QCOMPARE(cell(&w, 1, 2), QStringLiteral("5"));
        QCOMPARE(cell(&w, 2, 2), QStringLiteral("500000"));
        QCOMPARE(labelText(&w, "lblSI"), QStringLiteral(" km: 5,00 km = 5 000,00 m "));
        saveShot(&w, "converted");

        // F8 and F7 move between the topics.
        keyToFocus(&w, Qt::Key_F8);
        QCOMPARE(labelText(&w, "lblTitulek"), QStringLiteral(" Plošný obsah"));
        keyToFocus(&w, Qt::Key_F7);
        QCOMPARE(labelText(&w, "lblTitulek"), QStringLiteral(" Délka"));
        QVERIFY(!findAction(&w, "mnuNavigace_1")->isEnabled());
    }

    void shippedDataFilesLoadWithoutAMessage()
    {
        if (!QFile::exists(QStringLiteral(OV_DATA_DIR "/Omnivel.omv")))
            QSKIP("the shipped data files are not there yet");
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow(Data::Shipped);
        QCOMPARE(fake.messageTexts(), QStringList());
        for (int t = 1; t <= 26; ++t)
            QVERIFY2(context().db.unitCount(t) > 0, qPrintable(QString::number(t)));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        keyToFocus(&w, Qt::Key_Return);
        QCOMPARE(labelText(&w, "lblTitulek"), QStringLiteral(" Délka"));
        keyToFocus(&w, Qt::Key_Down);
        typeToFocus(&w, QStringLiteral("5"));
        keyToFocus(&w, Qt::Key_Return);
        QCOMPARE(labelText(&w, "lblSI"), QStringLiteral(" km: 5,00 km = 5 000,00 m "));
        saveShot(&w, "shipped-data");
    }

    void thePartsWorkTogether()
    {
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!findAction(&w, "tlb_Jako")->isEnabled());
        keyToFocus(&w, Qt::Key_Return);
        // The first topic makes the table's commands available.
        QVERIFY(findAction(&w, "mnuA")->isEnabled());
        keyToFocus(&w, Qt::Key_Down);
        QCOMPARE(labelText(&w, "sta_TVeličiny"), QStringLiteral("V tématu: 2/3"));
        typeToFocus(&w, QStringLiteral("5"));
        keyToFocus(&w, Qt::Key_Return);
        // "Jako" repeats the last representation, binary at first.
        QVERIFY(triggerAction(&w, "tlb_Jako"));
        QVERIFY2(labelText(&w, "lblSI").contains(QStringLiteral("101")), qPrintable(labelText(&w, "lblSI")));

        // A unit chosen in the unit list shows its topic with that unit's row current.
        QVERIFY(triggerAction(&w, "mnuNavigator_2"));
        QCOMPARE(labelText(&w, "sta_Navi"), QStringLiteral("Jednotky"));
        auto* units = w.findChild<QListWidget*>(QStringLiteral("lvwJednotky"));
        QCOMPARE(QApplication::focusWidget(), units);
        const QList<QListWidgetItem*> areItems = units->findItems(QStringLiteral("ar"), Qt::MatchExactly);
        QCOMPARE(areItems.size(), 1);
        units->setCurrentItem(areItems.first());
        QTest::keyClick(units, Qt::Key_Return);
        QCOMPARE(labelText(&w, "lblTitulek"), QStringLiteral(" Plošný obsah"));
        QCOMPARE(w.table()->currentRow(), 1);
        QCOMPARE(labelText(&w, "sta_TVeličiny"), QStringLiteral("V tématu: 2/2"));

        // The status panel "Temata" brings back the topic list.
        QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("sta_Temata")), Qt::LeftButton);
        QCOMPARE(labelText(&w, "sta_Navi"), QStringLiteral("Veličiny"));
        QCOMPARE(labelText(&w, "sta_Temata"), QStringLiteral("Témat: 2+1"));
        QCOMPARE(fake.calls().size(), 0);
    }

    void quitAsksAndYesStoresTheSession()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        keyToFocus(&w, Qt::Key_Return); // Délka
        typeToFocus(&w, QStringLiteral("2"));
        keyToFocus(&w, Qt::Key_Return);
        QCOMPARE(cell(&w, 1, 2), QStringLiteral("0,002"));
        w.move(40, 30);
        w.resize(600, 450);
        w.workspace()->setSplitterPosition(2400);
        fake.answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&w, "mnuKonec"));
        QCOMPARE(fake.calls().size(), 1);
        const DialogCall& q = fake.calls().first();
        QCOMPARE(q.text, QStringLiteral("Ukončit program?"));
        QCOMPARE(q.title, QStringLiteral("omniVELOR"));
        QCOMPARE(q.icon, DialogService::Icon::Question);
        QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(w.ended());
        QVERIFY(!w.isVisible());
        QCOMPARE(w.splash()->text(), QStringLiteral("omniVELOR ukončení"));

        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
        QCOMPARE(env.setting("Start/Left"), QString::number(40 * 15));
        QCOMPARE(env.setting("Start/Top"), QString::number(30 * 15));
        QCOMPARE(env.setting("Start/Width"), QString::number(600 * 15));
        QCOMPARE(env.setting("Start/Height"), QString::number(450 * 15));
        QCOMPARE(env.setting("Start/WindowState"), QStringLiteral("0"));
        QCOMPARE(env.setting("Start/Vlevo"), QStringLiteral("2400"));
        // No topic was renamed: no name is written (a copy running beside this one keeps its own).
        for (int n = 1; n <= 26; ++n)
            QVERIFY2(!env.hasSetting(QStringLiteral("Navigator/S%1").arg(n)), qPrintable(QString::number(n)));
        QVERIFY(!env.hasSetting("Navigator/U1"));
        QCOMPARE(env.setting("Obecne/Prevedeno"), QStringLiteral("1"));
        QVERIFY(env.hasSetting("Obecne/Doba"));
    }

    void theNextStartOpensWhereTheLastEnded()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        MainWindow& first = startedWindow();
        first.move(60, 50);
        first.resize(620, 460);
        first.workspace()->setSplitterPosition(2100);
        fake.answer(QMessageBox::Yes);
        first.close();
        QVERIFY(first.ended());
        MainWindow& second = restartedWindow();
        QCOMPARE(second.pos(), QPoint(60, 50));
        QCOMPARE(second.size(), QSize(620, 460));
        QCOMPARE(second.workspace()->splitterPosition(), 2100);
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("2"));
    }

    // Twips and pixels do not map one to one at every font size: nothing moved, nothing drifts.
    void anUntouchedPlacementIsStoredAsItWasRead_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::newRow("reference font") << 8.0;
        QTest::newRow("10 points") << 10.0;
        QTest::newRow("11 points") << 11.0;
    }
    void anUntouchedPlacementIsStoredAsItWasRead()
    {
        QFETCH(qreal, points);
        ScopedAppFont font(points);
        TestEnvironment& env = environment();
        const QStringList keys{"Start/Left", "Start/Top", "Start/Width", "Start/Height", "Start/Vlevo"};
        const QStringList read{"1234", "307", "8003", "6300", "2345"};
        for (int i = 0; i < keys.size(); ++i)
            env.setSetting(keys[i], read[i]);
        MainWindow& w = startedWindow();
        fakeDialogs().answer(QMessageBox::Yes);
        w.close();
        QVERIFY(w.ended());
        QStringList stored;
        for (const QString& key : keys)
            stored << env.setting(key);
        QCOMPARE(stored, read);
    }

    void aRenamedTopicKeepsItsNameAfterARestart()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        MainWindow& first = startedWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        keyToFocus(&first, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        typeToFocus(&first, QStringLiteral("Vzdálenost"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(first.navigator()->topicText(1), QStringLiteral("Vzdálenost"));
        QCOMPARE(findAction(&first, "mnuTema_1")->text(), QStringLiteral("Vzdálenost"));
        fake.answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&first, "mnuKonec"));
        QVERIFY(first.ended());
        QCOMPARE(env.setting("Navigator/S1"), QStringLiteral("Vzdálenost"));
        MainWindow& second = restartedWindow();
        QCOMPARE(second.navigator()->topicText(1), QStringLiteral("Vzdálenost"));
        QCOMPARE(findAction(&second, "mnuTema_1")->text(), QStringLiteral("Vzdálenost"));
        QVERIFY(triggerAction(&second, "mnuTema_1"));
        QCOMPARE(labelText(&second, "lblTitulek"), QStringLiteral(" Vzdálenost"));
    }

    void editorFontIsChosenAndStored()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        QFont chosen(QStringLiteral("DejaVu Sans Mono"));
        chosen.setPointSize(11);
        chosen.setBold(true);
        fake.answerFont(chosen);
        findAction(&w, "mnuPismo")->trigger();
        QCOMPARE(env.setting("Edit/FontName"), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(env.setting("Edit/FontSize"), QStringLiteral("11"));
        QCOMPARE(env.setting("Edit/FontBold"), QStringLiteral("True"));
        QCOMPARE(env.setting("Edit/FontItalic"), QStringLiteral("False"));
        // Cancelled, nothing changes.
        fake.answerFont(std::nullopt);
        findAction(&w, "mnuPismo")->trigger();
        QCOMPARE(env.setting("Edit/FontSize"), QStringLiteral("11"));
        QCOMPARE(w.editFont().pointSize(), 11);
    }

    void declinedShutDownLeavesANormalWindow()
    {
        TestEnvironment& env = environment();
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        w.showMaximized();
        fake.answer(QMessageBox::No);
        w.close();
        QVERIFY(!w.ended());
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMaximized());
        QCOMPARE(env.setting("Start/WindowState"), QStringLiteral("2"));
        // Asked again, the question comes again.
        fake.answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&w, "mnuKonec"));
        QVERIFY(w.ended());
        QCOMPARE(fake.messages("Ukončit program?").size(), 2);
    }

    void withoutSafeEndTheProgramEndsAtOnce()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/SafeEnd", "0");
        FakeDialogs& fake = fakeDialogs();
        MainWindow& w = startedWindow();
        QVERIFY(triggerAction(&w, "mnuKonec"));
        QVERIFY(w.ended());
        QVERIFY(fake.calls().isEmpty());
        QCOMPARE(env.setting("Start/Spusteno"), QStringLiteral("1"));
    }

    void escMinimises()
    {
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        keyToFocus(&w, Qt::Key_Escape);
        QVERIFY(w.windowState() & Qt::WindowMinimized);
    }

    void windowAndSplitterLimits()
    {
        MainWindow& w = startedWindow();
        w.resize(200, 150);
        QCOMPARE(w.size(), QSize(506, 417)); // 7590 x 6255 twips
        // Resized from outside, past Qt's own limit, it snaps back.
        w.windowHandle()->resize(200, 150);
        QCoreApplication::processEvents();
        QTRY_COMPARE(w.size(), QSize(506, 417));
        w.resize(700, 500);
        QCOMPARE(w.workspace()->setSplitterPosition(100), 550);
        QCOMPARE(w.workspace()->setSplitterPosition(100000), 700 * 15 - 4000);
        QCOMPARE(w.workspace()->splitterPosition(), 700 * 15 - 4000);
        // The navigator keeps its width when the window grows.
        w.workspace()->setSplitterPosition(1700);
        const int navigatorWidth = w.navigator()->width();
        w.resize(900, 500);
        QCOMPARE(w.navigator()->width(), navigatorWidth);
        QCOMPARE(w.workspace()->splitterPosition(), 1700);
    }

    void draggingTheSplitterBar_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("expected");
        // The bar starts at the whole pixel nearest to the default position.
        QTest::newRow("a little to the right") << 40 << (twipsToPixels(kDefaultSplitterTwips) + 40) * 15;
        QTest::newRow("far left stops at 550") << -200 << 550;
        QTest::newRow("far right leaves 4000") << 600 << 700 * 15 - 4000;
    }

    void draggingTheSplitterBar()
    {
        QFETCH(int, dx);
        QFETCH(int, expected);
        MainWindow& w = startedWindow();
        w.resize(700, 500);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSplitterHandle* bar = w.workspace()->splitter()->handle(1);
        const QPoint grip = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QTest::mouseMove(bar, grip + QPoint(dx, 0));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(dx, 0));
        QCOMPARE(w.workspace()->splitterPosition(), expected);
    }

    void theSplitterBarDarkensWhileHeld()
    {
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSplitterHandle* bar = w.workspace()->splitter()->handle(1);
        const QRgb dark = bar->palette().color(QPalette::Dark).rgb();
        const auto middle = [&] { return bar->grab().toImage().pixel(bar->rect().center()); };
        QVERIFY(middle() != dark);
        QTest::mousePress(bar, Qt::LeftButton, {}, bar->rect().center());
        QCOMPARE(middle(), dark);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->rect().center());
        QVERIFY(middle() != dark);
    }

    void aNewDesktopPaletteReachesTheLists()
    {
        MainWindow& w = startedWindow();
        const QPalette before = QApplication::palette();
        QPalette changed = before;
        changed.setColor(QPalette::Base, QColor(20, 30, 40));
        QApplication::setPalette(changed);
        QCoreApplication::processEvents();
        const QColor seen = w.findChild<QListWidget*>(QStringLiteral("lvwTema"))->palette().color(QPalette::Base);
        QApplication::setPalette(before);
        QCOMPARE(seen, QColor(20, 30, 40));
    }

    void placementOffTheScreenComesBack()
    {
        TestEnvironment& env = environment();
        const QRect screen = QGuiApplication::primaryScreen()->virtualGeometry();
        env.setSetting("Start/Left", QString::number((screen.right() + 500) * 15));
        env.setSetting("Start/Top", QString::number((screen.bottom() + 500) * 15));
        MainWindow& w = startedWindow();
        QCOMPARE(w.pos(), QPoint(screen.x() + screen.width() - 7, screen.y() + screen.height() - 7));
    }

    void hugeStoredSizeFitsTheScreen()
    {
        TestEnvironment& env = environment();
        env.setSetting("Start/Width", "9999999");
        env.setSetting("Start/Height", "9999999");
        MainWindow& w = startedWindow();
        QCOMPARE(w.size(), QGuiApplication::primaryScreen()->virtualGeometry().size());
    }

    void storedOnTopAndStartTopic()
    {
        TestEnvironment& env = environment();
        env.setSetting("Obecne/OnTop", "True");
        env.setSetting("Start/Tema", "2");
        MainWindow& w = startedWindow();
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(findAction(&w, "mnuOnTop")->isChecked());
        QVERIFY(w.isVisible());
        QCOMPARE(w.table()->currentTopic(), 2);
        QCOMPARE(labelText(&w, "lblTitulek"), QStringLiteral(" Plošný obsah"));
        // The menu item takes it away again.
        QVERIFY(triggerAction(&w, "mnuOnTop"));
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
