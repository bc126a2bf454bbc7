#include "platform/sim/simulatedsignaller.h"

namespace Velmora::Sim {

SimulatedSignaller::SimulatedSignaller(qint32 ownPid, quint32 ownUid)
    : m_ownPid(ownPid)
    , m_ownUid(ownUid)
{
}

ProcessSignaller::Result SimulatedSignaller::send(qint32 pid, quint64 started, quint32 uid, int signal)
{
    m_requests.append(Request { pid, started, uid, signal });
    return m_result;
}

} // namespace Velmora::Sim
