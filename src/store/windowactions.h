#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"
#include "services/windowpreviewitem.h"
#include "store/applicationwaits.h"
#include "store/backgroundtasks.h"

#include <QObject>
#include <QSet>

#include <optional>

namespace Velmora {

class Accessibility;
class Clock;
class DockMinimizedWindows;
class EventTaps;
class MinimizeTakeover;
class OwnWindowsHost;
class Sleeper;
class WindowGuard;
class WindowPicker;
class WindowPreviewCache;
class Workspace;

// Bringing one window of another application forward (restoring it when it
// is minimized) and minimizing the window in front, so that with "Keep
// window order" on the windows of other applications stay where they were.
// Part of the store; entered on the main thread. Whatever may wait on
// another application (a button press, a restore) runs in the background
// and reports back to the main thread. A window brought forward arms the
// takeover's minimize request; the work-area rules hear of a window about
// to move through windowAboutToMove.
class WindowActions : public QObject
{
    Q_OBJECT
public:
    // A press in a flyout says which application was in front for this long.
    static constexpr qint64 flyoutPressValidityMs = 1000;
    static constexpr double buttonPressTimeoutSeconds = ApplicationWaits::buttonPressTimeoutSeconds;
    static constexpr double mainThreadTimeoutSeconds = ApplicationWaits::mainThreadTimeoutSeconds;
    // The work-area rules leave a window alone this long after we move it.
    static constexpr qint64 workAreaSuppressionMs = 1000;
    static constexpr qint64 frontmostWaitMs = ApplicationWaits::frontmostWaitMs;

    struct Services
    {
        Workspace &workspace;
        Accessibility &accessibility;
        const Clock &clock;
        // Each may be left out: what needs it then does nothing.
        Sleeper *sleeper = nullptr;
        DockMinimizedWindows *dockMinimizedWindows = nullptr;
        OwnWindowsHost *ownWindows = nullptr;
        EventTaps *eventTaps = nullptr;
        BackgroundTasks::Runner backgroundRunner = {};
    };

    // `cache` and `picker` say which windows an application has and in
    // which order; `takeover` holds the minimize requests.
    WindowActions(Services services, WindowGuard &guard, WindowPreviewCache &cache, WindowPicker &picker,
        MinimizeTakeover &takeover);
    ~WindowActions() override;

    // Brings the window forward, un-minimizing it if needed. A minimized only
    // window restores through the application's own activation.
    void focusRequestedWindow(
        const WindowPreviewItem &preview, const RunningApplication &application, bool useNativeRestoreActivation);
    void restoreMinimizedWindow(const WindowPreviewItem &preview, const RunningApplication &application,
        const std::optional<RunningApplication> &previousApplication, bool allowsDockRestore);
    // Whether the card's window is the one in front.
    bool isFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application) const;
    // Minimizes the window in front, keeping the order of the windows behind it.
    void minimizeFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application);
    // Minimizes through the application's own Command-M.
    void minimizeNatively(const WindowPreviewItem &preview, const RunningApplication &application);

    // The application that was in front before the user reached for the bar.
    std::optional<RunningApplication> applicationBeforeFlyoutAction() const;
    // A press in one of the flyouts found `application` in front.
    void recordFlyoutPress(const RunningApplication &application);
    // The window numbers of the application's cached previews.
    QSet<quint32> cachedWindowIDs(const RunningApplication &application) const;
    // Makes the process frontmost without naming a window.
    void bringProcessForward(qint32 processIdentifier);

signals:
    // We are about to move the window ourselves: the work-area rules leave
    // it alone for workAreaSuppressionMs.
    void windowAboutToMove(const Velmora::AXElement &window);

private:
    void armNativeMinimizeRequest(const WindowPreviewItem &preview, const RunningApplication &application,
        const std::optional<RunningApplication> &previousApplication);
    bool isThisProcess(const RunningApplication &application) const;
    void restoreOwnWindow(const WindowPreviewItem &preview);

    Services m_services;
    WindowGuard &m_guard;
    WindowPreviewCache &m_cache;
    WindowPicker &m_picker;
    MinimizeTakeover &m_takeover;
    std::optional<std::pair<RunningApplication, qint64>> m_flyoutPressSource; // with monotonic ms
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
