#include "store/windowwatchers.h"

#include "platform/accessibility.h"
#include "services/finderwindowwatcher.h"
#include "services/minimizeshortcuttap.h"
#include "services/windowminimizeinterceptor.h"
#include "services/windowworkareamanager.h"
#include "services/windowworkareaobserver.h"
#include "store/minimizetakeover.h"
#include "store/permissions.h"
#include "store/windowguard.h"

namespace Velmora {

WindowWatchers::WindowWatchers(
    Services services, MinimizeTakeover &takeover, WindowGuard &guard, Permissions &permissions, Reports reports)
    : m_permissions(permissions)
    , m_reports(std::move(reports))
{
    const Services &env = services;
    m_interceptor = std::make_unique<WindowMinimizeInterceptor>(env.eventTaps,
        [takeover = &takeover](InputEventType type, const QPointF &location) {
            takeover->handleMinimizeButtonClick(type, location);
        });

    // Asked on the tap thread for every Command-M and Command-W: the guard's
    // stack and hit test may be used from any thread.
    m_shortcutTap = std::make_unique<MinimizeShortcutTap>(
        env.eventTaps, env.workspace,
        [guard = &guard](const RunningApplication &application) -> std::optional<quint32> {
            const QList<WindowGuard::StackEntry> entries = guard->stackEntries();
            for (qsizetype i = 0; i < entries.size(); ++i) {
                if (entries.at(i).processIdentifier != application.processIdentifier)
                    continue;
                if (guard->applicationBelow(i, entries))
                    return entries.at(i).windowID;
                return std::nullopt;
            }
            return std::nullopt;
        },
        [takeover = &takeover](const KeyEvent &event, MinimizeShortcutTap::Shortcut shortcut,
            const RunningApplication &application, quint32 windowID) {
            if (shortcut == MinimizeShortcutTap::Shortcut::close)
                takeover->handleCloseShortcut(event, application, windowID);
            else
                takeover->handleMinimizeShortcut(event, application, windowID);
        });

    m_workAreaManager = std::make_unique<WindowWorkAreaManager>(env.accessibility, env.workspace, env.displays);
    WindowWorkAreaManager *manager = m_workAreaManager.get();
    Accessibility *accessibility = &env.accessibility;
    m_workAreaObserver = std::make_unique<WindowWorkAreaObserver>(env.accessibility, env.workspace, env.clock,
        env.scheduler, [manager, accessibility](const AXElement &window) {
            if (accessibility->isProcessTrusted())
                manager->keepWindowInWorkArea(window, manager->displayWorkAreas(reservedHeight));
        });
    m_workAreaObserver->refreshApplications();
    refreshWindowWorkAreas();

    m_finderWatcher = std::make_unique<FinderWindowWatcher>(env.accessibility, env.windowList, env.workspace,
        env.scheduler, [this](bool hasWindows) { m_reports.finderHasWindows(hasWindows); });
    m_reports.finderHasWindows(m_finderWatcher->hasWindows());
}

WindowWatchers::~WindowWatchers()
{
    stopTaps();
    m_workAreaObserver->waitForRegistrations();
}

void WindowWatchers::startTaps()
{
    m_interceptor->start();
    m_shortcutTap->start();
}

void WindowWatchers::stopTaps()
{
    m_interceptor->stop();
    m_shortcutTap->stop();
}

bool WindowWatchers::areTapsStarted() const
{
    return m_interceptor->isStarted() && m_shortcutTap->isStarted();
}

void WindowWatchers::refreshFinderWindows()
{
    m_finderWatcher->refresh();
}

void WindowWatchers::refreshWindowWorkAreas()
{
    const WindowWorkAreaManager::Report report = m_workAreaManager->apply(reservedHeight);
    m_permissions.refreshAccessibilityTrust();
    m_reports.workAreas(report.inspected, report.adjusted);
}

} // namespace Velmora
