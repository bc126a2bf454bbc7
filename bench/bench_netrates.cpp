#include "netrates/socketdiagnostics.h"
#include "netrates/socketowners.h"
#include "netrates/socketratetable.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace Velmora::NetRates;

namespace {

// `processes` children holding `sockets` loopback TCP sockets between them:
// each child connects to a listener of its own and accepts, so both ends of
// its connections are its own.
class LoopbackProcesses
{
public:
    LoopbackProcesses(int processes, int sockets)
    {
        for (int i = 0; i < processes; ++i) {
            // Spread the sockets evenly; every socket is one end of a
            // connection, so a child holds an even number.
            const int connections = (sockets * (i + 1) / processes - sockets * i / processes + 1) / 2;
            const pid_t pid = ::fork();
            if (pid == 0)
                child(connections);
            m_children.push_back(pid);
        }
        ::usleep(500'000); // let every child connect
    }

    ~LoopbackProcesses()
    {
        for (pid_t pid : m_children)
            ::kill(pid, SIGKILL);
        for (pid_t pid : m_children)
            ::waitpid(pid, nullptr, 0);
    }

private:
    [[noreturn]] static void child(int connections)
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(listener, connections);
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        for (int i = 0; i < connections; ++i) {
            const int out = ::socket(AF_INET, SOCK_STREAM, 0);
            ::connect(out, reinterpret_cast<sockaddr *>(&address), sizeof address);
            const int in = ::accept(listener, nullptr, nullptr);
            // Reset rather than close when the child is killed: closed
            // connections would linger in time-wait for a minute, and the
            // kernel's walk over them would slow the next runs.
            const linger reset { 1, 0 };
            ::setsockopt(out, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            ::setsockopt(in, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            char byte = 'x';
            [[maybe_unused]] const ssize_t n = ::write(out, &byte, 1);
            [[maybe_unused]] const ssize_t m = ::read(in, &byte, 1);
        }
        for (;;)
            ::pause();
    }

    std::vector<pid_t> m_children;
};

} // namespace

// One second's report of the tool in its steady state: one socket table
// dump, no descriptor table read, the arithmetic and the text.
static void BM_OneSecondReport(benchmark::State &state)
{
    LoopbackProcesses children(int(state.range(0)), int(state.range(1)));
    SocketDiagnostics diagnostics;
    SocketRateTable table;
    SocketOwners owners(SocketOwners::procScanner());
    std::vector<SocketCounters> reading;
    const auto second = [&] {
        if (!diagnostics.read(reading))
            return std::string();
        owners.update(reading, table.reusedInodes(reading));
        return formatReport(table.update(reading, owners.owners()), owners.names());
    };
    second();
    const int scansBefore = owners.scans();
    for (auto _ : state)
        benchmark::DoNotOptimize(second());
    state.counters["sockets"] = double(reading.size());
    state.counters["owned"] = double(owners.owners().size());
    state.counters["descriptor_scans"] = double(owners.scans() - scansBefore);
}
BENCHMARK(BM_OneSecondReport)->Args({ 200, 1000 })->Unit(benchmark::kMillisecond);

// The kernel's part of a second: the socket table dump alone, asked for both
// address families at once (0) or once per family (1).
static void BM_SocketTableDump(benchmark::State &state)
{
    LoopbackProcesses children(int(state.range(0)), int(state.range(1)));
    SocketDiagnostics diagnostics(
        state.range(2) == 0 ? SocketDiagnostics::Request::BothFamilies : SocketDiagnostics::Request::PerFamily);
    std::vector<SocketCounters> reading;
    for (auto _ : state)
        benchmark::DoNotOptimize(diagnostics.read(reading));
    state.counters["sockets"] = double(reading.size());
}
BENCHMARK(BM_SocketTableDump)->Args({ 200, 1000, 0 })->Args({ 200, 1000, 1 })->Unit(benchmark::kMillisecond);

// What a second costs when new sockets appear: every readable descriptor
// table of the machine is read.
static void BM_DescriptorScan(benchmark::State &state)
{
    LoopbackProcesses children(int(state.range(0)), int(state.range(1)));
    SocketDiagnostics diagnostics;
    std::vector<SocketCounters> reading;
    diagnostics.read(reading);
    std::unordered_set<std::uint64_t> wanted;
    for (const SocketCounters &socket : reading)
        wanted.insert(socket.inode);
    const auto scanner = SocketOwners::procScanner();
    std::size_t owned = 0;
    for (auto _ : state)
        owned = scanner(wanted).owners.size();
    state.counters["owned"] = double(owned);
}
BENCHMARK(BM_DescriptorScan)->Args({ 200, 1000 })->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
