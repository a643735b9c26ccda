#include "app/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ov::gui {
namespace {

// The handler may only do what is safe in a signal handler: it writes one byte, which the
// event loop then reads.
int wakeFds[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);
}

} // namespace

TerminationSignals& TerminationSignals::instance()
{
    // Parented to the application, so that it goes before the application does.
    static TerminationSignals* listener = new TerminationSignals;
    return *listener;
}

TerminationSignals::TerminationSignals() : QObject(QCoreApplication::instance())
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeFds) != 0)
        return; // the signals keep their default: the program ends, as any program would
    auto* notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::readRequest);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

void TerminationSignals::readRequest()
{
    char bytes[16];
    // Several signals before the loop came round are one request.
    while (::read(wakeFds[1], bytes, sizeof bytes) > 0) {}
    emit requested();
}

} // namespace ov::gui
