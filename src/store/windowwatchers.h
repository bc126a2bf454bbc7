#pragma once

#include <QObject>

#include <memory>

namespace Velmora {

class FinderWindowWatcher;
class MinimizeShortcutTap;
class TaskbarStore;
class WindowMinimizeInterceptor;
class WindowWorkAreaManager;
class WindowWorkAreaObserver;

// The watchers a store that observes the system runs for its whole life:
// the mouse tap and the shortcut tap that let it take over minimize and
// close, the work-area observer that keeps windows out of the bar's strip,
// and the Finder window watcher. Their handlers reach the store's parts.
// Main thread; the shortcut tap answers keys on a thread of its own.
class WindowWatchers : public QObject
{
    Q_OBJECT
public:
    // The height of the strip the bar keeps for itself.
    static constexpr double reservedHeight = 57;

    // Creates them in their order: interceptor, shortcut tap, work-area
    // observer (which looks at every window once), Finder watcher.
    explicit WindowWatchers(TaskbarStore &store);
    // Stops the taps and joins the tap thread before anything they report to goes.
    ~WindowWatchers() override;

    void startTaps();
    void stopTaps();
    bool areTapsStarted() const;

    WindowWorkAreaObserver &workAreaObserver() { return *m_workAreaObserver; }
    // Looks at every window once; publishes what it found.
    void refreshWindowWorkAreas();

private:
    TaskbarStore &m_store;
    std::unique_ptr<WindowMinimizeInterceptor> m_interceptor;
    std::unique_ptr<MinimizeShortcutTap> m_shortcutTap;
    std::unique_ptr<WindowWorkAreaManager> m_workAreaManager;
    std::unique_ptr<WindowWorkAreaObserver> m_workAreaObserver;
    std::unique_ptr<FinderWindowWatcher> m_finderWatcher;
};

} // namespace Velmora
