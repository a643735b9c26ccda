// omniVELOR: the desktop converter of physical quantities.
#include "app/mainwindow.h"
#include "gui/common.h"
#include "gui/clipboard.h"
#include "settings/appcontext.h"
#include "settings/startoptions.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <csignal>
#include <memory>

namespace {

// For measuring the start-up (bench/): with OV_QUIT_WHEN_SHOWN set, the program ends as soon as
// its main window has been painted once, without the shut-down, as bench/bare-window does, so
// that a profiler sees the start-up and nothing else.
class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(const QWidget& window) : window_(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first widget of the window that paints: the window need not paint itself.
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == &window_) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    const QWidget& window_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Under a file-size limit a recording that grows past it stops with a message; the
    // signal's default would end the program instead.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication::setApplicationName(QStringLiteral("omniVELOR"));
    QApplication::setApplicationVersion(QStringLiteral(OV_VERSION));
    // The window belongs to its menu entry and icon (dist/).
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.omnivelor.Omnivelor"));
    // Numbers follow the user's locale; the rest of the program asks the default locale.
    QLocale::setDefault(QLocale::system());
    ov::gui::installQtTranslation();

    // The desktop search's service has no windows of its own to hold the clipboard with.
    if (const auto text = ov::gui::clipboardRequest(QApplication::arguments()))
        return ov::gui::holdClipboardText(*text);

    // On the heap: the unit database is close to a megabyte of tables.
    auto ctx = std::make_unique<ov::gui::AppContext>();
    auto window = std::make_unique<ov::gui::MainWindow>(*ctx);
    QuitWhenShown quitWhenShown(*window);
    if (qEnvironmentVariableIsSet("OV_QUIT_WHEN_SHOWN"))
        qApp->installEventFilter(&quitWhenShown);
    if (!window->start(QApplication::arguments()))
        return 0;
    return QApplication::exec();
}
