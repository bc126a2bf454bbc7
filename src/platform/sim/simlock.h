#pragma once

#include <QMutex>
#include <QtCore/qnamespace.h>

#include <atomic>

namespace Velmora::Sim {

// The simulated desktop's one lock: plain, not recursive. A thread that takes
// it twice would hang; in debug builds it stops with a message instead.
class SimLock
{
public:
    // Holds the lock for its lifetime.
    class Held
    {
    public:
        explicit Held(SimLock &lock);
        ~Held();
        Held(const Held &) = delete;
        Held &operator=(const Held &) = delete;

    private:
        SimLock &m_lock;
    };

private:
    QMutex m_mutex;
    std::atomic<Qt::HANDLE> m_holder = nullptr;
};

} // namespace Velmora::Sim
