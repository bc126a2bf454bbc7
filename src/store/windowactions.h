#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"
#include "services/windowpreviewitem.h"
#include "store/backgroundtasks.h"

#include <QObject>
#include <QSet>

#include <optional>

namespace Velmora {

class Accessibility;
class Clock;
class Sleeper;
class TaskbarStore;

// Bringing one window of another application forward (restoring it when it
// is minimized) and minimizing the window in front, so that with "Keep
// window order" on the windows of other applications stay where they were.
// Part of the store; entered on the main thread. Whatever may wait on
// another application (a button press, a restore) runs in the background
// and reports back to the main thread.
class WindowActions : public QObject
{
    Q_OBJECT
public:
    // A press in a flyout says which application was in front for this long.
    static constexpr qint64 flyoutPressValidityMs = 1000;
    // A button press may take the application this long to answer.
    static constexpr double buttonPressTimeoutSeconds = 1.0;
    // Reads of another application's window on the main thread give up this
    // soon, so a hung application cannot freeze the bar.
    static constexpr double mainThreadTimeoutSeconds = 0.1;
    // The work-area rules leave a window alone this long after we move it.
    static constexpr qint64 workAreaSuppressionMs = 1000;
    // Waiting for an application to leave or take the front: at most 0.2 s,
    // looking every 5 ms, each look giving up after 0.05 s.
    static constexpr qint64 frontmostWaitMs = 200;
    static constexpr qint64 frontmostPollMs = 5;
    static constexpr double frontmostReadTimeoutSeconds = 0.05;

    explicit WindowActions(TaskbarStore &store);
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

    // Waits (on the calling thread, never the main one) until the
    // application's frontmost state is `frontmost`, at most 0.2 s.
    static void waitUntilFrontmost(Accessibility &accessibility, const Clock &clock, Sleeper *sleeper,
        qint32 processIdentifier, bool frontmost);


private:
    void armNativeMinimizeRequest(const WindowPreviewItem &preview, const RunningApplication &application,
        const std::optional<RunningApplication> &previousApplication);
    bool isThisProcess(const RunningApplication &application) const;
    void restoreOwnWindow(const WindowPreviewItem &preview);

    TaskbarStore &m_store;
    std::optional<std::pair<RunningApplication, qint64>> m_flyoutPressSource; // with monotonic ms
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
