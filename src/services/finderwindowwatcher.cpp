#include "services/finderwindowwatcher.h"

#include "platform/accessibility.h"
#include "platform/accessibilityobserver.h"
#include "platform/axnames.h"
#include "platform/workspace.h"
#include "services/windowserverentries.h"

namespace Velmora {

FinderWindowWatcher::FinderWindowWatcher(Accessibility &accessibility, const WindowList &windowList,
    const Workspace &workspace, Scheduler &scheduler, OnChange onChange, QObject *parent)
    : QObject(parent)
    , m_accessibility(accessibility)
    , m_windowList(windowList)
    , m_workspace(workspace)
    , m_scheduler(scheduler)
    , m_onChange(std::move(onChange))
{
    const std::optional<qint32> finder = finderProcessIdentifier();
    m_hasWindows = finder && windowsOf(*finder);
    refresh();
}

FinderWindowWatcher::~FinderWindowWatcher()
{
    detach();
}

std::optional<qint32> FinderWindowWatcher::finderProcessIdentifier() const
{
    const QList<RunningApplication> finders = m_workspace.runningApplications(finderBundleIdentifier);
    if (finders.isEmpty())
        return std::nullopt;
    return finders.first().processIdentifier;
}

bool FinderWindowWatcher::windowsOf(qint32 processIdentifier) const
{
    return !WindowServerEntries::windowNumbers(m_windowList, processIdentifier).isEmpty();
}

void FinderWindowWatcher::refresh()
{
    bool hasWindows = false;
    if (const std::optional<qint32> finder = finderProcessIdentifier()) {
        if (m_observedProcessIdentifier != finder) {
            detach();
            attach(*finder);
        }
        hasWindows = windowsOf(*finder);
    } else if (m_observedProcessIdentifier) {
        detach();
    }
    if (hasWindows == m_hasWindows)
        return;
    m_hasWindows = hasWindows;
    m_onChange(hasWindows);
}

void FinderWindowWatcher::attach(qint32 processIdentifier)
{
    // Set first: a Finder that cannot be watched is not asked again until it relaunches.
    m_observedProcessIdentifier = processIdentifier;
    m_observer = m_accessibility.createObserver(
        processIdentifier, this, [this](const AXElement &, const QString &) { windowsMayHaveChanged(); });
    if (!m_observer)
        return;
    const AXElement application = m_accessibility.applicationElement(processIdentifier);
    for (const QLatin1String notification : { AXNames::WindowCreated, AXNames::UIElementDestroyed,
             AXNames::FocusedWindowChanged, AXNames::WindowMiniaturized })
        m_observer->addNotification(application, notification);
}

void FinderWindowWatcher::detach()
{
    m_observedProcessIdentifier.reset();
    m_observer.reset();
}

void FinderWindowWatcher::windowsMayHaveChanged()
{
    refresh();
    if (m_pendingRecheck)
        m_scheduler.cancel(*m_pendingRecheck);
    m_pendingRecheck = m_scheduler.scheduleOnce(recheckDelayMs, this, [this] {
        m_pendingRecheck.reset();
        refresh();
    });
}

} // namespace Velmora
