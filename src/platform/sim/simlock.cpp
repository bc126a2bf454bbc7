#include "platform/sim/simlock.h"

#include <QThread>

namespace Velmora::Sim {

SimLock::Held::Held(SimLock &lock)
    : m_lock(lock)
{
    Q_ASSERT_X(lock.m_holder.load(std::memory_order_relaxed) != QThread::currentThreadId(), "SimDesktop",
               "the world's lock is taken twice on one thread (a part or a view called a public method)");
    lock.m_mutex.lock();
    lock.m_holder.store(QThread::currentThreadId(), std::memory_order_relaxed);
}

SimLock::Held::~Held()
{
    m_lock.m_holder.store(nullptr, std::memory_order_relaxed);
    m_lock.m_mutex.unlock();
}

} // namespace Velmora::Sim
