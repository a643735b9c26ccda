#include "settings/singleinstance.h"

#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ov::gui {
namespace {

// The socket's address; false when the path does not fit in one.
bool socketAddress(sockaddr_un& address)
{
    const QByteArray path = QFile::encodeName(SingleInstance::serverName());
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return true;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    if (listener_ >= 0) {
        delete notifier_;
        ::close(listener_);
        // Gone with the copy that listened on it, as the lock is.
        QFile::remove(serverName());
    }
    if (lock_ >= 0)
        ::close(lock_);
}

QString SingleInstance::runtimeFolder()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir::isAbsolutePath(dir))
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir::cleanPath(dir);
}

QString SingleInstance::lockFilePath()
{
    return runtimeFolder() + QLatin1Char('/') + QLatin1String(kApplicationKey) + QStringLiteral(".lock");
}

QString SingleInstance::serverName()
{
    return runtimeFolder() + QLatin1Char('/') + QLatin1String(kApplicationKey) + QStringLiteral(".sock");
}

bool SingleInstance::claim()
{
    if (first_)
        return true;
    QDir().mkpath(runtimeFolder());
    lock_ = ::open(QFile::encodeName(lockFilePath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A folder where no lock can be made does not keep the program from running.
    if (lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock_);
        lock_ = -1;
        return false;
    }
    first_ = true;
    // The lock is ours, so a socket left behind by a crashed copy can go. Without a socket
    // this copy still runs; it only cannot be brought to the front by a later one.
    QFile::remove(serverName());
    sockaddr_un address;
    if (!socketAddress(address))
        return true;
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0)
        return true;
    // Only this user may knock.
    const mode_t oldMask = ::umask(077);
    const bool bound = ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(oldMask);
    if (!bound || ::listen(listener_, 8) != 0) {
        ::close(listener_);
        listener_ = -1;
        return true;
    }
    notifier_ = new QSocketNotifier(qintptr(listener_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptAll);
    return true;
}

// Each knock is a request to come to the front; what the caller writes does not matter.
void SingleInstance::acceptAll()
{
    int peer;
    while ((peer = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
        ::close(peer);
        emit activationRequested();
    }
}

bool SingleInstance::activateFirst()
{
    sockaddr_un address;
    if (!socketAddress(address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A local connection is made or refused at once.
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (connected) {
        static const char kRequest[] = "activate\n";
        [[maybe_unused]] const ssize_t written = ::send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL);
    }
    ::close(fd);
    return connected;
}

} // namespace ov::gui
