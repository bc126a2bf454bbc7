#include "platform/linux/ptyprocess.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Velmora::Linux {

PtyProcess::PtyProcess(pid_t pid, int masterFd, PseudoTerminalLauncher::Handlers handlers, int terminateGraceMs)
    : m_pid(pid)
    , m_master(masterFd)
    , m_wake(::eventfd(0, EFD_CLOEXEC))
    , m_graceMs(terminateGraceMs)
    , m_handlers(std::move(handlers))
{
    m_reader = std::thread([this] { readLoop(); });
}

PtyProcess::~PtyProcess()
{
    if (m_wake >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
    } else if (!m_reaped) {
        // Without a wake-up descriptor the reading thread returns only when
        // the terminal closes: end the child's group first, or the join
        // below would wait for as long as the child cares to run.
        ::kill(-m_pid, SIGKILL);
    }
    m_reader.join();
    ::close(m_master);
    if (m_wake >= 0)
        ::close(m_wake);

    if (!isRunning())
        return;
    ::kill(m_pid, SIGTERM);
    if (waitForExit(m_graceMs))
        return;
    // The child ignored the request. It leads its own process group (it was
    // spawned into a new session), so this also reaches whatever it started;
    // the id cannot have been reused because we have not reaped it yet.
    ::kill(-m_pid, SIGKILL);
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    m_reaped = true;
}

bool PtyProcess::isRunning()
{
    if (m_reaped)
        return false;
    int status = 0;
    const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
    if (r == 0)
        return true;
    if (r < 0 && errno == EINTR)
        return true;
    m_reaped = true;
    return false;
}

void PtyProcess::terminate()
{
    if (!m_reaped)
        ::kill(m_pid, SIGTERM);
}

bool PtyProcess::waitForExit(int timeoutMs)
{
    const int fd = int(::syscall(SYS_pidfd_open, m_pid, 0));
    if (fd >= 0) {
        pollfd pfd { fd, POLLIN, 0 };
        int r;
        do {
            r = ::poll(&pfd, 1, timeoutMs);
        } while (r < 0 && errno == EINTR);
        ::close(fd);
        return !isRunning();
    }
    // Without pidfds, look again every 10 ms until the grace period is over.
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (!isRunning())
            return true;
        ::usleep(10'000);
    }
    return !isRunning();
}

void PtyProcess::readLoop()
{
    char buffer[65536];
    for (;;) {
        pollfd fds[2] = { { m_master, POLLIN, 0 }, { m_wake, POLLIN, 0 } };
        const int r = ::poll(fds, m_wake >= 0 ? 2 : 1, -1);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (!fds[0].revents)
            continue;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            if (m_handlers.output)
                m_handlers.output(QByteArray(buffer, qsizetype(n)));
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        // 0 or EIO: every holder of the terminal's child side has closed it.
        if (m_handlers.finished)
            m_handlers.finished();
        return;
    }
}

} // namespace Velmora::Linux
