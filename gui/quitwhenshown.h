// For measuring the start-up (bench/): with OV_QUIT_WHEN_SHOWN set, a program that calls
// quitWhenShown(window) ends as soon as that window has been painted once, without closing it
// (so omnivelor runs no shut-down), so that a profiler sees the start-up and nothing else.
// Header only: bench/bare-window uses it too, linking nothing of ours.
#pragma once
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace ov::gui {

class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(const QWidget& window) : window_(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first widget of the window that paints: the window need not paint itself.
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    const QWidget& window_;
};

// The filter, installed when OV_QUIT_WHEN_SHOWN is set; keep it as long as the window.
inline std::unique_ptr<QuitWhenShown> quitWhenShown(const QWidget& window)
{
    if (!qEnvironmentVariableIsSet("OV_QUIT_WHEN_SHOWN"))
        return nullptr;
    auto filter = std::make_unique<QuitWhenShown>(window);
    qApp->installEventFilter(filter.get());
    return filter;
}

} // namespace ov::gui
