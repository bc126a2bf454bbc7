#pragma once

#include "platform/runningapplication.h"
#include "store/backgroundtasks.h"

#include <QObject>
#include <QSet>

#include <optional>

namespace Velmora {

class ApplicationMenuActionProvider;
class Clock;
class EventTaps;
class Flyouts;
class OnboardingHost;
class OwnWindows;
class OwnWindowsHost;
class Scheduler;
class TaskbarTooltip;
class WindowActions;
class WindowGuard;
class WindowList;
class WindowPicker;
class WindowPreviewCache;
class WindowPreviewProvider;
class Workspace;
struct AppItem;
struct WindowPreviewItem;
struct ApplicationMenuAction;

// What a click on an app button does, and the operations it ends in:
// launching an application, asking a running one for a window, opening a
// new window through the application's own menu command and waiting for it,
// revealing an application in the file manager. Part of the store; main
// thread only.
class TaskbarClicks : public QObject
{
    Q_OBJECT
public:
    // A new window is looked for every 16 ms; for its first second by window
    // number alone, then by listing the windows; after 3 s the wait gives up.
    // The picker stays open 5 s from the request whatever happens.
    static constexpr qint64 newWindowPollMs = 16;
    static constexpr qint64 newWindowNumbersOnlyMs = 1000;
    static constexpr qint64 newWindowTimeoutMs = 3000;
    static constexpr qint64 keepPickerOpenMs = 5000;

    struct Services
    {
        Workspace &workspace;
        const Clock &clock;
        Scheduler &scheduler;
        // Lists windows and reads window numbers; called from background threads too.
        WindowPreviewProvider &windowPreviews;
        TaskbarTooltip &tooltip;
        // Runs an application's menu command.
        ApplicationMenuActionProvider &menuActions;
        // Each may be left out: what needs it then does nothing.
        const WindowList *windowList = nullptr;
        EventTaps *eventTaps = nullptr;
        OwnWindowsHost *ownWindows = nullptr;
        OnboardingHost *onboarding = nullptr;
        BackgroundTasks::Runner backgroundRunner = {};
    };

    // What a click ends in: the flyouts it closes, the picker it opens, the
    // windows it brings forward, the product's own windows.
    struct Parts
    {
        WindowGuard &guard;
        Flyouts &flyouts;
        WindowPreviewCache &cache;
        WindowPicker &picker;
        WindowActions &windowActions;
        OwnWindows &ownWindows;
    };

    TaskbarClicks(Services services, Parts parts);
    ~TaskbarClicks() override;

    // The primary click on `app`'s button on the display's bar: closes the
    // flyouts, then launches the app, minimizes its only window, hides it,
    // opens its window picker or brings its first window forward.
    void handleTaskbarClick(const AppItem &app, quint32 displayID);
    // Opens an item of the Start menu, a search result or a context menu:
    // the product's own windows open, a running application comes forward,
    // anything else is launched.
    void open(const AppItem &app);
    // Asks the running application to show a window, as opening it again
    // from the file manager would.
    void requestNativeReopen(const RunningApplication &application);
    // Whether the application has an on-screen window of at least 80 by 40 points.
    bool hasOnScreenWindow(const RunningApplication &application) const;
    // Puts the picker into its wait for a new window: a placeholder card,
    // revealed, and the picker kept open.
    void beginAwaitingNewWindow();
    // Runs the application's menu command and waits for the window it opens.
    void openNewWindow(const ApplicationMenuAction &action, const RunningApplication &application);
    // Shows the application's bundle selected in a file manager window.
    void revealApplicationInFinder(const AppItem &app);

    // Brings a running application forward: its first window, else the
    // application itself, else a reopen.
    void bringForward(const RunningApplication &application);

    // Whether a wait for a new window is polling.
    bool isPollingForNewWindow() const { return m_pollJob.has_value(); }

private:
    struct NewWindowWait
    {
        quint64 generation = 0;
        RunningApplication application;
        QSet<quint32> snapshot;
        qint64 startedAtMs = 0; // wall clock
        bool found = false;
    };

    bool openOwnWindow(const AppItem &app, bool fromClick);
    // What the click on a running application's button does, once its
    // windows are known (display order).
    void clickRunningApplication(const AppItem &app, quint32 displayID, const RunningApplication &application,
        const QList<WindowPreviewItem> &previews);
    void launch(const AppItem &app);
    void pollForNewWindow(quint64 generation);
    void newWindowNumbersRead(quint64 generation, const QSet<quint32> &numbers);
    void endNewWindowWait(bool timedOut);
    void fetchNewWindowPreviews();

    Services m_services;
    Parts m_parts;
    std::optional<NewWindowWait> m_wait;
    quint64 m_waitGeneration = 0;
    std::optional<quint64> m_pollJob;
    // Counts clicks: one waiting for its windows is dropped once another came.
    quint64 m_clickGeneration = 0;
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
