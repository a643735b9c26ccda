// A request from the system to end the program (SIGTERM when the session ends or someone
// runs kill, SIGHUP when its terminal goes away), delivered in the event loop so that the
// program can end the way closing its window ends it: settings stored, files closed.
// Ctrl+C (SIGINT) keeps its default and ends the program at once.
#pragma once
#include <QObject>

namespace ov::gui {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // The one listener of the process; made, and the signals caught, on first use.
    static TerminationSignals& instance();

signals:
    void requested();

private:
    TerminationSignals();
    void readRequest();
};

} // namespace ov::gui
