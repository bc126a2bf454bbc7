#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace Velmora::NetRates {

// One TCP socket as the kernel reports it: its inode and the bytes it has
// received and had acknowledged by the peer since it was opened.
struct SocketCounters
{
    std::uint64_t inode = 0;
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
};

struct Traffic
{
    std::uint64_t received = 0;
    std::uint64_t sent = 0;

    bool operator==(const Traffic &) const = default;
};

// Turns successive readings of the machine's socket table into the bytes each
// process moved between two readings. Pure: the caller reads the kernel and
// the descriptor tables and hands the results in.
class SocketRateTable
{
public:
    // Bytes per process since the previous reading. The first reading only
    // sets the starting point, so traffic from before the tool started is not
    // reported as one enormous second.
    //
    // `owners` maps socket inodes to the process holding them; sockets
    // without an owner (other users' processes) are followed but not listed.
    std::map<std::int32_t, Traffic> update(const std::vector<SocketCounters> &sockets,
        const std::unordered_map<std::uint64_t, std::int32_t> &owners);

    // Inodes of `sockets` whose counters are lower than in the previous
    // reading: the inode was freed and now names another socket, perhaps of
    // another process.
    std::vector<std::uint64_t> reusedInodes(const std::vector<SocketCounters> &sockets) const;

private:
    struct Seen
    {
        Traffic counters;
        // The reading that last listed the socket.
        std::uint32_t reading = 0;
    };
    // Kept from one reading to the next and updated in place: a second in
    // which no socket opens allocates nothing, however many sockets there are.
    std::unordered_map<std::uint64_t, Seen> m_last;
    std::uint32_t m_reading = 0;
    bool m_primed = false;
};

// The report for one second: a header line starting with ",", then one line
// per process "name.pid,bytes in,bytes out," for processes that moved data.
// `names` gives each pid's name; a pid without one is reported with an empty
// name.
std::string formatReport(const std::map<std::int32_t, Traffic> &traffic,
    const std::unordered_map<std::int32_t, std::string> &names);

} // namespace Velmora::NetRates
