// Editing the data files in the window as the user does it: open, type, save and see the units
// reloaded, close with and without saving, and every way a save can go wrong without losing
// the text.
#include "fixture.h"

#include "gui/commands.h"
#include "navigation/navigator.h"
#include "settings/optionsdialog.h"
#include "table/conversiontable.h"
#include "table/datafileeditor.h"
#include "table/workspace.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include <csignal>
#include <sys/resource.h>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Stops writes beyond a size for as long as it lives; the signal the system sends for them is
// ignored, so that the write fails instead of ending the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

class DataFileTest : public WindowTestCase {
    Q_OBJECT

    MainWindow* w_ = nullptr;

    void setUp() override { w_ = nullptr; }

    MainWindow& window()
    {
        if (!w_)
            w_ = &startedWindow();
        return *w_;
    }
    DataFileEditor& editor() { return *window().dataFileEditor(); }
    QPlainTextEdit& text() { return *editor().textEdit(); }
    QString mainPath() { return environment().folder() + "/Omnivel.omv"; }
    QString userPath() { return environment().folder() + "/User.omv"; }

    // Types a line of its own after the given line (by default after the last one).
    void appendLine(const QString& line, int after = -1)
    {
        text().setFocus();
        if (after < 0) {
            text().moveCursor(QTextCursor::End);
        } else {
            QTextCursor c(text().document()->findBlockByNumber(after));
            c.movePosition(QTextCursor::EndOfBlock);
            text().setTextCursor(c);
        }
        QTest::keyClick(&text(), Qt::Key_Return);
        // Key by key; a letter beyond ASCII arrives as a key with only its text.
        for (const QChar ch : line) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(&text(), char(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, &text(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    bool editing() { return window().commands()->editMode(); }

private slots:
    void savedChangeIsInTheReloadedTable()
    {
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        QVERIFY(editing());
        QCOMPARE(w.workspace()->currentPage(), &editor());
        QCOMPARE(editor().title(), " Editace souboru " + QDir::toNativeSeparators(mainPath()));
        QVERIFY(w.commands()->singleTextStyle());
        appendLine("1|míle|mi|1609.344", 3);
        QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        QVERIFY(editing());
        QVERIFY(!editor().isModified());
        QVERIFY(bytesOf(mainPath())
                    .endsWith(
                        "1|centimetr|cm|0.01\r\n1|míle|mi|1609.344\r\n2|metr čtvereční|m²|1||True\r\n2|ar|a|100\r\n"));
        QCOMPARE(context().db.unitCount(1), 4);
        QVERIFY(triggerAction(&w, "mnuUlozit_0"));
        QVERIFY(!editing());
        QCOMPARE(w.workspace()->currentPage(), w.table());
        QCOMPARE(w.table()->currentTopic(), 1);
        auto* grid = w.table()->findChild<QTableWidget*>("msgTab");
        QVERIFY(grid);
        QCOMPARE(grid->item(3, 0)->text(), QStringLiteral("míle"));
    }

    void unchangedFileSavesByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << QByteArray("1|metr|m|1\r\n1|palec\xC2\xA0nov\xC3\xBD|in|0.0254\r\n");
        QTest::newRow("Windows-1250") << QByteArray("1|metr|m|1\r\n1|palec\xA0nov\xFD|in|0.0254\r\n");
    }

    void unchangedFileSavesByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        MainWindow& w = window();
        writeBytes(mainPath(), bytes);
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        QCOMPARE(bytesOf(mainPath()), bytes);
        QVERIFY(fakeDialogs().messageTexts().isEmpty());
    }

    void characterWindows1250CannotHoldIsSavedAsUtf8OnlyWhenAgreed_data()
    {
        const QByteArray old("1|metr|m|1\r\n1|dlouh\xFD|d|2\r\n");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("after");
        // clang-format off
        QTest::newRow("agreed") << int(QMessageBox::Yes)
                                << QByteArray("1|metr|m|1\r\n1|dlouh\xC3\xBD|d|2\r\n1|\xC5\xA1ipka \xE2\x86\x92|s|3\r\n");
        QTest::newRow("Storno") << int(QMessageBox::Cancel) << old;
        // clang-format on
    }

    void characterWindows1250CannotHoldIsSavedAsUtf8OnlyWhenAgreed()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, after);
        // "dlouhý" in Windows-1250, where ý is one byte.
        MainWindow& w = window();
        writeBytes(mainPath(), "1|metr|m|1\r\n1|dlouh\xFD|d|2\r\n");
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        appendLine(QString::fromUtf8("1|šipka →|s|3"));
        fakeDialogs().answer(QMessageBox::StandardButton(answer));
        QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        QCOMPARE(bytesOf(mainPath()), after);
        QCOMPARE(editor().isModified(), answer != QMessageBox::Yes);
        QCOMPARE(fakeDialogs().calls().first().text, "Text obsahuje znaky, které kódování Windows-1250 souboru " +
                                                         QDir::toNativeSeparators(mainPath()) +
                                                         " neumí zapsat. Uložit soubor v kódování UTF-8?");
    }

    void closingWithChangesAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Ano") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("Ne") << int(QMessageBox::No) << false << true;
        QTest::newRow("Storno") << int(QMessageBox::Cancel) << false << false;
    }

    void closingWithChangesAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(bool, closed);
        MainWindow& w = window();
        const QByteArray before = bytesOf(userPath());
        QVERIFY(triggerAction(&w, "mnuEdit_1"));
        appendLine("1|kopa|kp|60");
        fakeDialogs().answer(QMessageBox::StandardButton(answer));
        QVERIFY(triggerAction(&w, "mnuUlozit_0"));
        QCOMPARE(fakeDialogs().messageTexts(), QStringList{"Uložit změny v souboru User.omv?"});
        QCOMPARE(bytesOf(userPath()) != before, saved);
        QCOMPARE(!editing(), closed);
        if (!closed)
            QVERIFY(text().toPlainText().endsWith("1|kopa|kp|60"));
    }

    void otherFileAndEndingTheProgramAskToo()
    {
        MainWindow& w = window();
        FakeDialogs& fake = fakeDialogs();
        QVERIFY(triggerAction(&w, "mnuEdit_1"));
        appendLine("1|kopa|kp|60");
        // The toolbar's "Otevřít" opens the main file while the user file is edited.
        fake.answer(QMessageBox::Cancel);
        QVERIFY(triggerAction(&w, "tlb_Otevřít"));
        QCOMPARE(editor().path(), userPath());
        // Storno at shut-down keeps the program running with the text.
        fake.answer(QMessageBox::Cancel);
        w.close();
        QVERIFY(!w.ended());
        QVERIFY(w.isVisible());
        QVERIFY(editor().isModified());
        QCOMPARE(fake.messageTexts(), QStringList(2, "Uložit změny v souboru User.omv?"));
        fake.answer(QMessageBox::No);
        QVERIFY(triggerAction(&w, "tlb_Otevřít"));
        QCOMPARE(editor().path(), mainPath());
        QVERIFY(!editor().isModified());
    }

    void failedSaveLosesNothing_data()
    {
        QTest::addColumn<bool>("sizeLimit");
        QTest::newRow("folder replaced by a file") << false;
        QTest::newRow("file size limit") << true;
    }

    void failedSaveLosesNothing()
    {
        QFETCH(bool, sizeLimit);
        TestEnvironment& env = environment();
        QVERIFY(QDir().mkpath(env.folder() + "/data"));
        const QString path = env.writeFile("data/User.omv", smallUserData());
        MainWindow& w = window();
        context().prefs.pathUser = path;
        QVERIFY(triggerAction(&w, "mnuEdit_1"));
        appendLine("1|kopa|kp|60");
        const int units = context().db.unitCount(27);
        {
            std::optional<FileSizeLimit> limit;
            if (sizeLimit) {
                limit.emplace(8);
            } else {
                QVERIFY(QDir(env.folder()).rename("data", "data.old"));
                writeBytes(env.folder() + "/data", "not a folder");
            }
            QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        }
        QCOMPARE(fakeDialogs().messageTexts(),
                 QStringList{"Soubor " + QDir::toNativeSeparators(path) + " se nepodařilo uložit."});
        QVERIFY(!fakeDialogs().calls().last().details.isEmpty());
        QCOMPARE(fakeDialogs().calls().last().details,
                 QString::fromLocal8Bit(std::strerror(sizeLimit ? EFBIG : ENOTDIR)));
        QVERIFY(editor().isModified());
        QVERIFY(editing());
        QVERIFY(text().toPlainText().endsWith("1|kopa|kp|60"));
        QCOMPARE(context().db.unitCount(27), units);
        if (sizeLimit)
            QCOMPARE(bytesOf(path), QByteArray("1|kus|ks|1\r\n1|tucet|tuc|12\r\n"));
    }

    void savingThroughALinkWritesTheFileItPointsTo()
    {
        TestEnvironment& env = environment();
        const QString real = env.writeFile("Skutečný.omv", smallUserData());
        const QString link = env.folder() + "/Odkaz.omv";
        QVERIFY(QFile::link(real, link));
        MainWindow& w = window();
        context().prefs.pathUser = link;
        QVERIFY(triggerAction(&w, "mnuEdit_1"));
        appendLine("1|kopa|kp|60");
        QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(bytesOf(real).endsWith("1|kopa|kp|60\r\n"));
    }

    void fileChangedOnDiskIsOverwrittenOnlyWhenAgreed()
    {
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, "mnuEdit_1"));
        appendLine("1|kopa|kp|60");
        QFile f(userPath());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        f.close();
        const QByteArray other = bytesOf(userPath());
        fakeDialogs().answer(QMessageBox::No);
        QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        QCOMPARE(bytesOf(userPath()), other);
        QVERIFY(editor().isModified());
        fakeDialogs().answer(QMessageBox::Yes);
        QVERIFY(triggerAction(&w, "mnuUlozit_1"));
        QVERIFY(bytesOf(userPath()).endsWith("1|kopa|kp|60\r\n"));
        QCOMPARE(fakeDialogs().messageTexts(),
                 QStringList(2, "Soubor " + QDir::toNativeSeparators(userPath()) +
                                    " byl od otevření změněn jiným programem. Přepsat jej?"));
    }

    void fileThatCannotBeOpenedChangesNothing_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("title");
        QTest::newRow("missing") << false << "Chyba otevření souboru";
        QTest::newRow("a folder") << true << "Chyba";
    }

    void fileThatCannotBeOpenedChangesNothing()
    {
        QFETCH(bool, folder);
        QFETCH(QString, title);
        TestEnvironment& env = environment();
        const QString path = env.folder() + "/Chybí.omv";
        if (folder)
            QVERIFY(QDir().mkpath(path));
        MainWindow& w = window();
        context().prefs.pathUser = path;
        QVERIFY(triggerAction(&w, "mnuEdit_1"));
        QVERIFY(!editing());
        QCOMPARE(w.workspace()->currentPage(), w.table());
        const DialogCall& box = fakeDialogs().calls().last();
        QCOMPARE(box.title, title);
        QCOMPARE(box.icon, DialogService::Icon::Warning);
        if (folder)
            QCOMPARE(box.text, "Při otevírání souboru " + QDir::toNativeSeparators(path) + " nastala chyba 21 " +
                                   QString::fromLocal8Bit(std::strerror(EISDIR)) +
                                   " v proceduře mnuEdit_Click.\r\n\r\nZkontrolujte umístění datového souboru. "
                                   "Program bude dále pokračovat.");
        else
            QCOMPARE(box.text, "Soubor s daty na daném umístění " + QDir::toNativeSeparators(path) + " neexistuje.");
    }

    void choosingATopicMovesTheCaret_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("line"); // -1: the caret stays
        QTest::newRow("built-in topic in the main file") << 0 << 2 << 4;
        QTest::newRow("user topic on the first line") << 1 << 27 << 0;
        QTest::newRow("built-in topic not in the user file") << 1 << 1 << -1;
    }

    void choosingATopicMovesTheCaret()
    {
        QFETCH(int, file);
        QFETCH(int, topic);
        QFETCH(int, line);
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, QStringLiteral("mnuEdit_%1").arg(file)));
        text().moveCursor(QTextCursor::End);
        const int before = text().textCursor().blockNumber();
        w.navigator()->setCurrentTopic(topic);
        w.navigator()->showCurrentTopic();
        QCOMPARE(text().textCursor().blockNumber(), line < 0 ? before : line);
        QCOMPARE(w.focusWidget(), &text());
        QCOMPARE(w.table()->currentTopic(), 0);
    }

    void closingReturnsToTheTopicShownAtOpening()
    {
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, "mnuTema_2"));
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        QVERIFY(triggerAction(&w, "mnuTema_1"));
        QVERIFY(triggerAction(&w, "mnuUlozit_0"));
        QCOMPARE(w.table()->currentTopic(), 2);
        QCOMPARE(w.navigator()->currentTopic(), 2);
    }

    void typedTextIsRedAndCtrlFFinds()
    {
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        text().setFocus();
        text().moveCursor(QTextCursor::End);
        // Ctrl+F is the find command's (cancelled here), and no typing.
        fakeDialogs().answerText(std::nullopt);
        QTest::keyClick(&text(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(fakeDialogs().pendingAnswers(), 0);
        QCOMPARE(text().currentCharFormat().foreground().color(), text().palette().color(QPalette::Text));
        QTest::keyClicks(&text(), "x");
        QCOMPARE(text().textCursor().charFormat().foreground().color(), QColor(255, 0, 0));
        QCOMPARE(text().document()->firstBlock().charFormat().foreground().color(),
                 text().palette().color(QPalette::Text));
        text().moveCursor(QTextCursor::Start);
        fakeDialogs().answerText(QStringLiteral("metr"));
        fakeDialogs().answerText(QStringLiteral("metr"));
        QVERIFY(triggerAction(&w, "mnuNajit"));
        QCOMPARE(text().textCursor().selectedText(), QStringLiteral("metr"));
        QCOMPARE(text().textCursor().blockNumber(), 1);
        QVERIFY(triggerAction(&w, "mnuNajit"));
        QCOMPARE(text().textCursor().blockNumber(), 2); // "kilometr"
        QCOMPARE(fakeDialogs().calls().last().title, QStringLiteral("Najít"));
        // Pasted text is red too; the file opened again after its changes were dropped is not.
        const auto redAt = [this](int at) {
            QTextCursor c(text().document());
            c.setPosition(at);
            return c.charFormat().foreground().color() == QColor(255, 0, 0);
        };
        QGuiApplication::clipboard()->setText("1|loket|lk|0.5");
        text().moveCursor(QTextCursor::Start);
        text().paste();
        QVERIFY(redAt(1) && !redAt(16));
        fakeDialogs().answer(QMessageBox::No);
        QVERIFY(triggerAction(&w, "mnuUlozit_0") && triggerAction(&w, "mnuEdit_0"));
        QVERIFY(!redAt(1) && !redAt(text().document()->characterCount() - 1));
    }

    // Ended by the system, the program keeps unsaved changes as a save would write them, beside
    // the file or else in the data folder, and the next start says where.
    void unsavedEditsAreKeptOnATerminationSignal_data()
    {
        const QByteArray utf8("1|kus|ks|1\r\n"), cp1250("1|k\xF9s|ks|1\r\n"); // "kůs"
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("keptIn"); // the folder of the copy
        QTest::addColumn<QByteArray>("kept");
        // clang-format off
        QTest::newRow("beside the file") << utf8 << "1|kopa|kp|60" << "soubory" << utf8 + "1|kopa|kp|60\r\n";
        QTest::newRow("Windows-1250 stays") << cp1250 << "1|sáh|s|2" << "soubory" << cp1250 + "1|s\xE1h|s|2\r\n";
        QTest::newRow("the data folder") << utf8 << "1|kopa|kp|60" << "data/omnivelor" << utf8 + "1|kopa|kp|60\r\n";
        QTest::newRow("no changes, no copy") << utf8 << "" << "soubory" << QByteArray();
        // clang-format on
    }

    void unsavedEditsAreKeptOnATerminationSignal()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QString, keptIn);
        QFETCH(QByteArray, kept);
        TestEnvironment& env = environment();
        env.useSmallData();
        QVERIFY(QDir(env.folder()).mkdir("soubory"));
        const QString path = env.folder() + "/soubory/User.omv",
                      copy = env.folder() + "/" + keptIn + "/User.omv.neulozeno";
        writeBytes(path, file);
        env.setSetting("Obecne/PathUser", path);
        {
            TestApp first;
            QVERIFY(first->start({"omnivelor"}));
            w_ = first.window.get();
            QVERIFY(triggerAction(w_, "mnuEdit_1"));
            if (!typed.isEmpty())
                appendLine(typed);
            const bool folderLost = keptIn != "soubory" && QDir(env.folder()).rename("soubory", "jinam");
            if (folderLost)
                writeBytes(env.folder() + "/soubory", "not a folder"); // the file's folder cannot be written
            ::raise(SIGTERM);
            QTRY_VERIFY(first->ended());
            w_ = nullptr;
            if (folderLost)
                QVERIFY(QFile::remove(env.folder() + "/soubory") && QDir(env.folder()).rename("jinam", "soubory"));
        }
        QCOMPARE(bytesOf(copy), kept);
        QCOMPARE(bytesOf(path), file);
        TestApp next;
        QVERIFY(next->start({"omnivelor"}));
        QCOMPARE(fakeDialogs().messageTexts().join(""), kept.isEmpty()
                                                            ? QString()
                                                            : "Změny souboru " + path +
                                                                  ", které nebyly uloženy, byly při ukončení "
                                                                  "programu zachovány v souboru " +
                                                                  copy + ".");
    }

    void printingPrintsTheEditorsText()
    {
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        const QString pdf = environment().folder() + "/editor.pdf";
        fakeDialogs().answerPrinter(pdf);
        QVERIFY(triggerAction(&w, "mnuTisk"));
        QCOMPARE(fakeDialogs().calls().last().kind, QStringLiteral("print"));
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    void optionsCannotChangeTheFilesWhileOneIsEdited()
    {
        MainWindow& w = window();
        QVERIFY(triggerAction(&w, "mnuEdit_0"));
        fakeDialogs().actInDialog([](QDialog& d) {
            QVERIFY(!d.findChild<QPushButton*>("cmdCesta_0")->isEnabled());
            QVERIFY(!d.findChild<QPushButton*>("cmdCesta_1")->isEnabled());
            d.reject();
        });
        QVERIFY(triggerAction(&w, "mnuOptions"));
        QVERIFY(!text().accessibleName().isEmpty());
    }
};

QTEST_MAIN(DataFileTest)
#include "datafile_test.moc"
