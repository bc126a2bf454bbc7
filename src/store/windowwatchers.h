#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace Velmora {

class Accessibility;
class Clock;
class Displays;
class EventTaps;
class FinderWindowWatcher;
class MinimizeShortcutTap;
class MinimizeTakeover;
class Permissions;
class Scheduler;
class WindowGuard;
class WindowList;
class WindowMinimizeInterceptor;
class WindowWorkAreaManager;
class WindowWorkAreaObserver;
class Workspace;

// The watchers a store that observes the system runs for its whole life:
// the mouse tap and the shortcut tap that let it take over minimize and
// close, the work-area observer that keeps windows out of the bar's strip,
// and the Finder window watcher. The taps hand what they catch to the
// minimize takeover; what the others find is reported as it comes.
// Main thread; the shortcut tap answers keys on a thread of its own.
class WindowWatchers : public QObject
{
    Q_OBJECT
public:
    // The height of the strip the bar keeps for itself.
    static constexpr double reservedHeight = 57;

    struct Services
    {
        EventTaps &eventTaps;
        Workspace &workspace;
        Accessibility &accessibility;
        const Displays &displays;
        const WindowList &windowList;
        const Clock &clock;
        Scheduler &scheduler;
    };

    // What the watchers find; each is told at once, then on every change.
    struct Reports
    {
        // A work-area pass: how many windows it looked at and how many it moved.
        std::function<void(int inspected, int adjusted)> workAreas;
        std::function<void(bool hasWindows)> finderHasWindows;
    };

    // Creates them in their order: interceptor, shortcut tap, work-area
    // observer (which looks at every window once), Finder watcher. Every
    // work-area pass re-reads the Accessibility trust into `permissions`;
    // the shortcut tap asks `guard` on its own thread.
    WindowWatchers(
        Services services, MinimizeTakeover &takeover, WindowGuard &guard, Permissions &permissions, Reports reports);
    // Stops the taps and joins the tap thread before anything they report to goes.
    ~WindowWatchers() override;

    void startTaps();
    void stopTaps();
    bool areTapsStarted() const;

    WindowWorkAreaObserver &workAreaObserver() { return *m_workAreaObserver; }
    // Follows a Finder launched or relaunched since the last look and
    // reports whether it has windows when that changed.
    void refreshFinderWindows();
    // Looks at every window once; publishes what it found.
    void refreshWindowWorkAreas();

private:
    Permissions &m_permissions;
    Reports m_reports;
    std::unique_ptr<WindowMinimizeInterceptor> m_interceptor;
    std::unique_ptr<MinimizeShortcutTap> m_shortcutTap;
    std::unique_ptr<WindowWorkAreaManager> m_workAreaManager;
    std::unique_ptr<WindowWorkAreaObserver> m_workAreaObserver;
    std::unique_ptr<FinderWindowWatcher> m_finderWatcher;
};

} // namespace Velmora
