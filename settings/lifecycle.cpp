#include "settings/lifecycle.h"

#include "gui/common.h"
#include "gui/dialogservice.h"
#include "settings/appcontext.h"
#include "settings/datafolder.h"
#include "settings/lifecyclehost.h"
#include "settings/preferences.h"
#include "settings/singleinstance.h"
#include "settings/splash.h"
#include "settings/startoptions.h"

#include <QApplication>
#include <QDebug>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#ifndef OV_VERSION
#define OV_VERSION "1.41"
#endif

namespace ov::gui {
namespace {

// A stored number, or the fallback when it is missing or unusable (start-up shows no
// message for the keys it reads itself).
double storedNumber(const SettingsStore& s, Key key, double fallback)
{
    return readOr(fallback, [&] { return s.number(key, fallback); });
}

int storedInteger(const SettingsStore& s, Key key, int fallback)
{
    return readOr(fallback, [&] { return s.stored(key) ? int(s.integer(key)) : fallback; });
}

QRect desktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect(0, 0, 800, 600);
}

// Runs one step; whatever goes wrong inside is passed over and the next step runs. The
// user sees nothing of it, a developer reads it in the log.
template <class F> auto guarded(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const std::exception& e) {
        qWarning("omniVELOR: a start-up or shut-down step failed: %s", e.what());
    } catch (...) {
        qWarning("omniVELOR: a start-up or shut-down step failed");
    }
    return decltype(f())();
}

// The main windows of the lifecycles alive now.
QSet<QWidget*>& liveMainWidgets()
{
    static QSet<QWidget*> widgets;
    return widgets;
}

} // namespace

Lifecycle::Lifecycle(LifecycleHost& host, AppContext& ctx)
    : host_(host), ctx_(ctx), splash_(std::make_unique<SplashWindow>()), instance_(std::make_unique<SingleInstance>())
{
    liveMainWidgets().insert(mainWidget_ = &host_.mainWidget());
    // A second copy that was refused brings this window to the front.
    QObject::connect(instance_.get(), &SingleInstance::activationRequested, [this] { host_.raiseWindow(); });
}

Lifecycle::~Lifecycle() { liveMainWidgets().remove(mainWidget_); }

bool Lifecycle::hasSetupSwitch(const QStringList& arguments)
{
    // Anywhere on the command line, in any case (the program's own name and the values of the
    // other options aside).
    const QStringList words = withoutStartOptions(arguments);
    for (qsizetype i = 1; i < words.size(); ++i)
        if (words.at(i).contains(QStringLiteral("SETUP"), Qt::CaseInsensitive))
            return true;
    return false;
}

bool Lifecycle::startUp(const QStringList& arguments)
{
    running_.start();
    guarded([&] { splash_->showAndPaint(); });
    const OverrideCursor busy(Qt::WaitCursor);
    return readStartSettings(arguments) && openWindow(startRequest(arguments));
}

// The settings read and applied, the set-up dialog and the single-instance check: false when
// the program ends there.
bool Lifecycle::readStartSettings(const QStringList& arguments)
{
    Preferences& prefs = ctx_.prefs;
    SplashWindow* splash = splash_.get();

    // On the first start the shipped data files are copied to the user's folder, where the
    // defaults of Path and PathUser then find them.
    const QString dataProblem = guarded([&] {
        const Preferences defaults;
        return prepareUserDataFolder({defaults.file, defaults.fileUser});
    });
    guarded([&] {
        readPreferences(ctx_.store, prefs, splash);
        host_.applyPreferences();
    });
    if (!dataProblem.isEmpty())
        dialogs().message(splash, DialogService::Icon::Information, appTitle(), dataFolderProblemText(dataProblem));
    // The system may end the program while a box of start-up is open; start-up stops there.
    if (done_)
        return false;
    conversionsBefore_ = host_.conversionCount();
    if (hasSetupSwitch(arguments) && guarded([&] { return setupFlow(); }) == Go::End)
        return false;
    return guarded([&] { return singleInstance(); }) != Go::End;
}

// The window made from the settings and the data files, step by step; a step that fails is
// reported and the next one runs, an end asked for by the system stops them.
bool Lifecycle::openWindow(StartRequest request)
{
    Preferences& prefs = ctx_.prefs;
    SettingsStore& store = ctx_.store;
    SplashWindow* splash = splash_.get();
    // A topic asked for on the command line replaces the stored start topic when it has units.
    const std::vector<std::function<void()>> steps{
        [&] {
            prefs.startCount =
                prefs.startCount < std::numeric_limits<qint32>::max() ? prefs.startCount + 1 : prefs.startCount;
            writePreferences(store, prefs, {Key::StartCount});
            store.sync();
        },
        [&] { host_.loadDataFiles(0); },
        [&] { restoreMarks(); },
        [&] { host_.mainWidget().setWindowTitle(appTitle() + QLatin1Char(' ') + QStringLiteral(OV_VERSION)); },
        [&] { readTopicNames(); },
        [&] {
            if (request.topic > 0 && ctx_.db.unitCount(request.topic) == 0)
                request = {};
        },
        [&] { splash->hide(); },
        [&] { restorePlacement(); },
        [&] {
            if (prefs.onTop)
                host_.setOnTop(true);
        },
        [&] {
            const int read = storedInteger(store, Key::SplitterPosition, kDefaultSplitterTwips);
            host_.setSplitterPosition(read);
            splitterPosition_ = {read, host_.splitterPosition()};
        },
        [&] { host_.showStartTopic(request.topic > 0 ? request.topic : std::max(prefs.startTopic, 0)); },
        // The stored level reloads the data files at that level, which makes the unit list and
        // the counts; made after the first reading as well, they would cost the window's
        // appearance a list of every unit made twice.
        [&] { host_.applyLevel(prefs.level); },
        [&] {
            // A value asked for on the command line is entered once the table is complete.
            if (request.topic > 0 && !request.value.isEmpty())
                host_.enterValue(request.unit, request.value);
            else
                host_.focusShownList();
        },
        [&] { reportKeptEdits(); },
    };
    host_.setQuietRepeats(true);
    for (const auto& step : steps) {
        guarded(step);
        if (done_)
            break;
    }
    host_.setQuietRepeats(false);
    return !done_;
}

Lifecycle::Go Lifecycle::setupFlow()
{
    // The settings are read; the dialog shows them, OK stores them for the next start.
    host_.showOptions();
    if (done_)
        return Go::End;
    dialogs().message(splash_.get(), DialogService::Icon::Information, appTitle(),
                      QStringLiteral("Spusťte aplikaci znovu."));
    shutDown();
    return done_ ? Go::End : Go::On;
}

Lifecycle::Go Lifecycle::singleInstance()
{
    // Every copy tries to be the first one, so that a later copy can find it.
    const bool first = instance_->claim();
    if (first || ctx_.prefs.onlyOne != 1)
        return Go::On;
    dialogs().message(splash_.get(), DialogService::Icon::Information, appTitle(),
                      QStringLiteral("Je nastavena volba Spouštět pouze 1 instanci programu. Aplikace omniVELOR je "
                                     "již spuštěna.\r\n\r\nAplikace bude ukončena."));
    SingleInstance::activateFirst();
    // Nothing of this copy is stored: it ends before it has really started.
    done_ = true;
    closeWindows();
    return Go::End;
}

void Lifecycle::readTopicNames()
{
    const SettingsStore& store = ctx_.store;
    QStringList topics, users;
    for (int n = 1; n <= ov::kBuiltinTopics; ++n)
        topics << store.navigatorText(false, n, {});
    for (int n = 1; n <= ov::kUserTopics; ++n)
        users << store.navigatorText(true, n, {});
    host_.setTopicNames(topics, users);
}

void Lifecycle::restorePlacement()
{
    const SettingsStore& s = ctx_.store;
    QWidget& w = host_.mainWidget();
    const QRect screen = desktop();
    const int screenRight = pixelsToTwips(screen.x() + screen.width());
    const int screenBottom = pixelsToTwips(screen.y() + screen.height());
    // Centred with the size the window has before the stored one is applied.
    const double centredLeft = pixelsToTwips(screen.x() + (screen.width() - w.width()) / 2);
    const double centredTop = pixelsToTwips(screen.y() + (screen.height() - w.height()) / 2);
    double left = storedNumber(s, Key::Left, centredLeft);
    double top = storedNumber(s, Key::Top, centredTop);
    if (left > screenRight)
        left = screenRight - 100;
    if (top > screenBottom)
        top = screenBottom - 100;
    // Never larger than the screens together, so that every edge can be reached.
    const double width =
        std::min<double>(storedNumber(s, Key::Width, kDefaultWidthTwips), pixelsToTwips(screen.width()));
    const double height =
        std::min<double>(storedNumber(s, Key::Height, kDefaultHeightTwips), pixelsToTwips(screen.height()));
    // A window stored wholly left of or above the screens (a screen since removed) would open
    // out of reach; it comes back to the edge.
    if (left + width <= pixelsToTwips(screen.x()))
        left = pixelsToTwips(screen.x());
    if (top + height <= pixelsToTwips(screen.y()))
        top = pixelsToTwips(screen.y());
    w.move(twipsToPixels(left), twipsToPixels(top));
    w.resize(twipsToPixels(width), twipsToPixels(height));
    placed_ = true;
    left_ = {int(std::lround(left)), pixelsToTwips(w.pos().x())};
    top_ = {int(std::lround(top)), pixelsToTwips(w.pos().y())};
    width_ = {int(std::lround(width)), pixelsToTwips(w.width())};
    height_ = {int(std::lround(height)), pixelsToTwips(w.height())};

    // A window stored minimised (Esc before the end) opens normal: a program that starts
    // without a window looks as if it had not started.
    if (storedInteger(s, Key::WindowState, 0) == 2)
        w.showMaximized();
    else
        w.show();
    // The window takes the keyboard (the topic list gets the focus), also where no window
    // manager hands it over.
    if (!w.isMinimized())
        w.activateWindow();
}

void Lifecycle::editsKept(const QString& file, const QString& copy)
{
    ctx_.store.setText(Key::UnsavedFile, file);
    ctx_.store.setText(Key::UnsavedCopy, copy);
}

void Lifecycle::reportKeptEdits()
{
    SettingsStore& s = ctx_.store;
    const QString file = s.stored(Key::UnsavedFile).value_or(QString());
    const QString copy = s.stored(Key::UnsavedCopy).value_or(QString());
    if (file.isEmpty() && copy.isEmpty())
        return;
    s.remove(Key::UnsavedFile);
    s.remove(Key::UnsavedCopy);
    s.sync();
    // A copy the user has dealt with meanwhile needs no word.
    if (!QFileInfo(copy).isFile())
        return;
    dialogs().message(&host_.mainWidget(), DialogService::Icon::Information, appTitle(),
                      QStringLiteral("Změny souboru %1, které nebyly uloženy, byly při ukončení programu zachovány "
                                     "v souboru %2.")
                          .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(copy)));
}

void Lifecycle::topicRenamed(int topic)
{
    if (topic >= 1 && topic <= ov::kBuiltinTopics + ov::kUserTopics)
        renamed_.insert(topic);
}

bool Lifecycle::clearCounters()
{
    Preferences& prefs = ctx_.prefs;
    prefs.startCount = 1;
    prefs.conversionTotal = 0;
    prefs.totalSeconds = 0;
    conversionsBefore_ = host_.conversionCount();
    running_.restart();
    writePreferences(ctx_.store, prefs, {Key::StartCount, Key::ConversionTotal, Key::TotalTime});
    return ctx_.store.sync();
}

void Lifecycle::storeCounters()
{
    SettingsStore& s = ctx_.store;
    Preferences& prefs = ctx_.prefs;
    // Another copy may have ended meanwhile: this run's share is added to what is stored now,
    // so that both runs count. An unreadable stored value counts as nothing (and is no fault to log).
    s.sync();
    const long run = std::max(0L, host_.conversionCount() - conversionsBefore_);
    const qint64 stored = readOr<qint64>(0, [&] { return s.integer(Key::ConversionTotal); });
    prefs.conversionTotal = static_cast<qint32>(std::min<qint64>(stored + run, std::numeric_limits<qint32>::max()));
    prefs.totalSeconds = readOr<qint64>(0, [&] { return s.seconds(Key::TotalTime); }) + running_.elapsed() / 1000;
    writePreferences(s, prefs, {Key::ConversionTotal, Key::TotalTime});
}

// With "Pamatovat si označené jednotky" the marks of every topic come back by unit name: a unit
// the data file no longer has is passed over, one moved in it keeps its mark.
void Lifecycle::restoreMarks()
{
    marksRead_ = true;
    if (!ctx_.prefs.rememberMarks)
        return;
    for (int topic = 1; topic <= ov::kBuiltinTopics + ov::kUserTopics; ++topic) {
        std::vector<std::string> names;
        for (const QString& name : ctx_.store.markedNames(topic))
            names.push_back(name.toStdString());
        ov::MarkByName(ctx_.db, ctx_.marks, topic, names);
    }
}

void Lifecycle::storeMarks()
{
    // Before the data files were read (the set-up switch) there are no marks to store, and the
    // ones stored must not go.
    if (!marksRead_ || !ctx_.prefs.rememberMarks)
        return;
    for (int topic = 1; topic <= ov::kBuiltinTopics + ov::kUserTopics; ++topic) {
        QStringList names;
        for (const std::string& name : ov::MarkedNames(ctx_.db, ctx_.marks, topic))
            names << fromStd(name);
        ctx_.store.setMarkedNames(topic, names);
    }
}

void Lifecycle::shutDown(Asker asker)
{
    if (done_)
        return;
    SettingsStore& s = ctx_.store;
    QWidget& w = host_.mainWidget();
    guarded([&] { storeTopicNames(); });
    guarded([&] { storePlacement(); });
    guarded([&] { storeMarks(); });
    const bool saved = s.sync();

    const bool ask = asker == Asker::User && ctx_.prefs.safeEnd != 0;
    if (ask) {
        const auto answer =
            dialogs().message(w.isVisible() ? &w : nullptr, DialogService::Icon::Question, appTitle(),
                              QStringLiteral("Ukončit program?"), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        // A request from the system while the question was open has ended the program
        // already, counters and all.
        if (answer != QMessageBox::Yes || done_)
            return;
        w.hide();
    }
    guarded([&] { storeCounters(); });
    if (!s.sync() || !saved) {
        // The program still ends; the user learns why the next start will not remember this one.
        const QString text = s.notSavedText();
        if (asker == Asker::User)
            dialogs().message(nullptr, DialogService::Icon::Warning, appTitle(), text);
        else
            qWarning().noquote() << text;
    }
    if (ask) {
        splash_->setText(QStringLiteral("omniVELOR ukončení"));
        guarded([&] { splash_->showAndPaint(); });
    }
    done_ = true;
    closeWindows();
}

// Only the names renamed in this run: a copy running beside this one keeps its own.
void Lifecycle::storeTopicNames()
{
    const QStringList topics = host_.topicNames(false);
    const QStringList users = host_.topicNames(true);
    for (const int topic : std::as_const(renamed_)) {
        const bool user = topic > ov::kBuiltinTopics;
        const int n = user ? topic - ov::kBuiltinTopics : topic;
        const QStringList& names = user ? users : topics;
        if (n <= names.size())
            ctx_.store.setNavigatorText(user, n, names.at(n - 1));
    }
}

void Lifecycle::storePlacement()
{
    SettingsStore& s = ctx_.store;
    QWidget& w = host_.mainWidget();
    const int state = w.isMinimized() ? 1 : w.isMaximized() ? 2 : 0;
    if (placed_)
        s.setInteger(Key::WindowState, state);
    // The window's outer position and its inner size, as the next start applies them.
    QPoint corner = w.pos();
    QSize size = w.size();
    if (state != 0 && w.normalGeometry().isValid()) {
        const QPoint frameOffset = w.geometry().topLeft() - w.frameGeometry().topLeft();
        corner = w.normalGeometry().topLeft() - frameOffset;
        size = w.normalGeometry().size();
    }
    if (state != 0)
        w.showNormal();
    // Before the stored placement was applied (the set-up switch) the window has no
    // placement of its own worth keeping.
    if (placed_) {
        s.setInteger(Key::Left, left_.store(pixelsToTwips(corner.x())));
        s.setInteger(Key::Top, top_.store(pixelsToTwips(corner.y())));
        s.setInteger(Key::Height, height_.store(pixelsToTwips(size.height())));
        s.setInteger(Key::Width, width_.store(pixelsToTwips(size.width())));
        s.setInteger(Key::SplitterPosition, splitterPosition_.store(host_.splitterPosition()));
    }
}

void Lifecycle::closeWindows()
{
    QWidget& w = host_.mainWidget();
    // Every window of this program, not a window that belongs to another main window living
    // in the same process (each main window is a program of its own).
    const auto ownedByAnother = [&w](QWidget* top) {
        for (QWidget* p = top; p; p = p->parentWidget())
            if (p != &w && liveMainWidgets().contains(p))
                return true;
        return false;
    };
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == &w || ownedByAnother(top))
            continue;
        top->close();
        // A box without a button for closing refuses to close; a dialog open when the system
        // ends the program must end all the same.
        if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible())
            dialog->reject();
    }
    w.close();
    // The main window was hidden before it closed, and the splash window does not count as
    // the last window: the program ends here, as closing its last window would end it.
    if (QApplication::quitOnLastWindowClosed())
        QCoreApplication::quit();
}

} // namespace ov::gui
