// Scenarios of the simulated desktop: nothing crashes, a scenario that loads
// keeps every window and process it lists, and what is saved loads into the
// same world.
//
// Input: the scenario's JSON.
#include "fuzzsupport.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simscenario.h"
#include "platform/sim/virtualclock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Velmora;
using namespace Velmora::Sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Made afresh for each input: what one input leaves behind would look to
    // the fuzzer like a leak, and it would check every run for one.
    VirtualClock clock;
    SimDesktop desktop(clock);
    SimDesktop copy(clock);
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    if (!SimScenario::load(desktop, json, &error)) {
        FUZZ_CHECK(!error.isEmpty(), QStringLiteral("a refused scenario says why"));
        return 0;
    }

    const QJsonObject root = QJsonDocument::fromJson(json).object();
    const QJsonArray windows = root.value(QStringLiteral("windows")).toArray();
    FUZZ_CHECK(desktop.windows().size() == windows.size(),
        QStringLiteral("%1 windows of %2").arg(desktop.windows().size()).arg(windows.size()));
    // Every listed process, and this process when the list does not name it.
    const QJsonArray processes = root.value(QStringLiteral("processes")).toArray();
    bool listsSelf = false;
    for (const QJsonValue &process : processes) {
        const qint64 pid = process.toObject().value(QStringLiteral("pid")).toInteger(0);
        listsSelf = listsSelf || (pid != 0 && pid == desktop.selfPid());
    }
    FUZZ_CHECK(desktop.processes().size() == processes.size() + (listsSelf ? 0 : 1),
        QStringLiteral("%1 processes of %2").arg(desktop.processes().size()).arg(processes.size()));

    const QByteArray saved = SimScenario::save(desktop);
    FUZZ_CHECK(SimScenario::load(copy, saved, &error), error);
    const QByteArray savedAgain = SimScenario::save(copy);
    FUZZ_CHECK(savedAgain == saved, QString::fromUtf8(saved + "\n----\n" + savedAgain));
    return 0;
}
