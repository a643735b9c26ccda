// Knows whether another copy of the program is running for this user: the first copy holds a
// lock file in the user's runtime folder and listens on a local socket beside it, so that a
// refused second copy can bring the first one to the front. The lock is the system's own lock
// on that file, which ends with the process that holds it, so a crashed copy leaves none
// behind, and nothing is forced to disk for it. The socket is a plain Unix one:
// Qt's network library, with the Kerberos and proxy libraries it brings along, would cost
// every start-up more time and memory than all the rest of this file.
#pragma once
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace ov::gui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR, or a private folder of the user when it is not set.
    static QString runtimeFolder();
    static QString lockFilePath();
    static QString serverName();

    // Takes the lock when no other copy holds it; true when this copy is the first one.
    bool claim();
    // From a refused copy: asks the first copy to show its window.
    static bool activateFirst();

signals:
    void activationRequested();

private:
    void acceptAll();

    int lock_ = -1;
    int listener_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool first_ = false;
};

} // namespace ov::gui
