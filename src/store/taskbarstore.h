#pragma once

#include "platform/runningapplication.h"
#include "store/appitem.h"
#include "store/applists.h"
#include "store/finderfavorite.h"
#include "store/installedapps.h"
#include "store/nativeminimizerequest.h"
#include "store/storesettings.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace Velmora {

class Accessibility;
class ApplicationBundles;
class FinderFavoritesModel;
class FocusRecorder;
class MinimizeInterception;
class ScreenCapture;
class Scheduler;
class SettingsWindowHost;
class TaskManagerOpenState;
class UserDefaults;
class Workspace;

// What the store reaches of the rest of the system. Every member may be
// missing: the store then does without (nothing resolves, nothing is watched,
// permissions read as not granted). Objects are not owned and must outlive the store.
struct TaskbarStoreEnvironment
{
    Workspace *workspace = nullptr;
    Scheduler *scheduler = nullptr;
    const ApplicationBundles *bundles = nullptr;
    const Accessibility *accessibility = nullptr;
    const ScreenCapture *screenCapture = nullptr;
    SettingsWindowHost *settingsWindow = nullptr;
    MinimizeInterception *minimizeInterception = nullptr;
    FocusRecorder *focusRecorder = nullptr;
    // The user's favourite folders; read at start-up by a store that observes the system.
    FinderFavoritesModel *finderFavorites = nullptr;
    // The Task Manager window's open state, used when the store is given none.
    TaskManagerOpenState *taskManagerWindow = nullptr;
    // The applications pinned in the Dock, Finder first; read for a first launch's pins.
    std::function<QStringList()> dockPinnedBundleIdentifiers;
    QStringList applicationFolders = defaultApplicationFolders();
    // This application's own bundle identifier: it never lists itself.
    QString ownBundleIdentifier;
};

// The one observable model of the taskbar: the app lists and the bar's order,
// the settings, the flyout flags and the state of the product's own windows.
// Used on the main thread only. Published values notify through their change
// signal, and only when the value really changed.
class TaskbarStore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<Velmora::AppItem> pinnedApps READ pinnedApps NOTIFY pinnedAppsChanged)
    Q_PROPERTY(QList<Velmora::AppItem> startPinnedApps READ startPinnedApps NOTIFY startPinnedAppsChanged)
    Q_PROPERTY(QStringList taskbarAppOrder READ taskbarAppOrder NOTIFY taskbarAppOrderChanged)
    Q_PROPERTY(QList<Velmora::AppItem> runningApps READ runningApps NOTIFY runningAppsChanged)
    Q_PROPERTY(bool finderHasWindows READ finderHasWindows WRITE setFinderHasWindows NOTIFY finderHasWindowsChanged)
    Q_PROPERTY(QList<Velmora::AppItem> installedApps READ installedApps NOTIFY installedAppsChanged)
    Q_PROPERTY(QList<Velmora::FinderFavorite> finderFavorites READ finderFavorites NOTIFY finderFavoritesChanged)
    Q_PROPERTY(QStringList recentAppIdentifiers READ recentAppIdentifiers NOTIFY recentAppIdentifiersChanged)
    Q_PROPERTY(bool isStartMenuPresented READ isStartMenuPresented WRITE setStartMenuPresented NOTIFY
            isStartMenuPresentedChanged)
    Q_PROPERTY(bool isSearchPresented READ isSearchPresented WRITE setSearchPresented NOTIFY isSearchPresentedChanged)
    Q_PROPERTY(bool isQuickSettingsPresented READ isQuickSettingsPresented WRITE setQuickSettingsPresented NOTIFY
            isQuickSettingsPresentedChanged)
    Q_PROPERTY(bool isTaskbarOverflowPresented READ isTaskbarOverflowPresented WRITE setTaskbarOverflowPresented NOTIFY
            isTaskbarOverflowPresentedChanged)
    Q_PROPERTY(std::optional<quint32> presentedDisplayID READ presentedDisplayID WRITE setPresentedDisplayID NOTIFY
            presentedDisplayIDChanged)
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
    Q_PROPERTY(bool isAccessibilityTrusted READ isAccessibilityTrusted NOTIFY isAccessibilityTrustedChanged)
    Q_PROPERTY(bool hasScreenCapturePermission READ hasScreenCapturePermission NOTIFY hasScreenCapturePermissionChanged)
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

    // The bar's buttons in display order, assembled anew on every read.
    QList<AppItem> taskbarApps() const;
    void refreshRunningApps();
    // Puts the ids first in the bar order, for a drag in progress; saves nothing.
    void reorderTaskbarApps(const QStringList &leadingIDs);
    // Saves the bar order and re-sorts the pins to it.
    void finishTaskbarAppMove();
    bool isAppRunning(const AppItem &app) const;
    // Drops a held minimize request once a third application takes over.
    void handleApplicationActivation(const std::optional<RunningApplication> &activated);

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

    // Flyouts.
    bool isStartMenuPresented() const { return m_isStartMenuPresented; }
    void setStartMenuPresented(bool presented);
    bool isSearchPresented() const { return m_isSearchPresented; }
    void setSearchPresented(bool presented);
    bool isQuickSettingsPresented() const { return m_isQuickSettingsPresented; }
    void setQuickSettingsPresented(bool presented);
    bool isTaskbarOverflowPresented() const { return m_isTaskbarOverflowPresented; }
    void setTaskbarOverflowPresented(bool presented);
    std::optional<quint32> presentedDisplayID() const { return m_presentedDisplayID; }
    void setPresentedDisplayID(std::optional<quint32> displayID);
    // Closes every flyout and forgets the search text.
    void dismissFlyouts();
    QString searchText() const { return m_storedSearchText; }
    void setSearchText(const QString &text);

    // Settings, written to the user defaults as they change.
    TaskbarButtonAlignment buttonAlignment() const { return m_buttonAlignment; }
    void setButtonAlignment(TaskbarButtonAlignment alignment);
    bool showStartButton() const { return m_showStartButton; }
    void setShowStartButton(bool show);
    bool showSearch() const { return m_showSearch; }
    void setShowSearch(bool show);
    bool keepWindowOrder() const { return m_keepWindowOrder; }
    void setKeepWindowOrder(bool keep);
    WindowPreviewSortOrder windowPreviewSortOrder() const { return m_windowPreviewSortOrder; }
    void setWindowPreviewSortOrder(WindowPreviewSortOrder order);
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
    double settingsContentHeight() const { return m_settingsContentHeight; }
    void setSettingsContentHeight(double height) { m_settingsContentHeight = height; }
    // Grows the settings window to the content height the settings page measured.
    void fitSettingsWindowToContent();
    // Opens onboarding; set by the application when it creates the store.
    std::function<void()> presentOnboarding;

    // Permissions and the work-area counters.
    bool isAccessibilityTrusted() const { return m_isAccessibilityTrusted; }
    bool hasScreenCapturePermission() const { return m_hasScreenCapturePermission; }
    int inspectedWindowCount() const { return m_inspectedWindowCount; }
    void setInspectedWindowCount(int count);
    int adjustedWindowCount() const { return m_adjustedWindowCount; }
    void setAdjustedWindowCount(int count);

    // Minimize requests held for the keep-window-order takeover.
    const std::optional<NativeMinimizeRequest> &nativeMinimizeRequest() const { return m_nativeMinimizeRequest; }
    void setNativeMinimizeRequest(std::optional<NativeMinimizeRequest> request);
    const std::optional<NativeMinimizeRequest> &pendingMinimizeHandoff() const { return m_pendingMinimizeHandoff; }
    void setPendingMinimizeHandoff(std::optional<NativeMinimizeRequest> request);

    const UserDefaults &defaults() const { return m_defaults; }
    bool observesSystem() const { return m_observesSystem; }
    // The running refresh tick, when one runs.
    std::optional<quint64> windowRefreshTimer() const { return m_windowRefreshTimer; }

signals:
    void pinnedAppsChanged();
    void startPinnedAppsChanged();
    void taskbarAppOrderChanged();
    void runningAppsChanged();
    void finderHasWindowsChanged();
    void installedAppsChanged();
    void finderFavoritesChanged();
    void recentAppIdentifiersChanged();
    void isStartMenuPresentedChanged();
    void isSearchPresentedChanged();
    void isQuickSettingsPresentedChanged();
    void isTaskbarOverflowPresentedChanged();
    void presentedDisplayIDChanged();
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
    void isAccessibilityTrustedChanged();
    void hasScreenCapturePermissionChanged();
    void inspectedWindowCountChanged();
    void adjustedWindowCountChanged();

private:
    void readSettings();
    // Scans for installed apps off the main thread, once at start-up: apps
    // installed later appear at the next start.
    void loadInstalledApps();
    QList<AppItem> pinnedApps(const QStringList &identifiers) const;
    QList<AppItem> firstLaunchPinnedApps();
    // Where the workspace finds the application; nothing without a workspace.
    std::optional<QString> applicationLocation(const QString &bundleIdentifier) const;
    void subscribeToTaskManager(TaskManagerOpenState *state);
    void observeWorkspace();
    void startRefreshTimer();
    void refreshTick();
    void refreshSettingsWindowState();
    void refreshWindowWorkAreaMonitoring();
    QList<RunningApplication> regularApplications() const;
    void setPinnedApps(const QList<AppItem> &pins);
    void setStartPinnedApps(const QList<AppItem> &pins);
    void setTaskbarAppOrder(const QStringList &order);
    void setRunningApps(const QList<AppItem> &apps);
    void setInstalledApps(const QList<AppItem> &apps);
    void setRecentAppIdentifiers(const QStringList &ids);
    void setTaskManagerOpen(bool open);
    void setAccessibilityTrusted(bool trusted);
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
    bool m_finderHasWindows = true;
    QList<AppItem> m_installedApps;
    QStringList m_recentAppIdentifiers;
    bool m_isStartMenuPresented = false;
    bool m_isSearchPresented = false;
    bool m_isQuickSettingsPresented = false;
    bool m_isTaskbarOverflowPresented = false;
    std::optional<quint32> m_presentedDisplayID;
    QString m_storedSearchText;
    TaskbarButtonAlignment m_buttonAlignment = TaskbarButtonAlignment::Center;
    bool m_showStartButton = true;
    bool m_showSearch = true;
    bool m_keepWindowOrder = true;
    bool m_isSettingsWindowOpen = false;
    bool m_isOnboardingOpen = false;
    std::optional<QString> m_otherVelmoraWindowTitle;
    double m_settingsContentHeight = 0;
    bool m_isTaskManagerOpen = false;
    WindowPreviewSortOrder m_windowPreviewSortOrder = WindowPreviewSortOrder::Fixed;
    bool m_isAccessibilityTrusted = false;
    bool m_hasScreenCapturePermission = false;
    int m_inspectedWindowCount = 0;
    int m_adjustedWindowCount = 0;
    std::optional<NativeMinimizeRequest> m_nativeMinimizeRequest;
    std::optional<NativeMinimizeRequest> m_pendingMinimizeHandoff;

    std::optional<quint64> m_windowRefreshTimer;
    std::unique_ptr<InstalledAppsLoader> m_installedAppsLoader;
};

} // namespace Velmora
