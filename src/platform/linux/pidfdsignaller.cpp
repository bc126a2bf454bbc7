#include "platform/linux/pidfdsignaller.h"

#include "platform/systemstatistics.h"

#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace Velmora::Linux {

PidfdSignaller::PidfdSignaller(SystemStatistics &statistics)
    : m_statistics(statistics)
{
}

bool PidfdSignaller::isSameRun(qint32 pid, quint64 started, quint32 uid)
{
    const auto identity = m_statistics.identity(pid);
    return identity && !identity->hasExited && identity->started == started && identity->uid == uid;
}

PidfdSignaller::Result PidfdSignaller::send(qint32 pid, quint64 started, quint32 uid, int signal)
{
    if (pid < 1)
        return { Outcome::NoSuchProcess, ESRCH };
    const int fd = int(::syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (fd < 0) {
        const int error = errno;
        if (error == ESRCH)
            return { Outcome::NoSuchProcess, error };
        if (error != ENOSYS)
            return { Outcome::Failed, error };
        // Kernels before 5.3: the best we can do is check right before kill().
        if (!isSameRun(pid, started, uid))
            return { Outcome::NoSuchProcess, ESRCH };
        if (::kill(pid_t(pid), signal) == 0)
            return { Outcome::Delivered, 0 };
        return { errno == ESRCH ? Outcome::NoSuchProcess : Outcome::Failed, errno };
    }
    Result result { Outcome::Delivered, 0 };
    if (!isSameRun(pid, started, uid)) {
        result = { Outcome::NoSuchProcess, ESRCH };
    } else if (::syscall(SYS_pidfd_send_signal, fd, signal, nullptr, 0) != 0) {
        const int error = errno;
        result = { error == ESRCH ? Outcome::NoSuchProcess : Outcome::Failed, error };
    }
    ::close(fd);
    return result;
}

qint32 PidfdSignaller::currentProcessId() const
{
    return qint32(::getpid());
}

quint32 PidfdSignaller::currentUserId() const
{
    return quint32(::geteuid());
}

} // namespace Velmora::Linux
