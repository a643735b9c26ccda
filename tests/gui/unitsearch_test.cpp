// Finding a unit by name from the search pane over the navigator and opening what was found.
#include "fixture.h"

#include "gui/commands.h"
#include "navigation/navigator.h"
#include "navigation/searchpane.h"
#include "table/conversiontable.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTreeWidget>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QStringList searchData()
{
    return {
        QStringLiteral("1|metr|m|1||True"),
        QStringLiteral("1|kilometr|km|1000"),
        QStringLiteral("1|centimetr|cm|0.01"),
        QStringLiteral("1|Metr|M|1"),
        QStringLiteral("2|metr čtvereční|m²|1||True"),
        QStringLiteral("2|ar|a|100"),
        QStringLiteral("3|m3|m³|1||True"),
        QStringLiteral("3|metr|m|1"),
    };
}

struct Hit {
    QString name;
    QString tag;
    QString tip;
    QPalette::ColorGroup group;
};

} // namespace

class UnitSearchTest : public WindowTestCase {
    Q_OBJECT

    MainWindow* w_ = nullptr;

    QTreeWidget* results() const { return findNamed<QTreeWidget>(w_, QStringLiteral("lvwFind")); }
    QWidget* pane() const { return findNamed<QWidget>(w_, QStringLiteral("picFind")); }

    QStringList shown() const
    {
        QStringList out;
        for (int i = 0; i < results()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = results()->topLevelItem(i);
            const bool grey = item->foreground(0).color() == hitColours(results()->palette()).pattern;
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(item->text(0), item->data(0, Qt::UserRole).toString(), item->toolTip(0),
                            grey ? QStringLiteral("grey") : QStringLiteral("text"));
        }
        return out;
    }

    void find(const QString& text)
    {
        keyToFocus(w_, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), findNamed<QWidget>(w_, QStringLiteral("txtFind")));
        typeToFocus(w_, text);
        keyToFocus(w_, Qt::Key_Return);
    }

protected:
    void setUp() override
    {
        environment().useData(searchData(), {QStringLiteral("1|metr|m|1")});
        environment().setSetting(QStringLiteral("Navigator/S3"), QStringLiteral("Můj objem"));
        w_ = &startedWindow(Data::AsWritten);
        QVERIFY(QTest::qWaitForWindowActive(w_));
    }

private slots:
    void hitsComeInTheirOrderAndColours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("hits");
        // clang-format off
        QTest::newRow("exact first, then all in grey")
            << "metr"
            << QStringList{"metr 1-1 Délka text",          "metr 3-2 Můj objem text",
                           "metr 1-1 Délka grey",          "kilometr 1-2 Délka grey",
                           "centimetr 1-3 Délka grey",     "metr čtvereční 2-1 Plošný obsah grey",
                           "metr 3-2 Můj objem grey"};
        QTest::newRow("case matters") << "Metr" << QStringList{"Metr 1-4 Délka text", "Metr 1-4 Délka grey"};
        QTest::newRow("characters in order") << "mr" << QStringList{"metr 1-1 Délka grey", "kilometr 1-2 Délka grey",
                                                                     "centimetr 1-3 Délka grey",
                                                                     "metr čtvereční 2-1 Plošný obsah grey",
                                                                     "metr 3-2 Můj objem grey"};
        QTest::newRow("a number sign is a digit") << "m#" << QStringList{"m3 3-1 Můj objem grey"};
        QTest::newRow("empty text lists nothing") << "" << QStringList{};
        QTest::newRow("nothing found") << "xyz" << QStringList{};
        // clang-format on
    }
    void hitsComeInTheirOrderAndColours()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, hits);
        find(text);
        QCOMPARE(shown(), hits);
        QVERIFY(pane()->isVisible());
        QCOMPARE(results()->headerItem()->text(0), QStringLiteral("Jednotka"));
    }

    void theButtonRunsTheSearchToo()
    {
        find(QStringLiteral("ar"));
        QCOMPARE(results()->topLevelItemCount(), 2);
        findNamed<QLineEdit>(w_, QStringLiteral("txtFind"))->setText(QStringLiteral("km"));
        QTest::mouseClick(findNamed<QPushButton>(w_, QStringLiteral("cmdFind")), Qt::LeftButton);
        QCOMPARE(shown(), QStringList{"kilometr 1-2 Délka grey"});
    }

    void openingAHitShowsTheUnit_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("dark");
        QTest::newRow("Enter") << true << false;
        QTest::newRow("double click") << false << false;
        QTest::newRow("Enter, dark theme") << true << true;
    }
    void openingAHitShowsTheUnit()
    {
        QFETCH(bool, byKey);
        QFETCH(bool, dark);
        const QPalette light = QApplication::palette();
        QPalette night = light;
        night.setColor(QPalette::Base, QColor(0x1e1e1e));
        night.setColor(QPalette::Text, QColor(0xe0e0e0));
        night.setColor(QPalette::Highlight, QColor(0x2a4a8a));
        night.setColor(QPalette::Disabled, QPalette::Text, QColor(0x555555));
        QApplication::setPalette(dark ? night : light);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        find(QStringLiteral("metr"));
        QTreeWidgetItem* hit = results()->topLevelItem(1); // metr, topic 3 unit 2
        if (byKey) {
            results()->setFocus();
            results()->setCurrentItem(hit);
            keyToFocus(w_, Qt::Key_Return);
        } else {
            const QRect cell = results()->visualItemRect(hit);
            QTest::mouseClick(results()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
            QTest::mouseDClick(results()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        }
        QCOMPARE(w_->table()->currentTopic(), 3);
        QCOMPARE(w_->table()->currentRow(), 1);
        // Exact, visited and pattern hits: three colours, each readable on the list.
        const QColor used[] = {results()->topLevelItem(0)->foreground(0).color(), hit->foreground(0).color(),
                               results()->topLevelItem(2)->foreground(0).color()};
        const HitColours wanted = hitColours(results()->palette());
        QCOMPARE(used[0], wanted.exact);
        QCOMPARE(used[1], wanted.visited);
        QCOMPARE(used[2], wanted.pattern);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(textContrast(used[i], results()->palette().color(QPalette::Base)) >= 4.5,
                     qPrintable(used[i].name()));
            const QColor& a = used[i];
            const QColor& b = used[(i + 1) % 3];
            QVERIFY2(qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) >= 60,
                     qPrintable(a.name() + " " + b.name()));
        }
        QVERIFY(pane()->isVisible());
        // Enter with nothing selected opens nothing.
        find(QStringLiteral("xyz"));
        results()->setFocus();
        keyToFocus(w_, Qt::Key_Return);
        QCOMPARE(w_->table()->currentTopic(), 3);
    }

    void theListsAndCancelPutThePaneAway_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Storno") << "";
        QTest::newRow("topic list") << "mnuNavigator_0";
        QTest::newRow("unit list") << "mnuNavigator_2";
    }
    void theListsAndCancelPutThePaneAway()
    {
        QFETCH(QString, command);
        find(QStringLiteral("metr"));
        if (command.isEmpty())
            QTest::mouseClick(findNamed<QPushButton>(w_, QStringLiteral("cmdStorno")), Qt::LeftButton);
        else
            QVERIFY(triggerAction(w_, command));
        QVERIFY(!pane()->isVisible());
        QVERIFY(!w_->navigator()->searchPaneShown());
    }

    void everyChangeOfTheDataDropsTheHits_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("reload") << "mnuNacist";
        QTest::newRow("show all") << "mnuZobrazitVse";
        QTest::newRow("level") << "mnuU_2";
    }
    void everyChangeOfTheDataDropsTheHits()
    {
        QFETCH(QString, command);
        QVERIFY(triggerAction(w_, "mnuTema_1"));
        find(QStringLiteral("metr"));
        QVERIFY(results()->topLevelItemCount() > 0);
        QVERIFY(triggerAction(w_, command));
        QCOMPARE(results()->topLevelItemCount(), 0);
    }

    void whileEditingADataFileFindIsTheEditors()
    {
        int asked = 0;
        w_->searchPane()->setEditorFind([&asked] { ++asked; });
        w_->commands()->editModeOnOff(true);
        QVERIFY(triggerAction(w_, "mnuNajit"));
        QCOMPARE(asked, 1);
        QVERIFY(!pane()->isVisible());
        w_->commands()->editModeOnOff(false);
        QVERIFY(triggerAction(w_, "mnuNajit"));
        QCOMPARE(asked, 1);
        QVERIFY(pane()->isVisible());
    }
};

QTEST_MAIN(UnitSearchTest)
#include "unitsearch_test.moc"
