// Start-up and shut-down of the main window: every step in the order the program has always
// taken them, each guarded so that a failing step never stops the rest.
#pragma once
#include <QElapsedTimer>
#include <QStringList>

namespace ov::gui {

class MainWindow;

class Lifecycle {
public:
    explicit Lifecycle(MainWindow& window) : w_(window) {}

    // Form_Load; false when the program ended during start-up.
    bool formLoad(const QStringList& arguments);
    // Ukonceni; does nothing once it has run to its end.
    void ukonceni();
    bool ended() const { return done_; }

    static bool hasSetupSwitch(const QStringList& arguments);

private:
    enum class Go { On, End };

    Go setupFlow();
    Go singleInstance();
    void readTopicNames();
    void restorePlacement();
    void showStartTopic();
    void storeCounters();
    void zavritOkna();

    MainWindow& w_;
    QElapsedTimer running_;            // CasStartu: the running time of this run
    bool placed_ = false;              // the stored placement has been applied
    bool done_ = false;                // the shut-down has run to its end
};

} // namespace ov::gui
