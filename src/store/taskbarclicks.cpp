#include "store/taskbarclicks.h"

#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/windowlist.h"
#include "platform/workspace.h"
#include "services/applicationmenuactionprovider.h"
#include "services/minimizebuttonhittest.h"
#include "services/windowpreviewprovider.h"
#include "store/appitem.h"
#include "store/flyouts.h"
#include "store/keystrokes.h"
#include "store/onboardinghost.h"
#include "store/ownwindows.h"
#include "store/ownwindowshost.h"
#include "store/stillrunning.h"
#include "store/taskbartooltip.h"
#include "store/windowactions.h"
#include "store/windowguard.h"
#include "store/windowpicker.h"
#include "store/windowpreviewcache.h"

namespace Velmora {

namespace {

std::optional<QString> localPath(const std::optional<QUrl> &url)
{
    if (url && url->isLocalFile())
        return url->toLocalFile();
    return std::nullopt;
}

} // namespace

TaskbarClicks::TaskbarClicks(Services services, Parts parts)
    : m_services(std::move(services))
    , m_parts(parts)
    , m_background(m_services.backgroundRunner)
{
}

TaskbarClicks::~TaskbarClicks()
{
    if (m_pollJob)
        m_services.scheduler.cancel(*m_pollJob);
    m_background.waitForDone();
}

void TaskbarClicks::handleTaskbarClick(const AppItem &app, quint32 displayID)
{
    const Services &env = m_services;
    env.tooltip.hide();
    const quint64 click = ++m_clickGeneration;
    const bool pickerWasOpen = m_parts.picker.isWindowPickerOpen(app.id, displayID);
    m_parts.flyouts.dismissFlyouts();
    // The click that lands on the button of an open picker only closes it.
    if (pickerWasOpen)
        return;
    if (openOwnWindow(app, true))
        return;

    const QList<RunningApplication> running
        = app.bundleIdentifier ? env.workspace.runningApplications(*app.bundleIdentifier) : QList<RunningApplication>();
    if (running.isEmpty()) {
        open(app);
        return;
    }
    const RunningApplication application = running.first();
    // Windows the application does not list at once arrive from the
    // background; the click then goes on as if they had been there.
    m_parts.cache.withWindowPreviews(
        application, this, [this, app, displayID, application, click](const QList<WindowPreviewItem> &listed) {
            if (click != m_clickGeneration || !isStillRunning(m_services.workspace, application))
                return;
            clickRunningApplication(app, displayID, application, m_parts.picker.orderedWindowPreviews(listed));
        });
}

void TaskbarClicks::clickRunningApplication(const AppItem &app, quint32 displayID,
    const RunningApplication &application, const QList<WindowPreviewItem> &previews)
{
    const Services &env = m_services;
    WindowPicker &picker = m_parts.picker;
    const std::optional<RunningApplication> front = env.workspace.frontmostApplication();
    const bool isFrontmost
        = front && front->processIdentifier == application.processIdentifier && !application.isHidden;
    if (isFrontmost) {
        if (previews.size() == 1) {
            const WindowPreviewItem &only = previews.first();
            const bool onScreen = only.windowID ? m_parts.guard.isOnScreen(*only.windowID) : !only.isMinimized;
            if (onScreen) {
                // A second click on the app in front puts its only window away.
                Keystrokes::postCommandM(env.eventTaps, application.processIdentifier);
                m_parts.cache.refreshWindowPreviewCacheAfterTransition(application);
                return;
            }
        } else if (previews.isEmpty() && hasOnScreenWindow(application)) {
            env.workspace.hide(application.processIdentifier);
            return;
        }
    }
    if (previews.size() >= WindowPicker::pickerThreshold) {
        picker.presentWindowPicker(app, previews, displayID);
        return;
    }
    bringForward(application);
    m_parts.cache.refreshWindowPreviewCacheAfterTransition(application);
}

bool TaskbarClicks::openOwnWindow(const AppItem &app, bool fromClick)
{
    OwnWindowsHost *host = m_services.ownWindows;
    OwnWindows &own = m_parts.ownWindows;
    if (app.id == AppItem::taskManagerID) {
        if (!host)
            return true;
        const std::optional<OwnWindowsHost::Window> window = host->taskManagerWindow();
        if (fromClick && window && own.isFrontmostWindow(*window))
            host->miniaturize(window->number);
        else
            host->presentTaskManager();
        return true;
    }
    if (app.id == AppItem::settingsID) {
        const std::optional<OwnWindowsHost::Window> window = host ? host->settingsWindow() : std::nullopt;
        if (fromClick && window && own.isFrontmostWindow(*window))
            host->miniaturize(window->number);
        else
            own.showSettingsWindow();
        return true;
    }
    if (app.id == AppItem::setupID) {
        if (OnboardingHost *onboarding = m_services.onboarding)
            onboarding->presentOnboarding();
        return true;
    }
    if (app.id == AppItem::ownWindowsID) {
        if (fromClick)
            own.toggleOtherVelmoraWindows();
        else
            own.showOtherVelmoraWindows();
        return true;
    }
    return false;
}

void TaskbarClicks::open(const AppItem &app)
{
    m_parts.flyouts.dismissFlyouts();
    if (openOwnWindow(app, false))
        return;
    if (app.bundleIdentifier) {
        const QList<RunningApplication> running
            = m_services.workspace.runningApplications(*app.bundleIdentifier);
        if (!running.isEmpty()) {
            bringForward(running.first());
            return;
        }
    }
    launch(app);
}

void TaskbarClicks::launch(const AppItem &app)
{
    Workspace &workspace = m_services.workspace;
    std::optional<QString> location = localPath(app.url);
    if (!location && app.bundleIdentifier)
        location = workspace.urlForApplication(*app.bundleIdentifier);
    if (!location)
        return;
    Workspace::OpenConfiguration configuration;
    configuration.activates = true;
    workspace.openApplication(*location, configuration, nullptr, {});
}

void TaskbarClicks::bringForward(const RunningApplication &application)
{
    // Listing another application's windows waits on that application, so it
    // happens in the background; the bar stays responsive meanwhile.
    WindowPreviewProvider &provider = m_services.windowPreviews;
    m_background.run<QList<WindowPreviewItem>>(
        this, [&provider, application] { return provider.windows(application); },
        [this, application](QList<WindowPreviewItem> listed) {
            const QList<WindowPreviewItem> previews = m_parts.picker.orderedWindowPreviews(listed);
            if (!previews.isEmpty()) {
                const bool restoresOnlyWindow = previews.size() == 1 && previews.first().isMinimized;
                m_parts.windowActions.focusRequestedWindow(previews.first(), application, restoresOnlyWindow);
                return;
            }
            Workspace &workspace = m_services.workspace;
            if (application.isHidden)
                workspace.unhide(application.processIdentifier);
            if (hasOnScreenWindow(application))
                workspace.activate(application.processIdentifier, 0);
            else
                requestNativeReopen(application);
        });
}

void TaskbarClicks::requestNativeReopen(const RunningApplication &application)
{
    Workspace &workspace = m_services.workspace;
    std::optional<QString> location;
    if (!application.bundleIdentifier.isEmpty())
        location = workspace.urlForApplication(application.bundleIdentifier);
    if (!location && !application.bundlePath.isEmpty())
        location = application.bundlePath;
    if (!location)
        return;
    Workspace::OpenConfiguration configuration;
    configuration.activates = true;
    configuration.createsNewApplicationInstance = false;
    workspace.openApplication(*location, configuration, this,
        [this, application](std::optional<RunningApplication> answered, const QString &) {
            // The application may have ended while the workspace answered.
            Workspace &workspace = m_services.workspace;
            std::optional<RunningApplication> target = answered;
            if (!target && isStillRunning(m_services.workspace, application))
                target = workspace.application(application.processIdentifier);
            if (!target || target->isTerminated)
                return;
            if (target->isHidden)
                workspace.unhide(target->processIdentifier);
            workspace.activate(target->processIdentifier, 0);
        });
}

bool TaskbarClicks::hasOnScreenWindow(const RunningApplication &application) const
{
    const WindowList *windowList = m_services.windowList;
    if (!windowList)
        return false;
    const std::optional<QList<WindowListEntry>> entries
        = windowList->copyWindowInfo(WindowList::OnScreenExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return false;
    return std::any_of(entries->cbegin(), entries->cend(), [&](const WindowListEntry &entry) {
        const std::optional<QRectF> bounds = entry.bounds();
        // An on-screen window the click counts: layer 0, of a normal window's size.
        return entry.ownerPID() == application.processIdentifier && entry.layer() == 0 && bounds
            && MinimizeButtonHitTest::isNormalSize(*bounds);
    });
}

void TaskbarClicks::beginAwaitingNewWindow()
{
    WindowPicker &picker = m_parts.picker;
    QSet<QString> shown;
    for (const WindowPreviewItem &preview : picker.windowPreviews())
        shown.insert(preview.id);
    picker.setWindowPreviewIDsBeforeNewWindow(shown);
    picker.setKeepWindowPickerOpenUntil(m_services.clock.wallClockMs() + keepPickerOpenMs);
    picker.setAwaitingNewWindow(true);
    picker.setWindowPreviewIDToReveal(QString::fromLatin1(WindowPicker::placeholderPreviewID));
}

void TaskbarClicks::openNewWindow(const ApplicationMenuAction &action, const RunningApplication &application)
{
    const Services &env = m_services;
    beginAwaitingNewWindow();

    // A later request takes over the wait.
    const quint64 generation = ++m_waitGeneration;
    if (m_pollJob) {
        env.scheduler.cancel(*m_pollJob);
        m_pollJob.reset();
    }
    m_wait.reset();
    WindowPreviewProvider &provider = env.windowPreviews;
    const qint32 pid = application.processIdentifier;
    m_background.run<QSet<quint32>>(
        this, [&provider, pid] { return provider.windowServerWindowIDs(pid); },
        [this, generation, application](QSet<quint32> snapshot) {
            if (generation != m_waitGeneration)
                return;
            m_wait = NewWindowWait { generation, application, snapshot, m_services.clock.wallClockMs(), false };
            pollForNewWindow(generation);
        });

    env.tooltip.hide();
    env.menuActions.perform(action, application);
}

void TaskbarClicks::pollForNewWindow(quint64 generation)
{
    if (!m_wait || m_wait->generation != generation)
        return;
    const Services &env = m_services;
    if (env.clock.wallClockMs() - m_wait->startedAtMs >= newWindowTimeoutMs) {
        endNewWindowWait(true);
        return;
    }
    m_pollJob = env.scheduler.scheduleOnce(newWindowPollMs, this, [this, generation] {
        m_pollJob.reset();
        if (!m_wait || m_wait->generation != generation)
            return;
        const WindowPicker &picker = m_parts.picker;
        // The picker closed, or the new window's card arrived.
        if (!picker.windowPickerAppID() || !picker.windowPreviewIDsBeforeNewWindow()) {
            endNewWindowWait(false);
            return;
        }
        if (m_wait->found) {
            fetchNewWindowPreviews();
            pollForNewWindow(generation);
            return;
        }
        WindowPreviewProvider &provider = m_services.windowPreviews;
        const qint32 pid = m_wait->application.processIdentifier;
        m_background.run<QSet<quint32>>(
            this, [&provider, pid] { return provider.windowServerWindowIDs(pid); },
            [this, generation](QSet<quint32> numbers) { newWindowNumbersRead(generation, numbers); });
    });
}

void TaskbarClicks::newWindowNumbersRead(quint64 generation, const QSet<quint32> &numbers)
{
    if (!m_wait || m_wait->generation != generation)
        return;
    const qint64 elapsed = m_services.clock.wallClockMs() - m_wait->startedAtMs;
    // Window numbers are cheap to read; the windows are listed only once a
    // new number shows up, or once a window without one may have.
    if (QSet<quint32>(numbers).subtract(m_wait->snapshot).isEmpty() && elapsed <= newWindowNumbersOnlyMs) {
        pollForNewWindow(generation);
        return;
    }
    m_wait->found = true;
    fetchNewWindowPreviews();
    pollForNewWindow(generation);
}

void TaskbarClicks::fetchNewWindowPreviews()
{
    // One fetch per process at a time: a fetch under way answers this one too.
    m_parts.cache.refreshWindowPreviewCache(m_wait->application, false);
}

void TaskbarClicks::endNewWindowWait(bool timedOut)
{
    m_wait.reset();
    if (!timedOut)
        return;
    WindowPicker &picker = m_parts.picker;
    if (!picker.windowPreviewIDsBeforeNewWindow())
        return;
    picker.setWindowPreviewIDsBeforeNewWindow(std::nullopt);
    picker.setAwaitingNewWindow(false);
    if (picker.windowPreviewIDToReveal() == QString::fromLatin1(WindowPicker::placeholderPreviewID))
        picker.setWindowPreviewIDToReveal(std::nullopt);
}

void TaskbarClicks::revealApplicationInFinder(const AppItem &app)
{
    Workspace &workspace = m_services.workspace;
    std::optional<QString> location = localPath(app.url);
    if (!location && app.bundleIdentifier)
        location = workspace.urlForApplication(*app.bundleIdentifier);
    if (location)
        workspace.activateFileViewerSelecting({ *location });
}

} // namespace Velmora
