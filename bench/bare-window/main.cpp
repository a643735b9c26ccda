// The yardstick for the start-up time: the least Qt program with the same kind of window as
// omnivelor's (a menu bar, a toolbar, a status bar and a 150 x 3 table), nothing loaded.
#include "gui/quitwhenshown.h"

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));

    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Soubor"));
    file->addAction(QStringLiteral("&Otevřít"));
    file->addAction(QStringLiteral("&Tisk"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Konec"), &window, &QWidget::close);
    window.menuBar()->addMenu(QStringLiteral("Ú&pravy"))->addAction(QStringLiteral("&Kopírovat"));
    window.menuBar()->addMenu(QStringLiteral("&Nápověda"))->addAction(QStringLiteral("&O programu"));

    QToolBar* tools = window.addToolBar(QStringLiteral("Nástroje"));
    const QStyle* style = window.style();
    tools->addAction(style->standardIcon(QStyle::SP_DialogOpenButton), QStringLiteral("Otevřít"));
    tools->addAction(style->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Zpět"));
    tools->addAction(style->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Vpřed"));

    auto* table = new QTableWidget(150, 3, &window);
    table->setHorizontalHeaderLabels({QStringLiteral("Jednotka"), QStringLiteral("Značka"), QStringLiteral("Hodnota")});
    table->verticalHeader()->hide();
    for (int r = 0; r < table->rowCount(); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(QStringLiteral("jednotka %1").arg(r + 1)));
        table->setItem(r, 1, new QTableWidgetItem(QStringLiteral("j%1").arg(r + 1)));
        table->setItem(r, 2, new QTableWidgetItem());
    }
    window.setCentralWidget(table);
    window.statusBar()->showMessage(QStringLiteral("Připraven"));

    const auto quitWhenShown = ov::gui::quitWhenShown(window);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
