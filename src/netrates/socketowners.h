#pragma once

#include "netrates/socketratetable.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Velmora::NetRates {

// Which process holds each socket, found through the socket inodes in the
// processes' descriptor tables. The tables are read again only when a socket
// appears whose holder is not known yet, so a steady state costs no reads.
class SocketOwners
{
public:
    struct Scan
    {
        std::unordered_map<std::uint64_t, std::int32_t> owners;
        std::unordered_map<std::int32_t, std::string> names;
    };
    // Reads the descriptor tables; `wanted` are the inodes of interest.
    using Scanner = std::function<Scan(const std::unordered_set<std::uint64_t> &wanted)>;

    // `procRoot` is the proc file system's mount point.
    static Scanner procScanner(std::string procRoot = "/proc");

    explicit SocketOwners(Scanner scanner);

    // `reused` are inodes that now name another socket than before: their
    // holder is looked up again.
    void update(const std::vector<SocketCounters> &sockets, const std::vector<std::uint64_t> &reused = {});

    const std::unordered_map<std::uint64_t, std::int32_t> &owners() const { return m_owners; }
    const std::unordered_map<std::int32_t, std::string> &names() const { return m_names; }
    // How often the descriptor tables were read.
    int scans() const { return m_scans; }

private:
    Scanner m_scanner;
    std::unordered_map<std::uint64_t, std::int32_t> m_owners;
    std::unordered_map<std::int32_t, std::string> m_names;
    // Every socket whose holder was looked for, found or not, with the
    // reading that last listed it. Sockets no readable table holds (other
    // users' processes, or sockets being handed over) are not looked for
    // again while they stay. Updated in place, so a steady second allocates
    // nothing.
    std::unordered_map<std::uint64_t, std::uint32_t> m_known;
    std::uint32_t m_reading = 0;
    int m_scans = 0;
};

} // namespace Velmora::NetRates
