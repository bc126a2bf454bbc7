#include "app/model/settingsrefresh.h"

#include "store/taskbarstore.h"

namespace Velmora {

SettingsRefresh::SettingsRefresh(TaskbarStore &store, Scheduler &scheduler, std::function<void()> refresh, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_scheduler(scheduler)
    , m_refresh(std::move(refresh))
{
    connect(&m_store, &TaskbarStore::isSettingsWindowOpenChanged, this, &SettingsRefresh::follow);
    follow();
}

SettingsRefresh::~SettingsRefresh()
{
    m_scheduler.cancel(m_job);
}

bool SettingsRefresh::isRunning() const
{
    return m_job != 0 && m_scheduler.isScheduled(m_job);
}

void SettingsRefresh::follow()
{
    // A change of the flag restarts the loop: the next refresh is a full
    // second after the window opened again.
    m_scheduler.cancel(m_job);
    m_job = 0;
    if (!m_store.isSettingsWindowOpen())
        return;
    m_job = m_scheduler.scheduleRepeating(intervalMs, 0, this, [this] {
        if (m_store.isSettingsWindowOpen() && m_refresh)
            m_refresh();
    });
}

} // namespace Velmora
