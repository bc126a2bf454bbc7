#pragma once

#include "netrates/socketratetable.h"

#include <vector>

namespace Velmora::NetRates {

// The kernel's table of TCP sockets (IPv4 and IPv6) with their byte
// counters, read over a socket-diagnostics netlink socket. Needs no
// privileges: every user may list every TCP socket and its counters.
class SocketDiagnostics
{
public:
    // How the table is asked for. Every dump walks the kernel's whole table
    // of connected sockets, whatever it holds, and that walk is most of what
    // a reading costs: one request for both address families walks it once.
    // Kernels that no longer take that request are asked once per family.
    enum class Request { BothFamilies, PerFamily };

    explicit SocketDiagnostics(Request request = Request::BothFamilies);
    ~SocketDiagnostics();
    SocketDiagnostics(const SocketDiagnostics &) = delete;
    SocketDiagnostics &operator=(const SocketDiagnostics &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Replaces `sockets` with the table, reusing its storage. False when the
    // kernel could not be asked or its answer was cut off.
    bool read(std::vector<SocketCounters> &sockets);

private:
    enum class Answer { Complete, Refused, Failed };
    Answer dump(int family, std::vector<SocketCounters> &sockets);
    bool send(int family);

    int m_fd = -1;
    Request m_request;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
};

} // namespace Velmora::NetRates
