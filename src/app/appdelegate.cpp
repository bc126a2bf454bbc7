#include "app/appdelegate.h"

#include "app/startupsteps.h"
#include "app/taskbarpanel.h"
#include "platform/clock.h"
#include "platform/displays.h"
#include "platform/workspace.h"
#include "store/taskbarstore.h"
#include "store/taskbartooltip.h"

#include <QHash>

#include <memory>

namespace Velmora {

AppDelegate::AppDelegate(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(std::move(environment))
    , m_currentFrontmostApp(m_env.workspace.frontmostApplication())
{
}

AppDelegate::~AppDelegate() = default;

TaskbarStore &AppDelegate::store()
{
    if (!m_store)
        m_store = &m_env.steps.createStore();
    return *m_store;
}

TaskbarWindowController *AppDelegate::taskbarController(quint32 displayID) const
{
    const auto it = m_taskbarControllers.find(displayID);
    return it == m_taskbarControllers.end() ? nullptr : it->second.get();
}

void AppDelegate::applicationDidFinishLaunching()
{
    StartupSteps &steps = m_env.steps;
    steps.setAccessoryActivationPolicy();
    steps.installApplicationIcon();
    // A move and relaunch under way: this instance is ending and shows nothing.
    if (steps.offerMoveIfNeeded())
        return;
    steps.startUpdater();
    steps.makeStatusItem();
    steps.enableBackgroundCursor();
    steps.installActivationParking();
    steps.startSystemMonitor();
    observeFrontmostApp();
    observeFullScreenDisplays();
    synchronizeTaskbars();
    refreshTaskbarVisibility();
    if (!steps.isOnboardingCompleted())
        steps.showOnboarding(store());
    if (!m_observesScreens) {
        m_observesScreens = true;
        connect(&m_env.displays, &Displays::screensChanged, this, &AppDelegate::synchronizeTaskbars);
    }
}

bool AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    Q_UNUSED(hasVisibleWindows)
    if (m_env.steps.hasOnboardingWindow())
        m_env.steps.showOnboarding(store());
    return false;
}

void AppDelegate::synchronizeTaskbars()
{
    TaskbarStore &taskbarStore = store();
    const QList<DisplayInfo> screens = m_env.displays.screens();
    const double primaryHeight = screens.isEmpty() ? 0.0 : screens.first().bounds.height();

    QHash<quint32, DisplayInfo> present;
    for (const DisplayInfo &screen : screens) {
        if (screen.displayId != 0 && !present.contains(screen.displayId))
            present.insert(screen.displayId, screen);
    }

    const std::optional<quint32> flyoutDisplay = taskbarStore.flyouts().presentedDisplayID();
    if (flyoutDisplay && !present.contains(*flyoutDisplay))
        taskbarStore.flyouts().dismissFlyouts();

    for (auto it = m_taskbarControllers.begin(); it != m_taskbarControllers.end();) {
        if (present.contains(it->first)) {
            ++it;
            continue;
        }
        std::unique_ptr<TaskbarWindowController> gone = std::move(it->second);
        it = m_taskbarControllers.erase(it);
        gone->window()->close();
    }

    for (const DisplayInfo &screen : screens) {
        const quint32 displayID = screen.displayId;
        if (displayID == 0 || present.value(displayID) != screen)
            continue; // no id, or the second screen with one id
        // A screen that has no geometry yet gets its bar at the next change;
        // one that had a bar keeps it where it was.
        const bool hasGeometry = !screen.frame.isEmpty();
        if (TaskbarWindowController *controller = taskbarController(displayID)) {
            if (hasGeometry)
                controller->setScreen(screen, primaryHeight);
            continue;
        }
        if (!hasGeometry)
            continue;
        auto controller = std::make_unique<TaskbarWindowController>(
            taskbarStore, screen, primaryHeight, displayID, m_env.barContent);
        controller->showWindow();
        m_taskbarControllers.emplace(displayID, std::move(controller));
    }

    refreshTaskbarVisibility();
}

void AppDelegate::refreshTaskbarVisibility()
{
    if (!m_store || m_taskbarControllers.empty())
        return;
    const QSet<quint32> fullScreen = m_env.fullScreenDisplayIDs ? m_env.fullScreenDisplayIDs() : QSet<quint32>();
    for (const auto &[displayID, controller] : m_taskbarControllers) {
        if (fullScreen.contains(displayID)) {
            // Repeated on every refresh while the display stays full screen:
            // a flyout or tooltip opened meanwhile goes too.
            controller->setHiddenForFullScreen(true);
            dismissFlyoutsOn(displayID);
            if (TaskbarTooltip *tooltip = m_env.tooltip ? m_env.tooltip() : nullptr)
                tooltip->hide();
            controller->orderOut();
        } else if (controller->isHiddenForFullScreen()) {
            controller->setHiddenForFullScreen(false);
            controller->placeOnScreen();
            controller->showWindow();
        }
    }
}

void AppDelegate::dismissFlyoutsOn(quint32 displayID)
{
    if (m_store->flyouts().presentedDisplayID() == displayID)
        m_store->flyouts().dismissFlyouts();
}

void AppDelegate::observeFullScreenDisplays()
{
    if (m_fullScreenMonitor != 0)
        return;
    connect(&m_env.workspace, &Workspace::activeSpaceChanged, this, &AppDelegate::monitorFullScreenTransition);
    m_fullScreenMonitor = m_env.scheduler.scheduleRepeating(
        fullScreenPollMs, fullScreenPollToleranceMs, this, [this] { refreshTaskbarVisibility(); });
}

void AppDelegate::monitorFullScreenTransition()
{
    m_env.scheduler.cancel(m_fullScreenTransitionMonitor);
    m_transitionDeadlineMs = m_env.clock.monotonicMs() + fullScreenBurstMs;
    auto self = std::make_shared<Scheduler::JobId>(0);
    *self = m_env.scheduler.scheduleRepeating(fullScreenBurstIntervalMs, 0, this, [this, self] {
        refreshTaskbarVisibility();
        if (m_env.clock.monotonicMs() < m_transitionDeadlineMs)
            return;
        m_env.scheduler.cancel(*self);
        if (m_fullScreenTransitionMonitor == *self)
            m_fullScreenTransitionMonitor = 0;
    });
    m_fullScreenTransitionMonitor = *self;
    refreshTaskbarVisibility();
}

bool AppDelegate::isMonitoringFullScreenTransition() const
{
    return m_fullScreenTransitionMonitor != 0 && m_env.scheduler.isScheduled(m_fullScreenTransitionMonitor);
}

void AppDelegate::observeFrontmostApp()
{
    connect(&m_env.workspace, &Workspace::applicationActivated, this, &AppDelegate::frontmostApplicationChanged,
        Qt::UniqueConnection);
}

void AppDelegate::frontmostApplicationChanged(const RunningApplication &application)
{
    if (m_currentFrontmostApp && m_currentFrontmostApp->processIdentifier == application.processIdentifier)
        return;
    m_previousFrontmostApp = m_currentFrontmostApp;
    m_currentFrontmostApp = application;
    m_frontmostChangedAtMs = m_env.clock.monotonicMs();
    refreshTaskbarVisibility();
}

std::optional<RunningApplication> AppDelegate::frontmostAppBeforeClick() const
{
    const std::optional<RunningApplication> frontmost = m_env.workspace.frontmostApplication();
    const auto pid = [](const std::optional<RunningApplication> &app) {
        return app ? std::optional<qint32>(app->processIdentifier) : std::nullopt;
    };
    if (pid(frontmost) != pid(m_currentFrontmostApp))
        return m_currentFrontmostApp;
    // The click may itself have made this application frontmost a moment ago.
    if (m_frontmostChangedAtMs && m_env.clock.monotonicMs() - *m_frontmostChangedAtMs < frontmostChangeWindowMs)
        return m_previousFrontmostApp;
    return frontmost;
}

} // namespace Velmora
