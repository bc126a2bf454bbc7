#pragma once

#include "platform/sim/simrequest.h"

#include <QList>

namespace Velmora::Sim {

// Every call the product made on the simulated desktop, oldest first, so
// tests can assert what it did. The log holds at most a budget of bytes: in a
// long session the oldest requests go, so memory does not grow with use. It
// can also be switched off altogether.
class SimRequestLog
{
public:
    static constexpr qsizetype DefaultByteBudget = 16 * 1024 * 1024;

    bool isEnabled() const { return m_enabled; }
    // Switching the log off also empties it.
    void setEnabled(bool enabled);
    qsizetype byteBudget() const { return m_byteBudget; }
    void setByteBudget(qsizetype bytes);
    // What the kept requests take, as estimated for the budget.
    qsizetype bytes() const { return m_bytes; }

    void append(SimRequest request);
    const QList<SimRequest> &requests() const { return m_requests; }
    QList<SimRequest> requests(const QString &operation) const;
    void clear();

    // The estimated memory one request takes.
    static qsizetype sizeOf(const SimRequest &request);

private:
    void trimTo(qsizetype bytes);

    bool m_enabled = true;
    qsizetype m_byteBudget = DefaultByteBudget;
    qsizetype m_bytes = 0;
    QList<SimRequest> m_requests;
    QList<qsizetype> m_sizes; // of each request, to keep m_bytes without measuring again
};

} // namespace Velmora::Sim
