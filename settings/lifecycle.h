// Start-up and shut-down of the main window: every step in the order the program has always
// taken them, each guarded so that a failing step never stops the rest.
#pragma once
#include <QElapsedTimer>
#include <QSet>
#include <QStringList>
#include <memory>

class QWidget;

namespace ov::gui {

struct AppContext;
class LifecycleHost;
class SingleInstance;
class SplashWindow;
struct StartRequest;

class Lifecycle {
public:
    Lifecycle(LifecycleHost& host, AppContext& ctx);
    ~Lifecycle();

    // Form_Load; false when the program ended during start-up.
    bool startUp(const QStringList& arguments);
    // Ukonceni; does nothing once it has run to its end. Asked by the system (the session
    // ends, or kill), it asks nothing: everything is stored and the program ends, and a
    // failure to store goes to the log rather than to a box nobody may be there to close.
    enum class Asker { User, System };
    void shutDown(Asker asker = Asker::User);
    bool ended() const { return done_; }

    static bool hasSetupSwitch(const QStringList& arguments);

    // Unsaved changes of a data file were kept in a copy as the system ended the program: the
    // next start tells the user where.
    void editsKept(const QString& file, const QString& copy);

    // A topic (1..26, or 26 + n for user topic n) renamed in this run: shut-down stores its name.
    void topicRenamed(int topic);
    // "Vymazat": the stored counters start again (one start, no conversions, no time), and so
    // do this run's, so that shut-down adds nothing from before. False when the settings file
    // could not be written.
    bool clearCounters();
    // The running time of this run, from the monotonic clock start-up starts (clearCounters
    // starts it again).
    qint64 runningSeconds() const { return running_.isValid() ? running_.elapsed() / 1000 : 0; }

    SplashWindow* splash() const { return splash_.get(); }

private:
    enum class Go { On, End };
    // A length of the placement as start-up read it and as the window then showed it, both in
    // twips: one the session left alone goes back as read, without the rounding of a round
    // trip through pixels.
    struct KeptLength {
        int read = 0;
        int shown = -1;
        int store(int now) const { return now == shown ? read : now; }
    };

    bool readStartSettings(const QStringList& arguments);
    bool openWindow(StartRequest request);
    Go setupFlow();
    Go singleInstance();
    void readTopicNames();
    void restorePlacement();
    void storePlacement();
    void storeTopicNames();
    void reportKeptEdits();
    void storeCounters();
    void restoreMarks();
    void storeMarks();
    void closeWindows();

    LifecycleHost& host_;
    QWidget* mainWidget_ = nullptr;
    AppContext& ctx_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<SingleInstance> instance_;
    QElapsedTimer running_;      // CasStartu: the running time of this run
    long conversionsBefore_ = 0; // the table's count when this run's counting began
    QSet<int> renamed_;          // topics renamed in this run
    bool placed_ = false;        // the stored placement has been applied
    KeptLength left_, top_, width_, height_, splitterPosition_;
    bool marksRead_ = false; // the data files and the kept marks have been read
    bool done_ = false;      // the shut-down has run to its end
};

} // namespace ov::gui
