#include "netrates/socketowners.h"
#include "netrates/socketratetable.h"

#include <QTest>

#include <atomic>
#include <cstdlib>
#include <new>

using namespace Velmora::NetRates;

using Reading = std::vector<SocketCounters>;
using Readings = std::vector<Reading>;
using Owners = std::unordered_map<std::uint64_t, std::int32_t>;

Q_DECLARE_METATYPE(Readings)

// Every allocation of this test program, counted.
namespace {
std::atomic<long> allocations = 0;
}

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void *memory) noexcept
{
    std::free(memory);
}
void operator delete[](void *memory) noexcept
{
    std::free(memory);
}
void operator delete(void *memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void *memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

const Owners owners { { 100, 10 }, { 101, 10 }, { 200, 20 } };
const std::unordered_map<std::int32_t, std::string> names { { 10, "curl" }, { 20, "Web Content" } };

// The report after feeding every reading in turn.
QString lastReport(const Readings &readings)
{
    SocketRateTable table;
    std::map<std::int32_t, Traffic> traffic;
    for (const Reading &reading : readings)
        traffic = table.update(reading, owners);
    return QString::fromStdString(formatReport(traffic, names));
}

} // namespace

class TestNetRates : public QObject
{
    Q_OBJECT

private slots:
    void reportsBytesPerProcess_data()
    {
        QTest::addColumn<Readings>("readings");
        QTest::addColumn<QString>("report");

        const QString header = ",bytes_in,bytes_out,\n";
        QTest::newRow("first reading is only the starting point")
            << Readings { { { 100, 5000, 7000 } } } << header;
        QTest::newRow("sockets of one process add up; idle processes are left out")
            << Readings { { { 100, 10, 20 }, { 101, 0, 0 }, { 200, 50, 50 } },
                   { { 100, 110, 220 }, { 101, 1, 2 }, { 200, 50, 50 } } }
            << header + "curl.10,101,202,\n";
        QTest::newRow("socket opened since the last reading counts whole")
            << Readings { { { 100, 10, 10 } }, { { 100, 10, 10 }, { 200, 300, 40 } } }
            << header + "Web Content.20,300,40,\n";
        QTest::newRow("closed socket adds nothing more and takes nothing back")
            << Readings { { { 100, 10, 10 }, { 101, 900, 900 } }, { { 100, 15, 10 } } }
            << header + "curl.10,5,0,\n";
        QTest::newRow("counter going backwards is a reused inode counted from zero")
            << Readings { { { 200, 5000, 5000 } }, { { 200, 30, 7000 } } }
            << header + "Web Content.20,30,7000,\n";
        QTest::newRow("socket without a readable owner is not listed")
            << Readings { { { 999, 0, 0 } }, { { 999, 800, 800 } } } << header;
        QTest::newRow("socket listed twice in one reading counts once")
            << Readings { { { 100, 0, 0 } }, { { 100, 40, 0 }, { 100, 40, 0 } } }
            << header + "curl.10,40,0,\n";
    }

    void reportsBytesPerProcess()
    {
        QFETCH(Readings, readings);
        QFETCH(QString, report);
        QCOMPARE(lastReport(readings), report);
    }

    void namesCannotForgeLines()
    {
        const std::map<std::int32_t, Traffic> traffic { { 7, { 1, 2 } }, { 8, { 3, 4 } }, { 9, { 5, 6 } } };
        const std::unordered_map<std::int32_t, std::string> odd {
            { 7, "evil\n,x.1,999,999" }, { 8, "a,b.c" } }; // 9 has no name
        QCOMPARE(QString::fromStdString(formatReport(traffic, odd)),
            ",bytes_in,bytes_out,\nevil?,x.1,999,999.7,1,2,\na,b.c.8,3,4,\n.9,5,6,\n");
    }

    void descriptorTablesAreReadOnlyForUnknownSockets()
    {
        int scans = 0;
        std::unordered_map<std::uint64_t, std::int32_t> held { { 100, 10 } };
        SocketOwners sockets([&](const std::unordered_set<std::uint64_t> &wanted) {
            ++scans;
            SocketOwners::Scan scan;
            for (const auto &[inode, pid] : held) {
                if (wanted.contains(inode))
                    scan.owners[inode] = pid;
            }
            return scan;
        });

        const Reading steady { { 100, 1, 1 }, { 500, 1, 1 } }; // 500: another user's
        sockets.update(steady);
        QCOMPARE(scans, 1);
        for (int second = 0; second < 5; ++second)
            sockets.update(steady);
        QCOMPARE(scans, 1);
        QCOMPARE(sockets.owners(), (Owners { { 100, 10 } }));

        // A new socket sends us looking once; so does an inode that is reused.
        held[101] = 11;
        sockets.update({ { 100, 1, 1 }, { 101, 1, 1 }, { 500, 1, 1 } });
        QCOMPARE(scans, 2);
        QCOMPARE(sockets.owners(), (Owners { { 100, 10 }, { 101, 11 } }));
        held[100] = 12;
        sockets.update({ { 100, 0, 0 }, { 101, 1, 1 } }, { 100 });
        QCOMPARE(scans, 3);
        QCOMPARE(sockets.owners(), (Owners { { 100, 12 }, { 101, 11 } }));

        // Closing sockets needs no look.
        sockets.update({ { 101, 1, 1 } });
        QCOMPARE(scans, 3);
        QCOMPARE(sockets.owners(), (Owners { { 101, 11 } }));
    }

    // The tool reads the whole socket table every second: a second in which
    // no socket opens or closes must cost no allocation per socket.
    void steadySecondAllocatesNothingPerSocket()
    {
        const auto allocationsOfSteadySecond = [](int socketCount) {
            Reading reading;
            Owners held;
            for (int i = 0; i < socketCount; ++i) {
                reading.push_back({ std::uint64_t(1000 + i), 0, 0 });
                held[std::uint64_t(1000 + i)] = 10 + i % 4;
            }
            SocketOwners owners([&](const std::unordered_set<std::uint64_t> &) {
                return SocketOwners::Scan { held, {} };
            });
            SocketRateTable table;
            const auto second = [&] {
                owners.update(reading, table.reusedInodes(reading));
                return table.update(reading, owners.owners());
            };
            second();
            for (SocketCounters &socket : reading) {
                socket.received += 100;
                socket.sent += 10;
            }
            const long before = allocations;
            const auto traffic = second();
            const long spent = allocations - before;
            // Every socket moved data, so all four holders are reported.
            return traffic.size() == 4 ? spent : -1;
        };
        const long few = allocationsOfSteadySecond(100);
        QVERIFY(few >= 0);
        QCOMPARE(allocationsOfSteadySecond(5000), few);
    }
};

QTEST_GUILESS_MAIN(TestNetRates)
#include "tst_netrates.moc"
