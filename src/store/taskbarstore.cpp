#include "store/taskbarstore.h"

#include "platform/accessibility.h"
#include "platform/applicationbundles.h"
#include "platform/scheduler.h"
#include "platform/screencapture.h"
#include "platform/userdefaults.h"
#include "platform/workspace.h"
#include "services/windowworkareaobserver.h"
#include "store/applists.h"
#include "store/finderfavoritesmodel.h"
#include "store/focusrecorder.h"
#include "store/minimizeinterception.h"
#include "store/publish.h"
#include "store/settingswindowhost.h"
#include "store/stillrunning.h"
#include "store/taskmanageropenstate.h"
#include "store/windowguard.h"
#include "store/windowwatchers.h"

#include <QFileInfo>
#include <QSet>

namespace Velmora {

namespace {

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

} // namespace

TaskbarStore::TaskbarStore(UserDefaults &defaults, TaskManagerOpenState *taskManagerOpen, bool observesSystem,
    TaskbarStoreEnvironment environment, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_env(std::move(environment))
    , m_observesSystem(observesSystem)
    , m_flyouts(m_env.finderFavorites)
    , m_permissions({
          .accessibility = m_env.accessibility,
          .windowCapture = m_env.windowCapture,
          .workspace = m_env.workspace,
          .defaults = m_defaults,
          .isOnboardingOpen = [this] { return m_isOnboardingOpen; },
      })
    , m_windowPreviewCache({
          .windowPreviews = m_env.windowPreviews,
          .clock = m_env.clock,
          .scheduler = m_env.scheduler,
          .workspace = m_env.workspace,
          .backgroundRunner = m_env.backgroundRunner,
      })
    , m_customWindowNames(m_env.workspace, m_env.tooltip, m_windowPreviewCache)
    , m_windowPicker(
          {
              .clock = m_env.clock,
              .scheduler = m_env.scheduler,
              .windowPreviews = m_env.windowPreviews,
              .workspace = m_env.workspace,
              .tooltip = m_env.tooltip,
              .focusRecorder = m_env.focusRecorder,
              .backgroundRunner = m_env.backgroundRunner,
          },
          m_flyouts, m_windowPreviewCache, m_customWindowNames)
    , m_thumbnails(
          {
              .windowCapture = m_env.windowCapture,
              .windowPreviews = m_env.windowPreviews,
              .clock = m_env.clock,
              .scheduler = m_env.scheduler,
          },
          m_permissions, m_windowPicker)
    , m_menuActions({
          .menuActions = m_env.menuActions,
          .accessibility = m_env.accessibility,
          .clock = m_env.clock,
          .scheduler = m_env.scheduler,
          .workspace = m_env.workspace,
          .backgroundRunner = m_env.backgroundRunner,
      })
    , m_minimizeTakeover(
          {
              .workspace = m_env.workspace,
              .accessibility = m_env.accessibility,
              .clock = m_env.clock,
              .scheduler = m_env.scheduler,
              .windowPreviews = m_env.windowPreviews,
              .eventTaps = m_env.eventTaps,
              .sleeper = m_env.sleeper,
              .ownWindows = m_env.ownWindows,
              .backgroundRunner = m_env.backgroundRunner,
          },
          windowGuard(), m_windowPreviewCache)
    , m_windowActions(
          {
              .workspace = m_env.workspace,
              .accessibility = m_env.accessibility,
              .clock = m_env.clock,
              .sleeper = m_env.sleeper,
              .dockMinimizedWindows = m_env.dockMinimizedWindows,
              .ownWindows = m_env.ownWindows,
              .eventTaps = m_env.eventTaps,
              .backgroundRunner = m_env.backgroundRunner,
          },
          windowGuard(), m_windowPreviewCache, m_windowPicker, m_minimizeTakeover)
    , m_windowClosing(
          {
              .accessibility = m_env.accessibility,
              .workspace = m_env.workspace,
              .scheduler = m_env.scheduler,
              .tooltip = m_env.tooltip,
              .windowPreviews = m_env.windowPreviews,
              .closeConfirmation = m_env.closeConfirmation,
              .fileIcons = m_env.fileIcons,
              .backgroundRunner = m_env.backgroundRunner,
          },
          m_windowPicker, m_customWindowNames)
    , m_ownWindows({
          .scheduler = m_env.scheduler,
          .settingsWindow = m_env.settingsWindow,
          .ownWindows = m_env.ownWindows,
          .windowList = m_env.windowList,
          .relauncher = m_env.relauncher,
      })
    , m_clicks(
          {
              .workspace = m_env.workspace,
              .clock = m_env.clock,
              .scheduler = m_env.scheduler,
              .windowPreviews = m_env.windowPreviews,
              .tooltip = m_env.tooltip,
              .menuActions = m_env.menuActions,
              .windowList = m_env.windowList,
              .eventTaps = m_env.eventTaps,
              .ownWindows = m_env.ownWindows,
              .onboarding = m_env.onboarding,
              .backgroundRunner = m_env.backgroundRunner,
          },
          {
              .guard = windowGuard(),
              .flyouts = m_flyouts,
              .cache = m_windowPreviewCache,
              .picker = m_windowPicker,
              .windowActions = m_windowActions,
              .ownWindows = m_ownWindows,
          })
{
    wireParts();
    readSettings();
    subscribeToTaskManager(taskManagerOpen ? *taskManagerOpen : m_env.taskManagerWindow);
    updateTaskbarApps();

    connect(&m_env.finderFavorites, &FinderFavoritesModel::favoritesChanged, this,
        &TaskbarStore::finderFavoritesChanged);

    if (!m_observesSystem)
        return;
    m_env.finderFavorites.load();
    refreshRunningApps();
    observeWorkspace();
    observeOpenWindows();
    m_ownWindows.observeOwnWindows();
    startRefreshTimer();
    loadInstalledApps();
}

TaskbarStore::~TaskbarStore()
{
    m_windowWatchers.reset();
    // Connections to the workspace and the Task Manager end with this object;
    // the tick is bound to it as its context, but cancel it outright anyway.
    if (m_windowRefreshTimer)
        m_env.scheduler.cancel(*m_windowRefreshTimer);
}

// ---- Start-up -------------------------------------------------------------

void TaskbarStore::wireParts()
{
    // Closing the flyouts forgets the search, then closes the picker.
    connect(&m_flyouts, &Flyouts::dismissed, this, [this] { setSearchText(QString()); });
    connect(&m_flyouts, &Flyouts::dismissed, &m_windowPicker, &WindowPicker::dismissWindowPicker);

    connect(&m_windowPreviewCache, &WindowPreviewCache::windowPreviewsFetched, &m_windowPicker,
        &WindowPicker::reconcilePresentedWindowPreviews);
    connect(&m_windowPreviewCache, &WindowPreviewCache::thumbnailPrefetchWanted, &m_thumbnails,
        &WindowThumbnails::prefetchThumbnails);
    connect(&m_windowPicker, &WindowPicker::thumbnailsWanted, &m_thumbnails, &WindowThumbnails::loadWindowThumbnails);
    connect(&m_permissions, &Permissions::screenCaptureRequestGranted, &m_thumbnails, [this] {
        if (const std::optional<QString> appID = m_windowPicker.windowPickerAppID())
            m_thumbnails.loadWindowThumbnails(*appID);
    });
    connect(
        &m_customWindowNames, &CustomWindowNames::windowRenamed, &m_windowPicker, &WindowPicker::reorderWindowPreviews);

    connect(&m_minimizeTakeover, &MinimizeTakeover::flyoutPressed, &m_windowActions, &WindowActions::recordFlyoutPress);
    connect(&m_windowActions, &WindowActions::windowAboutToMove, this, [this](const AXElement &window) {
        if (WindowWorkAreaObserver *observer = windowWorkAreaObserver())
            observer->suppressAdjustments(window, WindowActions::workAreaSuppressionMs);
    });

    connect(&m_ownWindows, &OwnWindows::settingsWindowShown, this, [this] { setSettingsWindowOpen(true); });
    connect(&m_ownWindows, &OwnWindows::aboutToRelaunch, this, &TaskbarStore::saveSettings);
    connect(&m_ownWindows, &OwnWindows::otherVelmoraWindowTitleRead, this, &TaskbarStore::setOtherVelmoraWindowTitle);
}

void TaskbarStore::readSettings()
{
    // Values are taken as stored: nothing is written back here, so a value
    // this version cannot read survives for a version that can.
    if (const auto recents = m_defaults.stringListValue(key(SettingsKeys::recentApps))) {
        m_recentAppIdentifiers = AppLists::withoutRepeats(*recents);
        if (m_recentAppIdentifiers.size() > AppLists::maxRecentApps)
            m_recentAppIdentifiers.resize(AppLists::maxRecentApps);
    }

    const auto storedPins = m_defaults.stringListValue(key(SettingsKeys::pinnedApps));
    m_pinnedApps = storedPins ? pinnedApps(*storedPins) : firstLaunchPinnedApps();

    const auto storedStartPins = m_defaults.stringListValue(key(SettingsKeys::startPinnedApps));
    m_startPinnedApps = storedStartPins ? pinnedApps(*storedStartPins) : m_pinnedApps;

    if (const auto order = m_defaults.stringListValue(key(SettingsKeys::taskbarOrder))) {
        m_taskbarAppOrder = AppLists::withoutRepeats(*order);
    } else {
        for (const AppItem &pin : std::as_const(m_pinnedApps))
            m_taskbarAppOrder.append(pin.id);
    }

    if (const auto raw = m_defaults.stringValue(key(SettingsKeys::windowPreviewSortOrder)))
        m_windowPicker.setSortOrder(Velmora::windowPreviewSortOrder(*raw).value_or(WindowPreviewSortOrder::Fixed));
    if (const auto raw = m_defaults.stringValue(key(SettingsKeys::buttonAlignment)))
        m_buttonAlignment = taskbarButtonAlignment(*raw).value_or(TaskbarButtonAlignment::Center);
    m_showStartButton = m_defaults.boolValue(key(SettingsKeys::showStartButton)).value_or(true);
    m_showSearch = m_defaults.boolValue(key(SettingsKeys::showSearchButton)).value_or(true);
    m_minimizeTakeover.setKeepsWindowOrder(m_defaults.boolValue(key(SettingsKeys::keepWindowOrder)).value_or(true));
}

QList<AppItem> TaskbarStore::pinnedApps(const QStringList &identifiers) const
{
    QHash<QString, AppItem> defaultsByBundle;
    for (const AppItem &pin : AppItem::pinnedDefaults())
        defaultsByBundle.insert(*pin.bundleIdentifier, pin);

    QList<AppItem> pins;
    for (const QString &identifier : AppLists::withoutRepeats(identifiers)) {
        // The seven defaults stand even when their application is missing.
        if (const auto found = defaultsByBundle.constFind(identifier); found != defaultsByBundle.cend()) {
            pins.append(*found);
            continue;
        }
        const std::optional<QString> path = applicationLocation(identifier);
        if (!path)
            continue;
        const std::optional<BundleInfo> info = m_env.bundles.info(*path);
        pins.append(AppItem { identifier, ApplicationBundles::displayName(*path, info), identifier,
            QUrl::fromLocalFile(*path), false, std::nullopt });
    }
    return pins;
}

std::optional<QString> TaskbarStore::applicationLocation(const QString &bundleIdentifier) const
{
    return m_env.workspace.urlForApplication(bundleIdentifier);
}

QList<AppItem> TaskbarStore::firstLaunchPinnedApps()
{
    if (m_observesSystem && m_env.dockPinnedBundleIdentifiers) {
        const QList<AppItem> dockPins = pinnedApps(m_env.dockPinnedBundleIdentifiers());
        const bool holdsMoreThanFinder = std::any_of(dockPins.cbegin(), dockPins.cend(),
            [](const AppItem &pin) { return pin.bundleIdentifier != QLatin1String(AppLists::finderBundleIdentifier); });
        if (holdsMoreThanFinder) {
            m_defaults.setValue(key(SettingsKeys::pinnedApps), AppLists::bundleIdentifiers(dockPins));
            return dockPins;
        }
    }
    // Nothing is stored, so a later start asks the Dock again.
    return AppItem::pinnedDefaults();
}

void TaskbarStore::subscribeToTaskManager(TaskManagerOpenState &state)
{
    setTaskManagerOpen(state.isOpen());
    connect(&state, &TaskManagerOpenState::isOpenChanged, this, &TaskbarStore::setTaskManagerOpen);
}

void TaskbarStore::observeWorkspace()
{
    Workspace *workspace = &m_env.workspace;
    // Queued, so the store reacts after the notification's other receivers have run.
    const auto refreshObserved = [this] {
        if (WindowWorkAreaObserver *observer = windowWorkAreaObserver())
            observer->refreshApplications();
    };
    connect(
        workspace, &Workspace::applicationLaunched, this,
        [this, refreshObserved] {
            refreshRunningApps();
            refreshObserved();
            refreshWindowWorkAreas();
        },
        Qt::QueuedConnection);
    connect(
        workspace, &Workspace::applicationTerminated, this,
        [this, refreshObserved] {
            refreshRunningApps();
            refreshObserved();
        },
        Qt::QueuedConnection);
    connect(
        workspace, &Workspace::applicationActivated, this,
        [this, refreshObserved](const RunningApplication &application) {
            refreshRunningApps();
            refreshObserved();
            m_env.focusRecorder.recordFocusedWindow(application.processIdentifier);
            recordRecentApp(application);
            m_menuActions.refreshIncompleteMenuActions(application);
            handleApplicationActivation(application);
        },
        Qt::QueuedConnection);
}

void TaskbarStore::observeOpenWindows()
{
    if (!m_env.eventTaps || !m_env.windowList || !m_env.displays)
        return;
    m_windowWatchers = std::make_unique<WindowWatchers>(
        WindowWatchers::Services {
            .eventTaps = *m_env.eventTaps,
            .workspace = m_env.workspace,
            .accessibility = m_env.accessibility,
            .displays = *m_env.displays,
            .windowList = *m_env.windowList,
            .clock = m_env.clock,
            .scheduler = m_env.scheduler,
        },
        m_minimizeTakeover, windowGuard(), m_permissions,
        WindowWatchers::Reports {
            .workAreas =
                [this](int inspected, int adjusted) {
                    setInspectedWindowCount(inspected);
                    setAdjustedWindowCount(adjusted);
                },
            .finderHasWindows = [this](bool hasWindows) { setFinderHasWindows(hasWindows); },
        });
    startMinimizeInterceptorIfTrusted();
}

WindowWorkAreaObserver *TaskbarStore::windowWorkAreaObserver() const
{
    return m_windowWatchers ? &m_windowWatchers->workAreaObserver() : nullptr;
}

void TaskbarStore::refreshWindowWorkAreas()
{
    if (m_windowWatchers)
        m_windowWatchers->refreshWindowWorkAreas();
}

void TaskbarStore::startRefreshTimer()
{
    m_windowRefreshTimer
        = m_env.scheduler.scheduleRepeating(refreshIntervalMs, refreshToleranceMs, this, [this] { refreshTick(); });
}

void TaskbarStore::refreshTick()
{
    refreshRunningApps();
    refreshSettingsWindowState();
    m_ownWindows.refreshOtherVelmoraWindows();
    refreshWindowWorkAreaMonitoring();
}

void TaskbarStore::refreshSettingsWindowState()
{
    setSettingsWindowOpen(m_env.settingsWindow.isSettingsWindowOpen());
}

void TaskbarStore::refreshWindowWorkAreaMonitoring()
{
    const bool wasTrusted = m_permissions.isAccessibilityTrusted();
    m_permissions.refreshAccessibilityTrust();
    if (WindowWorkAreaObserver *observer = windowWorkAreaObserver())
        observer->refreshApplications();
    // A permission granted while the bar runs takes effect within one tick.
    startMinimizeInterceptorIfTrusted();
    if (!wasTrusted && m_permissions.isAccessibilityTrusted())
        refreshWindowWorkAreas();
}

QList<FinderFavorite> TaskbarStore::finderFavorites() const
{
    // The model is read only by this store: at creation when it observes the
    // system, and by each refresh.
    return m_env.finderFavorites.favorites();
}

void TaskbarStore::refreshFinderFavorites()
{
    m_env.finderFavorites.refresh();
}

// ---- Running apps and the bar --------------------------------------------

QList<RunningApplication> TaskbarStore::regularApplications() const
{
    QList<RunningApplication> regular;
    for (const RunningApplication &application : m_env.workspace.runningApplications()) {
        if (application.activationPolicy == ActivationPolicy::Regular && !application.bundleIdentifier.isEmpty()
            && application.bundleIdentifier != m_env.ownBundleIdentifier)
            regular.append(application);
    }
    return regular;
}

void TaskbarStore::refreshRunningApps()
{
    if (!m_observesSystem)
        return;
    const QList<RunningApplication> regular = regularApplications();
    QList<AppLists::RunningProcess> processes;
    processes.reserve(regular.size());
    for (const RunningApplication &application : regular) {
        processes.append(AppLists::RunningProcess { application.processIdentifier, application.bundleIdentifier,
            application.localizedName.isEmpty() ? std::nullopt : std::optional<QString>(application.localizedName),
            application.bundlePath });
    }
    if (processes != m_runningProcesses) {
        m_runningProcesses = processes;
        setRunningApps(AppLists::runningAppItems(processes));
    }
    // Every process of a running application keeps its caches, not only the
    // one the bar shows.
    QSet<qint32> running;
    running.reserve(regular.size());
    for (const RunningApplication &application : regular)
        running.insert(application.processIdentifier);
    m_windowPreviewCache.retainProcesses(running);
    m_thumbnails.retainProcesses(running);
    m_windowPicker.ordering().retainProcesses(running);
    m_customWindowNames.retainProcesses(running);
    m_menuActions.refreshApplicationMenuActionCache(regular);
    m_env.focusRecorder.refreshApplications(regular);
    // Finder's events reach only the process being watched: a Finder that
    // started since is found here.
    if (m_windowWatchers)
        m_windowWatchers->refreshFinderWindows();
}

void TaskbarStore::updateTaskbarApps()
{
    AppLists::BarInputs inputs;
    inputs.pinnedApps = m_pinnedApps;
    inputs.runningApps = m_runningApps;
    inputs.finderHasWindows = m_finderHasWindows;
    inputs.isSettingsWindowOpen = m_isSettingsWindowOpen;
    inputs.isOnboardingOpen = m_isOnboardingOpen;
    inputs.otherVelmoraWindowTitle = m_otherVelmoraWindowTitle;
    inputs.isTaskManagerOpen = m_isTaskManagerOpen;
    inputs.order = m_taskbarAppOrder;
    publish(this, m_taskbarApps, AppLists::taskbarApps(inputs), &TaskbarStore::taskbarAppsChanged);
}

template<typename T> void TaskbarStore::publishBarInput(T &field, const T &value, void (TaskbarStore::*changed)())
{
    if (publish(this, field, value, changed))
        updateTaskbarApps();
}

void TaskbarStore::reorderTaskbarApps(const QStringList &leadingIDs)
{
    setTaskbarAppOrder(AppLists::reorderedTaskbarOrder(leadingIDs, taskbarApps(), m_taskbarAppOrder));
}

void TaskbarStore::finishTaskbarAppMove()
{
    m_defaults.setValue(key(SettingsKeys::taskbarOrder), m_taskbarAppOrder);
    setPinnedApps(AppLists::pinsInBarOrder(m_pinnedApps, taskbarApps()));
    savePinnedApps();
}

bool TaskbarStore::isAppRunning(const AppItem &app) const
{
    if (!app.bundleIdentifier || app.isRunning)
        return app.isRunning;
    return std::any_of(m_runningApps.cbegin(), m_runningApps.cend(),
        [&](const AppItem &running) { return running.bundleIdentifier == app.bundleIdentifier; });
}

bool TaskbarStore::isStillRunning(const RunningApplication &application) const
{
    return Velmora::isStillRunning(m_env.workspace, application);
}

// ---- Pins, recents, installed apps and search -----------------------------

bool TaskbarStore::isPinned(const AppItem &app) const
{
    return std::any_of(
        m_pinnedApps.cbegin(), m_pinnedApps.cend(), [&](const AppItem &pin) { return AppLists::matchesPin(pin, app); });
}

void TaskbarStore::pin(const AppItem &app)
{
    if (isPinned(app) || !app.bundleIdentifier)
        return;
    setPinnedApps(m_pinnedApps + QList<AppItem> { AppLists::pinFor(app) });
    if (!m_taskbarAppOrder.contains(app.id)) {
        setTaskbarAppOrder(m_taskbarAppOrder + QStringList { app.id });
        m_defaults.setValue(key(SettingsKeys::taskbarOrder), m_taskbarAppOrder);
    }
    savePinnedApps();
}

void TaskbarStore::unpin(const AppItem &app)
{
    QList<AppItem> kept = m_pinnedApps;
    kept.removeIf([&](const AppItem &pin) { return AppLists::matchesPin(pin, app); });
    setPinnedApps(kept);
    savePinnedApps();
}

bool TaskbarStore::isPinnedToStart(const AppItem &app) const
{
    if (!app.bundleIdentifier)
        return false;
    return std::any_of(m_startPinnedApps.cbegin(), m_startPinnedApps.cend(),
        [&](const AppItem &pin) { return pin.bundleIdentifier == app.bundleIdentifier; });
}

void TaskbarStore::pinToStart(const AppItem &app)
{
    if (isPinnedToStart(app) || !app.bundleIdentifier)
        return;
    setStartPinnedApps(m_startPinnedApps + QList<AppItem> { AppLists::pinFor(app) });
    saveStartPinnedApps();
}

void TaskbarStore::unpinFromStart(const AppItem &app)
{
    if (!app.bundleIdentifier)
        return;
    QList<AppItem> kept = m_startPinnedApps;
    kept.removeIf([&](const AppItem &pin) { return pin.bundleIdentifier == app.bundleIdentifier; });
    setStartPinnedApps(kept);
    saveStartPinnedApps();
}

void TaskbarStore::reorderStartPinnedApps(const QStringList &ids)
{
    const QList<AppItem> reordered = AppLists::reorderedStartPins(m_startPinnedApps, ids);
    if (reordered == m_startPinnedApps)
        return;
    setStartPinnedApps(reordered);
    saveStartPinnedApps();
}

void TaskbarStore::savePinnedApps()
{
    m_defaults.setValue(key(SettingsKeys::pinnedApps), AppLists::bundleIdentifiers(m_pinnedApps));
}

void TaskbarStore::saveStartPinnedApps()
{
    m_defaults.setValue(key(SettingsKeys::startPinnedApps), AppLists::bundleIdentifiers(m_startPinnedApps));
}

void TaskbarStore::recordRecentApp(const RunningApplication &application)
{
    if (application.activationPolicy != ActivationPolicy::Regular || application.bundleIdentifier.isEmpty()
        || application.bundleIdentifier == m_env.ownBundleIdentifier)
        return;
    const QStringList updated = AppLists::recentsAfterActivation(m_recentAppIdentifiers, application.bundleIdentifier);
    if (updated == m_recentAppIdentifiers)
        return;
    setRecentAppIdentifiers(updated);
    m_defaults.setValue(key(SettingsKeys::recentApps), m_recentAppIdentifiers);
}

std::optional<AppItem> TaskbarStore::resolvedRecentApp(
    const QString &bundleIdentifier, const QHash<QString, AppItem> &installedByBundle) const
{
    if (const auto found = installedByBundle.constFind(bundleIdentifier); found != installedByBundle.cend())
        return *found;
    const std::optional<QString> path = applicationLocation(bundleIdentifier);
    if (!path)
        return std::nullopt;
    // Only the extension goes: "My.apple.app" is "My.apple", not "Myle".
    QString name = QFileInfo(*path).fileName();
    if (name.endsWith(QLatin1String(".app")))
        name.chop(4);
    return AppItem { bundleIdentifier, name, bundleIdentifier, QUrl::fromLocalFile(*path), false, std::nullopt };
}

QList<AppItem> TaskbarStore::recentApps() const
{
    QHash<QString, AppItem> installedByBundle;
    for (const AppItem &app : m_installedApps) {
        if (app.bundleIdentifier && !installedByBundle.contains(*app.bundleIdentifier))
            installedByBundle.insert(*app.bundleIdentifier, app);
    }
    QList<AppItem> recents;
    for (const QString &identifier : AppLists::recentCandidates(m_recentAppIdentifiers, m_runningApps)) {
        if (auto app = resolvedRecentApp(identifier, installedByBundle))
            recents.append(std::move(*app));
    }
    return recents;
}

QList<AppItem> TaskbarStore::searchResults() const
{
    return AppLists::searchResults(m_installedApps, m_storedSearchText);
}

void TaskbarStore::loadInstalledApps()
{
    if (!m_installedAppsLoader) {
        m_installedAppsLoader = std::make_unique<InstalledAppsLoader>(m_env.bundles);
        connect(m_installedAppsLoader.get(), &InstalledAppsLoader::loaded, this, &TaskbarStore::setInstalledApps);
    }
    std::optional<QUrl> finder;
    if (const auto path = applicationLocation(QString::fromLatin1(AppLists::finderBundleIdentifier)))
        finder = QUrl::fromLocalFile(*path);
    m_installedAppsLoader->load(m_env.applicationFolders, finder);
}

// ---- Search ----------------------------------------------------------------

void TaskbarStore::setSearchText(const QString &text)
{
    publish(this, m_storedSearchText, text, &TaskbarStore::searchTextChanged);
}

// ---- Settings --------------------------------------------------------------

void TaskbarStore::setButtonAlignment(TaskbarButtonAlignment alignment)
{
    publish(this, m_buttonAlignment, alignment, &TaskbarStore::buttonAlignmentChanged);
    m_defaults.setValue(key(SettingsKeys::buttonAlignment), rawValue(alignment));
}

void TaskbarStore::setShowStartButton(bool show)
{
    publish(this, m_showStartButton, show, &TaskbarStore::showStartButtonChanged);
    m_defaults.setValue(key(SettingsKeys::showStartButton), show);
    // The Start menu hangs off the Start button; without the button it cannot stay.
    if (!show && m_flyouts.isStartMenuPresented())
        m_flyouts.dismissFlyouts();
}

void TaskbarStore::setShowSearch(bool show)
{
    publish(this, m_showSearch, show, &TaskbarStore::showSearchChanged);
    m_defaults.setValue(key(SettingsKeys::showSearchButton), show);
}

void TaskbarStore::setKeepWindowOrder(bool keep)
{
    if (keep == m_minimizeTakeover.keepsWindowOrder())
        return;
    m_minimizeTakeover.setKeepsWindowOrder(keep);
    emit keepWindowOrderChanged();
    m_defaults.setValue(key(SettingsKeys::keepWindowOrder), keep);
    applyWindowOrderingPreference();
}

void TaskbarStore::setWindowPreviewSortOrder(WindowPreviewSortOrder order)
{
    if (order == m_windowPicker.sortOrder())
        return;
    m_windowPicker.setSortOrder(order);
    emit windowPreviewSortOrderChanged();
    m_defaults.setValue(key(SettingsKeys::windowPreviewSortOrder), rawValue(order));
    // An open picker re-sorts at once.
    m_windowPicker.reorderWindowPreviews();
}

bool TaskbarStore::saveSettings()
{
    const std::pair<const char *, QVariant> values[] = {
        {SettingsKeys::buttonAlignment, rawValue(buttonAlignment())},
        {SettingsKeys::showStartButton, showStartButton()},
        {SettingsKeys::showSearchButton, showSearch()},
        {SettingsKeys::keepWindowOrder, keepWindowOrder()},
        {SettingsKeys::windowPreviewSortOrder, rawValue(windowPreviewSortOrder())},
        {SettingsKeys::pinnedApps, AppLists::bundleIdentifiers(pinnedApps())},
        {SettingsKeys::startPinnedApps, AppLists::bundleIdentifiers(startPinnedApps())},
        {SettingsKeys::taskbarOrder, taskbarAppOrder()},
        {SettingsKeys::recentApps, recentAppIdentifiers()},
    };
    bool saved = true;
    for (const auto &[name, value] : values)
        saved = m_defaults.setValue(key(name), value) && saved;
    return saved;
}

void TaskbarStore::applyWindowOrderingPreference()
{
    if (m_minimizeTakeover.keepsWindowOrder()) {
        startMinimizeInterceptorIfTrusted();
        return;
    }
    m_env.minimizeInterception.stop();
    if (m_windowWatchers)
        m_windowWatchers->stopTaps();
    m_minimizeTakeover.setNativeMinimizeRequest(std::nullopt);
    m_minimizeTakeover.setPendingMinimizeHandoff(std::nullopt);
}

void TaskbarStore::startMinimizeInterceptorIfTrusted()
{
    if (m_minimizeTakeover.keepsWindowOrder() && m_env.accessibility.isProcessTrusted()) {
        m_env.minimizeInterception.start();
        if (m_windowWatchers)
            m_windowWatchers->startTaps();
    }
}

// ---- Own windows -----------------------------------------------------------

WindowGuard &TaskbarStore::windowGuard() const
{
    return m_env.windowGuard ? *m_env.windowGuard : WindowGuard::inert();
}

void TaskbarStore::presentOnboarding()
{
    if (m_env.onboarding)
        m_env.onboarding->presentOnboarding();
}

// ---- Plain setters -----------------------------------------------------------

void TaskbarStore::setFinderHasWindows(bool hasWindows)
{
    publishBarInput(m_finderHasWindows, hasWindows, &TaskbarStore::finderHasWindowsChanged);
}

void TaskbarStore::setSettingsWindowOpen(bool open)
{
    publishBarInput(m_isSettingsWindowOpen, open, &TaskbarStore::isSettingsWindowOpenChanged);
}

void TaskbarStore::setOnboardingOpen(bool open)
{
    publishBarInput(m_isOnboardingOpen, open, &TaskbarStore::isOnboardingOpenChanged);
}

void TaskbarStore::setOtherVelmoraWindowTitle(const std::optional<QString> &title)
{
    publishBarInput(m_otherVelmoraWindowTitle, title, &TaskbarStore::otherVelmoraWindowTitleChanged);
}

void TaskbarStore::setInspectedWindowCount(int count)
{
    publish(this, m_inspectedWindowCount, count, &TaskbarStore::inspectedWindowCountChanged);
}

void TaskbarStore::setAdjustedWindowCount(int count)
{
    publish(this, m_adjustedWindowCount, count, &TaskbarStore::adjustedWindowCountChanged);
}

void TaskbarStore::setPinnedApps(const QList<AppItem> &pins)
{
    publishBarInput(m_pinnedApps, pins, &TaskbarStore::pinnedAppsChanged);
}

void TaskbarStore::setStartPinnedApps(const QList<AppItem> &pins)
{
    publish(this, m_startPinnedApps, pins, &TaskbarStore::startPinnedAppsChanged);
}

void TaskbarStore::setTaskbarAppOrder(const QStringList &order)
{
    publishBarInput(m_taskbarAppOrder, order, &TaskbarStore::taskbarAppOrderChanged);
}

void TaskbarStore::setRunningApps(const QList<AppItem> &apps)
{
    publishBarInput(m_runningApps, apps, &TaskbarStore::runningAppsChanged);
}

void TaskbarStore::setInstalledApps(const QList<AppItem> &apps)
{
    publish(this, m_installedApps, apps, &TaskbarStore::installedAppsChanged);
}

void TaskbarStore::setRecentAppIdentifiers(const QStringList &ids)
{
    publish(this, m_recentAppIdentifiers, ids, &TaskbarStore::recentAppIdentifiersChanged);
}

void TaskbarStore::setTaskManagerOpen(bool open)
{
    publishBarInput(m_isTaskManagerOpen, open, &TaskbarStore::isTaskManagerOpenChanged);
}

} // namespace Velmora
