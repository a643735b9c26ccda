// The data files on a Linux desktop: copied to the user's folder on the first start, an
// existing copy kept, and a folder that cannot be made leaves the program on the shipped files.
#include "fixture.h"

#include "gui/common.h"
#include "settings/datafolder.h"

#include <QDir>
#include <QFile>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class DataFolderTest : public WindowTestCase {
    Q_OBJECT

    QString userFolder() { return environment().dataFolder() + QStringLiteral("/omnivelor"); }

private slots:
    void firstStartCopiesTheShippedFilesAndUsesThem()
    {
        startedWindow(Data::AsWritten);
        for (const char* name : {"Omnivel.omv", "User.omv"}) {
            const QString copy = userFolder() + QLatin1Char('/') + QLatin1String(name);
            QCOMPARE(contents(copy), contents(shippedDataFolder() + QLatin1Char('/') + QLatin1String(name)));
        }
        QCOMPARE(context().prefs.path, userFolder() + QStringLiteral("/Omnivel.omv"));
        QCOMPARE(context().prefs.pathUser, userFolder() + QStringLiteral("/User.omv"));
        QVERIFY(context().db.unitCount(1) > 50);
        QCOMPARE(fakeDialogs().messageTexts(), QStringList());
    }

    void anEditedCopyIsKept()
    {
        QDir().mkpath(userFolder());
        const QString copy = userFolder() + QStringLiteral("/Omnivel.omv");
        environment().writeFile(QStringLiteral("mine.omv"), smallMainData());
        QVERIFY(QFile::copy(environment().folder() + QStringLiteral("/mine.omv"), copy));
        const QByteArray mine = contents(copy);
        startedWindow(Data::AsWritten);
        QCOMPARE(contents(copy), mine);
        QCOMPARE(int(context().db.unitCount(1)), 3);
        // The file the user lacked is still copied beside it.
        QVERIFY(QFile::exists(userFolder() + QStringLiteral("/User.omv")));
    }

    void aFolderThatCannotBeMadeLeavesTheShippedFiles()
    {
        QDir().mkpath(environment().dataFolder());
        environment().writeFile(QStringLiteral("data/omnivelor"), {QStringLiteral("not a folder")});
        MainWindow& w = startedWindow(Data::AsWritten);
        QCOMPARE(fakeDialogs().messageTexts(),
                 QStringList{dataFolderProblemText(QStringLiteral("složku nelze vytvořit"))});
        QCOMPARE(fakeDialogs().calls().first().icon, DialogService::Icon::Information);
        QCOMPARE(context().prefs.path, shippedDataFolder() + QStringLiteral("/Omnivel.omv"));
        QVERIFY(context().db.unitCount(1) > 50);
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(DataFolderTest)
#include "datafolder_test.moc"
