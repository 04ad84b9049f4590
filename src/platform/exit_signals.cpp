#include "platform/exit_signals.h"

#include <QSocketNotifier>

#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace talviro6 {

#ifdef Q_OS_UNIX
namespace {

constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};
int s_pipe[2] = {-1, -1}; ///< read end, write end

void onSignal(int signalNumber)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe means an ending is already on its way; the byte is not needed.
    [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

bool makePipe()
{
    if (::pipe(s_pipe) != 0)
        return false;
    for (const int fd : s_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

} // namespace
#endif

ExitSignals::ExitSignals(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (!makePipe())
        return; // the default actions stay: the window ends without saving, as before
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::readPipe);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : Handled)
        ::sigaction(s, &action, nullptr);
#endif
}

ExitSignals::~ExitSignals()
{
#ifdef Q_OS_UNIX
    if (!m_notifier)
        return;
    for (const int s : Handled)
        std::signal(s, SIG_DFL);
    delete m_notifier;
    for (int &fd : s_pipe)
        ::close(std::exchange(fd, -1));
#endif
}

void ExitSignals::readPipe()
{
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    while (::read(s_pipe[0], &byte, 1) == 1)
        emit received(byte);
#endif
}

} // namespace talviro6
