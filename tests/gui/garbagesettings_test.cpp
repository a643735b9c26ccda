// Whatever the settings file holds, the program starts: a few hundred generated files (random
// bytes, cut-off files, every key with a wrong type, huge and negative numbers, a window far off
// every screen) are each started with "Ignorovat" to every settings question. Every time the
// window comes up usable, and what shut-down writes reads back without a question.
//
// Expected warnings: only Qt's own, when a value is written the way Qt stores a serialized value
// ("@Variant(...)") and holds no value Qt can read; kExpectedWarnings lists them. Everything the
// program itself would log fails the test as in every window test.
#include "fixture.h"

#include "navigation/navigator.h"
#include "settings/preferences.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "table/conversiontable.h"

#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTableWidget>

#include <map>

using namespace ov::gui;
using namespace ov::gui::test;

namespace {

const QString kQuestion = QStringLiteral("Chyba načítání z registrů.");
constexpr quint32 kSeed = 20261208; // fixed: the same files every run

// What shut-down (and the start counter) writes; these must read back clean.
constexpr Key kWrittenAtEnd[] = {Key::StartCount, Key::ConversionTotal, Key::TotalTime, Key::WindowState,     Key::Left,
                                 Key::Top,        Key::Width,           Key::Height,    Key::SplitterPosition};

QList<Key> allKeys()
{
    QList<Key> keys;
    for (int k = 0; k < int(Key::Count); ++k)
        keys << Key(k);
    return keys;
}

// Values of the wrong kind for a key, and numbers far outside every range.
QStringList wrongValues(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Integer:
    case ValueKind::Number:
        return {"abc", "1,2,3", "0x10", "", "True", "12abc", "1e999", "nan", "inf", "\"5", "@Invalid()", "−5"};
    case ValueKind::Boolean: return {"možná", "Truee", "", "nan", "1e999", "@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x3QQQ)"};
    case ValueKind::Time: return {"xx", "25:61", "-1:00", "1e10", "::", "99999999999:00:00", "-0.5"};
    case ValueKind::Text: break;
    }
    return {"",
            QString(3000, QLatin1Char('x')),
            QStringLiteral("\\x1\\x2"),
            "[Obecne]",
            "a=b",
            "\"neukončeno",
            "@ByteArray(\\xff\\xfe)",
            "/nikde/není/Omnivel.omv"};
}

const QStringList kHugeNumbers = {
    "-1",     "-2147483649", "2147483648", "9223372036854775807", "-9223372036854775808",    "1e308",
    "-1e308", "1e15",        "-0",         "4294967296",          "99999999999999999999999", "0,5",
    "-32769", "32768"};

// A whole settings file from key values; @MAIN@ and @USER@ stand for the small data files.
QByteArray iniText(const std::map<Key, QString>& values)
{
    std::map<Key, QString> all;
    for (Key k : allKeys())
        if (const char* d = keyInfo(k).defaultText)
            all[k] = QString::fromUtf8(d);
    all[Key::Path] = QStringLiteral("@MAIN@");
    all[Key::PathUser] = QStringLiteral("@USER@");
    all[Key::SafeEnd] = QStringLiteral("1");
    for (const auto& [k, v] : values)
        all[k] = v;
    QByteArray text;
    for (Section s : {Section::General, Section::Start, Section::Edit}) {
        text += '[' + sectionName(s).toUtf8() + "]\r\n";
        for (const auto& [k, v] : all)
            if (keyInfo(k).section == s)
                text += keyInfo(k).name + QByteArray("=") + v.toUtf8() + "\r\n";
    }
    text += "[Navigator]\r\nS1=Délka\r\nU1=Moje\r\n";
    return text;
}

QByteArray randomBytes(QRandomGenerator& rng)
{
    // Half pure noise, half noise mixed with the pieces an ini reader reacts to.
    static const QByteArray pieces[] = {"[Obecne]\n", "[Start]\r\n", "[Edit]\n", "Left=", "Top=",      "Width=",
                                        "Grid=",      "Fix=",        "=",        "\\",    "\"",        ",",
                                        ";",          "\n",          "\r",       "%U",    "@Variant(", "@ByteArray(",
                                        ")",          "\xc3\xa1",    "\xff\xfe", "\0"};
    const bool mixed = rng.bounded(2) == 1;
    const int length = int(rng.bounded(4096));
    QByteArray b;
    while (b.size() < length) {
        if (mixed && rng.bounded(3) == 0)
            b += pieces[rng.bounded(int(std::size(pieces)))];
        else
            b += char(rng.bounded(256));
    }
    return b;
}

QString pick(QRandomGenerator& rng, const QStringList& from) { return from.at(int(rng.bounded(int(from.size())))); }

// Qt reading a "@Variant(...)" value of a type it does not know; the value then counts as missing.
const QRegularExpression kExpectedWarnings[] = {
    QRegularExpression(QStringLiteral("^QVariant::load: unknown user type with name .*\\.$")),
    QRegularExpression(QStringLiteral("^QVariant::load: unable to load type \\d+\\.$")),
};

QtMessageHandler testlibHandler = nullptr;

// Passes the expected warnings over and everything else on to the test library, which fails
// the test on any warning left.
void expectedWarningsFilter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg)
        for (const QRegularExpression& re : kExpectedWarnings)
            if (re.match(message).hasMatch())
                return;
    testlibHandler(type, context, message);
}

QString keyOf(const QString& details)
{
    static const QRegularExpression re(QStringLiteral("položky (\\S+) v souboru"));
    const QRegularExpressionMatch m = re.match(details);
    return m.hasMatch() ? m.captured(1) : QStringLiteral("<soubor>");
}

} // namespace

class GarbageSettingsTest : public WindowTestCase {
    Q_OBJECT

    // The keys the settings question named (the damaged-file question as "<soubor>").
    QStringList askedKeys() const
    {
        QStringList keys;
        for (const DialogCall& c : const_cast<GarbageSettingsTest*>(this)->fakeDialogs().calls())
            if (c.text == kQuestion)
                keys << keyOf(c.details);
        return keys;
    }

protected:
    void setUp() override { testlibHandler = qInstallMessageHandler(expectedWarningsFilter); }
    void tearDown() override { qInstallMessageHandler(testlibHandler); }

private slots:
    void startsUsableAndEndsClean_data()
    {
        QTest::addColumn<QByteArray>("content");
        QRandomGenerator rng(kSeed);
        for (int i = 0; i < 60; ++i)
            QTest::addRow("random bytes %d", i) << randomBytes(rng);
        const QByteArray whole = iniText({});
        for (int i = 0; i < 40; ++i)
            QTest::addRow("cut off %d", i) << whole.left(int(rng.bounded(int(whole.size()))));
        for (Key k : allKeys()) {
            const KeyInfo& info = keyInfo(k);
            const QStringList wrong = wrongValues(info.kind);
            for (int i = 0; i < 2; ++i)
                QTest::addRow("%s wrong %d", info.name, i) << iniText({{k, pick(rng, wrong)}});
            if (info.kind == ValueKind::Integer || info.kind == ValueKind::Number)
                for (int i = 0; i < 2; ++i)
                    QTest::addRow("%s huge %d", info.name, i) << iniText({{k, pick(rng, kHugeNumbers)}});
        }
        for (int i = 0; i < 20; ++i) {
            std::map<Key, QString> every;
            for (Key k : allKeys())
                if (k != Key::Path && k != Key::PathUser)
                    every[k] = pick(rng, i % 2 ? kHugeNumbers : wrongValues(keyInfo(k).kind));
            QTest::addRow("every key wrong %d", i) << iniText(every);
        }
        const QStringList far = {"-2147483648", "2147483647", "-1000000", "1000000", "-99999", "0", "1e9", "-1e9"};
        const QStringList sizes = {"0", "1", "-5", "2147483647", "7590", "100", "1e9"};
        for (int i = 0; i < 40; ++i)
            // clang-format off
            QTest::addRow("far off %d", i) << iniText({{Key::Left, pick(rng, far)},
                                                      {Key::Top, pick(rng, far)},
                                                      {Key::Width, pick(rng, sizes)},
                                                      {Key::Height, pick(rng, sizes)},
                                                      {Key::WindowState, QString::number(rng.bounded(3))},
                                                      {Key::SplitterPosition, pick(rng, kHugeNumbers + sizes)},
                                                      {Key::OnTop, pick(rng, {"True", "False"})}});
        // clang-format on
        for (int i = 0; i < 30; ++i) {
            std::map<Key, QString> some;
            const QList<Key> keys = allKeys();
            for (int n = 0; n < 6; ++n) {
                const Key k = keys.at(int(rng.bounded(int(keys.size()))));
                if (k != Key::Path && k != Key::PathUser)
                    some[k] = pick(rng, wrongValues(keyInfo(k).kind) + kHugeNumbers);
            }
            QTest::addRow("mixed %d", i) << iniText(some);
        }
    }

    void startsUsableAndEndsClean()
    {
        QFETCH(QByteArray, content);
        TestEnvironment& env = environment();
        content.replace("@MAIN@", env.writeFile("Omnivel.omv", smallMainData()).toUtf8());
        content.replace("@USER@", env.writeFile("User.omv", smallUserData()).toUtf8());
        QFile ini(env.iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(content);
        ini.close();

        FakeDialogs& fake = fakeDialogs();
        // "Ignorovat" to every settings question, Yes to the shut-down one.
        fake.whileShown([&fake](const DialogCall& call) {
            if (call.text == kQuestion)
                fake.answer(QMessageBox::Ignore);
            else if (call.text == QStringLiteral("Ukončit program?"))
                fake.answer(QMessageBox::Yes);
        });
        MainWindow& w = startedWindow(Data::AsWritten);
        const QStringList askedAtStart = askedKeys();

        // Usable: on show, reachable on the screen, and it converts.
        QVERIFY(w.isVisible());
        if (w.isMinimized())
            w.showNormal();
        const QRect desk = QGuiApplication::primaryScreen()->virtualGeometry();
        // At least the corner that the placement keeps on the screens, to take hold of.
        const QRect seen = desk.intersected(w.frameGeometry());
        QVERIFY2(seen.width() >= 6 && seen.height() >= 6,
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(w.x()).arg(w.y()).arg(w.width()).arg(w.height())));
        QVERIFY(w.width() >= w.minimumWidth() && w.height() >= w.minimumHeight());
        if (context().db.unitCount(1) >= 2) {
            const long before = w.table()->conversionCount();
            QVERIFY(triggerAction(&w, "mnuTema_1"));
            QCOMPARE(w.table()->currentTopic(), 1);
            w.table()->focusGrid();
            keyToFocus(&w, Qt::Key_Down);
            typeToFocus(&w, QStringLiteral("5"));
            keyToFocus(&w, Qt::Key_Return);
            QCOMPARE(w.table()->conversionCount(), before + 1);
            const auto* grid = w.findChild<QTableWidget*>(QStringLiteral("msgTab"));
            QVERIFY(grid->item(0, 2) && !grid->item(0, 2)->text().isEmpty());
        }

        w.close();
        QVERIFY(w.ended());
        QCOMPARE(fake.messages(QStringLiteral("Ukončit program?")).size(), context().prefs.safeEnd != 0 ? 1 : 0);

        // Clean: the file reads as a whole, what shut-down wrote reads back, and a second
        // reading asks only about values the user wrote and the program leaves to the user.
        SettingsStore again(env.iniPath());
        QVERIFY(again.healthy());
        QStringList written;
        for (Key k : kWrittenAtEnd) {
            written << keyPath(k);
            try {
                if (keyInfo(k).kind == ValueKind::Time)
                    again.seconds(k);
                else
                    again.number(k);
            } catch (const SettingError& e) {
                QFAIL(qPrintable(e.detail()));
            }
        }
        fake.clear();
        Preferences reread;
        QVERIFY(readPreferences(again, reread, nullptr));
        for (const QString& key : askedKeys()) {
            QVERIFY2(!written.contains(key), qPrintable(key));
            QVERIFY2(key != QLatin1String("<soubor>"), "the file is still damaged");
            QVERIFY2(askedAtStart.contains(key), qPrintable(key));
        }
    }
};

QTEST_MAIN(GarbageSettingsTest)
#include "garbagesettings_test.moc"
