// The short preview, the magnifier and the information box around the conversion table:
// switched from the menu and the toolbar alike, following the cursor and the typed text.
#include "fixture.h"

#include "gui/commands.h"
#include "gui/common.h"
#include "table/conversiontable.h"
#include "table/panes.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

const QString kLongName =
    QStringLiteral("jednotka s opravdu velmi dlouhým názvem, který se do lupy nevejde ani zdaleka");

} // namespace

class PanesTest : public WindowTestCase {
    Q_OBJECT

    MainWindow* w_ = nullptr;

    QTableWidget* grid() const { return findNamed<QTableWidget>(w_, QStringLiteral("msgTab")); }

protected:
    void setUp() override
    {
        QStringList data = smallMainData();
        data << QStringLiteral("2|%1|x|5").arg(kLongName);
        environment().useData(data);
    }

    void start()
    {
        w_ = &startedWindow(Data::AsWritten);
        QVERIFY(QTest::qWaitForWindowActive(w_));
    }

    void startOnTopic(int topic)
    {
        start();
        QVERIFY(triggerAction(w_, QStringLiteral("mnuTema_%1").arg(topic)));
        QCoreApplication::processEvents();
    }

private slots:
    void eachPaneHasOneStateWhereverItIsSwitched_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("clicks"); // m: the menu item, t: the toolbar button
        QTest::addColumn<bool>("initially");
        const struct {
            const char* key;
            const char* menu;
            const char* pane;
            bool on;
        } panes[] = {
            {"Náhled", "mnuNahled", "lblSI", true},
            {"Lupa", "mnuLupa", "picLupa", false},
            {"Info", "mnuInfo", "txtInfo", false},
        };
        for (const auto& p : panes)
            for (const char* clicks : {"m", "t", "mt", "tm", "mm", "tt", "mtm"})
                QTest::addRow("%s %s", p.key, clicks) << p.key << p.menu << p.pane << clicks << p.on;
    }
    void eachPaneHasOneStateWhereverItIsSwitched()
    {
        QFETCH(QString, key);
        QFETCH(QString, menu);
        QFETCH(QString, pane);
        QFETCH(QString, clicks);
        QFETCH(bool, initially);
        startOnTopic(1);
        const QRect tableBefore = grid()->geometry();
        auto* widget = findNamed<QWidget>(w_, pane);
        QVERIFY(widget);
        QCOMPARE(widget->isVisible(), initially);
        for (const QChar c : clicks) {
            if (c == u'm') {
                QVERIFY(triggerAction(w_, menu));
            } else {
                QAction* button = w_->commands()->action(QStringLiteral("tlb_") + key);
                QVERIFY(button->isEnabled());
                button->trigger();
            }
        }
        QCoreApplication::processEvents();
        const bool on = initially != (clicks.size() % 2 == 1);
        QCOMPARE(w_->commands()->action(menu)->isChecked(), on);
        QCOMPARE(w_->commands()->isPressed(key), on);
        QCOMPARE(widget->isVisible(), on);
        // Back where it started, the window looks as before: switching twice is no change.
        if (on == initially)
            QCOMPARE(grid()->geometry(), tableBefore);
        else
            QVERIFY(grid()->geometry() != tableBefore);
    }

    void theMagnifierIsAFullWidthStripAboveTheWorkspace()
    {
        startOnTopic(1);
        QVERIFY(triggerAction(w_, "mnuLupa"));
        QCoreApplication::processEvents();
        Magnifier* magnifierPane = w_->magnifier();
        QCOMPARE(magnifierPane->height(), twipsToPixels(1200));
        QCOMPARE(magnifierPane->width(), w_->centralWidget()->width());
        QVERIFY(magnifierPane->geometry().bottom() <
                findNamed<QWidget>(w_, QStringLiteral("picTram"))->geometry().top());
    }

    void theMagnifierFollowsTheCursorAndTheTypedText()
    {
        startOnTopic(1);
        QVERIFY(triggerAction(w_, "mnuLupa"));
        Magnifier* magnifierPane = w_->magnifier();
        QCOMPARE(magnifierPane->text(), QStringLiteral("metr [m] \nmetr [m] \nmetr [m] "));
        QCOMPARE(magnifierPane->label()->font().pointSize(), 14);
        keyToFocus(w_, Qt::Key_Down);
        QCOMPARE(magnifierPane->text(), QStringLiteral("metr [m] \nmetr [m] \nkilometr [km] "));
        typeToFocus(w_, QStringLiteral("2"));
        QCOMPARE(magnifierPane->text(), QStringLiteral("kilometr\n2"));
        QCOMPARE(magnifierPane->label()->font().pointSize(), 24);
        keyToFocus(w_, Qt::Key_Return);
        QCOMPARE(magnifierPane->label()->font().pointSize(), 14);
        QVERIFY2(magnifierPane->text().endsWith(QStringLiteral("kilometr [km] 2,00")),
                 qPrintable(magnifierPane->text()));
    }

    void theMagnifierScrollsOnlyALongText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("short") << 0 << false;
        QTest::newRow("long") << 2 << true;
    }
    void theMagnifierScrollsOnlyALongText()
    {
        QFETCH(int, row);
        QFETCH(bool, scrolls);
        startOnTopic(2);
        w_->commands()->action(QStringLiteral("tlb_Lupa"))->trigger();
        grid()->setCurrentCell(row, 2);
        QCoreApplication::processEvents();
        Magnifier* magnifierPane = w_->magnifier();
        QScrollBar* bar = magnifierPane->scrollBar();
        QCOMPARE(bar->objectName(), QStringLiteral("hsbLupa"));
        QCOMPARE(bar->isVisible(), scrolls);
        // At rest the text starts at its margin; scrolled to the end, the end is in view.
        const QPoint start = magnifierPane->label()->mapTo(magnifierPane, QPoint(0, 0));
        QCOMPARE(start.x(), twipsToPixels(75) + magnifierPane->frameWidth());
        if (scrolls) {
            bar->setValue(bar->maximum());
            const QPoint end = magnifierPane->label()->mapTo(magnifierPane, QPoint(magnifierPane->label()->width(), 0));
            QVERIFY(end.x() <= magnifierPane->width());
            QVERIFY(end.x() >= magnifierPane->width() - twipsToPixels(200) - 2 * magnifierPane->frameWidth());
        }
        // A short text afterwards puts the bar away again.
        grid()->setCurrentCell(0, 2);
        QCoreApplication::processEvents();
        QVERIFY(!bar->isVisible());
    }

    void theInformationBoxShowsTheCurrentUnit()
    {
        startOnTopic(1);
        QVERIFY(triggerAction(w_, "mnuInfo"));
        auto* box = findNamed<QPlainTextEdit>(w_, QStringLiteral("txtInfo"));
        QCOMPARE(box->toPlainText(), QStringLiteral("METR (1 m = 1,00 m)\nZákladní jednotka délky."));
        keyToFocus(w_, Qt::Key_Down);
        QCOMPARE(box->toPlainText(), QStringLiteral("KILOMETR (1 km = 1 000,00 m)\n"));
        QVERIFY(box->geometry().top() > grid()->mapTo(box->parentWidget(), grid()->rect().bottomLeft()).y());
    }

    void aRightClickOnThePreviewOffersWhatItShows()
    {
        startOnTopic(1);
        auto* line = findNamed<QLabel>(w_, QStringLiteral("lblSI"));
        QMenu* previewShowsMenu = w_->commands()->menu(QStringLiteral("mnuKN"));
        QTest::mouseClick(line, Qt::LeftButton);
        QVERIFY(!previewShowsMenu->isVisible());
        QTest::mouseClick(line, Qt::RightButton);
        QTRY_VERIFY(previewShowsMenu->isVisible());
        // Only this menu: not the one the pane offers beside the grid.
        QVERIFY(!w_->commands()->menu(QStringLiteral("mnuPrejit"))->isVisible());
        previewShowsMenu->hide();
    }

    void theMagnifierOpensAtStartOnlyWithAStartTopic_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<bool>("open");
        QTest::newRow("start screen") << "0" << false;
        QTest::newRow("start topic") << "1" << true;
    }
    void theMagnifierOpensAtStartOnlyWithAStartTopic()
    {
        QFETCH(QString, topic);
        QFETCH(bool, open);
        environment().setSetting(QStringLiteral("Obecne/Lupa"), QStringLiteral("True"));
        environment().setSetting(QStringLiteral("Start/Tema"), topic);
        start();
        QCOMPARE(w_->magnifier()->isVisible(), open);
        QCOMPARE(w_->commands()->isPressed(QStringLiteral("Lupa")), open);
    }

    void thePanesFollowTheSystemColours()
    {
        // A dark theme: the system's palette as the program finds it at start.
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
        dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
        dark.setColor(QPalette::WindowText, QColor(0xf0, 0xf0, 0xf0));
        struct Restore {
            QPalette saved = QApplication::palette();
            ~Restore() { QApplication::setPalette(saved); }
        } restore;
        QApplication::setPalette(dark);
        startOnTopic(1);
        QVERIFY(triggerAction(w_, "mnuLupa"));
        QVERIFY(triggerAction(w_, "mnuInfo"));
        QCoreApplication::processEvents();
        for (QWidget* pane : {static_cast<QWidget*>(w_->magnifier()), static_cast<QWidget*>(w_->infoPane())}) {
            const QImage shot = pane->grab().toImage();
            // A spot right of the text shows the background; somewhere the text is light.
            QCOMPARE(QColor(shot.pixel(shot.width() - 12, shot.height() / 2)), dark.color(QPalette::Base));
            bool lit = false;
            for (int x = 0; x < shot.width() && !lit; ++x)
                for (int y = 0; y < shot.height() && !lit; ++y)
                    lit = QColor(shot.pixel(x, y)).lightness() > 200;
            QVERIFY2(lit, qPrintable(pane->objectName()));
        }
    }

    void everyNewPaneHasAnAccessibleName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        // clang-format off
        QTest::newRow("magnifier") << "picLupa" << "Lupa";
        QTest::newRow("magnifier text") << "lblLupa" << "Lupa";
        QTest::newRow("magnifier bar") << "hsbLupa" << "Posun lupy";
        QTest::newRow("information") << "txtInfo" << "Informace o jednotce";
        QTest::newRow("search pane") << "picFind" << "Vyhledávání jednotek";
        QTest::newRow("search box") << "txtFind" << "Hledat";
        QTest::newRow("search results") << "lvwFind" << "Výsledky vyhledávání";
        // clang-format on
    }
    void everyNewPaneHasAnAccessibleName()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        start();
        auto* widget = findNamed<QWidget>(w_, name);
        QVERIFY(widget);
        QCOMPARE(widget->accessibleName(), accessible);
    }
};

QTEST_MAIN(PanesTest)
#include "panes_test.moc"
