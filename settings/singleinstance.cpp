#include "settings/singleinstance.h"

#include "settings/settingsstore.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace ov::gui {

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

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
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // A lock is stale only when its process is gone, never because it is old.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    first_ = true;
    // The lock is ours, so a socket left behind by a crashed copy can go.
    QLocalServer::removeServer(serverName());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (server_->listen(serverName())) {
        connect(server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = server_->nextPendingConnection()) {
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                s->disconnectFromServer();
                emit activationRequested();
            }
        });
    }
    return true;
}

bool SingleInstance::activateFirst()
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(500))
        return false;
    socket.write("activate\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

} // namespace ov::gui
