#pragma once

#include "app/startupsteps.h"
#include "app/taskbarwindowcontroller.h"
#include "bar/windowpickercontent.h"
#include "store/onboardinghost.h"

#include <QObject>

#include <memory>

namespace Velmora {

namespace Linux {
class FileSystemBundles;
class FreedesktopServices;
class JsonFileUserDefaults;
class LocalApplicationProcesses;
class LocalFileOperations;
class MachineWorkspace;
class MountTableVolumes;
class NoTranslocation;
class PidfdSignaller;
class ProcStatistics;
class PtyLauncher;
class SystemClock;
class UnsignedCode;
class XdgAutostartEntry;
class XdgFileIcons;
} // namespace Linux
namespace Sim {
class ScriptedBundles;
class SimPlatform;
class SimScreenFollower;
} // namespace Sim
class ActivationParking;
class Animator;
class AppDelegate;
class AppSections;
class AppUpdater;
class ApplicationsFolderMover;
class MessageBoxAlerts;
class ReleaseBuild;
class LaunchAtLogin;
class AppExpose;
class ApplicationPopoverServices;
class BarCloseConfirmation;
class StoreBarActions;
class AppOwnWindowsHost;
class DockMinimizedWindows;
class DockPosition;
class OnboardingWindowController;
class ExitRelauncher;
class ServiceWindowGuard;
class SiblingRaiseGuard;
class WatchThreads;
class AppSettingsWindowHost;
class ApplicationMenuActionProvider;
class FinderFavoritesModel;
class FullScreenDisplayDetector;
class IdleMinimizeInterception;
class OwnWindowMirror;
class ScreenCapturePermission;
class ServiceWindowCapture;
class SimulatedAppIcons;
class StatusMenu;
class SystemMonitor;
class TaskbarStore;
class TaskbarCardTooltip;
class TaskbarTooltipController;
class TaskManagerStateRelay;
class TaskManagerWindowController;
class ThumbnailCapture;
class WindowFocusHistory;
class WindowFocusRecorder;
class WindowPreviewProvider;

// The composition root: chooses the platform implementations (the simulated
// desktop for the window system, the real machine for everything else),
// wires the product together and hands start-up to the application delegate.
class Application : public QObject, private StartupSteps, private OnboardingHost
{
    Q_OBJECT
public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    // Seeds the simulated desktop with the built-in scenario, has it follow
    // the session's screens and queues start-up for the event loop. False
    // when that scenario cannot be read: a broken build, reported rather
    // than run on an empty desktop.
    bool start();

    // The simulated desktop the product manages.
    Sim::SimPlatform &simulatedDesktop() const { return *m_desktop; }
    // What every flyout shares, the desktop click catcher among it.
    ApplicationPopoverServices &popovers() const { return *m_popovers; }

private:
    // The Task Manager's controller builds its window at once: made just
    // after the first bars are up.
    void createTaskManager();
    // What every display's panel shows.
    TaskbarWindowController::ContentFactory barContent();

    // StartupSteps
    void installApplicationIcon() override;
    bool offerMoveIfNeeded() override;
    void startUpdater() override;
    void makeStatusItem() override;
    void installActivationParking() override;
    void startSystemMonitor() override;
    TaskbarStore &createStore() override;
    bool isOnboardingCompleted() const override;
    void showOnboarding(TaskbarStore &store) override;
    bool hasOnboardingWindow() const override;

    // OnboardingHost: the bar's setup button.
    void presentOnboarding() override;

    std::unique_ptr<Linux::SystemClock> m_clock;
    std::unique_ptr<Sim::SimPlatform> m_desktop;
    // The Task Manager samples the real machine.
    std::unique_ptr<Linux::ProcStatistics> m_statistics;
    std::unique_ptr<Linux::PidfdSignaller> m_signaller;
    std::unique_ptr<Linux::PtyLauncher> m_terminals;
    // No settings file yet: this machine has never run Velmora.
    bool m_isFirstStart = false;
    std::unique_ptr<Linux::JsonFileUserDefaults> m_defaults;
    std::unique_ptr<Linux::XdgFileIcons> m_machineIcons;
    // What the Task Manager does with this machine's processes goes to this
    // machine's desktop, never to the simulated one.
    std::unique_ptr<Linux::FreedesktopServices> m_desktopServices;
    std::unique_ptr<Linux::MachineWorkspace> m_machineWorkspace;
    // The icons everything shows: the machine's, with the simulated
    // applications' own over them. Made by start(), once the scenario is in.
    std::unique_ptr<SimulatedAppIcons> m_fileIcons;
    std::unique_ptr<Sim::ScriptedBundles> m_bundles;
    std::unique_ptr<Animator> m_animator;
    // The release services: the move into Applications, the login item and
    // the updater, over this machine.
    std::unique_ptr<Linux::UnsignedCode> m_codeSignature;
    std::unique_ptr<ReleaseBuild> m_releaseBuild;
    std::unique_ptr<Linux::NoTranslocation> m_translocation;
    std::unique_ptr<Linux::LocalFileOperations> m_files;
    std::unique_ptr<Linux::MountTableVolumes> m_volumes;
    std::unique_ptr<MessageBoxAlerts> m_alerts;
    std::unique_ptr<Linux::LocalApplicationProcesses> m_processes;
    std::unique_ptr<Linux::FileSystemBundles> m_machineBundles;
    std::unique_ptr<ApplicationsFolderMover> m_mover;
    std::unique_ptr<Linux::XdgAutostartEntry> m_loginItem;
    std::unique_ptr<LaunchAtLogin> m_launchAtLogin;
    std::unique_ptr<AppUpdater> m_appUpdater;

    // The window services the store works with.
    std::unique_ptr<WindowPreviewProvider> m_previews;
    std::unique_ptr<ScreenCapturePermission> m_capturePermission;
    std::unique_ptr<ThumbnailCapture> m_thumbnailCapture;
    std::unique_ptr<ServiceWindowCapture> m_windowCapture;
    std::unique_ptr<WindowFocusHistory> m_focusHistory;
    std::unique_ptr<WindowFocusRecorder> m_focusRecorder;
    std::unique_ptr<FinderFavoritesModel> m_favourites;
    std::unique_ptr<AppSettingsWindowHost> m_settingsWindow;
    std::unique_ptr<IdleMinimizeInterception> m_minimizeInterception;
    std::unique_ptr<FullScreenDisplayDetector> m_fullScreenDetector;
    std::unique_ptr<WatchThreads> m_watchThreads;
    std::unique_ptr<AppExpose> m_appExpose;
    std::unique_ptr<SiblingRaiseGuard> m_siblingRaiseGuard;
    // Forwards through the guard and AppExpose, so it goes before them.
    std::unique_ptr<ApplicationMenuActionProvider> m_menuActions;
    std::unique_ptr<ServiceWindowGuard> m_windowGuard;
    std::unique_ptr<DockMinimizedWindows> m_dockMinimizedWindows;
    std::unique_ptr<ExitRelauncher> m_relauncher;
    std::unique_ptr<ActivationParking> m_activationParking;
    // The simulated Dock's placement, which onboarding changes.
    std::unique_ptr<DockPosition> m_dockPosition;
    std::unique_ptr<OnboardingWindowController> m_onboarding;

    std::unique_ptr<SystemMonitor> m_systemMonitor;
    // The one tooltip of the bar and the picker, handed to every view that
    // shows it; the picker's cards reach it through the card tooltip.
    std::unique_ptr<TaskbarTooltipController> m_tooltip;
    std::unique_ptr<TaskbarCardTooltip> m_cardTooltip;
    std::unique_ptr<TaskManagerStateRelay> m_taskManagerState;
    std::unique_ptr<TaskManagerWindowController> m_taskManager;
    std::unique_ptr<OwnWindowMirror> m_ownWindows;
    std::unique_ptr<AppOwnWindowsHost> m_ownWindowsHost;
    std::unique_ptr<Sim::SimScreenFollower> m_screenFollower;
    // The bar's half of the popovers and the close confirmation, made before
    // the store; the bar's requests, made with the store.
    std::unique_ptr<ApplicationPopoverServices> m_popovers;
    std::unique_ptr<BarCloseConfirmation> m_closeConfirmation;
    std::unique_ptr<TaskbarStore> m_store;
    std::unique_ptr<StoreBarActions> m_barActions;
    std::unique_ptr<StatusMenu> m_statusMenu;
    // What every app button's picker popover shows. Made by start().
    WindowPickerContent::Factory m_pickerContent;
    // The Start menus' letter sections, shared by every display's menu.
    std::unique_ptr<AppSections> m_appSections;
    // Last: the panels go first, while the store they show is still there.
    std::unique_ptr<AppDelegate> m_delegate;
};

} // namespace Velmora
