#include "platform/sim/simfailures.h"

namespace Velmora::Sim {

std::optional<SimFailure> SimFailures::take(const QString &operation, const QString &name, qint32 pid)
{
    for (auto it = m_failures.begin(); it != m_failures.end(); ++it) {
        if (it->operation != operation || (!it->name.isEmpty() && it->name != name) || (it->pid && *it->pid != pid))
            continue;
        const SimFailure failure = *it;
        if (it->remaining > 0 && --it->remaining == 0)
            m_failures.erase(it);
        return failure;
    }
    return std::nullopt;
}

} // namespace Velmora::Sim
