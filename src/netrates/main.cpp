// velmora-netrates: once a second, the bytes each of this user's processes
// received and sent over TCP in that second, as lines for Velmora's network
// reader. Needs no privileges.

#include "netrates/socketdiagnostics.h"
#include "netrates/socketowners.h"
#include "netrates/socketratetable.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <ctime>
#include <string_view>
#include <unistd.h>

using namespace Velmora::NetRates;

namespace {

// False once nobody reads our output any more (the terminal or pipe is gone).
bool writeAll(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.remove_prefix(std::size_t(n));
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // A reader that goes away closes the terminal (SIGHUP, or EIO on write)
    // or the pipe (SIGPIPE): each of them ends us, whatever we inherited.
    for (int signal : { SIGHUP, SIGPIPE, SIGTERM, SIGINT })
        std::signal(signal, SIG_DFL);
    // The reader is our parent: when it is gone (crashed, killed) we are
    // adopted by someone else, and there is nobody left to report to. It
    // names itself, because it may be gone before we could ask who it was.
    pid_t parent = ::getppid();
    if (argc == 2) {
        const std::string_view given = argv[1];
        const auto [end, ec] = std::from_chars(given.data(), given.data() + given.size(), parent);
        if (ec != std::errc() || end != given.data() + given.size())
            return 2;
    }

    SocketDiagnostics diagnostics;
    if (!diagnostics.isOpen())
        return 1;
    SocketRateTable table;
    SocketOwners owners(SocketOwners::procScanner());
    std::vector<SocketCounters> sockets;

    timespec next {};
    ::clock_gettime(CLOCK_MONOTONIC, &next);
    for (;;) {
        if (::getppid() != parent)
            return 0;
        std::map<std::int32_t, Traffic> traffic;
        if (diagnostics.read(sockets)) {
            owners.update(sockets, table.reusedInodes(sockets));
            traffic = table.update(sockets, owners.owners());
        }
        // A second whose table could not be read is reported empty rather
        // than skipped, so the reader's seconds stay one second long.
        if (!writeAll(formatReport(traffic, owners.names())))
            return 0;
        next.tv_sec += 1;
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) { }
    }
}
