#pragma once

#include "app/taskbarwindowcontroller.h"
#include "platform/runningapplication.h"
#include "platform/scheduler.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace Velmora {

class Clock;
class Displays;
class StartupSteps;
class TaskbarStore;
class TaskbarTooltip;
class Workspace;

// Starts the application and keeps one bar on every display: creates the
// panels, follows the screens as they come, go and change, takes a panel out
// of the way of a full-screen window, and remembers which application was
// frontmost before the user reached for our own controls. Everything it
// owns lives until the process ends. Main thread only.
class AppDelegate : public QObject
{
    Q_OBJECT
public:
    // A full-screen window is looked for this often...
    static constexpr qint64 fullScreenPollMs = 2000;
    static constexpr qint64 fullScreenPollToleranceMs = 500;
    // ...and at the display's frame rate for a while after a Space change,
    // while the transition animates.
    static constexpr qint64 fullScreenBurstIntervalMs = 1000 / 60;
    static constexpr qint64 fullScreenBurstMs = 2000;
    // A frontmost change younger than this was caused by the click itself.
    static constexpr qint64 frontmostChangeWindowMs = 1000;

    struct Environment
    {
        Displays &displays;
        Workspace &workspace;
        const Clock &clock;
        Scheduler &scheduler;
        StartupSteps &steps;
        // The displays showing another application's full-screen window.
        std::function<QSet<quint32>()> fullScreenDisplayIDs;
        // Hidden whenever a display is full screen.
        std::function<TaskbarTooltip *()> tooltip = {};
        TaskbarWindowController::ContentFactory barContent = {};
        // Ends the application the ordinary way; by default the event loop's quit.
        std::function<void()> terminate = {};
        // Tells the person that a restart could not start a new instance;
        // by default a message window.
        std::function<void()> reportRestartFailure = {};
    };

    explicit AppDelegate(Environment environment, QObject *parent = nullptr);
    ~AppDelegate() override;

    // The start-up sequence; run once from the event loop.
    void applicationDidFinishLaunching();
    // Opening the running application again brings onboarding forward when
    // it has a window; never anything else.
    bool applicationShouldHandleReopen(bool hasVisibleWindows);

    // The status menu's commands.
    void showOnboardingFromStatusMenu();
    void showSettingsFromStatusMenu();
    // Starts a new instance and ends this one (the store saves the settings
    // first); when no new instance can be started this one keeps running and
    // says so.
    void restartFromStatusMenu();
    // Saves the settings, then ends the application.
    void quitFromStatusMenu();

    // The one store, created on first use.
    TaskbarStore &store();
    bool hasStore() const { return m_store != nullptr; }

    const std::map<quint32, std::unique_ptr<TaskbarWindowController>> &taskbarControllers() const
    {
        return m_taskbarControllers;
    }
    TaskbarWindowController *taskbarController(quint32 displayID) const;

    // Brings the panels in line with the current screens.
    void synchronizeTaskbars();
    // Hides the panels of full-screen displays and brings back the others.
    void refreshTaskbarVisibility();
    // Checks at the frame rate for the next two seconds.
    void monitorFullScreenTransition();
    bool isMonitoringFullScreenTransition() const;

    // The application that was frontmost before the user clicked one of our
    // controls (which may itself have changed the frontmost application).
    std::optional<RunningApplication> frontmostAppBeforeClick() const;
    const std::optional<RunningApplication> &currentFrontmostApp() const { return m_currentFrontmostApp; }
    const std::optional<RunningApplication> &previousFrontmostApp() const { return m_previousFrontmostApp; }

private:
    void observeFrontmostApp();
    void observeFullScreenDisplays();
    void frontmostApplicationChanged(const RunningApplication &application);
    void dismissFlyoutsOn(quint32 displayID);

    Environment m_env;
    TaskbarStore *m_store = nullptr;
    std::map<quint32, std::unique_ptr<TaskbarWindowController>> m_taskbarControllers;
    bool m_observesScreens = false;
    Scheduler::JobId m_fullScreenMonitor = 0;
    Scheduler::JobId m_fullScreenTransitionMonitor = 0;
    qint64 m_transitionDeadlineMs = 0;
    std::optional<RunningApplication> m_currentFrontmostApp;
    std::optional<RunningApplication> m_previousFrontmostApp;
    // The distant past until the first change.
    std::optional<qint64> m_frontmostChangedAtMs;
};

} // namespace Velmora
