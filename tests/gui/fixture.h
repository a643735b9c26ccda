// What every window test shares: a private settings and runtime folder, small data files, the
// fake dialog service, a watchdog against real modal dialogs, and ways to act as a user.
// A test class derives from WindowTestCase, which sets all of that up for every test.
#pragma once
#include "fakedialogs.h"

#include "app/mainwindow.h"
#include "core/unitdb.h"
#include "settings/appcontext.h"

#include <QAction>
#include <QFont>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace ov::gui::test {

// Call once per test binary (initTestCase): Czech number locale whatever the machine has, no
// quitting when a test closes the last window, and the 8-point reference font.
void initGuiTests();

// The font the platform gave the program, before the tests set the reference font.
QFont platformFont();
// The application font for as long as the guard lives: a font, or the platform's font at a
// size in points.
class ScopedAppFont {
public:
    explicit ScopedAppFont(const QFont& font);
    explicit ScopedAppFont(qreal pointSize);
    ~ScopedAppFont();
    ScopedAppFont(const ScopedAppFont&) = delete;
    ScopedAppFont& operator=(const ScopedAppFont&) = delete;

private:
    QFont old_;
};

// Topic 1 "Délka": metr (reference), kilometr, centimetr; topic 2: metr čtvereční, ar.
QStringList smallMainData();
// User topic 1: kus, tucet.
QStringList smallUserData();

// A fresh user: XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR point into a temporary folder for the
// lifetime of the object, so that the program's settings file and lock start empty.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString folder() const { return dir_.path(); }
    QString configFolder() const;
    QString runtimeFolder() const;
    QString dataFolder() const; // XDG_DATA_HOME: the program's data folder is omnivelor/ in it
    QString iniPath() const;    // KZomniVELOR140.ini in the configuration folder

    // Settings as the user's file holds them: "Section/Key".
    void setSetting(const QString& sectionKey, const QString& value) const;
    QString setting(const QString& sectionKey) const; // empty when missing
    bool hasSetting(const QString& sectionKey) const;

    // Writes a data file (lines joined with CR LF) into the folder and returns its path.
    QString writeFile(const QString& name, const QStringList& lines) const;
    // Writes Omnivel.omv and User.omv with these lines, Obecne/Path and Obecne/PathUser pointing at them.
    void useData(const QStringList& main, const QStringList& user = smallUserData()) const;
    // The small data files above.
    void useSmallData() const { useData(smallMainData()); }

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_, oldRuntime_, oldData_;
};

// One more unit of topic t, straight into the tables (a user topic is marked as used).
void addUnit(ov::UnitDatabase& db, int t, const std::string& name, const char* symbol = "", double factor = 1,
             const char* info = "");
// Topic 1: metr (with an information text), kilometr, centimetr, milimetr, palec, "4 palce";
// topic 2: 60 units "jednotka 1".."jednotka 60" (more than the grid shows); topic 16: the five
// temperature units; topic 26: jednotka, kilo, mega, mili.
ov::UnitDatabase smallDatabase();

// Fails the running test when a real modal dialog opens (the code bypassed the dialog service)
// and closes it, so that the test ends instead of waiting for a click.
class ModalWatchdog : public QObject {
    Q_OBJECT
public:
    explicit ModalWatchdog(QObject* parent = nullptr);
    int caught() const { return caught_; }

private:
    void check();
    QTimer timer_;
    int caught_ = 0;
};

// A context and a main window on it, as main() makes them; the window is not started.
struct TestApp {
    TestApp();
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    MainWindow* operator->() const { return window.get(); }
    MainWindow& operator*() const { return *window; }
};

// The base of every window test class. For each test it makes a fresh user folder, installs
// the fake dialog service and starts the modal watchdog, and fails the test on a warning
// nobody expected (QTest::ignoreMessage names the expected ones). Derived classes put their
// own set-up into setUp()/tearDown(), not into init()/cleanup() slots.
class WindowTestCase : public QObject {
    Q_OBJECT
protected:
    TestEnvironment& environment() { return *env_; }
    FakeDialogs& fakeDialogs() { return *fake_; }
    // The test's main window on its own context, made on first use (after the test has
    // written the settings it wants); start() is the test's to call.
    MainWindow& mainWindow();
    AppContext& context();
    // The data files a started window reads.
    enum class Data {
        Small,     // the small data files (written when the window is not made yet)
        Shipped,   // the program's own data files where the build has them, else the small ones
        AsWritten, // whatever the test's settings name (its own files, or none at all)
    };
    // A main window started on that data with that command line; the test fails when it does
    // not start.
    MainWindow& startedWindow(Data data = Data::Small, const QStringList& arguments = {QStringLiteral("omnivelor")});
    // Ends the test's window as the user does ("Konec", answering Yes when asked) unless the
    // test has ended it, and starts the program again on the same settings and data files:
    // the window of the next run, active.
    MainWindow& restartedWindow();
    // For a test that shows a real dialog on purpose: no fake service, no watchdog.
    void useRealDialogs();

    virtual void setUp() {}
    virtual void tearDown() {}

private slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    std::unique_ptr<TestEnvironment> env_;
    std::unique_ptr<FakeDialogs> fake_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::optional<TestApp> app_;
};

// Saves a picture of the widget as <name>.png in the folder named by OV_SHOTS, when it is set.
void saveShot(QWidget* w, const QString& name);

// Finding and using things by object name, as the program names its controls.
QAction* findAction(const QWidget* root, const QString& objectName);
// Triggers the action (a menu click); fails the test when there is none or it is disabled.
bool triggerAction(const QWidget* root, const QString& objectName);

template <class T> T* findNamed(const QObject* root, const QString& objectName)
{
    return root->findChild<T*>(objectName);
}

// Types a value into the value cell of a row of the window's table and ends with Enter.
void convert(MainWindow& w, int row, const QString& text);

// Sends a key to the widget that has the focus in the window (or the window itself).
void keyToFocus(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);
// Types the text key by key into whatever has the focus at each key.
void typeToFocus(QWidget* window, const QString& text);

} // namespace ov::gui::test
