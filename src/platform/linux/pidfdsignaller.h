#pragma once

#include "platform/processsignaller.h"

namespace Velmora {
class SystemStatistics;
}

namespace Velmora::Linux {

// Signals through a pidfd: once the descriptor is open it names one process
// for good, so checking the identity after opening it closes the window in
// which the id could pass to another process.
class PidfdSignaller final : public ProcessSignaller
{
public:
    explicit PidfdSignaller(SystemStatistics &statistics);

    Result send(qint32 pid, quint64 started, quint32 uid, int signal) override;
    qint32 currentProcessId() const override;
    quint32 currentUserId() const override;

private:
    bool isSameRun(qint32 pid, quint64 started, quint32 uid);

    SystemStatistics &m_statistics;
};

} // namespace Velmora::Linux
