#include "netrates/socketdiagnostics.h"

#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

using namespace Velmora::NetRates;
using Request = SocketDiagnostics::Request;

Q_DECLARE_METATYPE(Request)

namespace {

std::uint64_t inodeOf(int fd)
{
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? std::uint64_t(status.st_ino) : 0;
}

// A listener and one connection to it over the loopback of `family`, all in
// this process.
struct LoopbackConnection
{
    explicit LoopbackConnection(int family)
    {
        sockaddr_storage address {};
        socklen_t length = 0;
        if (family == AF_INET) {
            auto &in = reinterpret_cast<sockaddr_in &>(address);
            in.sin_family = AF_INET;
            in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            length = sizeof in;
        } else {
            auto &in6 = reinterpret_cast<sockaddr_in6 &>(address);
            in6.sin6_family = AF_INET6;
            in6.sin6_addr = in6addr_loopback;
            length = sizeof in6;
        }
        auto *any = reinterpret_cast<sockaddr *>(&address);
        listener = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (listener < 0 || ::bind(listener, any, length) != 0 || ::listen(listener, 1) != 0
            || ::getsockname(listener, any, &length) != 0)
            return;
        client = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (client < 0 || ::connect(client, any, length) != 0)
            return;
        server = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    }
    ~LoopbackConnection()
    {
        for (int fd : { listener, client, server }) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    bool isConnected() const { return server >= 0; }

    // Sends `bytes` from the client and reads them all at the server.
    bool carry(std::size_t bytes)
    {
        std::vector<char> data(bytes, 'x');
        if (::write(client, data.data(), bytes) != ssize_t(bytes))
            return false;
        for (std::size_t got = 0; got < bytes;) {
            const ssize_t n = ::read(server, data.data(), bytes - got);
            if (n <= 0)
                return false;
            got += std::size_t(n);
        }
        return true;
    }

    int listener = -1;
    int client = -1;
    int server = -1;
};

const SocketCounters *find(const std::vector<SocketCounters> &sockets, std::uint64_t inode)
{
    const auto found = std::find_if(
        sockets.begin(), sockets.end(), [inode](const SocketCounters &socket) { return socket.inode == inode; });
    return found == sockets.end() ? nullptr : &*found;
}

} // namespace

class TestSocketDiagnostics : public QObject
{
    Q_OBJECT

private slots:
    void readsConnectionsOfBothFamilies_data()
    {
        QTest::addColumn<Request>("request");
        QTest::newRow("both families in one request") << Request::BothFamilies;
        QTest::newRow("one request per family") << Request::PerFamily;
    }

    // Both ends of an IPv4 and an IPv6 connection with their byte counts;
    // listening sockets, which carry no data, are not asked for.
    void readsConnectionsOfBothFamilies()
    {
        QFETCH(Request, request);
        constexpr std::size_t bytes = 3000;
        LoopbackConnection v4(AF_INET);
        LoopbackConnection v6(AF_INET6);
        QVERIFY(v4.isConnected());
        if (!v6.isConnected())
            QSKIP("no IPv6 loopback on this machine");

        SocketDiagnostics diagnostics(request);
        QVERIFY(diagnostics.isOpen());
        std::vector<SocketCounters> sockets;
        using Counts = std::pair<std::uint64_t, std::uint64_t>; // received, sent
        const auto counts = [&](int fd) {
            const SocketCounters *socket = find(sockets, inodeOf(fd));
            return socket ? Counts(socket->received, socket->sent) : Counts(~0ull, ~0ull);
        };
        // The connecting side's count of acknowledged bytes starts with its
        // handshake: what is compared is how the counts grow.
        QVERIFY(diagnostics.read(sockets));
        const Counts v4Client = counts(v4.client);
        const Counts v4Server = counts(v4.server);
        const Counts v6Client = counts(v6.client);
        const Counts v6Server = counts(v6.server);
        QCOMPARE(v4Server, Counts(0, 0));

        QVERIFY(v4.carry(bytes));
        QVERIFY(v6.carry(2 * bytes));
        // The sender's count grows with the peer's acknowledgements.
        QTRY_VERIFY_WITH_TIMEOUT(diagnostics.read(sockets)
                && counts(v4.client) == Counts(v4Client.first, v4Client.second + bytes)
                && counts(v4.server) == Counts(v4Server.first + bytes, v4Server.second)
                && counts(v6.client) == Counts(v6Client.first, v6Client.second + 2 * bytes)
                && counts(v6.server) == Counts(v6Server.first + 2 * bytes, v6Server.second),
            2000);
        QVERIFY(!find(sockets, inodeOf(v4.listener)));
        QVERIFY(!find(sockets, inodeOf(v6.listener)));
        QVERIFY(!find(sockets, 0));

        // The storage handed in is reused: a second reading replaces the first.
        QVERIFY(diagnostics.read(sockets));
        QCOMPARE(std::count_if(sockets.begin(), sockets.end(),
                     [&](const SocketCounters &socket) { return socket.inode == inodeOf(v4.server); }),
            1);
    }
};

QTEST_GUILESS_MAIN(TestSocketDiagnostics)
#include "tst_socketdiagnostics.moc"
