#include "settings/lifecycle.h"

#include "app/mainwindow.h"
#include "app/windowlayout.h"
#include "gui/dialogservice.h"
#include "navigation/navigator.h"
#include "settings/nactinastaveni.h"
#include "settings/singleinstance.h"
#include "settings/splash.h"
#include "table/commands.h"
#include "table/conversiontable.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

#ifndef OV_VERSION
#define OV_VERSION "1.41"
#endif

namespace ov::gui {
namespace {

const QString kTitle = QStringLiteral("omniVELOR");

// A stored number, or the fallback when it is missing or unusable (start-up shows no
// message for the keys it reads itself).
double storedNumber(const SettingsStore& s, Key key, double fallback)
{
    try {
        return s.number(key, fallback);
    } catch (const SettingError&) {
        return fallback;
    }
}

int storedInteger(const SettingsStore& s, Key key, int fallback)
{
    try {
        return s.stored(key) ? int(s.integer(key)) : fallback;
    } catch (const SettingError&) {
        return fallback;
    }
}

QRect desktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect(0, 0, 800, 600);
}

// Runs one step; whatever goes wrong inside is passed over and the next step runs.
template <class F> auto guarded(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (...) {
        return decltype(f())();
    }
}

} // namespace

bool Lifecycle::hasSetupSwitch(const QStringList& arguments)
{
    // Anywhere on the command line, in any case (the program's own name aside).
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments.at(i).contains(QStringLiteral("SETUP"), Qt::CaseInsensitive))
            return true;
    return false;
}

bool Lifecycle::formLoad(const QStringList& arguments)
{
    running_.start();
    Preferences& prefs = w_.preferences();
    SettingsStore& store = w_.store();
    SplashWindow* splash = w_.splash();

    guarded([&] { splash->showAndPaint(); });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;

    guarded([&] {
        NactiNastaveni(store, prefs, splash);
        w_.applyPreferences();
    });
    if (hasSetupSwitch(arguments) && guarded([&] { return setupFlow(); }) == Go::End)
        return false;
    if (guarded([&] { return singleInstance(); }) == Go::End)
        return false;

    const std::vector<std::function<void()>> steps{
        [&] {
            prefs.spusteno = prefs.spusteno < std::numeric_limits<qint32>::max() ? prefs.spusteno + 1 : prefs.spusteno;
            store.setInteger(Key::Spusteno, prefs.spusteno);
            store.sync();
        },
        [&] { w_.nahledOnOff(); },
        [&] { w_.loadDataFiles(0); },
        [&] { w_.setWindowTitle(kTitle + QLatin1Char(' ') + QStringLiteral(OV_VERSION)); },
        [&] { readTopicNames(); },
        [&] { w_.navigator()->fillJednotky(); },
        [&] { w_.commands()->updateCounts(w_.database(), w_.navigator()->userTopicCount()); },
        [&] { splash->hide(); },
        [&] { restorePlacement(); },
        [&] {
            if (prefs.onTop)
                w_.setOnTop(true);
        },
        [&] { w_.workspace()->setVlevo(storedInteger(store, Key::Vlevo, kDefaultVlevoTwips)); },
        [&] { showStartTopic(); },
        // The stored level reloads the data files at that level.
        [&] { w_.applyLevel(prefs.uroven); },
        [&] { w_.navigator()->focusShownList(); },
    };
    w_.setQuietRepeats(true);
    for (const auto& step : steps)
        guarded(step);
    w_.setQuietRepeats(false);
    return true;
}

Lifecycle::Go Lifecycle::setupFlow()
{
    // TODO(options): the options dialog comes first here once it exists.
    dialogs().message(w_.splash(), DialogService::Icon::Information, kTitle, QStringLiteral("Spusťte aplikaci znovu."));
    ukonceni();
    return done_ ? Go::End : Go::On;
}

Lifecycle::Go Lifecycle::singleInstance()
{
    // Every copy tries to be the first one, so that a later copy can find it.
    const bool first = w_.instance()->claim();
    if (first || w_.preferences().onlyOne != 1)
        return Go::On;
    dialogs().message(w_.splash(), DialogService::Icon::Information, kTitle,
                      QStringLiteral("Je nastavena volba Spouštět pouze 1 instanci programu. Aplikace omniVELOR je "
                                     "již spuštěna.\r\n\r\nAplikace bude ukončena."));
    SingleInstance::activateFirst();
    // Nothing of this copy is stored: it ends before it has really started.
    done_ = true;
    zavritOkna();
    return Go::End;
}

void Lifecycle::readTopicNames()
{
    const SettingsStore& store = w_.store();
    QStringList topics, users;
    for (int n = 1; n <= ov::kBuiltinTopics; ++n)
        topics << store.navigatorText(false, n, {});
    for (int n = 1; n <= ov::kUserTopics; ++n)
        users << store.navigatorText(true, n, {});
    Navigator* nav = w_.navigator();
    nav->setTopicNames(topics, users);
    for (int n = 1; n <= nav->topicCount(); ++n)
        w_.commands()->setTopicName(n, nav->topicText(n));
}

void Lifecycle::restorePlacement()
{
    const SettingsStore& s = w_.store();
    const QRect screen = desktop();
    const int screenRight = pixelsToTwips(screen.x() + screen.width());
    const int screenBottom = pixelsToTwips(screen.y() + screen.height());
    // Centred with the size the window has before the stored one is applied.
    const double centredLeft = pixelsToTwips(screen.x() + (screen.width() - w_.width()) / 2);
    const double centredTop = pixelsToTwips(screen.y() + (screen.height() - w_.height()) / 2);
    double left = storedNumber(s, Key::Left, centredLeft);
    double top = storedNumber(s, Key::Top, centredTop);
    if (left > screenRight)
        left = screenRight - 100;
    if (top > screenBottom)
        top = screenBottom - 100;
    // Never larger than the screens together, so that every edge can be reached.
    const double width = std::min<double>(storedNumber(s, Key::Width, kDefaultWidthTwips), pixelsToTwips(screen.width()));
    const double height =
        std::min<double>(storedNumber(s, Key::Height, kDefaultHeightTwips), pixelsToTwips(screen.height()));
    // A window stored wholly left of or above the screens (a screen since removed) would open
    // out of reach; it comes back to the edge.
    if (left + width <= pixelsToTwips(screen.x()))
        left = pixelsToTwips(screen.x());
    if (top + height <= pixelsToTwips(screen.y()))
        top = pixelsToTwips(screen.y());
    w_.move(twipsToPixels(left), twipsToPixels(top));
    w_.resize(twipsToPixels(width), twipsToPixels(height));
    placed_ = true;

    switch (storedInteger(s, Key::WindowState, 0)) {
    case 1: w_.showMinimized(); break;
    case 2: w_.showMaximized(); break;
    default: w_.show(); break;
    }
    // The window takes the keyboard (the topic list gets the focus), also where no window
    // manager hands it over.
    if (!w_.isMinimized())
        w_.activateWindow();
}

void Lifecycle::showStartTopic()
{
    const int tema = w_.preferences().tema;
    Navigator* nav = w_.navigator();
    if (tema < 1) {
        nav->selectTopicEntry(1);
        w_.table()->showWelcome();
        return;
    }
    nav->setCurrentTopic(tema);
    w_.table()->fillTopic(tema);
    nav->navigaceSet();
}

void Lifecycle::storeCounters()
{
    SettingsStore& s = w_.store();
    s.setInteger(Key::Prevedeno, w_.table()->conversionCount());
    // An unreadable running time starts again from this run.
    const qint64 before = guarded([&] { return s.seconds(Key::Doba); });
    s.setSeconds(Key::Doba, before + running_.elapsed() / 1000);
}

void Lifecycle::ukonceni()
{
    if (done_)
        return;
    SettingsStore& s = w_.store();
    Navigator* nav = w_.navigator();
    guarded([&] {
        for (int i = 1; i <= nav->topicCount(); ++i)
            s.setNavigatorText(false, i, nav->topicText(i));
        for (int i = 1; i <= nav->userTopicCount(); ++i)
            s.setNavigatorText(true, i, nav->userTopicText(i));
    });
    guarded([&] {
        const int state = w_.isMinimized() ? 1 : w_.isMaximized() ? 2 : 0;
        s.setInteger(Key::WindowState, state);
        // The window's outer position and its inner size, as the next start applies them.
        QPoint corner = w_.pos();
        QSize size = w_.size();
        if (state != 0 && w_.normalGeometry().isValid()) {
            const QPoint frameOffset = w_.geometry().topLeft() - w_.frameGeometry().topLeft();
            corner = w_.normalGeometry().topLeft() - frameOffset;
            size = w_.normalGeometry().size();
        }
        if (state != 0)
            w_.showNormal();
        // Before the stored placement was applied (the set-up switch) the window has no
        // placement of its own worth keeping.
        if (placed_) {
            s.setInteger(Key::Left, pixelsToTwips(corner.x()));
            s.setInteger(Key::Top, pixelsToTwips(corner.y()));
            s.setInteger(Key::Height, pixelsToTwips(size.height()));
            s.setInteger(Key::Width, pixelsToTwips(size.width()));
            s.setInteger(Key::Vlevo, w_.workspace()->vlevo());
        }
    });
    const bool saved = s.sync();

    if (w_.preferences().safeEnd != 0) {
        const auto answer = dialogs().message(w_.isVisible() ? &w_ : nullptr, DialogService::Icon::Question, kTitle,
                                              QStringLiteral("Ukončit program?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes)
            return;
        w_.hide();
    }
    guarded([&] { storeCounters(); });
    if (!s.sync() || !saved) {
        // The program still ends; the user learns why the next start will not remember this one.
        dialogs().message(nullptr, DialogService::Icon::Warning, kTitle,
                          QStringLiteral("Nastavení se nepodařilo uložit do souboru %1.")
                              .arg(QDir::toNativeSeparators(s.filePath())));
    }
    if (w_.preferences().safeEnd != 0) {
        w_.splash()->setText(QStringLiteral("omniVELOR ukončení"));
        guarded([&] { w_.splash()->showAndPaint(); });
    }
    done_ = true;
    zavritOkna();
}

void Lifecycle::zavritOkna()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &w_)
            top->close();
    w_.close();
    // The main window was hidden before it closed, and the splash window does not count as
    // the last window: the program ends here, as closing its last window would end it.
    if (QApplication::quitOnLastWindowClosed())
        QCoreApplication::quit();
}

} // namespace ov::gui
