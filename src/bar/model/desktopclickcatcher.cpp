#include "bar/model/desktopclickcatcher.h"

#include "bar/model/clickcatcherwindows.h"

namespace Velmora {

ClickCatcherWindows::~ClickCatcherWindows() = default;

DesktopClickCatcher::DesktopClickCatcher(Scheduler &scheduler, ClickCatcherWindows &windows,
                                         std::function<void()> onClick, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_windows(windows)
    , m_onClick(std::move(onClick))
{
}

DesktopClickCatcher::~DesktopClickCatcher()
{
    hide();
}

void DesktopClickCatcher::show()
{
    hide();
    m_pendingShow = m_scheduler.scheduleOnce(showDelayMs, this, [this] {
        m_pendingShow = 0;
        m_isShown = true;
        m_windows.show(m_onClick);
    });
}

void DesktopClickCatcher::hide()
{
    if (m_pendingShow) {
        m_scheduler.cancel(m_pendingShow);
        m_pendingShow = 0;
    }
    if (m_isShown) {
        m_isShown = false;
        // The windows are shared: this takes them away even when a later
        // popover's catcher has taken over their clicks since.
        m_windows.hide();
    }
}

} // namespace Velmora
