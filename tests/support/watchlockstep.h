#pragma once

#include "platform/sim/virtualclock.h"
#include "services/watchthreads.h"

#include <QCoreApplication>

#include <chrono>
#include <condition_variable>
#include <list>
#include <mutex>

namespace Velmora::Test {

// Runs the guard's watch threads in step with a virtual clock: a watch that
// pauses waits until the test has moved the clock past its wake time, and
// the test moves the clock one millisecond at a time, each time waiting
// until every watch pauses again or ends. Delayed effects of the simulated
// desktop (the sibling raise bursts) then land between the polls exactly as
// their times say, on real threads.
class WatchLockstep final : public WatchThreads::Pacer
{
public:
    WatchLockstep(Sim::VirtualClock &clock, WatchThreads &threads)
        : m_clock(clock)
        , m_threads(threads)
    {
        m_threads.setPacer(this);
    }
    ~WatchLockstep() override
    {
        // Let every watch run out on its own, then detach.
        while (m_threads.runningCount() > 0)
            advance(1);
        m_threads.setPacer(nullptr);
    }

    void sleepMs(qint64 ms) override
    {
        std::unique_lock locker(m_mutex);
        Waiter waiter { m_clock.monotonicMs() + qMax<qint64>(ms, 1) };
        m_waiters.push_back(&waiter);
        m_paused.notify_all();
        m_released.wait(locker, [&waiter] { return waiter.released; });
    }

    // Moves the clock `ms` forward, a millisecond at a time.
    void advance(qint64 ms)
    {
        for (qint64 i = 0; i < ms; ++i) {
            settle();
            m_clock.advance(1);
            release();
            settle();
        }
    }

    // Waits until every watch is paused or done, and runs what they posted
    // to the main thread.
    void settle()
    {
        for (;;) {
            QCoreApplication::processEvents();
            {
                std::unique_lock locker(m_mutex);
                if (qsizetype(m_waiters.size()) >= m_threads.runningCount())
                    break;
                m_paused.wait_for(locker, std::chrono::milliseconds(1));
            }
        }
        QCoreApplication::processEvents();
        m_clock.runPending();
    }

private:
    struct Waiter
    {
        qint64 wakeMs = 0;
        bool released = false;
    };

    void release()
    {
        const std::lock_guard locker(m_mutex);
        const qint64 now = m_clock.monotonicMs();
        for (auto it = m_waiters.begin(); it != m_waiters.end();) {
            if ((*it)->wakeMs <= now) {
                (*it)->released = true;
                it = m_waiters.erase(it);
            } else {
                ++it;
            }
        }
        m_released.notify_all();
    }

    Sim::VirtualClock &m_clock;
    WatchThreads &m_threads;
    std::mutex m_mutex;
    std::condition_variable m_paused;
    std::condition_variable m_released;
    std::list<Waiter *> m_waiters;
};

} // namespace Velmora::Test
