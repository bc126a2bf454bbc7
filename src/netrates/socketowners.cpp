#include "netrates/socketowners.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace Velmora::NetRates {

namespace {

std::optional<std::int32_t> pidOf(std::string_view name)
{
    std::int32_t pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (name.empty() || ec != std::errc() || end != name.data() + name.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

std::optional<std::uint64_t> socketInode(std::string_view link)
{
    constexpr std::string_view prefix = "socket:[";
    if (!link.starts_with(prefix) || !link.ends_with(']'))
        return std::nullopt;
    link.remove_prefix(prefix.size());
    link.remove_suffix(1);
    std::uint64_t inode = 0;
    const auto [end, ec] = std::from_chars(link.data(), link.data() + link.size(), inode);
    if (ec != std::errc() || end != link.data() + link.size())
        return std::nullopt;
    return inode;
}

std::string readComm(int procFd, std::int32_t pid)
{
    const std::string path = std::to_string(pid) + "/comm";
    const int fd = ::openat(procFd, path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[64];
    ssize_t n;
    do {
        n = ::read(fd, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    std::string name(buffer, n > 0 ? std::size_t(n) : 0);
    while (!name.empty() && name.back() == '\n')
        name.pop_back();
    return name;
}

// Every error here means the process went away or is not ours: its sockets
// stay without an owner. Nothing read here can block on a process that is
// exiting (no memory of the process is touched, only its descriptor links).
void scanProcess(int procFd, std::int32_t pid, const std::unordered_set<std::uint64_t> &wanted,
    SocketOwners::Scan &scan)
{
    const std::string path = std::to_string(pid) + "/fd";
    const int fdDir = ::openat(procFd, path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fdDir < 0)
        return;
    DIR *dir = ::fdopendir(fdDir);
    if (!dir) {
        ::close(fdDir);
        return;
    }
    bool holdsWanted = false;
    char link[64];
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const ssize_t n = ::readlinkat(fdDir, entry->d_name, link, sizeof link);
        if (n <= 0 || std::size_t(n) >= sizeof link)
            continue;
        const auto inode = socketInode(std::string_view(link, std::size_t(n)));
        if (!inode || !wanted.contains(*inode))
            continue;
        // A socket shared by a parent and its child stays with the first
        // holder found, the lower pid: usually the one that opened it.
        if (scan.owners.emplace(*inode, pid).second)
            holdsWanted = true;
    }
    ::closedir(dir);
    if (holdsWanted)
        scan.names[pid] = readComm(procFd, pid);
}

} // namespace

SocketOwners::Scanner SocketOwners::procScanner(std::string procRoot)
{
    return [root = std::move(procRoot)](const std::unordered_set<std::uint64_t> &wanted) {
        Scan scan;
        const int procFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (procFd < 0)
            return scan;
        DIR *proc = ::fdopendir(procFd);
        if (!proc) {
            ::close(procFd);
            return scan;
        }
        while (const dirent *entry = ::readdir(proc)) {
            if (const auto pid = pidOf(entry->d_name))
                scanProcess(procFd, *pid, wanted, scan);
        }
        ::closedir(proc);
        return scan;
    };
}

SocketOwners::SocketOwners(Scanner scanner)
    : m_scanner(std::move(scanner))
{
}

void SocketOwners::update(const std::vector<SocketCounters> &sockets, const std::vector<std::uint64_t> &reused)
{
    for (std::uint64_t inode : reused) {
        m_owners.erase(inode);
        m_known.erase(inode);
    }
    ++m_reading;
    bool unknown = false;
    std::size_t listed = 0;
    for (const SocketCounters &socket : sockets) {
        const auto known = m_known.find(socket.inode);
        if (known == m_known.end()) {
            unknown = true;
            break;
        }
        if (known->second != m_reading)
            ++listed;
        known->second = m_reading;
    }
    if (unknown) {
        ++m_scans;
        std::unordered_set<std::uint64_t> present;
        present.reserve(sockets.size());
        for (const SocketCounters &socket : sockets)
            present.insert(socket.inode);
        Scan scan = m_scanner(present);
        m_owners = std::move(scan.owners);
        m_names = std::move(scan.names);
        m_known.clear();
        m_known.reserve(present.size());
        for (std::uint64_t inode : present)
            m_known.emplace(inode, m_reading);
        return;
    }
    if (listed == m_known.size())
        return;
    // Closed sockets are let go, so a reused inode is looked up again.
    for (auto known = m_known.begin(); known != m_known.end();) {
        if (known->second == m_reading) {
            ++known;
            continue;
        }
        m_owners.erase(known->first);
        known = m_known.erase(known);
    }
}

} // namespace Velmora::NetRates
