#pragma once

#include "platform/sim/simfailure.h"

#include <QList>

#include <optional>

namespace Velmora::Sim {

// The failures a test asked the simulated desktop to produce, taken by the
// calls they apply to in the order they were injected.
class SimFailures
{
public:
    void inject(const SimFailure &failure) { m_failures.append(failure); }
    void clear() { m_failures.clear(); }
    // The first failure injected for this call, if any; one with a count
    // is used up by as many calls.
    std::optional<SimFailure> take(const QString &operation, const QString &name, qint32 pid);

private:
    QList<SimFailure> m_failures;
};

} // namespace Velmora::Sim
