// The yardstick for the start-up time: the least Qt program with the same kind of window as
// omnivelor's (a menu bar, a toolbar, a status bar and a 150 x 3 table), nothing loaded.
#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>

namespace {

// With OV_QUIT_WHEN_SHOWN set the program ends once its window has been painted, as
// omnivelor does, so that both start-ups can be profiled alike.
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

    QuitWhenShown quitWhenShown(window);
    if (qEnvironmentVariableIsSet("OV_QUIT_WHEN_SHOWN"))
        qApp->installEventFilter(&quitWhenShown);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
