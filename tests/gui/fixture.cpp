#include "fixture.h"

#include "gui/common.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>

#include "table/conversiontable.h"

namespace ov::gui::test {

namespace {
QFont& platformFontStore()
{
    static QFont font;
    return font;
}
} // namespace

void initGuiTests()
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QApplication::setQuitOnLastWindowClosed(false);
    // The window tests measure in the reference font, where 15 twips make a pixel; the tests
    // of legibility set the desktop's own sizes (platformFont, ScopedAppFont).
    static const bool pinned = [] {
        platformFontStore() = QApplication::font();
        QFont reference = QApplication::font();
        reference.setPointSizeF(kReferenceFontPoints);
        QApplication::setFont(reference);
        return true;
    }();
    (void)pinned;
}

QFont platformFont() { return platformFontStore(); }

ScopedAppFont::ScopedAppFont(const QFont& font) : old_(QApplication::font()) { QApplication::setFont(font); }

ScopedAppFont::ScopedAppFont(qreal pointSize) : old_(QApplication::font())
{
    QFont f = platformFont();
    f.setPointSizeF(pointSize);
    QApplication::setFont(f);
}

ScopedAppFont::~ScopedAppFont() { QApplication::setFont(old_); }

TestEnvironment::TestEnvironment()
    : oldConfig_(qgetenv("XDG_CONFIG_HOME")), oldRuntime_(qgetenv("XDG_RUNTIME_DIR")),
      oldData_(qgetenv("XDG_DATA_HOME"))
{
    QDir().mkpath(configFolder());
    QDir().mkpath(runtimeFolder());
    // Qt insists on a private runtime folder.
    QFile::setPermissions(runtimeFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", configFolder().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtimeFolder().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataFolder().toLocal8Bit());
}

TestEnvironment::~TestEnvironment()
{
    auto restore = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("XDG_CONFIG_HOME", oldConfig_);
    restore("XDG_RUNTIME_DIR", oldRuntime_);
    restore("XDG_DATA_HOME", oldData_);
}

QString TestEnvironment::configFolder() const { return dir_.path() + QStringLiteral("/config"); }

QString TestEnvironment::dataFolder() const { return dir_.path() + QStringLiteral("/data"); }

QString TestEnvironment::runtimeFolder() const { return dir_.path() + QStringLiteral("/runtime"); }

QString TestEnvironment::iniPath() const { return configFolder() + QStringLiteral("/KZomniVELOR140.ini"); }

void TestEnvironment::setSetting(const QString& sectionKey, const QString& value) const
{
    QSettings s(iniPath(), QSettings::IniFormat);
    s.setValue(sectionKey, value);
}

QString TestEnvironment::setting(const QString& sectionKey) const
{
    QSettings s(iniPath(), QSettings::IniFormat);
    return s.value(sectionKey).toString();
}

bool TestEnvironment::hasSetting(const QString& sectionKey) const
{
    QSettings s(iniPath(), QSettings::IniFormat);
    return s.contains(sectionKey);
}

QString TestEnvironment::writeFile(const QString& name, const QStringList& lines) const
{
    const QString path = dir_.path() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        for (const QString& line : lines)
            f.write(line.toUtf8() + "\r\n");
    }
    return path;
}

void TestEnvironment::useData(const QStringList& main, const QStringList& user) const
{
    setSetting(QStringLiteral("Obecne/Path"), writeFile(QStringLiteral("Omnivel.omv"), main));
    setSetting(QStringLiteral("Obecne/PathUser"), writeFile(QStringLiteral("User.omv"), user));
}

QStringList smallMainData()
{
    return {
        QStringLiteral("' Malý datový soubor pro zkoušky okna"),
        QStringLiteral("1|metr|m|1|Základní jednotka délky.|True"),
        QStringLiteral("1|kilometr|km|1000"),
        QStringLiteral("1|centimetr|cm|0.01"),
        QStringLiteral("2|metr čtvereční|m²|1||True"),
        QStringLiteral("2|ar|a|100"),
    };
}

void addUnit(ov::UnitDatabase& db, int t, const std::string& name, const char* symbol, double factor, const char* info)
{
    const int u = db.unitCount(t) + 1;
    db.setUnitCount(t, u);
    db.unitSlot(t, u) = {name, symbol, factor, info};
    if (t > ov::kBuiltinTopics)
        db.markUserTopicUsed(t - ov::kBuiltinTopics);
}

ov::UnitDatabase smallDatabase()
{
    struct Unit {
        int topic;
        const char* name;
        const char* symbol;
        double factor;
        const char* info = "";
    };
    static const Unit units[] = {
        {1, "metr", "m", 1, "Základní jednotka SI."},
        {1, "kilometr", "km", 1000},
        {1, "centimetr", "cm", 0.01},
        {1, "milimetr", "mm", 0.001},
        {1, "palec", "in", 0.0254},
        {1, "4 palce", "", 0.1016},
        {16, "kelvin", "K", 1, "Termodynamická teplota."},
        {16, "stupeň Celsia", "°C", 1},
        {16, "stupeň Fahrenheita", "°F", 1},
        {16, "stupeň Rankina", "°R", 1},
        {16, "stupeň Réaumura", "°Ré", 1},
        {26, "jednotka", "", 1},
        {26, "kilo", "k", 1000},
        {26, "mega", "M", 1e6},
        {26, "mili", "m", 0.001},
    };
    ov::UnitDatabase db;
    for (const Unit& u : units)
        addUnit(db, u.topic, u.name, u.symbol, u.factor, u.info);
    for (int u = 1; u <= 60; ++u)
        addUnit(db, 2, "jednotka " + std::to_string(u), "j", u);
    return db;
}

TestApp::TestApp() : context(std::make_unique<AppContext>()), window(std::make_unique<MainWindow>(*context)) {}

void WindowTestCase::initTestCase() { initGuiTests(); }

void WindowTestCase::init()
{
    // Warnings of the offscreen platform about what it cannot do are not the program's.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*")));
    env_ = std::make_unique<TestEnvironment>();
    fake_ = std::make_unique<FakeDialogs>();
    watchdog_ = std::make_unique<ModalWatchdog>();
    setUp();
}

void WindowTestCase::cleanup()
{
    tearDown();
    app_.reset();
    watchdog_.reset();
    fake_.reset();
    env_.reset();
}

void WindowTestCase::useRealDialogs()
{
    watchdog_.reset();
    fake_.reset();
}

MainWindow& WindowTestCase::mainWindow()
{
    if (!app_)
        app_.emplace();
    return *app_->window;
}

AppContext& WindowTestCase::context()
{
    mainWindow();
    return *app_->context;
}

MainWindow& WindowTestCase::startedWindow(Data data, const QStringList& arguments)
{
    const QString shippedMain = QStringLiteral(OV_DATA_DIR "/Omnivel.omv");
    if (data == Data::Shipped && QFile::exists(shippedMain)) {
        env_->setSetting(QStringLiteral("Obecne/Path"), shippedMain);
        env_->setSetting(QStringLiteral("Obecne/PathUser"), QStringLiteral(OV_DATA_DIR "/User.omv"));
    } else if (data != Data::AsWritten && !app_) {
        env_->useSmallData();
    }
    MainWindow& w = mainWindow();
    if (!w.start(arguments))
        QTest::qFail("the main window did not start", __FILE__, __LINE__);
    return w;
}

MainWindow& WindowTestCase::restartedWindow()
{
    if (app_ && !app_->window->ended()) {
        if (fake_ && app_->context->prefs.safeEnd != 0)
            fake_->answer(QMessageBox::Yes);
        app_->window->shutDown();
        if (!app_->window->ended())
            QTest::qFail("the main window did not end", __FILE__, __LINE__);
    }
    app_.reset();
    MainWindow& w = mainWindow();
    if (!w.start({QStringLiteral("omnivelor")}) || !QTest::qWaitForWindowActive(&w))
        QTest::qFail("the main window did not start again", __FILE__, __LINE__);
    return w;
}

QStringList smallUserData()
{
    return {
        QStringLiteral("1|kus|ks|1"),
        QStringLiteral("1|tucet|tuc|12"),
    };
}

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
    timer_.start(100);
}

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isModal()) {
                modal = w;
                break;
            }
    }
    if (!modal)
        return;
    ++caught_;
    const QByteArray what = QByteArray("A real modal dialog opened: ") + modal->metaObject()->className() +
                            QByteArray(" \"") + modal->windowTitle().toUtf8() + "\"";
    QTest::qFail(what.constData(), __FILE__, __LINE__);
    if (auto* d = qobject_cast<QDialog*>(modal))
        d->reject();
    else
        modal->close();
}

void saveShot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("OV_SHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QAction* findAction(const QWidget* root, const QString& objectName) { return root->findChild<QAction*>(objectName); }

bool triggerAction(const QWidget* root, const QString& objectName)
{
    QAction* a = findAction(root, objectName);
    if (!a) {
        QTest::qFail(("No action " + objectName.toUtf8()).constData(), __FILE__, __LINE__);
        return false;
    }
    if (!a->isEnabled()) {
        QTest::qFail(("Action is disabled: " + objectName.toUtf8()).constData(), __FILE__, __LINE__);
        return false;
    }
    a->trigger();
    return true;
}

static QWidget* focusTarget(QWidget* window)
{
    QWidget* f = QApplication::focusWidget();
    if (!f || f->window() != window->window())
        f = window->focusWidget();
    return f ? f : window;
}

void keyToFocus(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(focusTarget(window), key, mods);
}

void typeToFocus(QWidget* window, const QString& text)
{
    for (const QChar c : text) {
        // Letters beyond ASCII ("á") have no key code of their own: they come as text.
        if (c.unicode() < 128)
            QTest::keyClicks(focusTarget(window), QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, focusTarget(window), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace ov::gui::test

namespace ov::gui::test {

void convert(MainWindow& w, int row, const QString& text)
{
    w.findChild<QTableWidget*>(QStringLiteral("msgTab"))->setCurrentCell(row, 2);
    w.table()->focusGrid();
    typeToFocus(&w, text);
    keyToFocus(&w, Qt::Key_Return);
}

} // namespace ov::gui::test
