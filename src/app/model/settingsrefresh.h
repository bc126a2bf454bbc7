#pragma once

#include "platform/scheduler.h"

#include <QObject>

#include <functional>

namespace Velmora {

class TaskbarStore;

// Re-reads the permissions and the login item once a second while the
// settings window is open, so a permission granted in the system settings
// shows on the page within about a second. Follows the store's
// isSettingsWindowOpen: closing the window stops the refreshes, showing it
// again starts them. Main thread only.
class SettingsRefresh : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 intervalMs = 1000;

    // `refresh` is what each tick does.
    SettingsRefresh(TaskbarStore &store, Scheduler &scheduler, std::function<void()> refresh, QObject *parent = nullptr);
    ~SettingsRefresh() override;

    bool isRunning() const;

private:
    void follow();

    TaskbarStore &m_store;
    Scheduler &m_scheduler;
    std::function<void()> m_refresh;
    Scheduler::JobId m_job = 0;
};

} // namespace Velmora
