// The menus, toolbar and status bar as the user meets them: captions, shortcuts and marks, which
// commands can be used before and after the first topic and while a data file is edited, the
// "Jako" button's memory, the display-format letter and the clickable panels.
#include "fixture.h"
#include "core/unitdb.h"
#include "gui/commands.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <memory>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

struct Window {
    QMainWindow main;
    Commands* commands = new Commands(&main);
    QAction* a(const QString& name) const
    {
        QAction* act = commands->action(name);
        if (!act)
            qWarning("no action %s", qPrintable(name));
        return act;
    }
};

// The commands the first displayed topic makes available.
const QStringList kPaneCommands = {
    "mnuLupa",  "mnuNahled",  "mnuInfo",  "mnuPredpony", "mnuA",
    "mnuRadek", "tlb_Náhled", "tlb_Lupa", "tlb_Info",    "tlb_Jako",
};
// The commands a data file being edited blocks.
const QStringList kBlockedWhileEditing = {
    "mnuNacist", "mnuE",       "mnuNahled", "mnuLupa",  "mnuInfo",  "mnuPredpony", "mnuA",    "mnuUroven",
    "mnuRec_3",  "tlb_Náhled", "tlb_Lupa",  "tlb_Info", "tlb_Jako", "tlb_Úroveň",  "tlb_Rec",
};

QStringList enabledOf(const Window& w, const QStringList& names)
{
    QStringList on;
    for (const QString& n : names)
        if (w.a(n) && w.a(n)->isEnabled())
            on << n;
    return on;
}

} // namespace

class CommandsTest : public WindowTestCase {
    Q_OBJECT
private slots:
    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("help");
        QTest::addColumn<QString>("state"); // e = enabled, v = visible, c = checked
        // clang-format off
        QTest::newRow("quit") << "mnuKonec" << "&Konec" << "" << 1110 << "ev";
        QTest::newRow("reload") << "mnuNacist" << "Znovu &načíst" << "Ctrl+R" << 1110 << "ev";
        QTest::newRow("close file") << "mnuUlozit_0" << "&Zavřít" << "Ctrl+W" << 1110 << "v";
        QTest::newRow("preview") << "mnuNahled" << "Krátký &náhled" << "F3" << 1100 << "vc";
        QTest::newRow("magnifier") << "mnuLupa" << "&Lupa" << "F2" << 40 << "v";
        QTest::newRow("history") << "mnuHistorie" << "&Historie" << "Ctrl+Shift+H" << 1190 << "ev";
        QTest::newRow("user list") << "mnuNavigator_1" << "&Uživatelské veličiny" << "Ctrl+Shift+F4" << 1150 << "ev";
        QTest::newRow("topic list") << "mnuNavigator_0" << "Seznam &veličin" << "Shift+F4" << 1150 << "evc";
        QTest::newRow("previous") << "mnuNavigace_1" << "&Předchozí téma" << "F7" << 1350 << "v";
        QTest::newRow("next") << "mnuNavigace_2" << "&Následující téma" << "F8" << 1350 << "ev";
        QTest::newRow("rec start") << "mnuRec_0" << "&Start" << "Ctrl+F5" << 1370 << "";
        QTest::newRow("recording") << "mnuRec_3" << "Nah&rávání" << "Ctrl+Shift+F5" << 1370 << "v";
        QTest::newRow("single") << "mnuFormatZ_0" << "&Jednoduchá přesnost" << "Ctrl+J" << 1030 << "evc";
        QTest::newRow("font") << "mnuPismo" << "Písmo..." << "" << 0 << "";
        QTest::newRow("help") << "mnuNapoveda" << "&Nápověda…" << "F1" << 0 << "ev";
        QTest::newRow("index") << "mnuIndex" << "&Index…" << "" << 1 << "ev";
        QTest::newRow("level") << "mnuUroven" << "Ú&roveň" << "" << 1290 << "ev";
        QTest::newRow("level all") << "mnuU_0" << "Vše" << "" << 1290 << "evc";
        QTest::newRow("as submenu") << "mnuA" << "Aktuální jako" << "" << 1110 << "v";
        QTest::newRow("copy with the unit") << "mnuKopirovatJ" << "Kopírovat s &jednotkou" << "Ctrl+Shift+C" << 1141 << "ev";
        QTest::newRow("fraction") << "mnuZlomek" << "&Zlomek" << "Ctrl+Z" << 1230 << "ev";
        QTest::newRow("list view") << "mnuIkony_1" << "&Seznam" << "" << 1110 << "evc";
        QTest::newRow("marking") << "mnuBarvy" << "&Barevné značení" << "" << 1110 << "evc";
        QTest::newRow("hide unmarked") << "mnuHide_2" << "Skrýt neoznačené" << "" << 1110 << "v";
        QTest::newRow("first topic") << "mnuTema_1" << "Délka" << "" << 1110 << "ev";
        QTest::newRow("last topic") << "mnuTema_26" << "Násobky a díly" << "" << 1110 << "ev";
        // clang-format on
    }
    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(int, help);
        QFETCH(QString, state);
        Window w;
        QAction* a = w.a(name);
        QVERIFY(a);
        QCOMPARE(a->objectName(), name);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), shortcut);
        QCOMPARE(a->property("helpContext").toInt(), help);
        QCOMPARE(a->isEnabled(), state.contains('e'));
        QCOMPARE(a->isVisible(), state.contains('v'));
        QCOMPARE(a->isChecked(), state.contains('c'));
    }

    void everyShortcutIsUnique()
    {
        Window w;
        QHash<QString, QString> owner;
        for (QAction* a : w.main.findChildren<QAction*>()) {
            const QString key = a->shortcut().toString(QKeySequence::PortableText);
            if (key.isEmpty())
                continue;
            QVERIFY2(!owner.contains(key), qPrintable(key + " on " + owner.value(key) + " and " + a->objectName()));
            owner.insert(key, a->objectName());
        }
        QCOMPARE(owner.size(), 37);
    }

    void menuBarHoldsTheMenusInOrder()
    {
        Window w;
        QStringList titles;
        for (QAction* a : w.main.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles,
                 (QStringList{"&Soubor", "Úpr&avy", "&Zobrazit", "&Přejít", "&Formát", "Nást&roje", "&Nápověda"}));
        // The table's context menu is there for pop-up use only.
        QMenu* tab = w.commands->menu("mnuTab");
        QVERIFY(tab);
        QCOMPARE(tab->title(), "Tabulka");
        QCOMPARE(tab->actions().size(), 3);
        // Save and close stay reachable while the editing submenu is disabled.
        QCOMPARE(w.a("mnuUlozit_1")->parent(), w.commands->menu("mnuSoubor"));
        QCOMPARE(w.a("mnuLatin")->parent(), w.commands->menu("mnuA"));
        QCOMPARE(w.commands->menu("mnuPrejit")->actions().size(), 2 + 1 + 26);
    }

    void toolbarButtonsInOrder()
    {
        Window w;
        const QList<QAction*> buttons = w.commands->toolBar()->actions();
        QCOMPARE(buttons.size(), 24);
        // Counted from 1 with the separators, "Jako" is button 12.
        QCOMPARE(buttons[11]->objectName(), "tlb_Jako");
        QVERIFY(buttons[2]->isSeparator());
        QCOMPARE(buttons[20]->toolTip(), "Koncec nahrávání");
        QCOMPARE(buttons[23]->toolTip(), "Nápověda");
        auto* asButton = w.main.findChild<QToolButton*>("tlb_Jako");
        QVERIFY(asButton);
        QCOMPARE(asButton->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(asButton->toolTip(), "Aktuální buňka jako…");
        QStringList items;
        for (QAction* a : w.a("tlb_Úroveň")->menu()->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"Vše", "Úroveň 1", "Úroveň 2", "Úroveň 3"}));
        QVERIFY(w.a("tlb_Náhled")->isCheckable() && w.a("tlb_Náhled")->isChecked());
        QVERIFY(!w.a("tlb_Start")->isVisible() && !w.a("tlb_Stop")->isVisible());
    }

    void firstTopicMakesThePanesAvailable()
    {
        Window w;
        QCOMPARE(enabledOf(w, kPaneCommands), QStringList());
        QVERIFY(!w.a("tlb_Zpět")->isEnabled());
        QVERIFY(w.a("tlb_Vpřed")->isEnabled());
        w.commands->firstDisplay();
        QCOMPARE(enabledOf(w, kPaneCommands), kPaneCommands);
        QVERIFY(!w.a("mnuSkryt")->isEnabled()); // marking decides that one
        w.commands->setHideEnabled(true);
        QVERIFY(w.a("mnuSkryt")->isEnabled() && w.a("mnuHide_2")->isEnabled());
    }

    void editingSwitchesTheCommands()
    {
        Window w;
        w.commands->firstDisplay();
        w.commands->enableRec(true);
        QCOMPARE(enabledOf(w, kBlockedWhileEditing), kBlockedWhileEditing);
        w.commands->editModeOnOff(true);
        QCOMPARE(enabledOf(w, kBlockedWhileEditing), QStringList());
        QCOMPARE(enabledOf(w, {"mnuUlozit_0", "mnuUlozit_1", "tlb_Uložit"}).size(), 3);
        QVERIFY(w.a("mnuPismo")->isVisible() && w.a("mnuSep17")->isVisible());
        // Opening the other file while one is open switches again.
        w.commands->editModeOnOff(true);
        w.commands->editModeOnOff(false);
        QCOMPARE(enabledOf(w, kBlockedWhileEditing), kBlockedWhileEditing);
        QCOMPARE(enabledOf(w, {"mnuUlozit_0", "mnuUlozit_1", "tlb_Uložit"}), QStringList());
        QVERIFY(!w.a("mnuPismo")->isVisible());
        // A recording command shown during editing is usable once editing ends.
        w.commands->editModeOnOff(true);
        w.commands->setRecordingState("Rec");
        QVERIFY(!w.a("tlb_Pause")->isEnabled());
        w.commands->editModeOnOff(false);
        QVERIFY(w.a("tlb_Pause")->isEnabled() && w.a("mnuRec_2")->isEnabled());
    }

    void editingBeforeAnyTopicKeepsThePanesUnavailable()
    {
        Window w;
        w.commands->editModeOnOff(true);
        w.commands->editModeOnOff(false);
        QCOMPARE(enabledOf(w, kPaneCommands), QStringList());
        // A state asked for while editing shows once editing ends.
        w.commands->editModeOnOff(true);
        w.commands->firstDisplay();
        w.commands->setRepresentationEnabled(false);
        QVERIFY(!w.a("mnuLupa")->isEnabled());
        QVERIFY(w.a("mnuRadek")->isEnabled());
        w.commands->editModeOnOff(false);
        QVERIFY(w.a("mnuLupa")->isEnabled());
        QVERIFY(!w.a("tlb_Jako")->isEnabled());
    }

    void representationRepeatsTheLastStandardChoice()
    {
        Window w;
        w.commands->firstDisplay();
        QSignalSpy commands(w.commands, &Commands::triggered);
        QSignalSpy reps(w.commands, &Commands::representationRequested);
        w.a("tlb_Vlastni")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuSoustava", 3}));
        QCOMPARE(w.commands->representationImage(), "AktualniJako");
        QCOMPARE(w.a("tlb_Jako")->toolTip(), "Aktuální buňka jako…");
        w.a("tlb_Jako")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuSoustava", 0}));
        QCOMPARE(reps.count(), 2);
        QCOMPARE(reps.last().first().toString(), "Binarne");

        w.a("tlb_Rimsky")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuLatin", -1}));
        QCOMPARE(w.commands->representationImage(), "Romanus");
        QVERIFY(!w.a("tlb_Jako")->icon().isNull());
        QCOMPARE(w.a("tlb_Jako")->toolTip(), "Římsky");
        w.a("tlb_VlastniD")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuSoustava", 4}));
        w.a("tlb_Jako")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuLatin", -1}));
        QCOMPARE(w.commands->lastRepresentation(), "Rimsky");
    }

    void levelDropDownAndPanel()
    {
        Window w;
        QSignalSpy commands(w.commands, &Commands::triggered);
        w.a("tlb_Uroven2")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuU", 2}));
        QVERIFY(w.a("mnuU_2")->isChecked() && !w.a("mnuU_0")->isChecked());
        QCOMPARE(w.commands->panelText("Uroven"), "2");
        QCOMPARE(w.commands->panelToolTip("Uroven"), "Úroveň 2");
        w.a("tlb_Úroveň")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuU", 0}));
        QCOMPARE(w.commands->panelText("Uroven"), "V");
        QCOMPARE(w.commands->panelToolTip("Uroven"), "Úroveň Vše");
    }

    void formatLetters_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("used");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("toolTip");
        // clang-format off
        QTest::newRow("negative") << -1 << 0 << "J" << "Jednoduchá přesnost";
        QTest::newRow("double") << 1 << 1 << "D" << "Dvojitá přesnost";
        QTest::newRow("scientific") << 2 << 2 << "S" << "Vědecké zobrazení";
        QTest::newRow("fixed") << 3 << 3 << "F" << "Pevný počet (3)";
        QTest::newRow("out of range") << 9 << 0 << "J" << "Jednoduchá přesnost";
        // clang-format on
    }
    void formatLetters()
    {
        QFETCH(int, index);
        QFETCH(int, used);
        QFETCH(QString, letter);
        QFETCH(QString, toolTip);
        Window w;
        w.commands->formatZ(2);
        w.commands->setFix(3);
        QCOMPARE(w.commands->formatZ(index), used);
        QCOMPARE(w.commands->formatIndex(), used);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.a(QString("mnuFormatZ_%1").arg(i))->isChecked(), i == used);
        QCOMPARE(w.commands->panelText("Presnost"), letter);
        QCOMPARE(w.commands->panelToolTip("Presnost"), toolTip);
    }

    void formatMenuUpdatesTheLetter()
    {
        Window w;
        QSignalSpy commands(w.commands, &Commands::triggered);
        w.a("mnuFormatZ_3")->trigger();
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuFormatZ", 3}));
        QCOMPARE(w.commands->panelText("Presnost"), "F");
        QCOMPARE(w.commands->panelToolTip("Presnost"), "Pevné (Fixed)");
        w.commands->setFix(0);
        QCOMPARE(w.a("mnuFormatZ_3")->text(), "Pevný počet (0)");
        QCOMPARE(w.commands->panelToolTip("Presnost"), "Pevný počet (0)");
        w.commands->setNumBase(12);
        QCOMPARE(w.a("mnuSoustava_3")->text(), "Vlast&ní (12)");
    }

    void countsOfTopicsAndUnits()
    {
        Window w;
        auto db = std::make_unique<ov::UnitDatabase>();
        for (int t = 1; t <= 26; ++t)
            db->setUnitCount(t, 10);
        db->setUnitCount(5, 0);
        db->setUnitCount(30, 7); // a user topic is not counted among the units
        w.commands->updateCounts(*db, 3);
        QCOMPARE(w.commands->panelText("Temata"), "Témat: 25+3");
        QCOMPARE(w.commands->panelText("Veličiny"), "Jednotek v aplikaci: 250");
        QCOMPARE(w.commands->panelToolTip("Temata"), "Klepněte pro seznam");
    }

    void panelClicksReportTheirKeys()
    {
        Window w;
        w.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        QSignalSpy clicks(w.commands, &Commands::panelClicked);
        const QStringList keys = {"Navi", "Temata", "Veličiny", "TVeličiny", "Uroven", "Presnost"};
        for (const QString& key : keys) {
            auto* label = w.main.findChild<QLabel*>("sta_" + key);
            QVERIFY(label);
            QTest::mouseClick(label, Qt::LeftButton);
        }
        QCOMPARE(clicks.size(), keys.size());
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(clicks[i].first().toString(), keys[i]);
        // "Uroven" opens the level menu.
        QMenu* levels = w.commands->menu("mnuUroven");
        QVERIFY(levels->isVisible());
        levels->close();
    }

    void singleTextWhileEditing()
    {
        Window w;
        QCOMPARE(w.commands->panelText("Navi"), "Veličiny");
        QCOMPARE(w.commands->panelToolTip("TVeličiny"), "");
        auto* single = w.main.findChild<QLabel*>("sta_Simple");
        QVERIFY(single && single->isHidden());
        w.commands->setSingleTextStyle(true);
        QVERIFY(!single->isHidden());
        QCOMPARE(single->text(), "Editace jednotek");
        QVERIFY(w.commands->panel("Navi")->isHidden());
        w.commands->setSingleTextStyle(false);
        QVERIFY(single->isHidden());
        QVERIFY(!w.commands->panel("Presnost")->isHidden());
    }

    void aPaneSwitchHasOneStateInMenuAndToolbar()
    {
        Window w;
        w.commands->firstDisplay();
        QSignalSpy commands(w.commands, &Commands::triggered);
        auto* magnifierButton = w.main.findChild<QToolButton*>("tlb_Lupa");
        QVERIFY(magnifierButton);
        // The menu item switches the pane on: the mark and the pressed button agree.
        w.a("mnuLupa")->trigger();
        QVERIFY(w.commands->isPressed("Lupa"));
        QVERIFY(w.a("mnuLupa")->isChecked());
        QVERIFY(magnifierButton->isChecked());
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuLupa", -1}));
        // The button switches it off again, for the menu too.
        magnifierButton->click();
        QVERIFY(!w.a("mnuLupa")->isChecked());
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuLupa", -1}));
        w.a("tlb_Náhled")->trigger();
        QVERIFY(!w.commands->isPressed("Náhled"));
        QVERIFY(!w.a("mnuNahled")->isChecked());
        QCOMPARE(commands.takeFirst(), (QVariantList{"mnuNahled", -1}));
        // Switched by the program, the state changes without running the command.
        w.commands->toggleButton("Info");
        QVERIFY(w.commands->isPressed("Info"));
        QVERIFY(w.a("mnuInfo")->isChecked());
        QVERIFY(commands.isEmpty());
    }

    void toolbarRunsItsMenuCommands_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        // clang-format off
        QTest::newRow("edit") << "Otevřít" << "mnuEdit" << 0;
        QTest::newRow("print") << "Tisk" << "mnuTisk" << -1;
        QTest::newRow("next") << "Vpřed" << "mnuNavigace" << 2;
        QTest::newRow("help") << "Nápověda" << "mnuIndex" << -1;
        // clang-format on
    }
    void toolbarRunsItsMenuCommands()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(int, index);
        Window w;
        QSignalSpy commands(w.commands, &Commands::triggered);
        QSignalSpy keys(w.commands, &Commands::toolbarTriggered);
        w.a("tlb_" + key)->trigger();
        QCOMPARE(keys.takeFirst().first().toString(), key);
        QCOMPARE(commands.takeFirst(), (QVariantList{name, index}));
    }

    void shortcutsOfADisabledSubmenuDoNothing()
    {
        Window w;
        w.main.show();
        w.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.main));
        QSignalSpy commands(w.commands, &Commands::triggered);
        QTest::keyClick(&w.main, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(commands.isEmpty());
        w.commands->firstDisplay();
        QTest::keyClick(&w.main, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(&w.main, Qt::Key_F8);
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[0], (QVariantList{"mnuSoustava", 0}));
        QCOMPARE(commands[1], (QVariantList{"mnuNavigace", 2}));
    }

    void navigationAndRecording()
    {
        Window w;
        w.commands->setNavigation(true, false);
        QVERIFY(w.a("tlb_Zpět")->isEnabled() && w.a("mnuNavigace_1")->isEnabled());
        QVERIFY(!w.a("tlb_Vpřed")->isEnabled() && !w.a("mnuNavigace_2")->isEnabled());
        w.commands->setRecordingState("Rec");
        QVERIFY(w.a("tlb_Pause")->isVisible() && w.a("tlb_Stop")->isVisible() && !w.a("tlb_Rec")->isVisible());
        QVERIFY(w.a("mnuRec_1")->isVisible() && !w.a("mnuRec_3")->isVisible() && !w.a("mnuRec_0")->isVisible());
        w.commands->setRecordingState("Pause");
        QVERIFY(w.a("tlb_Start")->isVisible() && !w.a("tlb_Pause")->isVisible());
        w.commands->setRecordingState("Stop");
        QVERIFY(w.a("tlb_Rec")->isVisible() && !w.a("tlb_Start")->isVisible() && !w.a("mnuRec_2")->isVisible());
        w.commands->setTopicName(3, "Můj objem");
        QCOMPARE(w.a("mnuTema_3")->text(), "Můj objem");
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
