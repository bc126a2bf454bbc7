#pragma once

#include "platform/processsignaller.h"

#include <QList>

namespace Velmora::Sim {

// Records every signal instead of sending it; the outcome is scripted.
class SimulatedSignaller final : public ProcessSignaller
{
public:
    struct Request
    {
        qint32 pid = 0;
        quint64 started = 0;
        quint32 uid = 0;
        int signal = 0;

        friend bool operator==(const Request &, const Request &) = default;
    };

    SimulatedSignaller(qint32 ownPid, quint32 ownUid);

    void setNextResult(Result result) { m_result = result; }
    const QList<Request> &requests() const { return m_requests; }

    Result send(qint32 pid, quint64 started, quint32 uid, int signal) override;
    qint32 currentProcessId() const override { return m_ownPid; }
    quint32 currentUserId() const override { return m_ownUid; }

private:
    qint32 m_ownPid;
    quint32 m_ownUid;
    Result m_result { Outcome::Delivered, 0 };
    QList<Request> m_requests;
};

} // namespace Velmora::Sim
