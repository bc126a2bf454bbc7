#include "app/quitsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace Velmora {

namespace {

// The write end for the handler; -1 while no instance is installed.
volatile sig_atomic_t writeEnd = -1;

void onSignal(int signal)
{
    const int savedErrno = errno;
    const int fd = writeEnd;
    if (fd >= 0) {
        const unsigned char number = static_cast<unsigned char>(signal);
        // Nothing to do when the socket is full: a quit is already waiting.
        [[maybe_unused]] const ssize_t written = ::write(fd, &number, 1);
    }
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent)
    : QObject(parent)
{
    if (writeEnd >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_sockets) != 0)
        return;
    writeEnd = m_sockets[0];
    m_notifier = new QSocketNotifier(m_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readSignals);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // System calls interrupted by the signal go on; the quit comes from the loop.
    action.sa_flags = SA_RESTART;
    m_installed = true;
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        if (::sigaction(handledSignals[i], nullptr, &m_previous[i]) != 0) {
            m_installed = false;
            continue;
        }
        // A signal ignored from the start stays ignored: whoever started us
        // asked for that (nohup, or a script that stops us its own way).
        if (m_previous[i].sa_handler == SIG_IGN)
            continue;
        if (::sigaction(handledSignals[i], &action, nullptr) != 0)
            m_installed = false;
    }
}

QuitSignals::~QuitSignals()
{
    if (m_sockets[0] < 0)
        return;
    if (!m_requested) {
        for (std::size_t i = 0; i < handledSignals.size(); ++i)
            ::sigaction(handledSignals[i], &m_previous[i], nullptr);
    }
    writeEnd = -1;
    delete m_notifier;
    ::close(m_sockets[0]);
    ::close(m_sockets[1]);
}

void QuitSignals::readSignals()
{
    unsigned char numbers[16];
    ssize_t count = 0;
    int last = 0;
    while ((count = ::read(m_sockets[1], numbers, sizeof numbers)) > 0)
        last = numbers[count - 1];
    if (last == 0 || m_requested)
        return;
    m_requested = true;
    restoreDefaults();
    emit quitRequested(last);
}

void QuitSignals::restoreDefaults()
{
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        if (m_previous[i].sa_handler != SIG_IGN)
            std::signal(handledSignals[i], SIG_DFL);
    }
}

} // namespace Velmora
