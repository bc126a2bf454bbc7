#include "netrates/socketratetable.h"

namespace Velmora::NetRates {

namespace {

// A counter lower than last time means the inode now names another socket
// (inodes are reused once a socket is gone): both its counters then count
// from zero, even the one that happens to be higher.
bool isReused(const Traffic &now, const Traffic &before)
{
    return now.received < before.received || now.sent < before.sent;
}

} // namespace

std::map<std::int32_t, Traffic> SocketRateTable::update(const std::vector<SocketCounters> &sockets,
    const std::unordered_map<std::uint64_t, std::int32_t> &owners)
{
    std::map<std::int32_t, Traffic> traffic;
    ++m_reading;
    std::size_t listed = 0;
    for (const SocketCounters &socket : sockets) {
        if (socket.inode == 0)
            continue;
        const Traffic now { socket.received, socket.sent };
        const auto [slot, opened] = m_last.try_emplace(socket.inode);
        Seen &seen = slot->second;
        if (!opened && seen.reading == m_reading)
            continue; // the same socket listed twice in one reading counts once
        ++listed;
        // A socket opened since the last reading moved all its bytes in
        // this second.
        const Traffic last = opened || isReused(now, seen.counters) ? Traffic {} : seen.counters;
        seen = { now, m_reading };
        if (!m_primed)
            continue;
        const Traffic moved { now.received - last.received, now.sent - last.sent };
        if (moved.received == 0 && moved.sent == 0)
            continue;
        const auto owner = owners.find(socket.inode);
        if (owner == owners.end())
            continue;
        Traffic &sum = traffic[owner->second];
        sum.received += moved.received;
        sum.sent += moved.sent;
    }
    // A socket that closed since the last reading is simply forgotten: what
    // it moved up to that reading has been reported, and its last second
    // cannot be read any more.
    if (listed != m_last.size())
        std::erase_if(m_last, [this](const auto &entry) { return entry.second.reading != m_reading; });
    m_primed = true;
    return traffic;
}

std::vector<std::uint64_t> SocketRateTable::reusedInodes(const std::vector<SocketCounters> &sockets) const
{
    std::vector<std::uint64_t> reused;
    for (const SocketCounters &socket : sockets) {
        const auto before = m_last.find(socket.inode);
        if (before != m_last.end() && isReused({ socket.received, socket.sent }, before->second.counters))
            reused.push_back(socket.inode);
    }
    return reused;
}

std::string formatReport(const std::map<std::int32_t, Traffic> &traffic,
    const std::unordered_map<std::int32_t, std::string> &names)
{
    std::string out = ",bytes_in,bytes_out,\n";
    for (const auto &[pid, bytes] : traffic) {
        if (const auto name = names.find(pid); name != names.end()) {
            // A line break in a name would forge rows of its own.
            for (char c : name->second)
                out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
        }
        out += '.';
        out += std::to_string(pid);
        out += ',';
        out += std::to_string(bytes.received);
        out += ',';
        out += std::to_string(bytes.sent);
        out += ",\n";
    }
    return out;
}

} // namespace Velmora::NetRates
