#pragma once

#include "netrates/socketratetable.h"

#include <optional>
#include <vector>

namespace Velmora::NetRates {

// The kernel's table of TCP sockets (IPv4 and IPv6) with their byte
// counters, read over a socket-diagnostics netlink socket. Needs no
// privileges: every user may list every TCP socket and its counters.
class SocketDiagnostics
{
public:
    SocketDiagnostics();
    ~SocketDiagnostics();
    SocketDiagnostics(const SocketDiagnostics &) = delete;
    SocketDiagnostics &operator=(const SocketDiagnostics &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Nothing when the kernel could not be asked or its answer was cut off.
    std::optional<std::vector<SocketCounters>> read();

private:
    bool dump(int family, std::vector<SocketCounters> &sockets);

    int m_fd = -1;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
};

} // namespace Velmora::NetRates
