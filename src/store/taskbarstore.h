#pragma once

#include "platform/runningapplication.h"
#include "store/appitem.h"
#include "store/backgroundtasks.h"
#include "store/applists.h"
#include "store/customwindownames.h"
#include "store/finderfavorite.h"
#include "store/flyouts.h"
#include "store/installedapps.h"
#include "store/menuactioncache.h"
#include "store/minimizetakeover.h"
#include "store/nativeminimizerequest.h"
#include "store/onboardinghost.h"
#include "store/ownwindows.h"
#include "store/permissions.h"
#include "store/storesettings.h"
#include "store/taskbarclicks.h"
#include "store/windowactions.h"
#include "store/windowclosing.h"
#include "store/windowpicker.h"
#include "store/windowpreviewcache.h"
#include "store/windowthumbnails.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace Velmora {

class Accessibility;
class ApplicationBundles;
class ApplicationMenuActionProvider;
class Clock;
class Displays;
class DockMinimizedWindows;
class EventTaps;
class FileIcons;
class FinderFavoritesModel;
class FocusRecorder;
class MinimizeInterception;
class OnboardingHost;
class OwnWindowsHost;
class Relauncher;
class Scheduler;
class SettingsWindowHost;
class Sleeper;
class TaskbarTooltip;
class TaskManagerOpenState;
class UserDefaults;
class WindowCapture;
class WindowCloseConfirmation;
class WindowGuard;
class WindowList;
class WindowPreviewProvider;
class WindowWatchers;
class WindowWorkAreaObserver;
class Workspace;

// What the store reaches of the rest of the system. The services are always
// there; none is owned, and each must outlive the store.
struct TaskbarStoreEnvironment
{
    Workspace &workspace;
    const Clock &clock;
    Scheduler &scheduler;
    const ApplicationBundles &bundles;
    Accessibility &accessibility;
    // Lists other applications' windows; called from background threads too.
    WindowPreviewProvider &windowPreviews;
    WindowCapture &windowCapture;
    // Walks other applications' menu bars; called from background threads.
    ApplicationMenuActionProvider &menuActions;
    FocusRecorder &focusRecorder;
    // The user's favourite folders; read at start-up by a store that observes the system.
    FinderFavoritesModel &finderFavorites;
    SettingsWindowHost &settingsWindow;
    MinimizeInterception &minimizeInterception;
    TaskbarTooltip &tooltip;
    // The Task Manager window's open state, used when the store is given none.
    TaskManagerOpenState &taskManagerWindow;
    // The applications pinned in the Dock, Finder first; read for a first
    // launch's pins. Without it a first launch takes the default pins.
    std::function<QStringList()> dockPinnedBundleIdentifiers = {};
    QStringList applicationFolders = defaultApplicationFolders();
    // This application's own bundle identifier: it never lists itself.
    QString ownBundleIdentifier = {};
    // Where background work runs; empty means the store's own threads.
    BackgroundTasks::Runner backgroundRunner = {};

    // What the clicks and the window actions drive. Each may be left out:
    // what needs it then does nothing (or, for the guard, falls back to the
    // public calls).
    const WindowList *windowList = nullptr;
    const Displays *displays = nullptr;
    EventTaps *eventTaps = nullptr;
    // Pauses of the background waits for another application.
    Sleeper *sleeper = nullptr;
    WindowGuard *windowGuard = nullptr;
    DockMinimizedWindows *dockMinimizedWindows = nullptr;
    // Icons of the applications whose windows the close confirmation names.
    FileIcons *fileIcons = nullptr;
    // Implemented by the application layer.
    OwnWindowsHost *ownWindows = nullptr;
    // Shows onboarding; without it the setup button does nothing.
    OnboardingHost *onboarding = nullptr;
    WindowCloseConfirmation *closeConfirmation = nullptr;
    Relauncher *relauncher = nullptr;
};

// The one observable model of the taskbar, and the one object views see. It
// holds the app lists and the bar's order, the settings and the state of the
// product's own windows, and owns the parts that keep the rest, each with its
// own published state. Used on the main thread only. Published values notify
// through their change signal, and only when the value really changed.
//
// How the parts are wired: each takes the services it calls and the parts
// below it, by reference, and is built after them, in this order:
//   Flyouts             which flyout is open, and where
//   Permissions         Accessibility and Screen Recording
//   WindowPreviewCache  each process's last window list
//   CustomWindowNames   the user's names for windows (cache)
//   WindowPicker        the open picker's cards, their order and sort order
//                       (flyouts, cache, names)
//   WindowThumbnails    the cards' images (permissions, picker)
//   MenuActionCache     the applications' menu commands
//   MinimizeTakeover    "Keep window order" and the minimize requests (cache)
//   WindowActions       focus, restore, minimize (cache, picker, takeover)
//   WindowClosing       closing windows from the picker (picker, names)
//   OwnWindows          the product's own windows, the settings window's size
//   TaskbarClicks       what a click does (flyouts, cache, picker, window
//                       actions, own windows)
//   WindowWatchers      the taps and watchers, while the system is observed
//                       (takeover, permissions)
// Nothing calls upwards: where a lower part has news for a higher one or for
// this store it sends a signal, and this store connects it (wireParts): the
// flyouts closing close the picker and clear the search; a fresh window list
// reaches the picker and the thumbnails; the picker asks for its images; the
// own windows report the settings window and the windows button's title.
class TaskbarStore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<Velmora::AppItem> pinnedApps READ pinnedApps NOTIFY pinnedAppsChanged)
    Q_PROPERTY(QList<Velmora::AppItem> startPinnedApps READ startPinnedApps NOTIFY startPinnedAppsChanged)
    Q_PROPERTY(QStringList taskbarAppOrder READ taskbarAppOrder NOTIFY taskbarAppOrderChanged)
    Q_PROPERTY(QList<Velmora::AppItem> runningApps READ runningApps NOTIFY runningAppsChanged)
    Q_PROPERTY(QList<Velmora::AppItem> taskbarApps READ taskbarApps NOTIFY taskbarAppsChanged)
    Q_PROPERTY(bool finderHasWindows READ finderHasWindows WRITE setFinderHasWindows NOTIFY finderHasWindowsChanged)
    Q_PROPERTY(QList<Velmora::AppItem> installedApps READ installedApps NOTIFY installedAppsChanged)
    Q_PROPERTY(QList<Velmora::FinderFavorite> finderFavorites READ finderFavorites NOTIFY finderFavoritesChanged)
    Q_PROPERTY(QStringList recentAppIdentifiers READ recentAppIdentifiers NOTIFY recentAppIdentifiersChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(Velmora::TaskbarButtonAlignment buttonAlignment READ buttonAlignment WRITE setButtonAlignment NOTIFY
            buttonAlignmentChanged)
    Q_PROPERTY(bool showStartButton READ showStartButton WRITE setShowStartButton NOTIFY showStartButtonChanged)
    Q_PROPERTY(bool showSearch READ showSearch WRITE setShowSearch NOTIFY showSearchChanged)
    Q_PROPERTY(bool keepWindowOrder READ keepWindowOrder WRITE setKeepWindowOrder NOTIFY keepWindowOrderChanged)
    Q_PROPERTY(bool isSettingsWindowOpen READ isSettingsWindowOpen WRITE setSettingsWindowOpen NOTIFY
            isSettingsWindowOpenChanged)
    Q_PROPERTY(bool isOnboardingOpen READ isOnboardingOpen WRITE setOnboardingOpen NOTIFY isOnboardingOpenChanged)
    Q_PROPERTY(std::optional<QString> otherVelmoraWindowTitle READ otherVelmoraWindowTitle WRITE
            setOtherVelmoraWindowTitle NOTIFY otherVelmoraWindowTitleChanged)
    Q_PROPERTY(bool isTaskManagerOpen READ isTaskManagerOpen NOTIFY isTaskManagerOpenChanged)
    Q_PROPERTY(Velmora::WindowPreviewSortOrder windowPreviewSortOrder READ windowPreviewSortOrder WRITE
            setWindowPreviewSortOrder NOTIFY windowPreviewSortOrderChanged)
    Q_PROPERTY(int inspectedWindowCount READ inspectedWindowCount WRITE setInspectedWindowCount NOTIFY
            inspectedWindowCountChanged)
    Q_PROPERTY(
        int adjustedWindowCount READ adjustedWindowCount WRITE setAdjustedWindowCount NOTIFY adjustedWindowCountChanged)

public:
    // The refresh tick: running apps and the own windows' state are re-read
    // this often; the tolerance lets the system batch the wake-up.
    static constexpr qint64 refreshIntervalMs = 5000;
    static constexpr qint64 refreshToleranceMs = 1000;

    // `taskManagerOpen` is the Task Manager's open state, or null for the
    // environment's. With `observesSystem` false the store is a passive model:
    // it watches nothing, starts no timer and lists no running or installed apps.
    TaskbarStore(UserDefaults &defaults, TaskManagerOpenState *taskManagerOpen, bool observesSystem,
        TaskbarStoreEnvironment environment, QObject *parent = nullptr);
    ~TaskbarStore() override;

    // The parts.
    Flyouts &flyouts() { return m_flyouts; }
    const Flyouts &flyouts() const { return m_flyouts; }
    Permissions &permissions() { return m_permissions; }
    const Permissions &permissions() const { return m_permissions; }
    WindowPreviewCache &windowPreviewCache() { return m_windowPreviewCache; }
    const WindowPreviewCache &windowPreviewCache() const { return m_windowPreviewCache; }
    WindowPicker &windowPicker() { return m_windowPicker; }
    const WindowPicker &windowPicker() const { return m_windowPicker; }
    WindowThumbnails &thumbnails() { return m_thumbnails; }
    const WindowThumbnails &thumbnails() const { return m_thumbnails; }
    MenuActionCache &menuActions() { return m_menuActions; }
    const MenuActionCache &menuActions() const { return m_menuActions; }
    TaskbarClicks &clicks() { return m_clicks; }
    WindowActions &windowActions() { return m_windowActions; }
    WindowClosing &windowClosing() { return m_windowClosing; }
    CustomWindowNames &customWindowNames() { return m_customWindowNames; }
    const CustomWindowNames &customWindowNames() const { return m_customWindowNames; }
    MinimizeTakeover &minimizeTakeover() { return m_minimizeTakeover; }
    OwnWindows &ownWindows() { return m_ownWindows; }

    // What the bar calls; the parts above do the work.
    void handleTaskbarClick(const AppItem &app, quint32 displayID) { m_clicks.handleTaskbarClick(app, displayID); }
    // A press on an app button: opens the picker at once for an app with two
    // or more windows. True when the picker is open now.
    bool prepareWindowPicker(const AppItem &app, quint32 displayID)
    {
        return m_windowPicker.prepareWindowPicker(app, displayID);
    }
    // The inert services stand in for those the environment leaves out.
    WindowGuard &windowGuard() const;
    // Keeps other windows out of the bar's strip, while the store watches the system.
    WindowWorkAreaObserver *windowWorkAreaObserver() const;
    // The taps, the work-area observer and the Finder watcher, while the
    // store watches the system with event taps to hand.
    WindowWatchers *windowWatchers() const { return m_windowWatchers.get(); }
    // Looks at every window once for the work areas.
    void refreshWindowWorkAreas();

    // App lists.
    const QList<AppItem> &pinnedApps() const { return m_pinnedApps; }
    const QList<AppItem> &startPinnedApps() const { return m_startPinnedApps; }
    const QStringList &taskbarAppOrder() const { return m_taskbarAppOrder; }
    const QList<AppItem> &runningApps() const { return m_runningApps; }
    const QList<AppItem> &installedApps() const { return m_installedApps; }
    // Empty until read: at creation when the store observes the system, else
    // by the first refresh.
    QList<FinderFavorite> finderFavorites() const;
    // Re-reads the favourites in the background (the Start menu opens with
    // what it has); a refresh overtaken by a newer one changes nothing.
    void refreshFinderFavorites();
    const QStringList &recentAppIdentifiers() const { return m_recentAppIdentifiers; }
    bool finderHasWindows() const { return m_finderHasWindows; }
    void setFinderHasWindows(bool hasWindows);

    // The bar's buttons in display order. It follows eight published values;
    // taskbarAppsChanged tells when the list itself changed.
    const QList<AppItem> &taskbarApps() const { return m_taskbarApps; }
    void refreshRunningApps();
    // Puts the ids first in the bar order, for a drag in progress; saves nothing.
    void reorderTaskbarApps(const QStringList &leadingIDs);
    // Saves the bar order and re-sorts the pins to it.
    void finishTaskbarAppMove();
    bool isAppRunning(const AppItem &app) const;
    // Whether this launch of the application still runs: a process
    // identifier reused by another launch does not count.
    bool isStillRunning(const RunningApplication &application) const;
    // Drops a held minimize request once a third application takes over.
    void handleApplicationActivation(const std::optional<RunningApplication> &activated)
    {
        m_minimizeTakeover.handleApplicationActivation(activated);
    }

    // Pins, recents, installed apps and search.
    bool isPinned(const AppItem &app) const;
    void pin(const AppItem &app);
    void unpin(const AppItem &app);
    bool isPinnedToStart(const AppItem &app) const;
    void pinToStart(const AppItem &app);
    void unpinFromStart(const AppItem &app);
    void reorderStartPinnedApps(const QStringList &ids);
    void recordRecentApp(const RunningApplication &application);
    QList<AppItem> recentApps() const;
    QList<AppItem> searchResults() const;
    // The Start menu's search text; closing the flyouts clears it.
    QString searchText() const { return m_storedSearchText; }
    void setSearchText(const QString &text);

    // Settings, written to the user defaults as they change.
    TaskbarButtonAlignment buttonAlignment() const { return m_buttonAlignment; }
    void setButtonAlignment(TaskbarButtonAlignment alignment);
    bool showStartButton() const { return m_showStartButton; }
    void setShowStartButton(bool show);
    bool showSearch() const { return m_showSearch; }
    void setShowSearch(bool show);
    bool keepWindowOrder() const { return m_minimizeTakeover.keepsWindowOrder(); }
    void setKeepWindowOrder(bool keep);
    WindowPreviewSortOrder windowPreviewSortOrder() const { return m_windowPicker.sortOrder(); }
    void setWindowPreviewSortOrder(WindowPreviewSortOrder order);
    // Writes every setting and list the store keeps again, before the
    // application ends: a value whose write failed when it changed (a full
    // disk, a folder briefly read-only) gets another chance. False when a
    // write failed again.
    bool saveSettings();
    // Starts or stops taking over minimize and close, as keepWindowOrder says.
    void applyWindowOrderingPreference();
    // Takes over minimize and close while keepWindowOrder is on and the
    // process is trusted for accessibility.
    void startMinimizeInterceptorIfTrusted();

    // The product's own windows.
    bool isSettingsWindowOpen() const { return m_isSettingsWindowOpen; }
    void setSettingsWindowOpen(bool open);
    bool isOnboardingOpen() const { return m_isOnboardingOpen; }
    void setOnboardingOpen(bool open);
    std::optional<QString> otherVelmoraWindowTitle() const { return m_otherVelmoraWindowTitle; }
    void setOtherVelmoraWindowTitle(const std::optional<QString> &title);
    bool isTaskManagerOpen() const { return m_isTaskManagerOpen; }
    double settingsContentHeight() const { return m_ownWindows.settingsContentHeight(); }
    void setSettingsContentHeight(double height) { m_ownWindows.setSettingsContentHeight(height); }
    // Grows the settings window to the content height the settings page measured.
    void fitSettingsWindowToContent() { m_ownWindows.fitSettingsWindowToContent(); }
    // Opens onboarding through the environment's host, when there is one.
    void presentOnboarding();

    // The work-area counters.
    int inspectedWindowCount() const { return m_inspectedWindowCount; }
    void setInspectedWindowCount(int count);
    int adjustedWindowCount() const { return m_adjustedWindowCount; }
    void setAdjustedWindowCount(int count);

    // Minimize requests held for the keep-window-order takeover, which keeps them.
    const std::optional<NativeMinimizeRequest> &nativeMinimizeRequest() const
    {
        return m_minimizeTakeover.nativeMinimizeRequest();
    }
    void setNativeMinimizeRequest(std::optional<NativeMinimizeRequest> request)
    {
        m_minimizeTakeover.setNativeMinimizeRequest(std::move(request));
    }
    const std::optional<NativeMinimizeRequest> &pendingMinimizeHandoff() const
    {
        return m_minimizeTakeover.pendingMinimizeHandoff();
    }
    void setPendingMinimizeHandoff(std::optional<NativeMinimizeRequest> request)
    {
        m_minimizeTakeover.setPendingMinimizeHandoff(std::move(request));
    }

    const TaskbarStoreEnvironment &environment() const { return m_env; }
    bool observesSystem() const { return m_observesSystem; }
    // The running refresh tick, when one runs.
    std::optional<quint64> windowRefreshTimer() const { return m_windowRefreshTimer; }

signals:
    void pinnedAppsChanged();
    void startPinnedAppsChanged();
    void taskbarAppOrderChanged();
    void runningAppsChanged();
    void taskbarAppsChanged();
    void finderHasWindowsChanged();
    void installedAppsChanged();
    void finderFavoritesChanged();
    void recentAppIdentifiersChanged();
    void searchTextChanged();
    void buttonAlignmentChanged();
    void showStartButtonChanged();
    void showSearchChanged();
    void keepWindowOrderChanged();
    void isSettingsWindowOpenChanged();
    void isOnboardingOpenChanged();
    void otherVelmoraWindowTitleChanged();
    void isTaskManagerOpenChanged();
    void windowPreviewSortOrderChanged();
    void inspectedWindowCountChanged();
    void adjustedWindowCountChanged();

private:
    // Connects the parts' signals to the parts above them and to this store.
    void wireParts();
    void readSettings();
    // Scans for installed apps off the main thread, once at start-up: apps
    // installed later appear at the next start.
    void loadInstalledApps();
    QList<AppItem> pinnedApps(const QStringList &identifiers) const;
    QList<AppItem> firstLaunchPinnedApps();
    // Where the workspace finds the application.
    std::optional<QString> applicationLocation(const QString &bundleIdentifier) const;
    void subscribeToTaskManager(TaskManagerOpenState &state);
    void observeWorkspace();
    void observeOpenWindows();
    void startRefreshTimer();
    void refreshTick();
    void refreshSettingsWindowState();
    void refreshWindowWorkAreaMonitoring();
    QList<RunningApplication> regularApplications() const;
    // Rebuilds the bar's list after one of its inputs changed.
    void updateTaskbarApps();
    // Assigns a published input of the bar's list.
    template<typename T> void publishBarInput(T &field, const T &value, void (TaskbarStore::*changed)());
    void setPinnedApps(const QList<AppItem> &pins);
    void setStartPinnedApps(const QList<AppItem> &pins);
    void setTaskbarAppOrder(const QStringList &order);
    void setRunningApps(const QList<AppItem> &apps);
    void setInstalledApps(const QList<AppItem> &apps);
    void setRecentAppIdentifiers(const QStringList &ids);
    void setTaskManagerOpen(bool open);
    void savePinnedApps();
    void saveStartPinnedApps();
    std::optional<AppItem> resolvedRecentApp(
        const QString &bundleIdentifier, const QHash<QString, AppItem> &installedByBundle) const;

    UserDefaults &m_defaults;
    TaskbarStoreEnvironment m_env;
    const bool m_observesSystem;

    QList<AppItem> m_pinnedApps;
    QList<AppItem> m_startPinnedApps;
    QStringList m_taskbarAppOrder;
    QList<AppItem> m_runningApps;
    // What runningApps was built from: an unchanged workspace skips the sort by name.
    QList<AppLists::RunningProcess> m_runningProcesses;
    QList<AppItem> m_taskbarApps;
    bool m_finderHasWindows = true;
    QList<AppItem> m_installedApps;
    QStringList m_recentAppIdentifiers;
    QString m_storedSearchText;
    TaskbarButtonAlignment m_buttonAlignment = TaskbarButtonAlignment::Center;
    bool m_showStartButton = true;
    bool m_showSearch = true;
    bool m_isSettingsWindowOpen = false;
    bool m_isOnboardingOpen = false;
    std::optional<QString> m_otherVelmoraWindowTitle;
    bool m_isTaskManagerOpen = false;
    int m_inspectedWindowCount = 0;
    int m_adjustedWindowCount = 0;

    std::optional<quint64> m_windowRefreshTimer;
    std::unique_ptr<InstalledAppsLoader> m_installedAppsLoader;

    // The parts, in the order they are built: each after those it holds,
    // so each goes before them.
    Flyouts m_flyouts;
    Permissions m_permissions;
    WindowPreviewCache m_windowPreviewCache;
    CustomWindowNames m_customWindowNames;
    WindowPicker m_windowPicker;
    WindowThumbnails m_thumbnails;
    MenuActionCache m_menuActions;
    MinimizeTakeover m_minimizeTakeover;
    WindowActions m_windowActions;
    WindowClosing m_windowClosing;
    OwnWindows m_ownWindows;
    TaskbarClicks m_clicks;
    std::unique_ptr<WindowWatchers> m_windowWatchers;
};

} // namespace Velmora
