#include "netrates/socketdiagnostics.h"

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
// are left out of the dump; leaving out listening sockets also spares the
// kernel the walk of its listening table.
constexpr unsigned tcpListen = 10;
constexpr unsigned tcpTimeWait = 6;
constexpr unsigned tcpNewSynRecv = 12;
constexpr unsigned wantedStates = 0xfffu & ~((1u << tcpListen) | (1u << tcpTimeWait) | (1u << tcpNewSynRecv));
// Only tcp_info carries the byte counters; no other extension is asked for.
constexpr std::uint8_t wantedExtensions = 1u << (INET_DIAG_INFO - 1);

// Older kernels send a shorter tcp_info: the counters are read only when the
// attribute reaches them.
constexpr std::size_t sentOffset = offsetof(tcp_info, tcpi_bytes_acked);
constexpr std::size_t receivedOffset = offsetof(tcp_info, tcpi_bytes_received);
constexpr std::size_t countersEnd = receivedOffset + sizeof(tcp_info::tcpi_bytes_received);

std::uint64_t counterAt(const void *info, std::size_t offset)
{
    std::uint64_t value;
    std::memcpy(&value, static_cast<const char *>(info) + offset, sizeof value);
    return value;
}

// What a kernel answers to a request type it does not know.
bool isRefusal(int error)
{
    return error == -EINVAL || error == -EOPNOTSUPP || error == -ENOENT;
}

} // namespace

SocketDiagnostics::SocketDiagnostics(Request request)
    : m_fd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG))
    , m_request(request)
    // The kernel fills at most 32 KiB per answer, whatever the buffer.
    , m_buffer(64 * 1024)
{
}

SocketDiagnostics::~SocketDiagnostics()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SocketDiagnostics::read(std::vector<SocketCounters> &sockets)
{
    sockets.clear();
    if (m_fd < 0)
        return false;
    if (m_request == Request::BothFamilies) {
        switch (dump(AF_UNSPEC, sockets)) {
        case Answer::Complete:
            return true;
        case Answer::Failed:
            return false;
        case Answer::Refused:
            m_request = Request::PerFamily;
            sockets.clear();
            break;
        }
    }
    return dump(AF_INET, sockets) == Answer::Complete && dump(AF_INET6, sockets) == Answer::Complete;
}

bool SocketDiagnostics::send(int family)
{
    // Both families at once exist only in the older request form, which the
    // kernel still serves with the same answer.
    struct
    {
        nlmsghdr header;
        union {
            inet_diag_req both;
            inet_diag_req_v2 one;
        };
    } message {};
    message.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    message.header.nlmsg_seq = ++m_sequence;
    if (family == AF_UNSPEC) {
        message.header.nlmsg_len = NLMSG_LENGTH(sizeof message.both);
        message.header.nlmsg_type = TCPDIAG_GETSOCK;
        message.both.idiag_family = AF_UNSPEC;
        message.both.idiag_states = wantedStates;
        message.both.idiag_ext = wantedExtensions;
    } else {
        message.header.nlmsg_len = NLMSG_LENGTH(sizeof message.one);
        message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
        message.one.sdiag_family = std::uint8_t(family);
        message.one.sdiag_protocol = IPPROTO_TCP;
        message.one.idiag_states = wantedStates;
        message.one.idiag_ext = wantedExtensions;
    }

    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do {
        sent = ::sendto(
            m_fd, &message, message.header.nlmsg_len, 0, reinterpret_cast<sockaddr *>(&kernel), sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    return sent == ssize_t(message.header.nlmsg_len);
}

SocketDiagnostics::Answer SocketDiagnostics::dump(int family, std::vector<SocketCounters> &sockets)
{
    if (!send(family))
        return Answer::Failed;
    // Each answer carries the type of its request.
    const std::uint16_t answerType = family == AF_UNSPEC ? TCPDIAG_GETSOCK : SOCK_DIAG_BY_FAMILY;
    for (;;) {
        const ssize_t n = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Answer::Failed;
        }
        if (n == 0)
            return Answer::Failed;
        int remaining = int(n);
        for (auto *h = reinterpret_cast<nlmsghdr *>(m_buffer.data()); NLMSG_OK(h, remaining);
             h = NLMSG_NEXT(h, remaining)) {
            if (h->nlmsg_seq != m_sequence)
                continue; // the tail of an earlier, abandoned dump
            if (h->nlmsg_type == NLMSG_DONE)
                return Answer::Complete;
            if (h->nlmsg_type == NLMSG_ERROR) {
                const bool refused = h->nlmsg_len >= NLMSG_LENGTH(sizeof(nlmsgerr))
                    && isRefusal(static_cast<const nlmsgerr *>(NLMSG_DATA(h))->error);
                return refused && sockets.empty() ? Answer::Refused : Answer::Failed;
            }
            if (h->nlmsg_type != answerType || h->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
                continue;
            const auto *diag = static_cast<const inet_diag_msg *>(NLMSG_DATA(h));
            if (diag->idiag_inode == 0)
                continue;
            SocketCounters &socket = sockets.emplace_back();
            socket.inode = diag->idiag_inode;
            int attributesLength = int(h->nlmsg_len - NLMSG_LENGTH(sizeof *diag));
            for (auto *a = reinterpret_cast<const rtattr *>(diag + 1); RTA_OK(a, attributesLength);
                 a = RTA_NEXT(a, attributesLength)) {
                if (a->rta_type != INET_DIAG_INFO || RTA_PAYLOAD(a) < countersEnd)
                    continue;
                socket.received = counterAt(RTA_DATA(a), receivedOffset);
                socket.sent = counterAt(RTA_DATA(a), sentOffset);
            }
        }
    }
}

} // namespace Velmora::NetRates
