#pragma once

#include <QList>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace Velmora::Linux {

// The plan for repeating jobs that may run late by up to a tolerance. Jobs
// whose due times lie close together run in one wake-up: a job waits, within
// its tolerance, for another that is due a moment later, and a new job starts
// on the beat of the ones already there when its tolerance reaches that far.
// Every wake-up costs the whole process a context switch and a turn of the
// event loop, which for an idle bar is most of what it spends.
//
// Each job keeps its own interval: it is due at its first due time plus
// whole intervals, never runs before that, and never later than the
// tolerance after it. Times are milliseconds on one monotonic clock.
class TolerantSchedule
{
public:
    using Id = quint64;

    // A job first due one interval after `nowMs`, or up to its tolerance
    // later to fall in with a job already planned.
    void add(Id id, qint64 nowMs, qint64 intervalMs, qint64 toleranceMs);
    void remove(Id id);
    bool contains(Id id) const;
    bool isEmpty() const { return m_jobs.empty(); }

    // When to wake next: the latest due time that still keeps every job
    // within its tolerance. Nothing without jobs.
    std::optional<qint64> nextWakeMs() const;

    // The jobs due at `nowMs`, earliest due first. Each moves on to its next
    // due time after `nowMs`, skipping whole intervals missed meanwhile (a
    // suspended machine), so the jobs stay on their common beat.
    QList<Id> takeDue(qint64 nowMs);

private:
    struct Job
    {
        Id id = 0;
        qint64 dueMs = 0;
        qint64 intervalMs = 0;
        qint64 toleranceMs = 0;
    };

    std::vector<Job> m_jobs;
};

} // namespace Velmora::Linux
