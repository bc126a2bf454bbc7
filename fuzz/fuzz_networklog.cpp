// The network tool's output, fed in random chunks: nothing crashes, every rate
// is a finite number of bytes per second, and no name carries a control
// character.
//
// Input: four bytes that seed the chunking, then the output. A chunk is now
// and then fed many times over, so that short inputs make long lines.
#include "fuzzsupport.h"

#include "taskmanager/sampling/processnetworklog.h"

#include <cmath>
#include <random>

using namespace Velmora;

namespace {

void checkReadings(ProcessNetworkLog &log, double from, double to, double now)
{
    const QHash<qint32, double> rates = log.rates(from, to, now);
    for (auto it = rates.cbegin(); it != rates.cend(); ++it) {
        FUZZ_CHECK(std::isfinite(it.value()) && it.value() >= 0,
            QStringLiteral("pid %1 at %2 bytes/s").arg(it.key()).arg(it.value()));
        if (const std::optional<QString> name = log.name(it.key(), now)) {
            for (QChar c : *name)
                FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7f, *name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    std::minstd_rand random(quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16 | quint32(data[3]) << 24);
    const QByteArrayView output(data + 4, qsizetype(size - 4));
    ProcessNetworkLog log;
    double now = 0;
    for (qsizetype at = 0; at < output.size();) {
        const qsizetype length = std::min<qsizetype>(output.size() - at, 1 + random() % 512);
        const QByteArray chunk = output.sliced(at, length).toByteArray();
        at += length;
        const int times = random() % 16 == 0 ? 1 + int(random() % 256) : 1;
        for (int i = 0; i < times; ++i) {
            now += double(random() % 200) / 100.0;
            log.consume(chunk, now);
        }
        switch (random() % 8) {
        case 0:
            checkReadings(log, now - 2.0, now, now + double(random() % 100) / 100.0);
            break;
        case 1: // a window narrower than a block, and one that is empty
            checkReadings(log, now - 1e-300, now, now);
            checkReadings(log, now, now, now);
            break;
        case 2:
            if (random() % 8 == 0)
                log.beginRun();
            break;
        default:
            break;
        }
    }
    checkReadings(log, now - 10.0, now + 1.0, now + 1.0);
    return 0;
}
