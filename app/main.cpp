// omniVELOR: the desktop converter of physical quantities.
#include "app/mainwindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("omniVELOR"));
    QApplication::setApplicationVersion(QStringLiteral(OV_VERSION));
    // Numbers follow the user's locale; the rest of the program asks the default locale.
    QLocale::setDefault(QLocale::system());

    // Qt's own texts (standard buttons, file and font dialogs, text box menus) in Czech, as
    // the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    ov::gui::MainWindow window;
    if (!window.start(QApplication::arguments()))
        return 0;
    return QApplication::exec();
}
