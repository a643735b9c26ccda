// Printing as a user does it: "Tisk…", choices in the print dialog, OK; the PDF the printer
// wrote read back as text, and the print copy file OMNIVEL.ASC read back byte for byte.
#include "fixture.h"

#include "output/printdialog.h"
#include "output/printing.h"
#include "table/conversiontable.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStandardPaths>
#include <QTableWidget>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

// The user clicks these controls of the dialog in order ("cmdTisk_0" is OK).
std::function<int(QDialog&)> clicking(const QStringList& names)
{
    return [names](QDialog& d) {
        for (const QString& n : names) {
            auto* b = d.findChild<QAbstractButton*>(n);
            if (!b || !b->isEnabled()) {
                QTest::qFail(qPrintable(QStringLiteral("cannot click %1").arg(n)), __FILE__, __LINE__);
                return int(QDialog::Rejected);
            }
            b->click();
        }
        return d.result();
    };
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A unit row as the file holds it: symbol from column 30, value from column 40.
QByteArray row(const QString& name, const QString& symbol, const QString& value)
{
    return (name.leftJustified(29, u' ') + symbol.leftJustified(10, u' ') + value + QStringLiteral("\r\n")).toUtf8();
}

const QByteArray kSeparator = QByteArray(60, '-') + "\r\n";

QStringList dataWith(int extraUnits)
{
    QStringList lines{"1|metr|m|1||True", "1|kilometr|km|1000", "1|velmi dlouhý název jedné staré míry|vdm|2",
                      "1|píď|pd|0.2"};
    for (int u = 1; u <= extraUnits; ++u)
        lines << QStringLiteral("1|jednotka %1|j%1|%1").arg(u);
    return lines;
}

} // namespace

class PrintingTest : public WindowTestCase {
    Q_OBJECT

    QString copyPath() const { return Printing::copyFilePath(); }

    MainWindow& windowOn(int extraUnits = 0)
    {
        environment().useData(dataWith(extraUnits), {});
        MainWindow& w = startedWindow(Data::AsWritten);
        if (!QTest::qWaitForWindowActive(&w))
            QTest::qFail("the window did not become active", __FILE__, __LINE__);
        triggerAction(&w, QStringLiteral("mnuTema_1"));
        convert(w, 1, QStringLiteral("5"));
        return w;
    }

    void print(MainWindow& w, const QStringList& clicks)
    {
        fakeDialogs().answerDialog(clicking(clicks));
        triggerAction(&w, QStringLiteral("mnuTisk"));
    }

    QString pdfText(const QString& pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return QStringLiteral("<pdftotext failed: %1>").arg(QString::fromLocal8Bit(p.readAllStandardError()));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void theWholeTablePrintedToPdfHasItsColumnsAligned_data()
    {
        QTest::addColumn<int>("extraUnits");
        QTest::addColumn<QString>("fontSize");
        QTest::newRow("one page") << 0 << "10";
        QTest::newRow("several pages in a large font") << 60 << "20";
    }
    void theWholeTablePrintedToPdfHasItsColumnsAligned()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils, installed by scripts/deps.sh) is missing");
        QFETCH(int, extraUnits);
        QFETCH(QString, fontSize);
        MainWindow& w = windowOn(extraUnits);
        const QString pdf = environment().folder() + QStringLiteral("/tisk.pdf");
        fakeDialogs().answerPrinter(pdf);
        fakeDialogs().answerDialog([&](QDialog& d) {
            d.findChild<QAbstractButton*>(QStringLiteral("cmdTisk_2"))->click(); // "Tiskárna ..."
            [&] { QCOMPARE(static_cast<PrintDialog&>(d).destinationText(), QStringLiteral("Tiskárna: ") + pdf); }();
            d.findChild<QSlider*>(QStringLiteral("sldPismo"))->setValue(fontSize.toInt());
            [&] { QCOMPARE(d.findChild<QLabel*>(QStringLiteral("lblPismo"))->text(), fontSize); }();
            return clicking({"optT_3", "cmdTisk_0"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());

        const QString text = pdfText(pdf);
        if (!qEnvironmentVariableIsEmpty("OV_SHOTS"))
            QFile::copy(pdf, qEnvironmentVariable("OV_SHOTS") + QStringLiteral("/table-%1.pdf").arg(extraUnits));
        QCOMPARE(text.count(u'\f') > 1, extraUnits > 0); // pdftotext ends every page with a form feed
        // pdftotext lays out each page on its own scale: the columns line up within a page.
        QStringList rows;
        QList<int> pages;
        int page = 0;
        for (QString line : text.split(u'\n')) {
            if (line.startsWith(u'\f')) {
                line.remove(0, 1);
                ++page;
            }
            if (!line.trimmed().isEmpty()) {
                rows << line;
                pages << page;
            }
        }
        QCOMPARE(rows.size(), w.table()->rowCount() + 1); // the long name puts its symbol on the next line
        qsizetype symbolColumn = -1, valueColumn = -1;
        int r = 0;
        for (int i = 0; i < rows.size(); ++i, ++r) {
            const QString name = w.table()->cellText(r, 0);
            QString line = rows[i];
            QVERIFY2(line.trimmed().startsWith(name), qPrintable(line));
            if (name.startsWith(QStringLiteral("velmi")))
                line = rows[++i];
            const qsizetype s = line.indexOf(QLatin1Char(' ') + w.table()->cellText(r, 1) + QLatin1Char(' ')) + 1;
            const qsizetype v = line.lastIndexOf(w.table()->cellText(r, 2));
            QVERIFY2(s > 0 && v > s, qPrintable(line));
            if (i == 0 || pages[i] != pages[i - 1]) {
                symbolColumn = s;
                valueColumn = v;
            }
            QVERIFY2(s == symbolColumn && v == valueColumn, qPrintable(line));
        }
    }

    void fileOutputsAreAppendedAsChosen_data()
    {
        QTest::addColumn<QList<QStringList>>("outputs");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray km = row(QStringLiteral("kilometr"), QStringLiteral("km"), QStringLiteral("5"));
        QTest::newRow("a row twice, separated")
            << QList<QStringList>{{"optZ_1", "optT_1", "chkOddel", "cmdTisk_0"}, {"cmdTisk_0"}}
            << kSeparator + km + kSeparator + km;
        QTest::newRow("erased before the second")
            << QList<QStringList>{{"optZ_1", "optT_1", "cmdTisk_0"}, {"optT_0", "chkMazat", "cmdTisk_0"}}
            << QByteArray("5\r\n");
        QTest::newRow("erased and separated")
            << QList<QStringList>{{"optZ_1", "optT_3", "cmdTisk_0"}, {"optT_0", "chkMazat", "chkOddel", "cmdTisk_0"}}
            << kSeparator + "5\r\n";
        QTest::newRow("the preview's whole text")
            << QList<QStringList>{{"optZ_1", "optT_2", "cmdTisk_0"}} << QByteArray(" km: 5,00 km = 5 000,00 m \r\n");
        QTest::newRow("the table; a long name puts its symbol on the next line")
            << QList<QStringList>{{"optZ_1", "optT_3", "cmdTisk_0"}}
            << row(QStringLiteral("metr"), QStringLiteral("m"), QStringLiteral("5000")) + km +
                   QStringLiteral("velmi dlouhý název jedné staré míry\r\n").toUtf8() +
                   row(QString(), QStringLiteral("vdm"), QStringLiteral("2500")) +
                   row(QStringLiteral("píď"), QStringLiteral("pd"), QStringLiteral("25000"));
        QTest::newRow("cancelled") << QList<QStringList>{{"optZ_1", "cmdTisk_1"}} << QByteArray("<missing>");
    }
    void fileOutputsAreAppendedAsChosen()
    {
        QFETCH(QList<QStringList>, outputs);
        QFETCH(QByteArray, expected);
        MainWindow& w = windowOn();
        for (const QStringList& clicks : outputs)
            print(w, clicks);
        QCOMPARE(contents(copyPath()), expected);
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    void aWindows1250CopyStaysInWindows1250()
    {
        MainWindow& w = windowOn();
        QDir().mkpath(QFileInfo(copyPath()).absolutePath());
        QFile old(copyPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("m\xEC\xF8\x65n\xED\r\n"); // "měření"
        old.close();
        w.findChild<QTableWidget*>(QStringLiteral("msgTab"))->setCurrentCell(3, 2);
        print(w, {"optZ_1", "optT_0", "cmdTisk_0"});
        print(w, {"optT_1", "cmdTisk_0"});
        QCOMPARE(contents(copyPath()), QByteArray("m\xEC\xF8\x65n\xED\r\n25000\r\np\xED\xEF") + QByteArray(26, ' ') +
                                           "pd" + QByteArray(8, ' ') + "25000\r\n");
    }

    void theFileContentOptionFollowsTheFile()
    {
        MainWindow& w = windowOn();
        const auto states = [](QDialog& d) {
            auto* option = d.findChild<QRadioButton*>(QStringLiteral("optT_4"));
            return QStringLiteral("%1 %2").arg(option->isEnabled()).arg(d.findChild<QLabel*>("lblAbout_8")->text());
        };
        QString first, second, third;
        fakeDialogs().answerDialog([&](QDialog& d) {
            first = states(d);
            return clicking({"optZ_1", "optT_0", "cmdTisk_0"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        fakeDialogs().answerDialog([&](QDialog& d) {
            second = states(d);
            return clicking({"optZ_0", "optT_4", "cmdTisk_1"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        // Switching to the file while the file's content is chosen chooses the current row.
        fakeDialogs().answerDialog([&](QDialog& d) {
            d.findChild<QAbstractButton*>(QStringLiteral("optZ_1"))->click();
            third = QString::number(static_cast<PrintDialog&>(d).content());
            return clicking({"cmdTisk_1"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        QCOMPARE(first, QStringLiteral("0 OMNIVEL.ASC neexistuje"));
        QCOMPARE(second, QStringLiteral("1 OMNIVEL.ASC 3 B"));
        QCOMPARE(third, QStringLiteral("1"));
    }

    void optionsThatCannotBeUsedGiveWay()
    {
        MainWindow& w = windowOn();
        print(w, {"optZ_1", "optT_2", "cmdTisk_1"});
        triggerAction(&w, QStringLiteral("mnuNahled")); // the preview line off
        QString chosen;
        fakeDialogs().answerDialog([&](QDialog& d) {
            chosen = QStringLiteral("%1 %2")
                         .arg(static_cast<PrintDialog&>(d).content())
                         .arg(d.findChild<QRadioButton*>(QStringLiteral("optT_2"))->isEnabled());
            return clicking({"cmdTisk_0"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        QCOMPARE(chosen, QStringLiteral("1 0"));
        QCOMPARE(contents(copyPath()), row(QStringLiteral("kilometr"), QStringLiteral("km"), QStringLiteral("5")));
    }

    void withoutATopicOnlyTheFileCanBePrinted()
    {
        MainWindow& w = startedWindow();
        QString states;
        fakeDialogs().answerDialog([&](QDialog& d) {
            for (int i = 0; i < 5; ++i)
                states += QString::number(d.findChild<QRadioButton*>(QStringLiteral("optT_%1").arg(i))->isEnabled());
            states += QString::number(d.findChild<QAbstractButton*>(QStringLiteral("cmdTisk_0"))->isEnabled());
            return clicking({"cmdTisk_1"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        QCOMPARE(states, QStringLiteral("000000"));
    }

    void failuresAreReportedAndLoseNothing()
    {
        MainWindow& w = windowOn();
        // A printer that cannot start: its PDF file would go into a folder that is not there.
        fakeDialogs().answerPrinter(QStringLiteral("/nonexistent-folder/tisk.pdf"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("QPainter::begin.*")));
        print(w, {"cmdTisk_2", "optZ_0", "optT_1", "cmdTisk_0"});
        QCOMPARE(fakeDialogs().messages(QStringLiteral("Tisk se nezdařil.")).size(), 1);

        // The print copy file's folder cannot be made: it was removed and a file stands in its way.
        const QString folder = QFileInfo(copyPath()).absolutePath();
        QDir(folder).removeRecursively();
        QDir().mkpath(QFileInfo(folder).absolutePath());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        print(w, {"optZ_1", "cmdTisk_0"});
        const QList<DialogCall> warned = fakeDialogs().messages(
            QStringLiteral("Do souboru %1 nelze zapisovat.").arg(QDir::toNativeSeparators(copyPath())));
        QCOMPARE(warned.size(), 1);
        QVERIFY(!warned[0].details.isEmpty());
    }

    void aCopyFileThatIsNoFileIsReported()
    {
        MainWindow& w = windowOn();
        QVERIFY(QDir().mkpath(copyPath()));
        bool fileOption = true;
        fakeDialogs().answerDialog([&](QDialog& d) {
            fileOption = d.findChild<QRadioButton*>(QStringLiteral("optT_4"))->isEnabled();
            return clicking({"cmdTisk_1"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        QVERIFY(!fileOption);
        const QList<DialogCall> shown = fakeDialogs().messages(QStringLiteral("Chyba při čtení souboru OMNIVEL.ASC"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, DialogService::Icon::Critical);
    }

    void aLongPathIsShortenedInTheMiddle()
    {
        const QString deep =
            environment().folder() + QStringLiteral("/") + QString(150, u'a') + QStringLiteral("/data");
        qputenv("XDG_DATA_HOME", deep.toLocal8Bit());
        MainWindow& w = windowOn();
        QString caption, tip;
        int room = 0, width = 0;
        fakeDialogs().answerDialog([&](QDialog& d) {
            d.findChild<QAbstractButton*>(QStringLiteral("optZ_1"))->click();
            auto* label = d.findChild<QLabel*>(QStringLiteral("lblAbout_6"));
            caption = label->text();
            tip = label->toolTip();
            room = label->contentsRect().width();
            width = label->fontMetrics().horizontalAdvance(caption);
            return clicking({"cmdTisk_1"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        const QString full = QStringLiteral("Soubor: ") + QDir::toNativeSeparators(copyPath());
        QCOMPARE(tip, full);
        QCOMPARE(caption.left(12), full.left(11) + QChar(0x2026));
        QVERIFY2(full.endsWith(caption.mid(12)) && caption.size() > 24, qPrintable(caption));
        QVERIFY(width < room);
    }

    void everyControlOfTheDialogHasAnAccessibleName()
    {
        MainWindow& w = windowOn();
        QStringList unnamed;
        fakeDialogs().answerDialog([&](QDialog& d) {
            for (QWidget* c : d.findChildren<QWidget*>())
                if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")) &&
                    c->accessibleName().isEmpty())
                    unnamed << c->objectName();
            if (!qEnvironmentVariableIsEmpty("OV_SHOTS"))
                d.grab().save(qEnvironmentVariable("OV_SHOTS") + QStringLiteral("/print-dialog.png"));
            d.findChild<QAbstractButton*>(QStringLiteral("optZ_1"))->click();
            if (!qEnvironmentVariableIsEmpty("OV_SHOTS"))
                d.grab().save(qEnvironmentVariable("OV_SHOTS") + QStringLiteral("/print-dialog-file.png"));
            return clicking({"cmdTisk_1"})(d);
        });
        triggerAction(&w, QStringLiteral("mnuTisk"));
        QCOMPARE(unnamed, QStringList());
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
