#include "platform/linux/programname.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace Velmora::Linux {

namespace {

// TASK_COMM_LEN less its terminating zero.
constexpr size_t kernelNameLength = 15;
constexpr size_t pathLength = 4096;

std::string_view fileName(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view wholeName(std::string_view candidate, std::string_view kernelName)
{
    const std::string_view name = fileName(candidate);
    return name.size() > kernelName.size() && name.substr(0, kernelName.size()) == kernelName ? name
                                                                                               : std::string_view();
}

std::string pidPath(int pid, const char *leaf)
{
    std::string path = std::to_string(pid);
    path += '/';
    path += leaf;
    return path;
}

std::string_view executableName(int procDirectory, int pid, char (&buffer)[pathLength])
{
    const ssize_t n = ::readlinkat(procDirectory, pidPath(pid, "exe").c_str(), buffer, sizeof buffer);
    if (n < 1 || size_t(n) >= sizeof buffer)
        return {};
    std::string_view path(buffer, size_t(n));
    // An executable replaced while it runs (an upgrade) is still its program.
    constexpr std::string_view deleted = " (deleted)";
    if (path.size() > deleted.size() && path.substr(path.size() - deleted.size()) == deleted)
        path.remove_suffix(deleted.size());
    return path;
}

std::string_view firstArgument(int procDirectory, int pid, char (&buffer)[pathLength])
{
    const int fd = ::openat(procDirectory, pidPath(pid, "cmdline").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    ssize_t n;
    do
        n = ::read(fd, buffer, sizeof buffer);
    while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n < 1)
        return {};
    const std::string_view text(buffer, size_t(n));
    return text.substr(0, text.find('\0'));
}

QString decode(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

} // namespace

QString programName(int procDirectory, int pid, std::string_view kernelName)
{
    if (kernelName.size() != kernelNameLength || procDirectory < 0)
        return decode(kernelName);
    char buffer[pathLength];
    std::string_view name = wholeName(executableName(procDirectory, pid, buffer), kernelName);
    if (name.empty())
        name = wholeName(firstArgument(procDirectory, pid, buffer), kernelName);
    return decode(name.empty() ? kernelName : name);
}

} // namespace Velmora::Linux
