// The desktop search's service as the shells use it: activated by its bus name on a private
// session bus, asked through both interfaces, its results activated and launched.
#include "search/dbustypes.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

using ov::search::RemoteAction;
using ov::search::RemoteMatch;

namespace {

const QString kService = QStringLiteral("cz.omnivelor.Omnivelor.SearchProvider");

QString randomText(int length)
{
    QRandomGenerator random(24);
    QString s;
    while (s.size() < length)
        s += QChar(char16_t(random.bounded(0x20, 0x2FF)));
    return s;
}

// The window program's stand-in writes a line "start:" + its arguments for each start.
QStringList windowStarts()
{
    QFile f(qEnvironmentVariable("OV_FAKE_WINDOW_LOG"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class SearchServiceTest : public QObject {
    Q_OBJECT
    QDBusInterface* gnome_ = nullptr;
    QDBusInterface* krunner_ = nullptr;

    QStringList ids(const QString& query)
    {
        const QDBusReply<QStringList> reply =
            gnome_->call(QStringLiteral("GetInitialResultSet"), query.split(u' ', Qt::SkipEmptyParts));
        if (!reply.isValid())
            qWarning() << reply.error();
        return reply.value();
    }
    QList<QVariantMap> metas(const QStringList& ids)
    {
        const QDBusReply<QList<QVariantMap>> reply = gnome_->call(QStringLiteral("GetResultMetas"), ids);
        return reply.value();
    }
    QList<RemoteMatch> matches(const QString& query)
    {
        const QDBusReply<QList<RemoteMatch>> reply = krunner_->call(QStringLiteral("Match"), query);
        if (!reply.isValid())
            qWarning() << reply.error();
        return reply.value();
    }
    // The arguments of the window program's start made by the call, once it has started.
    QString startBy(const std::function<void()>& call)
    {
        const qsizetype before = windowStarts().size();
        call();
        if (!QTest::qWaitFor([&] { return windowStarts().size() > before; }, 10000))
            return QStringLiteral("(not started)");
        return windowStarts().at(before).mid(6);
    }

private slots:
    void initTestCase()
    {
        ov::search::registerDBusTypes();
        QFile::remove(qEnvironmentVariable("OV_FAKE_WINDOW_LOG"));
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected(), "no session bus: run under dbus-run-session");
        gnome_ = new QDBusInterface(kService, QStringLiteral("/cz/omnivelor/Omnivelor/SearchProvider"),
                                    QStringLiteral("org.gnome.Shell.SearchProvider2"), bus, this);
        krunner_ =
            new QDBusInterface(kService, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"), bus, this);
    }

    // The service lives a minute after the last call; the bus it was activated on ends now.
    void cleanupTestCase()
    {
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        if (const QDBusReply<uint> pid = bus->servicePid(kService); pid.isValid())
            ::kill(pid_t(pid.value()), SIGTERM);
    }

    void firstTitle_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("title"); // empty: no result at all
        QTest::addColumn<QString>("description");
        // clang-format off
        QTest::newRow("symbols") << "5 km m" << "5 km = 5000 m" << "Délka: kilometr → metr";
        QTest::newRow("connecting word") << "5 km na mi" << "5 km = 3,106856 mi" << "Délka: kilometr → míle";
        QTest::newRow("arrow") << "5 km -> m" << "5 km = 5000 m" << "";
        QTest::newRow("degrees") << "100 °C na °F" << "100 °C = 212 °F" << "Teplota: stupeň Celsia → stupeň Fahrenheita";
        QTest::newRow("degrees without the sign, before coulombs")
            << "100 C F" << "100 °C = 212 °F" << "Teplota: stupeň Celsia → stupeň Fahrenheita";
        QTest::newRow("decimal comma, in as a unit") << "3,5 in cm" << "3,5 in = 8,89 cm" << "Délka: palec → centimetr";
        QTest::newRow("decimal point") << "3.5 in na cm" << "3,5 in = 8,89 cm" << "";
        QTest::newRow("in as a connecting word") << "2 m in cm" << "2 m = 200 cm" << "";
        QTest::newRow("v as a connecting word, V as a unit") << "230 V v kV" << "230 V = 0,23 kV" << "Napětí: volt → kilovolt";
        QTest::newRow("unit symbol as a name elsewhere") << "1 funt g" << "1 funt = 409,5172 g" << "Hmotnost: ruská libra → gram";
        QTest::newRow("names") << "2 kilometr metr" << "2 km = 2000 m" << "";
        QTest::newRow("name in capitals") << "2 KILOMETR m" << "2 km = 2000 m" << "";
        QTest::newRow("name without diacritics") << "1 mile km" << "1 mi = 1,609344 km" << "Délka: míle → kilometr";
        QTest::newRow("name of two words") << "1 námořní míle m" << "1 NM = 1852 m" << "";
        QTest::newRow("name shared with a symbol: the name first") << "1 stopa cm" << "1 ft = 30,48 cm" << "";
        QTest::newRow("symbol without its middle dot") << "1 kWh MJ" << "1 kW·h = 3,6 MJ" << "Práce: kilowatthodina → megajoule";
        QTest::newRow("micro as u, superscripts as digits") << "1 um2 m2" << "1 µm² = 1E-12 m²" << "";
        QTest::newRow("exponent") << "1e3 m km" << "1000 m = 1 km" << "";
        QTest::newRow("number and unit together") << "5km m" << "5 km = 5000 m" << "";
        QTest::newRow("no target: the reference unit first") << "5 km" << "5 km = 5000 m" << "Délka: kilometr → metr";
        QTest::newRow("no target after a connecting word") << "5 km na" << "5 km = 5000 m" << "";
        QTest::newRow("no target from the reference unit") << "300 K" << "300 K = 26,85 °C" << "";
        QTest::newRow("below freezing") << "-40 °C °F" << "-40 °C = -40 °F" << "";
        QTest::newRow("user topic") << "2 kB bit" << "2 kB = 16000 bit" << "Uživatel 1: kilobajt → bit";
        QTest::newRow("below absolute zero") << "-300 °C K" << "" << "";
        QTest::newRow("absolute zero") << "0 K °C" << "" << "";
        QTest::newRow("negative length") << "-5 km m" << "" << "";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("unit only") << "km" << "" << "";
        QTest::newRow("number only") << "5" << "" << "";
        QTest::newRow("unknown unit") << "5 xyz" << "" << "";
        QTest::newRow("target of another topic") << "5 km kg" << "" << "";
        QTest::newRow("words") << "ahoj světe" << "" << "";
        QTest::newRow("diacritics are not dropped from what is typed") << "1 mílé km" << "" << "";
        QTest::newRow("10,000 random characters") << randomText(10000) << "" << "";
        // clang-format on
    }
    void firstTitle()
    {
        QFETCH(QString, query);
        QFETCH(QString, title);
        QFETCH(QString, description);

        const QStringList found = ids(query);
        QCOMPARE(found.isEmpty(), title.isEmpty());
        const QList<RemoteMatch> kde = matches(query);
        QCOMPARE(kde.size(), found.size());
        if (title.isEmpty())
            return;
        const QList<QVariantMap> shown = metas({found.first()});
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().value(QStringLiteral("name")).toString(), title);
        QCOMPARE(kde.first().text, title);
        if (!description.isEmpty()) {
            QCOMPARE(shown.first().value(QStringLiteral("description")).toString(), description);
            QCOMPARE(kde.first().properties.value(QStringLiteral("subtext")).toString(), description);
        }
    }

    void resultsShowTheTopicPicture()
    {
        const QList<QVariantMap> shown = metas(ids(QStringLiteral("100 °C na °F")));
        QCOMPARE(shown.first().value(QStringLiteral("gicon")).toString(),
                 QStringLiteral("cz.omnivelor.Omnivelor-Teplota"));
        QCOMPARE(matches(QStringLiteral("2 kB bit")).first().iconName, QStringLiteral("cz.omnivelor.Omnivelor-User"));
    }

    void withoutTargetAtMostFiveUnits() { QCOMPARE(ids(QStringLiteral("5 km")).size(), 5); }

    void activatingCopiesTheConvertedValue()
    {
        const QString id = ids(QStringLiteral("5 km m")).first();
        QCOMPARE(metas({id}).first().value(QStringLiteral("clipboardText")).toString(), QStringLiteral("5000 m"));
        QCOMPARE(startBy([&] { gnome_->call(QStringLiteral("ActivateResult"), id, QStringList{}, 0u); }),
                 QStringLiteral("--schranka 5000 m"));
        QCOMPARE(startBy([&] { krunner_->call(QStringLiteral("Run"), id, QString()); }),
                 QStringLiteral("--schranka 5000 m"));
    }

    void openingStartsTheWindowOnTheTopic()
    {
        const QDBusReply<QList<RemoteAction>> actions = krunner_->call(QStringLiteral("Actions"));
        QCOMPARE(actions.value().size(), 1);
        QCOMPARE(actions.value().first().text, QStringLiteral("Otevřít v omniVELOR"));
        const QString id = matches(QStringLiteral("3,5 in cm")).first().id;
        QCOMPARE(startBy([&] { krunner_->call(QStringLiteral("Run"), id, actions.value().first().id); }),
                 QStringLiteral("--tema 1 --jednotka palec --hodnota 3,5"));
        QCOMPARE(startBy([&] {
                     gnome_->call(QStringLiteral("LaunchSearch"),
                                  QStringList{QStringLiteral("100"), QStringLiteral("C")}, 0u);
                 }),
                 QStringLiteral("--tema 16 --jednotka stupeň Celsia --hodnota 100"));
        QCOMPARE(
            startBy([&] { gnome_->call(QStringLiteral("LaunchSearch"), QStringList{QStringLiteral("ahoj")}, 0u); }),
            QString());
    }
};

QTEST_GUILESS_MAIN(SearchServiceTest)
#include "search_test.moc"
