#pragma once

#include "platform/scheduler.h"

#include <QObject>

#include <functional>

namespace Velmora {

class ClickCatcherWindows;

// One popover's claim on the desktop click catcher windows. They appear a
// moment after the popover opens, so a popover that is gone again at once
// never flashes them up, and go as soon as it closes. Main thread only.
class DesktopClickCatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 showDelayMs = 400;

    DesktopClickCatcher(Scheduler &scheduler, ClickCatcherWindows &windows, std::function<void()> onClick,
                        QObject *parent = nullptr);
    ~DesktopClickCatcher() override;

    // Shows the windows after the delay; starts the delay over when called again.
    void show();
    // Cancels a pending show and takes the windows away if this catcher put them up.
    void hide();

    bool isPending() const { return m_pendingShow != 0; }
    bool isShown() const { return m_isShown; }

private:
    Scheduler &m_scheduler;
    ClickCatcherWindows &m_windows;
    std::function<void()> m_onClick;
    Scheduler::JobId m_pendingShow = 0;
    bool m_isShown = false;
};

} // namespace Velmora
