#include "platform/linux/tolerantschedule.h"

#include <algorithm>
#include <limits>

namespace Velmora::Linux {

void TolerantSchedule::add(Id id, qint64 nowMs, qint64 intervalMs, qint64 toleranceMs)
{
    remove(id);
    const qint64 interval = qMax<qint64>(1, intervalMs);
    const qint64 tolerance = qMax<qint64>(0, toleranceMs);
    const qint64 first = nowMs + interval;
    // A job due a little before our first time waits for us by itself (see
    // nextWakeMs). Without one, start on the earliest beat of another job
    // that our tolerance reaches.
    std::optional<qint64> beat;
    for (const Job &other : m_jobs) {
        qint64 ahead = other.dueMs - first;
        if (ahead <= 0) {
            const qint64 behind = -ahead % other.intervalMs;
            if (behind <= other.toleranceMs) {
                beat.reset();
                break;
            }
            ahead = other.intervalMs - behind;
        }
        if (!beat || first + ahead < *beat)
            beat = first + ahead;
    }
    const qint64 due = beat && *beat - first <= tolerance ? *beat : first;
    m_jobs.push_back({ id, due, interval, tolerance });
}

void TolerantSchedule::remove(Id id)
{
    std::erase_if(m_jobs, [id](const Job &job) { return job.id == id; });
}

bool TolerantSchedule::contains(Id id) const
{
    return std::any_of(m_jobs.cbegin(), m_jobs.cend(), [id](const Job &job) { return job.id == id; });
}

std::optional<qint64> TolerantSchedule::nextWakeMs() const
{
    if (m_jobs.empty())
        return std::nullopt;
    qint64 deadline = m_jobs.front().dueMs + m_jobs.front().toleranceMs;
    for (const Job &job : m_jobs)
        deadline = qMin(deadline, job.dueMs + job.toleranceMs);
    // The earliest due job is due by the deadline, so there is always one.
    qint64 wake = std::numeric_limits<qint64>::min();
    for (const Job &job : m_jobs) {
        if (job.dueMs <= deadline)
            wake = qMax(wake, job.dueMs);
    }
    return wake;
}

QList<TolerantSchedule::Id> TolerantSchedule::takeDue(qint64 nowMs)
{
    std::vector<const Job *> due;
    for (const Job &job : m_jobs) {
        if (job.dueMs <= nowMs)
            due.push_back(&job);
    }
    std::stable_sort(due.begin(), due.end(), [](const Job *a, const Job *b) { return a->dueMs < b->dueMs; });
    QList<Id> ids;
    ids.reserve(qsizetype(due.size()));
    for (const Job *job : due)
        ids.append(job->id);
    for (Job &job : m_jobs) {
        if (job.dueMs <= nowMs)
            job.dueMs += ((nowMs - job.dueMs) / job.intervalMs + 1) * job.intervalMs;
    }
    return ids;
}

} // namespace Velmora::Linux
