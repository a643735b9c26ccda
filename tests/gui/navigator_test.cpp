// The navigator as the user works it: the topic names in the lists, previous/next at the ends,
// renaming in place, choosing with Enter or a double click, the unit list, the pictures.
#include "fixture.h"
#include "core/unitdb.h"
#include "gui/icons.h"
#include "navigation/navigator.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabBar>
#include <QVBoxLayout>

#include <memory>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

int opaquePixels(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            opaque += qAlpha(img.pixel(x, y)) > 128;
    return opaque;
}

const QStringList kNames = {"Délka",
                            "Plošný obsah",
                            "Objem",
                            "Hmotnost",
                            "Hustota",
                            "Síla",
                            "Tlak",
                            "Práce",
                            "Výkon",
                            "Rovinný úhel",
                            "Čas",
                            "Rychlost",
                            "Kin. viskozita",
                            "Dyn. viskozita",
                            "Průtok",
                            "Teplota",
                            "Proud",
                            "Napětí",
                            "Odpor",
                            "Mg. tok",
                            "Mg. indukce",
                            "Intenzita mg. pole",
                            "Svítivost",
                            "Jas",
                            "Osvětlení",
                            "Násobky a díly"};

// A window holding the navigator, with F2 bound to a window command as the magnifier has it.
struct Window {
    explicit Window(ov::UnitDatabase& db) : nav(new Navigator(db, &host))
    {
        auto* layout = new QVBoxLayout(&host);
        layout->addWidget(nav);
        magnifierAction = new QAction(QStringLiteral("&Lupa"), &host);
        magnifierAction->setShortcut(Qt::Key_F2);
        host.addAction(magnifierAction);
        minimise = new QAction(QStringLiteral("minimise"), &host);
        minimise->setShortcut(Qt::Key_Escape);
        host.addAction(minimise);
        host.resize(220, 500);
        nav->fillUnitList();
        host.show();
        if (!QTest::qWaitForWindowExposed(&host))
            qWarning("navigator window not exposed");
        host.activateWindow();
        if (!QTest::qWaitForWindowActive(&host))
            qWarning("navigator window not active");
        topicList()->setFocus();
    }
    QListWidget* list(const char* name) const { return host.findChild<QListWidget*>(QString::fromLatin1(name)); }
    QListWidget* topicList() const { return list("lvwTema"); }
    QListWidget* user() const { return list("lvwUser"); }
    QListWidget* units() const { return list("lvwJednotky"); }
    QTabBar* tabs() const { return host.findChild<QTabBar*>(QStringLiteral("tabNavigator")); }
    QPoint at(QListWidget* l, int row) const { return l->visualItemRect(l->item(row)).center(); }
    void click(QListWidget* l, int row) const { QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at(l, row)); }
    // As the mouse does it: the first press and release, then the second press as a double click.
    void doubleClick(QListWidget* l, int row) const
    {
        click(l, row);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at(l, row));
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at(l, row));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) const
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
    QLineEdit* editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

    QWidget host;
    Navigator* nav;
    QAction* magnifierAction;
    QAction* minimise;
};

int rowCount(QSignalSpy& spy) { return int(spy.count()); }

} // namespace

class NavigatorTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void firstStartShowsTheTopicNamesInOrder()
    {
        ov::UnitDatabase db;
        Window w(db);
        QCOMPARE(w.topicList()->count(), 26);
        for (int n = 1; n <= 26; ++n) {
            QCOMPARE(w.topicList()->item(n - 1)->text(), kNames.at(n - 1));
            QCOMPARE(w.nav->topicText(n), kNames.at(n - 1));
        }
        QVERIFY(w.topicList()->isVisible());
        QVERIFY(!w.units()->isVisible());
        QVERIFY(!w.user()->isVisible());
        QCOMPARE(w.tabs()->count(), 3);
        QCOMPARE(w.tabs()->tabText(0), QStringLiteral("&Veličiny"));
        QCOMPARE(w.tabs()->tabToolTip(1), QStringLiteral("Abecední seznam jednotek"));
        QCOMPARE(w.tabs()->tabText(2), QStringLiteral("&Uživatel"));
        QCOMPARE(w.topicList()->viewMode(), QListView::ListMode);
        QVERIFY(!w.nav->canGoPrevious());
        QVERIFY(w.nav->canGoNext());
    }

    void userTopicsAreNumberedWithoutGaps_data()
    {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("shown");
        // clang-format off
        QTest::newRow("1 and 3 used: 3 gets no entry") << QList<int>{1, 3} << QStringList{} << QStringList{"Uživatel 1"};
        QTest::newRow("1 and 2 used") << QList<int>{1, 2} << QStringList{} << QStringList{"Uživatel 1", "Uživatel 2"};
        QTest::newRow("only 2 used: no entry") << QList<int>{2} << QStringList{} << QStringList{};
        QTest::newRow("stored names, empty one defaults")
            << QList<int>{1, 2} << QStringList{"Peníze", ""} << QStringList{"Peníze", "Uživatel 2"};
        // clang-format on
    }
    void userTopicsAreNumberedWithoutGaps()
    {
        QFETCH(QList<int>, used);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        ov::UnitDatabase db;
        for (int n : used)
            addUnit(db, 26 + n, "kus");
        Window w(db);
        w.nav->setTopicNames({QStringLiteral("Vzdálenost")}, stored);
        QCOMPARE(w.nav->topicText(1), QStringLiteral("Vzdálenost"));
        QCOMPARE(w.nav->topicText(2), kNames.at(1));
        QCOMPARE(w.nav->userTopicCount(), int(shown.size()));
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(w.nav->userTopicText(i + 1), shown.at(i));
            QCOMPARE(QString::fromStdString(db.topicName(27 + i)), shown.at(i));
        }
    }

    void previousAndNextStopAtTheEnds_data()
    {
        QTest::addColumn<int>("userTopics");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("canPrev");
        QTest::addColumn<bool>("canNext");
        QTest::newRow("next reaches the last topic") << 0 << 25 << true << 26 << true << false;
        QTest::newRow("next on the last topic stays") << 2 << 26 << true << 26 << true << false;
        QTest::newRow("previous reaches the first topic") << 0 << 2 << false << 1 << false << true;
        QTest::newRow("previous on the first topic stays") << 0 << 1 << false << 1 << false << true;
        QTest::newRow("previous on user topic 1 stays") << 2 << 27 << false << 27 << false << true;
        QTest::newRow("next reaches the last user topic") << 2 << 27 << true << 28 << true << false;
        QTest::newRow("one user topic: next stays") << 1 << 27 << true << 27 << false << true;
        QTest::newRow("next with no topic shows topic 2") << 0 << 0 << true << 2 << true << true;
    }
    void previousAndNextStopAtTheEnds()
    {
        QFETCH(int, userTopics);
        QFETCH(int, from);
        QFETCH(bool, next);
        QFETCH(int, shown);
        QFETCH(bool, canPrev);
        QFETCH(bool, canNext);
        ov::UnitDatabase db;
        for (int n = 1; n <= userTopics; ++n)
            addUnit(db, 26 + n, "kus");
        Window w(db);
        w.nav->setTopicNames({}, {});
        w.nav->setCurrentTopic(from);
        QSignalSpy chosen(w.nav, &Navigator::topicChosen);
        QSignalSpy nav(w.nav, &Navigator::navigationChanged);
        next ? w.nav->nextTopic() : w.nav->previousTopic();
        QCOMPARE(rowCount(chosen), 1); // shown again even when it did not change
        QCOMPARE(chosen.at(0).at(0).toInt(), shown);
        QCOMPARE(nav.last().at(0).toBool(), canPrev);
        QCOMPARE(nav.last().at(1).toBool(), canNext);
        QListWidget* list = shown > 26 ? w.user() : w.topicList();
        QCOMPARE(list->currentRow(), shown > 26 ? shown - 27 : shown - 1);
    }

    void singleClickChangesOnlyTheAvailability()
    {
        ov::UnitDatabase db;
        Window w(db);
        QSignalSpy chosen(w.nav, &Navigator::topicChosen);
        QSignalSpy nav(w.nav, &Navigator::navigationChanged);
        w.click(w.topicList(), 25);
        QCOMPARE(rowCount(chosen), 0);
        QCOMPARE(nav.last(), (QVariantList{true, false}));
        w.key(Qt::Key_Up);
        QCOMPARE(nav.last(), (QVariantList{true, true}));
        QCOMPARE(w.nav->currentTopic(), 25);
        w.key(Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 25);
        w.topicList()->scrollToTop();
        w.click(w.topicList(), 6);
        w.doubleClick(w.topicList(), 6);
        QCOMPARE(chosen.last().at(0).toInt(), 7);
        // The double click on a selected entry does not start renaming it afterwards.
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QVERIFY(!w.editor());
    }

    void enterWithoutATopicShowsTheFirst()
    {
        ov::UnitDatabase db;
        Window w(db);
        QSignalSpy chosen(w.nav, &Navigator::topicChosen);
        w.key(Qt::Key_Enter);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 1);
    }

    void anEmptyUserListChoosesNothing()
    {
        ov::UnitDatabase db;
        Window w(db);
        w.click(w.topicList(), 4);
        QSignalSpy chosen(w.nav, &Navigator::topicChosen);
        QTest::mouseClick(w.tabs(), Qt::LeftButton, {}, w.tabs()->tabRect(2).center());
        QVERIFY(w.user()->isVisible());
        QCOMPARE(w.user()->count(), 0);
        QCOMPARE(w.nav->currentTopic(), 5);
        w.key(Qt::Key_Return);
        QCOMPARE(chosen.count(), 1); // Enter shows the topic the navigator points at
        QCOMPARE(chosen.at(0).at(0).toInt(), 5);
    }

    void renamingInPlace_data()
    {
        QTest::addColumn<bool>("secondClick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("escape");
        // clang-format off
        QTest::newRow("F2, new name") << false << "Krychle" << "Krychle" << false;
        QTest::newRow("F2, empty name refused") << false << "" << "Objem" << false;
        QTest::newRow("F2, blank name refused") << false << "   " << "Objem" << false;
        QTest::newRow("F2, Escape keeps the name") << false << "Krychle" << "Objem" << true;
        QTest::newRow("second click, new name") << true << "Kubatura" << "Kubatura" << false;
        // clang-format on
    }
    void renamingInPlace()
    {
        QFETCH(bool, secondClick);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, escape);
        ov::UnitDatabase db;
        Window w(db);
        QSignalSpy minimised(w.minimise, &QAction::triggered);
        QSignalSpy renamed(w.nav, &Navigator::topicRenamed);
        QSignalSpy chosen(w.nav, &Navigator::topicChosen);
        QSignalSpy magnifierAction(w.magnifierAction, &QAction::triggered);
        w.click(w.topicList(), 2);
        if (secondClick) {
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            w.click(w.topicList(), 2);
        } else {
            w.key(Qt::Key_F2);
        }
        QTRY_VERIFY(w.editor());
        QCOMPARE(w.editor()->text(), QStringLiteral("Objem"));
        w.key(Qt::Key_A, Qt::ControlModifier);
        w.key(Qt::Key_Backspace);
        QTest::keyClicks(w.editor(), typed);
        w.key(escape ? Qt::Key_Escape : Qt::Key_Return);
        QTRY_VERIFY(!w.editor());
        QCOMPARE(minimised.count(), 0); // Escape ends renaming, nothing else
        QCOMPARE(w.topicList()->item(2)->text(), shown);
        QCOMPARE(w.nav->topicText(3), shown);
        QCOMPARE(QString::fromStdString(db.topicName(3)), shown);
        QCOMPARE(renamed.count(), shown == typed ? 1 : 0);
        QCOMPARE(w.topicList()->currentRow(), 2);
        QCOMPARE(chosen.count(), 0);          // the Enter that ends renaming shows nothing
        QCOMPARE(magnifierAction.count(), 0); // F2 in the list is renaming, not the magnifier
    }

    void renamingAUserTopic()
    {
        ov::UnitDatabase db;
        addUnit(db, 27, "kus");
        Window w(db);
        w.nav->setTopicNames({}, {});
        w.nav->chooseList(Navigator::UserList);
        QVERIFY(w.user()->isVisible());
        QCOMPARE(w.nav->currentTopic(), 0); // the menu shows the list but chooses nothing
        w.key(Qt::Key_F2);
        QTRY_VERIFY(w.editor());
        w.key(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w.editor(), QStringLiteral("Kusy"));
        w.key(Qt::Key_Enter);
        QTRY_VERIFY(!w.editor());
        QCOMPARE(w.nav->userTopicText(1), QStringLiteral("Kusy"));
        QCOMPARE(QString::fromStdString(db.topicName(27)), QStringLiteral("Kusy"));
    }

    void unitListTagsAndOrder()
    {
        ov::UnitDatabase db;
        addUnit(db, 1, "metr");
        addUnit(db, 1, "coulomb");
        addUnit(db, 2, "Ampér");
        addUnit(db, 2, "metr");
        addUnit(db, 27, "čas");
        addUnit(db, 29, "dyn"); // user topic 3 without topic 2: not listed
        Window w(db);
        w.nav->setTopicNames({}, {});
        w.nav->fillUnitList();
        QSignalSpy shown(w.nav, &Navigator::listShown);
        QSignalSpy title(w.nav, &Navigator::titleChanged);
        QTest::mouseClick(w.tabs(), Qt::LeftButton, {}, w.tabs()->tabRect(1).center());
        QVERIFY(w.units()->isVisible());
        QCOMPARE(shown.last().at(0).toString(), QStringLiteral("Jednotky"));
        QCOMPARE(title.last().at(0).toString(), QStringLiteral(" Výběr jednotky"));
        const QStringList texts{"Ampér", "coulomb", "čas", "metr", "metr"};
        const QStringList tags{"2-1", "1-2", "27-1", "1-1", "2-2"};
        QCOMPARE(w.units()->count(), int(texts.size()));
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(w.units()->item(i)->text(), texts.at(i));
            QCOMPARE(w.units()->item(i)->toolTip(), tags.at(i));
            QCOMPARE(w.units()->item(i)->data(Qt::UserRole).toString(), tags.at(i));
            QVERIFY(!w.units()->item(i)->icon().isNull());
        }
        QCOMPARE(w.units()->currentRow(), 0);
        QSignalSpy topic(w.nav, &Navigator::topicChosen);
        QSignalSpy unit(w.nav, &Navigator::unitChosen);
        w.key(Qt::Key_Down);
        w.key(Qt::Key_Return);
        QCOMPARE(topic.last(), (QVariantList{1}));
        QCOMPARE(unit.last(), (QVariantList{1, 2}));
        w.doubleClick(w.units(), 2);
        QCOMPARE(unit.last(), (QVariantList{27, 1}));
        QCOMPARE(w.user()->currentRow(), 0);
    }

    void goToUnitRefusesWhatNamesNoUnit_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::newRow("empty") << "";
        QTest::newRow("no dash") << "12";
        QTest::newRow("words") << "a-b";
        QTest::newRow("unit 0") << "1-0";
        QTest::newRow("unit past the last") << "1-3";
        QTest::newRow("topic not listed") << "28-1";
    }
    void goToUnitRefusesWhatNamesNoUnit()
    {
        QFETCH(QString, tag);
        ov::UnitDatabase db;
        addUnit(db, 1, "metr");
        addUnit(db, 1, "palec");
        Window w(db);
        QSignalSpy topic(w.nav, &Navigator::topicChosen);
        QVERIFY(!w.nav->goToUnit(tag));
        QCOMPARE(topic.count(), 0);
        QVERIFY(w.nav->goToUnit(QStringLiteral("1-2")));
        QCOMPARE(topic.count(), 1);
    }

    void tabsAndViews()
    {
        ov::UnitDatabase db;
        addUnit(db, 27, "kus");
        addUnit(db, 28, "pár");
        Window w(db);
        w.nav->setTopicNames({}, {});
        QSignalSpy menu(w.nav, &Navigator::listMenuChecked);
        QTest::mouseClick(w.tabs(), Qt::LeftButton, {}, w.tabs()->tabRect(2).center());
        QVERIFY(w.user()->isVisible());
        QCOMPARE(w.nav->currentTopic(), 27);
        QCOMPARE(menu.last().at(0).toInt(), int(Navigator::UserList));
        QCOMPARE(w.nav->navigatorOption(), 1);
        w.nav->chooseList(Navigator::TopicList);
        QVERIFY(w.topicList()->isVisible());
        QCOMPARE(w.tabs()->currentIndex(), 0);
        QCOMPARE(w.nav->navigatorOption(), 0);

        QSignalSpy view(w.nav, &Navigator::viewModeChanged);
        w.nav->setViewMode(Navigator::LargeIcons);
        QCOMPARE(view.last().at(0).toInt(), 0);
        for (QListWidget* l : {w.topicList(), w.user()}) {
            QCOMPARE(l->viewMode(), QListView::IconMode);
            QCOMPARE(l->iconSize(), QSize(32, 32));
        }
        w.nav->setViewMode(Navigator::SmallList);
        QCOMPARE(w.topicList()->viewMode(), QListView::ListMode);
        QCOMPARE(w.user()->iconSize(), QSize(16, 16));

        QSignalSpy popup(w.nav, &Navigator::contextMenuRequested);
        const QPoint pos = w.at(w.topicList(), 1);
        QContextMenuEvent right(QContextMenuEvent::Mouse, pos, w.topicList()->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(w.topicList()->viewport(), &right);
        QCOMPARE(popup.count(), 1);
        QCOMPARE(popup.at(0).at(0).value<cmd::Menu>(), cmd::Menu::TopicList);
    }

    void everyPictureIsThere()
    {
        const auto painted = [](const QIcon& icon, int size) {
            return opaquePixels(icon.pixmap(size, size).toImage());
        };
        QCOMPARE(topicIconKeys().size(), 27);
        for (const QString& key : topicIconKeys()) {
            QVERIFY2(painted(topicIcon(key, true), 32) > 100, qPrintable(key));
            QVERIFY2(painted(topicIcon(key, false), 16) > 25, qPrintable(key));
        }
        const QStringList tools{"Otevřít", "Uložit", "Tisk",  "Kopírovat",    "Vložit", "Náhled",   "Lupa", "Info",
                                "Bin",     "Oct",    "Hex",   "AktualniJako", "Zlomek", "Romanus",  "Zpět", "Vpřed",
                                "Úroveň",  "Start",  "Pause", "Stop",         "Rec",    "Nápověda", "Zpet", "Otevrit"};
        for (const QString& key : tools)
            QVERIFY2(painted(toolIcon(key), 16) > 10, qPrintable(key));
        QVERIFY(toolIcon(QStringLiteral("Jako")).isNull());
        QVERIFY(painted(cellIcon(QStringLiteral("info")), 16) > 10);
        QVERIFY(painted(cellIcon(QStringLiteral("mark")), 16) > 10);
        QVERIFY(!cellIcon(QStringLiteral("blank")).pixmap(16, 16).isNull());
        QCOMPARE(painted(cellIcon(QStringLiteral("blank")), 16), 0);
    }

    // Views lay out by the size a picture reports and draw what it renders: the two agree
    // for every picture and every box, however unlike a square the box is.
    void everyPictureReportsTheSizeItIsDrawnAt()
    {
        QList<QIcon> icons;
        for (const QString& key : topicIconKeys())
            icons << topicIcon(key, true) << topicIcon(key, false);
        for (const QString& key : toolIconKeys())
            icons << toolIcon(key);
        for (const QString& key : cellIconKeys())
            icons << cellIcon(key);
        const QSize boxes[] = {{16, 16}, {32, 32}, {24, 16}, {16, 40}, {1, 1}, {0, 16}};
        for (const QIcon& icon : icons)
            for (const QSize& box : boxes) {
                const QPixmap drawn = icon.pixmap(box);
                if (drawn.isNull())
                    QVERIFY(icon.actualSize(box).isEmpty());
                else
                    QCOMPARE(icon.actualSize(box), drawn.size());
            }
        // Painted through a painter, too, as list items and buttons are.
        QImage canvas(32, 32, QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        topicIcon(QStringLiteral("Delka"), true).paint(&painter, canvas.rect());
        painter.end();
        QVERIFY(opaquePixels(canvas) > 100);
    }
};

QTEST_MAIN(NavigatorTest)
#include "navigator_test.moc"
