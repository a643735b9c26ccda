// What a new user sees at the default size with the desktop's own font: every tab caption,
// built-in topic name, status panel and toolbar button whole; a cell too narrow for its text
// shows it as a tool tip; pictures beside texts, not over them; colours readable in a light
// and a dark theme. With OV_SHOTS set, the window is saved as pictures there.
#include "fixture.h"

#include "extras/extras.h"
#include "extras/help.h"
#include "extras/helpwindow.h"
#include "gui/commands.h"
#include "gui/common.h"
#include "navigation/navigator.h"
#include "settings/splash.h"
#include "table/conversiontable.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QPalette darkPalette()
{
    QPalette p;
    const QColor face(53, 53, 53), text(230, 230, 230), grey(128, 128, 128);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::AlternateBase, face);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, face);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, grey);
    return p;
}

class ScopedPalette {
public:
    explicit ScopedPalette(const QPalette& p) : old_(QApplication::palette()) { QApplication::setPalette(p); }
    ~ScopedPalette() { QApplication::setPalette(old_); }

private:
    QPalette old_;
};

QString plain(QString caption) { return caption.remove(QLatin1Char('&')); }

// Every label under the root whose accessible name is not the text it shows (a shortened text
// may be read whole, as its tool tip has it); a picture without text needs a name of its own.
QStringList misreadLabels(const QWidget& root)
{
    QStringList wrong;
    for (const QLabel* l : root.findChildren<QLabel*>()) {
        QString shown = l->text();
        if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(shown)))
            shown = QTextDocumentFragment::fromHtml(shown).toPlainText();
        shown = plainCaption(shown);
        const QString name = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(l))->text(QAccessible::Name);
        const bool ok = shown.isEmpty() ? !l->pixmap().isNull() == !name.isEmpty()
                                        : name == shown || (shown.contains(QChar(0x2026)) && name == l->toolTip());
        if (!ok)
            wrong << QStringLiteral("%1: \"%2\" read as \"%3\"").arg(l->objectName(), shown, name);
    }
    return wrong;
}

} // namespace

class LegibilityTest : public WindowTestCase {
    Q_OBJECT

    // A conversion table alone in a small window, showing topic 1; its grid.
    static QTableWidget* showTopicOne(QWidget& host, const ov::UnitDatabase& db)
    {
        auto* table = new ConversionTable(db, ',', &host);
        (new QVBoxLayout(&host))->addWidget(table);
        host.resize(360, 300);
        host.show();
        if (!QTest::qWaitForWindowExposed(&host))
            return nullptr;
        table->fillTopic(1);
        return host.findChild<QTableWidget*>(QStringLiteral("msgTab"));
    }

    // The longest texts the panels show: the user list's name, the topic with most units on its
    // last row.
    void longestPanelTexts(MainWindow& w)
    {
        int most = 1;
        for (int t = 1; t <= 26; ++t)
            if (context().db.unitCount(t) > context().db.unitCount(most))
                most = t;
        w.navigator()->chooseTopicFromMenu(most);
        w.table()->goToRow(context().db.unitCount(most) - 1);
        w.navigator()->showUserList();
    }

private slots:
    void everythingFitsAtTheDefaultSize_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::newRow("9 points, the offscreen default") << 9.0;
        QTest::newRow("10 points, a Debian desktop") << 10.0;
        QTest::newRow("12 points") << 12.0;
    }

    void everythingFitsAtTheDefaultSize()
    {
        QFETCH(qreal, points);
        ScopedAppFont font(points);
        MainWindow& w = startedWindow(Data::Shipped);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The default size grows with the font (as far as the screen allows).
        const QSize screen = w.screen()->availableGeometry().size();
        QCOMPARE(w.width(), std::min(twipsToPixels(kDefaultWidthTwips), screen.width()));
        longestPanelTexts(w);
        QApplication::processEvents();

        auto* tabs = w.findChild<QTabBar*>(QStringLiteral("tabNavigator"));
        QVERIFY(tabs);
        const int tabSpace = tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs);
        for (int i = 0; i < tabs->count(); ++i) {
            const int needed = tabs->fontMetrics().horizontalAdvance(plain(tabs->tabText(i))) + tabSpace;
            QVERIFY2(
                tabs->tabRect(i).width() >= needed,
                qPrintable(
                    QStringLiteral("tab %1: %2 < %3").arg(tabs->tabText(i)).arg(tabs->tabRect(i).width()).arg(needed)));
        }

        auto* topics = w.findChild<QListWidget*>(QStringLiteral("lvwTema"));
        w.navigator()->showTopicList();
        QApplication::processEvents();
        QVERIFY(!topics->horizontalScrollBar()->isVisible());
        for (int i = 0; i < topics->count(); ++i) {
            const QRect r = topics->visualItemRect(topics->item(i));
            QVERIFY2(r.right() < topics->viewport()->width(), qPrintable(QStringLiteral("%1: %2 > %3")
                                                                             .arg(topics->item(i)->text())
                                                                             .arg(r.right())
                                                                             .arg(topics->viewport()->width())));
        }

        w.navigator()->showUserList();
        QApplication::processEvents();
        for (QLabel* panel : w.statusBar()->findChildren<QLabel*>()) {
            if (!panel->isVisible())
                continue;
            const int needed = panel->fontMetrics().horizontalAdvance(panel->text());
            const int room = panel->contentsRect().width() - 2 * panel->margin();
            QVERIFY2(needed <= room,
                     qPrintable(QStringLiteral("\"%1\": %2 > %3").arg(panel->text()).arg(needed).arg(room)));
        }

        QToolBar* bar = w.commands()->toolBar();
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const QWidget* button = bar->widgetForAction(a);
            QVERIFY2(button && button->isVisible(), qPrintable(a->objectName()));
        }
        const auto* overflow = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(!overflow || !overflow->isVisible());
    }

    void aNewDesktopFontWhileRunningMovesTheLimits()
    {
        MainWindow& w = startedWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.minimumWidth(), 506); // 7590 twips at the reference font
        const int navigator = w.navigator()->width();
        w.navigator()->chooseTopicFromMenu(1);
        const auto* grid = w.findChild<QTableWidget*>(QStringLiteral("msgTab"));
        const int row = grid->rowHeight(0);
        ScopedAppFont font(12.0);
        QTRY_COMPARE(w.minimumWidth(), 759);
        QVERIFY(w.width() >= 759);
        QCOMPARE(w.commands()->toolBar()->iconSize(), QSize(24, 24));
        // The splitter stays at the same position in twips, now more pixels from the edge.
        QTRY_VERIFY(w.navigator()->width() > navigator);
        // The rows grow with the text in them.
        QTRY_COMPARE(grid->rowHeight(0), grid->fontMetrics().height() + 6);
        QVERIFY(grid->rowHeight(0) > row);
    }

    void aNewDesktopThemeWhileRunningRecoloursTheGrid()
    {
        MainWindow& w = startedWindow();
        const auto* grid = w.findChild<QTableWidget*>(QStringLiteral("msgTab"));
        ScopedPalette palette(darkPalette());
        QApplication::processEvents();
        const QPalette dark = darkPalette();
        // The face colour everywhere in the grid; the lines between cells visible on it when
        // they are on, and gone into it when off.
        QCOMPARE(grid->palette().color(QPalette::Base), dark.color(QPalette::Button));
        QCOMPARE(grid->palette().color(QPalette::Window), dark.color(QPalette::Button));
        for (const bool lines : {true, false}) {
            TableOptions options = w.table()->options();
            options.gridLines = lines;
            w.table()->setOptions(options);
            QCOMPARE(grid->palette().color(QPalette::Mid),
                     lines ? dark.color(QPalette::Disabled, QPalette::Text) : dark.color(QPalette::Button));
        }
    }

    void aCutCellShowsItsWholeTextAsToolTip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("info");
        QTest::addColumn<bool>("tip");
        // clang-format off
        QTest::newRow("a long name with a picture") << QStringLiteral("typografický bod (americký), dlouhý název") << "Bod." << true;
        QTest::newRow("a long name") << QStringLiteral("typografický bod (americký), dlouhý název") << "" << true;
        QTest::newRow("a short name") << QStringLiteral("bod") << "" << false;
        QTest::newRow("a short name with a picture") << QStringLiteral("bod") << "Bod." << false;
        // clang-format on
    }

    void aCutCellShowsItsWholeTextAsToolTip()
    {
        QFETCH(QString, name);
        QFETCH(QString, info);
        QFETCH(bool, tip);
        ov::UnitDatabase db;
        addUnit(db, 1, name.toStdString(), "pt", 1, info.toUtf8().constData());
        QWidget host;
        QTableWidget* grid = showTopicOne(host, db);
        QVERIFY(grid);
        const QRect cell = grid->visualRect(grid->model()->index(0, 0));
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->viewport(), &help);
        if (tip)
            QTRY_COMPARE(QToolTip::text(), name);
        else
            QCOMPARE(QToolTip::text(), QString());
        QToolTip::hideText();
    }

    void thePictureLeavesRoomForTheText()
    {
        // A name that fits its cell only while no picture stands at the cell's end.
        ov::UnitDatabase db;
        addUnit(db, 1, "x", "", 1, "");
        addUnit(db, 1, "x", "", 1, "Info.");
        QWidget host;
        QTableWidget* grid = showTopicOne(host, db);
        QVERIFY(grid);
        const int room = grid->columnWidth(0);
        QString name = QStringLiteral("x");
        while (grid->fontMetrics().horizontalAdvance(name + QLatin1Char('x')) < room - 9)
            name += QLatin1Char('x');
        for (int row : {0, 1})
            grid->item(row, 0)->setText(name);
        auto* delegate = qobject_cast<PictureDelegate*>(grid->itemDelegate());
        QVERIFY(delegate);
        QStyleOptionViewItem option;
        option.initFrom(grid->viewport());
        option.widget = grid;
        option.rect = grid->visualRect(grid->model()->index(0, 0));
        QVERIFY(!delegate->textIsCut(option, grid->model()->index(0, 0)));
        option.rect = grid->visualRect(grid->model()->index(1, 0));
        QVERIFY(delegate->textIsCut(option, grid->model()->index(1, 0)));
    }

    void coloursStayReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light theme") << false;
        QTest::newRow("dark theme") << true;
    }

    void coloursStayReadable()
    {
        QFETCH(bool, dark);
        std::optional<ScopedPalette> palette;
        if (dark)
            palette.emplace(darkPalette());
        QWidget probe;
        const QPalette p = probe.palette();
        const QColor face = p.color(QPalette::Button);
        QVERIFY(textContrast(toQColor({ov::TextColour::Role::HighlightText, 0}, p), face) >= kTextContrast);
        QVERIFY(textContrast(toQColor({ov::TextColour::Role::Highlight, 0}, p), face) >= kTextContrast);
        QVERIFY(textContrast(toQColor({ov::TextColour::Role::GrayText, 0}, p), face) >= kGreyContrast);
        QVERIFY(textContrast(toQColor({ov::TextColour::Role::WindowText, 0}, p), face) >= kTextContrast);
    }

    void everyLabelOfEveryDialogIsReadByItsText_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("splash window") << "";
        QTest::newRow("about box") << "mnuOAplikaci";
        QTest::newRow("options") << "mnuOptions";
        QTest::newRow("print") << "mnuTisk";
        QTest::newRow("help window") << "mnuIndex";
    }
    void everyLabelOfEveryDialogIsReadByItsText()
    {
        QFETCH(QString, command);
        MainWindow& w = startedWindow(Data::Shipped);
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        QStringList wrong;
        int walked = 0;
        const auto walk = [&](QWidget& dialog) {
            ++walked;
            wrong << misreadLabels(dialog);
        };
        if (command.isEmpty()) {
            walk(*w.splash());
        } else if (command == QLatin1String("mnuIndex")) {
            QVERIFY(triggerAction(&w, command));
            walk(*w.extras()->help().window());
        } else {
            fakeDialogs().actInDialog(walk);
            QVERIFY(triggerAction(&w, command));
        }
        QCOMPARE(walked, 1);
        QCOMPARE(wrong, QStringList());
    }

    void screenshotsAtTheDefaultSize_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("dark");
        QTest::newRow("default-font") << 0.0 << false;
        QTest::newRow("10-point-font") << 10.0 << false;
        QTest::newRow("12-point-font") << 12.0 << false;
        QTest::newRow("dark-palette") << 0.0 << true;
    }

    void screenshotsAtTheDefaultSize()
    {
        QFETCH(qreal, points);
        QFETCH(bool, dark);
        ScopedAppFont font(points > 0 ? points : platformFont().pointSizeF());
        std::optional<ScopedPalette> palette;
        if (dark)
            palette.emplace(darkPalette());
        MainWindow& w = startedWindow(Data::Shipped);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        keyToFocus(&w, Qt::Key_Return); // the first topic
        QVERIFY(w.table()->currentTopic() == 1);
        QVERIFY(triggerAction(&w, "mnuFormatZ_1")); // double precision: the longest values
        keyToFocus(&w, Qt::Key_Down);
        typeToFocus(&w, QStringLiteral("7"));
        keyToFocus(&w, Qt::Key_Return);
        keyToFocus(&w, Qt::Key_Down);
        keyToFocus(&w, Qt::Key_Down);
        QApplication::processEvents();
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        saveShot(&w, QStringLiteral("legibility-") + name);
        // The result line and the entered value read in this theme too.
        auto* line = w.findChild<QLabel*>(QStringLiteral("lblSI"));
        QVERIFY(textContrast(line->palette().color(QPalette::WindowText), line->palette().color(QPalette::Window)) >=
                kTextContrast);
        auto* grid = w.findChild<QTableWidget*>(QStringLiteral("msgTab"));
        const QColor entry = grid->item(1, 2)->foreground().color();
        QVERIFY(textContrast(entry, grid->palette().color(QPalette::Button)) >= kTextContrast);
    }
};

QTEST_MAIN(LegibilityTest)
#include "legibility_test.moc"
