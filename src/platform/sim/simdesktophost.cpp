#include "platform/sim/simdesktophost.h"

#include "platform/scheduler.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simlock.h"

#include <QMetaObject>
#include <QThread>

namespace Velmora::Sim {

SimHost::~SimHost() = default;

SimDesktopHost::SimDesktopHost(SimDesktop &desktop, Clock &clock, Scheduler &scheduler, SimLock &lock)
    : m_desktop(desktop)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_lock(lock)
{
}

void SimDesktopHost::schedule(qint64 delayMs, std::function<void()> job)
{
    if (QThread::currentThread() == m_desktop.thread()) {
        m_scheduler.scheduleOnce(delayMs, &m_desktop, std::move(job));
        return;
    }
    // The scheduler belongs to the desktop's thread.
    QMetaObject::invokeMethod(
        &m_desktop, [this, delayMs, job = std::move(job)] { m_scheduler.scheduleOnce(delayMs, &m_desktop, job); },
        Qt::QueuedConnection);
}

void SimDesktopHost::laterLocked(qint64 delayMs, std::function<void()> job)
{
    schedule(delayMs, [this, job = std::move(job)] {
        const SimLock::Held held(m_lock);
        job();
    });
}

void SimDesktopHost::laterUnlocked(qint64 delayMs, std::function<void()> job, const ReceiverGuard &receiver)
{
    schedule(delayMs, receiver.guarded(std::move(job)));
}

void SimDesktopHost::runLocked(const std::function<void()> &function)
{
    const SimLock::Held held(m_lock);
    function();
}

void SimDesktopHost::announce(ApplicationEvent event, const RunningApplication &application)
{
    SimDesktop *desktop = &m_desktop;
    schedule(0, [desktop, event, application] {
        switch (event) {
        case ApplicationEvent::Launched:
            emit desktop->applicationLaunched(application);
            break;
        case ApplicationEvent::Terminated:
            emit desktop->applicationTerminated(application);
            break;
        case ApplicationEvent::Activated:
            emit desktop->applicationActivated(application);
            break;
        case ApplicationEvent::Deactivated:
            emit desktop->applicationDeactivated(application);
            break;
        case ApplicationEvent::Hidden:
            emit desktop->applicationHidden(application);
            break;
        case ApplicationEvent::Unhidden:
            emit desktop->applicationUnhidden(application);
            break;
        }
    });
}

void SimDesktopHost::announceActiveSpaceChanged()
{
    schedule(0, [desktop = &m_desktop] { emit desktop->activeSpaceChanged(); });
}

void SimDesktopHost::announceDisplaysChanged()
{
    schedule(0, [desktop = &m_desktop] { emit desktop->displaysChanged(); });
}

void SimDesktopHost::changed()
{
    m_parts->registry.notifyFocusChanges(m_parts->lifecycle.ending());
    // One signal per turn of the loop however many changes there were.
    if (m_changeSignalPending)
        return;
    m_changeSignalPending = true;
    schedule(0, [this] {
        runLocked([this] { m_changeSignalPending = false; });
        emit m_desktop.worldChanged();
    });
}

} // namespace Velmora::Sim
