#include "netrates/socketdiagnostics.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <linux/sock_diag.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Velmora::NetRates {

namespace {

// TCP states as the kernel numbers them. Sockets that never carried data
// (listening) or no longer belong to anyone (time-wait, whose inode is 0)
// are left out of the dump.
constexpr unsigned tcpListen = 10;
constexpr unsigned tcpTimeWait = 6;
constexpr unsigned tcpNewSynRecv = 12;
constexpr unsigned wantedStates = 0xfffu & ~((1u << tcpListen) | (1u << tcpTimeWait) | (1u << tcpNewSynRecv));

// Older kernels send a shorter tcp_info: the counters are read only when the
// attribute reaches them.
constexpr std::size_t countersEnd = offsetof(tcp_info, tcpi_bytes_received) + sizeof(tcp_info::tcpi_bytes_received);

} // namespace

SocketDiagnostics::SocketDiagnostics()
    : m_fd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG))
    , m_buffer(64 * 1024)
{
}

SocketDiagnostics::~SocketDiagnostics()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::vector<SocketCounters>> SocketDiagnostics::read()
{
    if (m_fd < 0)
        return std::nullopt;
    std::vector<SocketCounters> sockets;
    if (!dump(AF_INET, sockets) || !dump(AF_INET6, sockets))
        return std::nullopt;
    return sockets;
}

bool SocketDiagnostics::dump(int family, std::vector<SocketCounters> &sockets)
{
    struct
    {
        nlmsghdr header;
        inet_diag_req_v2 request;
    } message {};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    message.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    message.header.nlmsg_seq = ++m_sequence;
    message.request.sdiag_family = std::uint8_t(family);
    message.request.sdiag_protocol = IPPROTO_TCP;
    message.request.idiag_states = wantedStates;
    message.request.idiag_ext = 1u << (INET_DIAG_INFO - 1);

    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, &message, sizeof message, 0, reinterpret_cast<sockaddr *>(&kernel), sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    if (sent != ssize_t(sizeof message))
        return false;

    for (;;) {
        const ssize_t n = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        int remaining = int(n);
        for (auto *h = reinterpret_cast<nlmsghdr *>(m_buffer.data()); NLMSG_OK(h, remaining);
             h = NLMSG_NEXT(h, remaining)) {
            if (h->nlmsg_seq != m_sequence)
                continue; // the tail of an earlier, abandoned dump
            if (h->nlmsg_type == NLMSG_DONE)
                return true;
            if (h->nlmsg_type == NLMSG_ERROR)
                return false;
            if (h->nlmsg_type != SOCK_DIAG_BY_FAMILY || h->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
                continue;
            const auto *diag = static_cast<const inet_diag_msg *>(NLMSG_DATA(h));
            SocketCounters socket;
            socket.inode = diag->idiag_inode;
            int attributesLength = int(h->nlmsg_len - NLMSG_LENGTH(sizeof *diag));
            for (auto *a = reinterpret_cast<const rtattr *>(diag + 1); RTA_OK(a, attributesLength);
                 a = RTA_NEXT(a, attributesLength)) {
                if (a->rta_type != INET_DIAG_INFO || RTA_PAYLOAD(a) < countersEnd)
                    continue;
                tcp_info info;
                std::memset(&info, 0, sizeof info);
                std::memcpy(&info, RTA_DATA(a), std::min<std::size_t>(RTA_PAYLOAD(a), sizeof info));
                socket.received = info.tcpi_bytes_received;
                socket.sent = info.tcpi_bytes_acked;
            }
            if (socket.inode != 0)
                sockets.push_back(socket);
        }
    }
}

} // namespace Velmora::NetRates
