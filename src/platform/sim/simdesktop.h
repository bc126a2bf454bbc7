#pragma once

#include "platform/axelement.h"
#include "platform/clock.h"
#include "platform/displayinfo.h"
#include "platform/favoritefolders.h"
#include "platform/inputevents.h"
#include "platform/runningapplication.h"
#include "platform/scheduler.h"
#include "platform/sim/simdesktophost.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simfailure.h"
#include "platform/sim/simlock.h"
#include "platform/sim/siminstalledapplication.h"
#include "platform/sim/simnode.h"
#include "platform/sim/simprocess.h"
#include "platform/sim/simrequest.h"
#include "platform/sim/simwindow.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointF>
#include <QVariantMap>

#include <functional>
#include <optional>
#include <utility>

namespace Velmora::Sim {

class VirtualClock;

// The simulated desktop: one world of processes, windows, their stacking
// order, displays, the Dock's preferences and permissions. The platform
// interfaces of the simulated desktop (SimAccessibility, SimWindowList...)
// are views of this one world, so what accessibility reports and what the
// window list reports never disagree unless a test makes them.
//
// It behaves as the desktop does where the product has to counter it:
// activating an application raises its main window at once and its other
// windows a moment later, in bursts; when the active application's front
// window is minimized or closed, its next window comes to the front; a window
// restored from the Dock activates its application; minimizing shrinks the
// window into the Dock over its animation and closing takes time; a close
// can leave the window open behind a sheet; a hung application answers only
// after the caller's messaging time-out; the Dock takes its strip out of the
// visible frame and can be restarted; full screen moves a window to a Space
// of its own. Each of these is a knob (SimKnobs) with the modelled desktop's
// value; SimProcess::siblingsRise turns the sibling raising off per process.
//
// This class is a thin façade over the parts in SimDesktopParts: the world
// and its stacking order, activation, lifecycle, window transitions, input
// and taps, displays, the Dock, Spaces, the settings pane, the accessibility
// registry, failures and the request log. It owns their one lock (SimLock)
// and, through SimDesktopHost, the scheduler.
//
// Time: every delay runs on the given Scheduler. A synchronous call that has
// to wait for a busy or hung application spends that time through
// `blockingWait`: with a VirtualClock the clock moves forward at once without
// running any job (as a blocked thread would see it: overdue jobs run at the
// next advance), with a real clock the calling thread sleeps.
//
// Threads: every public method may be called from any thread. The lock is
// plain, not recursive: a public method takes it, the parts run with it held
// and never call back into the public methods, and it is never held while
// product code runs. Notifications and delayed effects are delivered on the
// thread the desktop lives on (the main thread), through the scheduler, so
// with a VirtualClock they arrive in advance() or runPending(); what another
// thread set off first hops to the desktop's thread through its event loop
// (a test processes events, then advances the clock).
class SimDesktop : public QObject
{
    Q_OBJECT
public:
    using BlockingWait = std::function<void(qint64 ms)>;
    using Permission = SimPermission;
    using ObserverCallback = SimAccessibilityRegistry::ObserverCallback;
    using MouseTap = SimInput::MouseTap;
    using KeyTap = SimInput::KeyTap;

    static constexpr qint32 DefaultSelfPid = SimWorld::DefaultSelfPid;
    static constexpr double DefaultMessagingTimeoutSeconds = SimAccessibilityRegistry::DefaultMessagingTimeoutSeconds;
    static constexpr QLatin1String DockBundleIdentifier = SimWorld::DockBundleIdentifier;

    SimDesktop(Clock &clock, Scheduler &scheduler, BlockingWait blockingWait, QObject *parent = nullptr);
    explicit SimDesktop(VirtualClock &clock, QObject *parent = nullptr);
    ~SimDesktop() override;

    Clock &clock() const { return m_clock; }
    Scheduler &scheduler() const { return m_scheduler; }

    // --- Setting up the world -------------------------------------------------

    // Removes every process, window, display and preference; keeps the log.
    void clear();

    // This process (the taskbar itself). It is always part of the world, as
    // an accessory application without simulated windows, as the desktop
    // always lists the running process itself.
    qint32 selfPid() const;
    void setSelfPid(qint32 pid);

    // Adds a running process and returns its pid (a new one when `process.pid`
    // is 0). A pid whose process has ended may be given again: that is a new
    // life of the pid, and elements of the old life stay invalid. Returns 0
    // when the pid belongs to a running process.
    qint32 addProcess(SimProcess process);
    // Adds a window in front of every other window of its layer and returns
    // its number (a new one when `window.number` is 0); 0 when the owner is unknown.
    quint32 addWindow(SimWindow window);
    // Destroys a window at once, as its application closing it without asking.
    bool removeWindow(quint32 number);
    void addInstalledApplication(const SimInstalledApplication &application);
    QList<SimInstalledApplication> installedApplications() const;
    // The file manager's favourite folders, in sidebar order.
    void setFavoriteFolders(const QList<FavoriteFolderEntry> &folders);
    QList<FavoriteFolderEntry> favoriteFolders() const;

    std::optional<SimProcess> process(qint32 pid) const;
    QList<SimProcess> processes() const; // in launch order
    std::optional<SimWindow> window(quint32 number) const;
    // Every window, front to back.
    QList<SimWindow> windows() const;
    // Visits every window front to back without copying it, with the world
    // locked: `visit` must not call this desktop.
    void forEachWindow(const std::function<void(const SimWindow &)> &visit) const;
    QList<quint32> stackingOrder() const;
    // Changes a window or a process in place (for tests and scenarios).
    bool updateWindow(quint32 number, const std::function<void(SimWindow &)> &change);
    bool updateProcess(qint32 pid, const std::function<void(SimProcess &)> &change);
    // Replaces the stacking order (front to back); unknown numbers are ignored
    // and windows left out keep their relative order behind the given ones.
    void setStackingOrder(const QList<quint32> &frontToBack);

    void setHung(qint32 pid, bool hung);
    void setBusyFor(qint32 pid, qint64 ms);
    // How much longer the process stays busy; 0 when it is free, hung or gone.
    qint64 busyRemainingMs(qint32 pid) const;

    // The Space every display shows unless it shows a full-screen Space.
    int currentSpace() const;
    // Shows a Space: a full-screen Space on its display, a regular one everywhere.
    void setCurrentSpace(int space);
    int spaceShownOn(quint32 displayId) const;
    // Enters or leaves full screen after the transition (SimKnobs); false
    // when there is nothing to do.
    bool setFullScreen(quint32 number, bool on);
    // The full-screen Spaces, and one added as it was (for scenarios).
    QList<SimFullScreenSpace> fullScreenSpaces() const;
    void addFullScreenSpace(const SimFullScreenSpace &space, bool shown);

    // Displays are given with their bounds (top-left origin, y down); frame
    // and visible frame are derived from them. The first is the primary display.
    QList<DisplayInfo> displays() const;
    void setDisplays(const QList<DisplayInfo> &displays);
    QPointF pointer() const; // top-left origin
    void setPointer(const QPointF &globalPoint);

    bool isAccessibilityTrusted() const;
    void setAccessibilityTrusted(bool trusted);
    Permission screenCaptureAccess() const;
    void setScreenCaptureAccess(Permission permission);
    // What a request does while the permission is not determined.
    void setGrantsScreenCaptureOnRequest(bool grants);
    bool grantsScreenCaptureOnRequest() const;
    // The person at the privacy settings (see SimSettingsPane).
    void setGrantsAccessibilityOnPrompt(bool grants);
    bool grantsAccessibilityOnPrompt() const;
    bool screenCapturePreflight() const;
    bool screenCaptureAwaitsRestart() const;
    // Screen recording granted, waiting for this process to restart (for scenarios).
    void setScreenCaptureAwaitsRestart();
    void grantScreenCaptureInSettings();
    void grantAccessibilityInSettings();
    // This process was started again: the grants waiting for it take effect.
    void relaunch();
    // The person is taken to the system's settings, at the pane named by
    // `anchor` ("Privacy_Accessibility", "Privacy_ScreenCapture", or the
    // Desktop & Dock pane's "com.apple.Desktop-Settings.extension"):
    // systemSettingsOpened() tells whoever draws them.
    void openSystemSettings(const QString &anchor);
    bool reducesMotion() const;
    void setReducesMotion(bool reduces);
    bool postEventAccess() const;
    void setPostEventAccess(bool allowed);

    bool isPrivateFunctionAvailable(const QString &name) const;
    void setPrivateFunctionAvailable(const QString &name, bool available);
    QStringList missingPrivateFunctions() const;

    QVariant preference(const QString &domain, const QString &key) const;
    void setPreference(const QString &domain, const QString &key, const QVariant &value);
    QMap<QString, QVariantMap> preferences() const;

    // How the desktop behaves where the product counters it.
    SimKnobs knobs() const;
    void setKnobs(const SimKnobs &knobs);

    // --- What happens on the desktop ------------------------------------------

    std::optional<qint32> frontmostPid() const;
    // Makes the application frontmost and raises all of its windows, as the
    // desktop does; unhides it first. False when no such application runs.
    bool activate(qint32 pid);
    // Makes the application frontmost without raising any window.
    bool makeFrontmost(qint32 pid);
    // Brings this one window to the front and its application with it; no sibling rises.
    bool focusWindow(quint32 number);
    // Brings this one window to the front of the stack; activation does not change.
    bool raiseWindow(quint32 number);
    // Puts the window in front of its application's other windows only (the
    // application's main window), leaving other applications' windows where they are.
    bool placeInFrontOfSiblings(quint32 number);
    bool moveWindow(quint32 number, const QRectF &bounds);
    bool hide(qint32 pid);
    bool unhide(qint32 pid);
    // Ends the process after its close duration.
    bool terminate(qint32 pid);
    // Ends the process at once (a crash).
    void killProcess(qint32 pid);
    // Ends every process of that name at once, as "killall" does; the system
    // starts the Dock again a moment later (SimKnobs::dockRestartMs).
    void killAll(const QString &name);
    // Starts minimizing, closing or restoring a window; the change lands after
    // the application's duration for it.
    bool beginMinimize(quint32 number);
    bool beginRestore(quint32 number);
    bool beginClose(quint32 number);
    // Answers an open "save changes?" sheet: closing discards the window, cancelling keeps it.
    bool answerSheet(quint32 number, bool close);
    // The private front-process call and the event records that follow it
    // (see SimActivation). False when there is no such process.
    bool frontProcess(qint32 pid, quint32 window, quint32 options);
    void postEventRecord(qint32 pid, const QByteArray &record);
    // Runs a menu or key command of an application ("newWindow", "closeWindow", "minimizeWindow").
    bool runCommand(qint32 pid, const QString &command);
    // Launches an installed application; `completion` runs when it has finished launching.
    void launch(const QString &bundlePath, bool activates, std::function<void(std::optional<qint32> pid)> completion);

    // --- User input ------------------------------------------------------------

    // A key press or release by the user: it passes the key taps (which may
    // swallow it; each answers on the thread that created it), then reaches
    // the frontmost application. True when it reached it.
    bool pressKey(const KeyEvent &event);
    // A key event posted to one process.
    void deliverKey(qint32 pid, const KeyEvent &event);
    // A left button press and release at a global point: the mouse taps see
    // both, then the window under the point handles the click.
    // A press activates the window's application, which brings its windows
    // forward; a release on a title-bar button minimizes, closes or zooms.
    void click(const QPointF &globalPoint);
    // A mouse event: the taps whose mask holds its type hear it.
    void mouseEvent(InputEventType type, const QPointF &globalPoint);
    // Milliseconds on the monotonic clock of the user's last input of `type` (any when unset).
    qint64 lastInputMs(std::optional<InputEventType> type) const;
    // The mouse buttons held down (bit 0 left, 1 right, 2 other) and the
    // user's latest event.
    quint32 pressedMouseButtons() const;
    std::optional<InputEvent> currentEvent() const;
    // Turns every event tap off as the system does when a tap is too slow.
    void disableEventTaps(InputEventType reason);

    // --- Failures and the request log -----------------------------------------

    void injectFailure(const SimFailure &failure);
    void clearFailures();
    QList<SimRequest> requests() const;
    QList<SimRequest> requests(const QString &operation) const;
    void clearRequests();
    // The log is on and holds at most its byte budget (the oldest requests
    // go first); an application that never reads it turns it off.
    bool isRequestLogEnabled() const;
    void setRequestLogEnabled(bool enabled);
    void setRequestLogByteBudget(qsizetype bytes);

    // --- For the views of this world ---------------------------------------------
    // (the platform interfaces in this folder; not for product code)

    // Runs `job` on the desktop's thread `delayMs` from now (while `context` lives, when given).
    void later(qint64 delayMs, std::function<void()> job, QObject *context = nullptr);
    // Waits as a blocked caller would for `pid` to answer within `timeoutMs`.
    // False when the time-out ran out first (the process is hung or busy too long).
    bool waitForAnswer(qint32 pid, qint64 timeoutMs);

    AXElement element(const SimNode &node);
    std::optional<SimNode> resolve(const AXElement &element) const;
    // The node still stands for something that exists.
    bool isLive(const SimNode &node) const;
    AXElement applicationElement(qint32 pid);
    AXElement windowElement(quint32 number);
    double messagingTimeout(const AXElement &element) const;
    double ownMessagingTimeout(const AXElement &element) const;
    void setMessagingTimeout(const AXElement &element, double seconds);

    bool isOnScreen(const SimWindow &window) const;
    // The application's focused window: its frontmost visible window on this Space.
    std::optional<quint32> focusedWindow(qint32 pid) const;
    // The application's windows as accessibility lists them, in its window order.
    QList<quint32> accessibleWindows(qint32 pid) const;
    RunningApplication runningApplication(const SimProcess &process) const;
    // Button rectangles in the title bar (top-left origin).
    static QRectF buttonFrame(const SimWindow &window, SimNode::Kind button);
    // The window of `pid` that a remote token with `remoteElementId` finds.
    std::optional<quint32> windowForRemoteElement(qint32 pid, quint64 remoteElementId) const;
    // The front-most window drawn at a point (layer 0 and above, on screen).
    std::optional<quint32> windowAt(const QPointF &globalPoint) const;

    // Accessibility notifications. An observer registration delivers `name`
    // for `element` to `callback` on `context`'s thread.
    quint64 addObserver(qint32 pid, QObject *context, ObserverCallback callback);
    void removeObserver(quint64 observer);
    AXError addObserverNotification(quint64 observer, const AXElement &element, const QString &name);
    AXError removeObserverNotification(quint64 observer, const AXElement &element, const QString &name);

    // Event taps.
    quint64 addMouseTap(MouseTap tap);
    quint64 addKeyTap(KeyTap tap);
    void removeTap(quint64 tap);
    void setTapEnabled(quint64 tap, bool enabled);
    bool isTapEnabled(quint64 tap) const;

    void postDistributedNotification(const QString &name, const QString &object, const QVariantMap &userInfo);

signals:
    void applicationLaunched(const Velmora::RunningApplication &application);
    void applicationTerminated(const Velmora::RunningApplication &application);
    void applicationActivated(const Velmora::RunningApplication &application);
    void applicationDeactivated(const Velmora::RunningApplication &application);
    void applicationHidden(const Velmora::RunningApplication &application);
    void applicationUnhidden(const Velmora::RunningApplication &application);
    void activeSpaceChanged();
    void displaysChanged();
    void distributedNotificationPosted(const QString &name, const QString &object, const QVariantMap &userInfo);
    // Something in the world changed (for a backdrop that draws it).
    void worldChanged();
    // The system's settings were asked for at `anchor` (see openSystemSettings()).
    void systemSettingsOpened(const QString &anchor);

private:
    friend class SimDesktopAccess;

    // Reached through SimDesktopAccess, which the platform hands to the views.
    template<typename Function>
    decltype(auto) withLock(Function &&function)
    {
        const SimLock::Held held(m_lock);
        return std::forward<Function>(function)(m_parts);
    }
    template<typename Function>
    decltype(auto) withLock(Function &&function) const
    {
        const SimLock::Held held(m_lock);
        return std::forward<Function>(function)(std::as_const(m_parts));
    }

    void log(const QString &operation, qint32 pid, const QString &name, const QVariant &detail = {}, int result = 0);
    std::optional<SimFailure> takeFailure(const QString &operation, const QString &name, qint32 pid);
    // For calls that only succeed or fail: takes an injected failure and logs
    // the call (result -1 when it fails). True when the call is to fail.
    bool refuses(const QString &operation, const QString &name, qint32 pid, const QVariant &detail = {});

    Clock &m_clock;
    Scheduler &m_scheduler;
    BlockingWait m_blockingWait;
    mutable SimLock m_lock;
    SimDesktopHost m_host;
    SimDesktopParts m_parts;
};

} // namespace Velmora::Sim
