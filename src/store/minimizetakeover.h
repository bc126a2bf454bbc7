#pragma once

#include "platform/axelement.h"
#include "platform/inputevents.h"
#include "platform/runningapplication.h"
#include "store/backgroundtasks.h"
#include "store/nativeminimizerequest.h"

#include <QObject>
#include <QPointF>

#include <optional>

namespace Velmora {

class Accessibility;
class Clock;
class EventTaps;
class OwnWindowsHost;
class Scheduler;
class Sleeper;
class WindowGuard;
class WindowPreviewCache;
class WindowPreviewProvider;
class Workspace;

// With "Keep window order" on, the store takes over the user's minimize and
// close of another application's front window (its title-bar buttons,
// Command-M and Command-W), so that the application whose window lay below
// comes forward and the other windows keep their order. Whatever cannot be
// carried out is left to the application: presses pass, and a swallowed key
// press is posted back to it unchanged. It holds the minimize requests the
// takeover works from, and whether "Keep window order" is on. Part of the
// store; main thread.
class MinimizeTakeover : public QObject
{
    Q_OBJECT
public:
    // A press or release counts as on the button within this margin.
    static constexpr double buttonMargin = 2;
    // Command-W waits this long for the close button before it is handed back.
    static constexpr qint64 closeShortcutDeadlineMs = 150;
    // Look-ups of the focused window and its buttons give up this soon.
    static constexpr double lookupTimeoutSeconds = 0.1;

    struct Services
    {
        Workspace &workspace;
        Accessibility &accessibility;
        const Clock &clock;
        Scheduler &scheduler;
        // Reads which window is focused.
        WindowPreviewProvider &windowPreviews;
        // Posts a key back to the application; nothing without it.
        EventTaps *eventTaps = nullptr;
        Sleeper *sleeper = nullptr;
        OwnWindowsHost *ownWindows = nullptr;
        BackgroundTasks::Runner backgroundRunner = {};
    };

    // `guard` watches what the takeover started; `cache` knows the
    // application's other windows.
    MinimizeTakeover(Services services, WindowGuard &guard, const WindowPreviewCache &cache);
    ~MinimizeTakeover() override;

    // The listen-only mouse tap's handler: a left press or release anywhere.
    void handleMinimizeButtonClick(InputEventType type, const QPointF &location);
    // The request for a press on a title-bar button of the frontmost
    // application's front window, or nothing.
    std::optional<NativeMinimizeRequest> minimizeRequestUnderClick(const QPointF &location);
    // A swallowed Command-M or Command-W aimed at `windowID` of `application`.
    void handleMinimizeShortcut(const KeyEvent &event, const RunningApplication &application, quint32 windowID);
    void handleCloseShortcut(const KeyEvent &event, const RunningApplication &application, quint32 windowID);
    // The enabled minimize button of the application's focused window when
    // that window is `windowID`.
    std::optional<AXElement> minimizeButton(quint32 windowID, const RunningApplication &application);
    // The bar reports every press in its flyouts: while another regular
    // application is frontmost, the press hands activation to the taskbar
    // and the window actions remember which application that was.
    void handleFlyoutPress();

    // The guard's watches for a completed minimize or close.
    void watchMinimize(const NativeMinimizeRequest &request, const RunningApplication &application, bool appWasDeactivated);
    void watchClose(const NativeMinimizeRequest &request, const RunningApplication &application);

    // "Keep window order", as the settings say.
    bool keepsWindowOrder() const { return m_keepsWindowOrder; }
    void setKeepsWindowOrder(bool keeps) { m_keepsWindowOrder = keeps; }
    // The request armed when a window was brought forward, for a later
    // press on its minimize button.
    const std::optional<NativeMinimizeRequest> &nativeMinimizeRequest() const { return m_nativeMinimizeRequest; }
    void setNativeMinimizeRequest(std::optional<NativeMinimizeRequest> request);
    // The request of a button held down, until it is let go.
    const std::optional<NativeMinimizeRequest> &pendingMinimizeHandoff() const { return m_pendingMinimizeHandoff; }
    void setPendingMinimizeHandoff(std::optional<NativeMinimizeRequest> request);
    // Drops the armed request once a third application takes over.
    void handleApplicationActivation(const std::optional<RunningApplication> &activated);

signals:
    // A press in a flyout found `application` in front.
    void flyoutPressed(const Velmora::RunningApplication &application);

private:
    void handOverFocus();
    void giveBack(const RunningApplication &application);
    void postBack(qint32 processIdentifier, const KeyEvent &event);
    bool isFrontmost(const RunningApplication &application) const;
    std::optional<RunningApplication> applicationBelowWindow(quint32 windowID) const;
    void closeHeldWindow(const AXElement &closeButton, quint32 windowID, const RunningApplication &application,
        const RunningApplication &applicationBelow, const KeyEvent &event);
    // Presses the button in the background once the application has left the front.
    void pressHeldButton(const AXElement &button, const NativeMinimizeRequest &request,
        const RunningApplication &application, const KeyEvent &event);
    // Whether the press lies on the armed request's button where it is now:
    // the window may have moved since the request was armed.
    bool pressesArmedButton(const NativeMinimizeRequest &armed, const QPointF &location);

    Services m_services;
    WindowGuard &m_guard;
    const WindowPreviewCache &m_cache;
    bool m_keepsWindowOrder = true;
    std::optional<NativeMinimizeRequest> m_nativeMinimizeRequest;
    std::optional<NativeMinimizeRequest> m_pendingMinimizeHandoff;
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
