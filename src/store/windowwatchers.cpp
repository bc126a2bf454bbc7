#include "store/windowwatchers.h"

#include "platform/accessibility.h"
#include "services/finderwindowwatcher.h"
#include "services/minimizeshortcuttap.h"
#include "services/windowminimizeinterceptor.h"
#include "services/windowworkareamanager.h"
#include "services/windowworkareaobserver.h"
#include "store/taskbarstore.h"
#include "store/windowguard.h"

namespace Velmora {

WindowWatchers::WindowWatchers(TaskbarStore &store)
    : m_store(store)
{
    const TaskbarStoreEnvironment &env = store.environment();
    MinimizeTakeover *takeover = &store.minimizeTakeover();
    m_interceptor = std::make_unique<WindowMinimizeInterceptor>(*env.eventTaps,
        [takeover](InputEventType type, const QPointF &location) {
            takeover->handleMinimizeButtonClick(type, location);
        });

    // Asked on the tap thread for every Command-M and Command-W: the guard's
    // stack and hit test may be used from any thread.
    WindowGuard *guard = &store.windowGuard();
    m_shortcutTap = std::make_unique<MinimizeShortcutTap>(
        *env.eventTaps, env.workspace,
        [guard](const RunningApplication &application) -> std::optional<quint32> {
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
        [takeover](const KeyEvent &event, MinimizeShortcutTap::Shortcut shortcut,
            const RunningApplication &application, quint32 windowID) {
            if (shortcut == MinimizeShortcutTap::Shortcut::close)
                takeover->handleCloseShortcut(event, application, windowID);
            else
                takeover->handleMinimizeShortcut(event, application, windowID);
        });

    m_workAreaManager = std::make_unique<WindowWorkAreaManager>(env.accessibility, env.workspace, *env.displays);
    WindowWorkAreaManager *manager = m_workAreaManager.get();
    Accessibility *accessibility = &env.accessibility;
    m_workAreaObserver = std::make_unique<WindowWorkAreaObserver>(env.accessibility, env.workspace, env.clock,
        env.scheduler, [manager, accessibility](const AXElement &window) {
            if (accessibility->isProcessTrusted())
                manager->keepWindowInWorkArea(window, manager->displayWorkAreas(reservedHeight));
        });
    m_workAreaObserver->refreshApplications();
    refreshWindowWorkAreas();

    m_finderWatcher = std::make_unique<FinderWindowWatcher>(env.accessibility, *env.windowList, env.workspace,
        env.scheduler, [&store](bool hasWindows) { store.setFinderHasWindows(hasWindows); });
    store.setFinderHasWindows(m_finderWatcher->hasWindows());
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

void WindowWatchers::refreshWindowWorkAreas()
{
    const WindowWorkAreaManager::Report report = m_workAreaManager->apply(reservedHeight);
    m_store.permissions().refreshAccessibilityTrust();
    m_store.setInspectedWindowCount(report.inspected);
    m_store.setAdjustedWindowCount(report.adjusted);
}

} // namespace Velmora
