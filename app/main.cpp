// omniVELOR: the desktop converter of physical quantities.
#include "app/mainwindow.h"
#include "gui/common.h"
#include "gui/clipboard.h"
#include "gui/quitwhenshown.h"
#include "settings/appcontext.h"
#include "settings/startoptions.h"

#include <QApplication>
#include <QLocale>

#include <csignal>
#include <memory>

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
    const auto quitWhenShown = ov::gui::quitWhenShown(*window);
    if (!window->start(QApplication::arguments()))
        return 0;
    return QApplication::exec();
}
