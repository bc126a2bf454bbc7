#include "app/application.h"

#include "app/appdelegate.h"
#include "app/applicationsfoldermover.h"
#include "app/messageboxalerts.h"
#include "app/releasebuild.h"
#include "app/appupdater.h"
#include "app/launchatlogin.h"
#include "app/appownwindowshost.h"
#include "app/taskbarpanel.h"
#include "app/appsettingswindowhost.h"
#include "app/settingsview.h"
#include "app/ownwindowmirror.h"
#include "app/simulatedappicons.h"
#include "app/statusmenu.h"
#include "app/taskmanagerstaterelay.h"
#include "bar/model/animator.h"
#include "bar/taskbartooltipcontroller.h"
#include "platform/linux/exitrelauncher.h"
#include "platform/linux/filesystembundles.h"
#include "platform/linux/freedesktopservices.h"
#include "platform/linux/jsonfileuserdefaults.h"
#include "platform/linux/localapplicationprocesses.h"
#include "platform/linux/localfileoperations.h"
#include "platform/linux/machineworkspace.h"
#include "platform/linux/mounttablevolumes.h"
#include "platform/linux/notranslocation.h"
#include "platform/linux/unsignedcode.h"
#include "platform/linux/pidfdsignaller.h"
#include "platform/linux/procstatistics.h"
#include "platform/linux/ptylauncher.h"
#include "platform/linux/systemclock.h"
#include "platform/linux/xdgautostartentry.h"
#include "platform/linux/xdgfileicons.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/simscenario.h"
#include "platform/sim/simscreenfollower.h"
#include "services/activationparking.h"
#include "services/appexpose.h"
#include "services/applicationmenuactionprovider.h"
#include "services/dockminimizedwindows.h"
#include "services/dockposition.h"
#include "services/siblingraiseguard.h"
#include "services/watchthreads.h"
#include "bar/applicationpopoverservices.h"
#include "bar/barcloseconfirmation.h"
#include "bar/storebaractions.h"
#include "bar/taskbarview.h"
#include "bar/windowpickercontent.h"
#include "picker/taskbarcardtooltip.h"
#include "onboarding/model/onboardingprogress.h"
#include "onboarding/onboardingwindow.h"
#include "onboarding/onboardingwindowcontroller.h"
#include "picker/windowpickerview.h"
#include "startmenu/model/appsections.h"
#include "startmenu/startmenuview.h"
#include "services/dockpinnedapps.h"
#include "services/fullscreendisplaydetector.h"
#include "services/screencapturepermission.h"
#include "services/thumbnailcapture.h"
#include "services/windowfocushistory.h"
#include "services/windowpreviewprovider.h"
#include "store/finderfavoritesmodel.h"
#include "store/minimizeinterception.h"
#include "store/servicewindowcapture.h"
#include "store/servicewindowguard.h"
#include "store/taskbarstore.h"
#include "store/velmoraicon.h"
#include "store/windowfocusrecorder.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/systemsampler.h"
#include "taskmanager/taskmanagerwindowcontroller.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace Velmora {

// The store starts and stops the taps that take over minimize and close
// itself (its window watchers); there is nothing else to switch here.
class IdleMinimizeInterception final : public MinimizeInterception
{
public:
    void start() override { }
    void stop() override { }
};

namespace {

const QString ownBundleIdentifier = QStringLiteral("org.velmora.Velmora");

} // namespace

Application::Application(QObject *parent)
    : QObject(parent)
    , m_clock(std::make_unique<Linux::SystemClock>())
    // On real time a call into a busy simulated application blocks its caller
    // for real, as it would on the desktop we model.
    , m_desktop(std::make_unique<Sim::SimPlatform>(
          *m_clock, *m_clock, [clock = m_clock.get()](qint64 ms) { clock->sleepMs(ms); }))
    , m_statistics(std::make_unique<Linux::ProcStatistics>())
    , m_signaller(std::make_unique<Linux::PidfdSignaller>(*m_statistics))
    , m_terminals(std::make_unique<Linux::PtyLauncher>())
    , m_isFirstStart(!QFileInfo::exists(Linux::JsonFileUserDefaults::defaultFilePath()))
    , m_defaults(std::make_unique<Linux::JsonFileUserDefaults>(Linux::JsonFileUserDefaults::defaultFilePath()))
    , m_machineIcons(std::make_unique<Linux::XdgFileIcons>())
    , m_desktopServices(std::make_unique<Linux::FreedesktopServices>())
    , m_machineWorkspace(std::make_unique<Linux::MachineWorkspace>(*m_desktopServices))
    , m_bundles(std::make_unique<Sim::ScriptedBundles>())
    , m_animator(std::make_unique<Animator>(*m_clock, *m_clock))
    , m_codeSignature(std::make_unique<Linux::UnsignedCode>())
    , m_releaseBuild(std::make_unique<ReleaseBuild>(*m_codeSignature))
    , m_translocation(std::make_unique<Linux::NoTranslocation>())
    , m_files(std::make_unique<Linux::LocalFileOperations>())
    , m_volumes(std::make_unique<Linux::MountTableVolumes>())
    , m_alerts(std::make_unique<MessageBoxAlerts>())
    , m_processes(std::make_unique<Linux::LocalApplicationProcesses>(
          ownBundleIdentifier, QCoreApplication::applicationFilePath()))
    , m_machineBundles(std::make_unique<Linux::FileSystemBundles>())
    // No copy on Linux carries a signature, so it never offers the move.
    , m_mover(std::make_unique<ApplicationsFolderMover>(ApplicationsFolderMover::Environment{
          .release = *m_releaseBuild,
          .translocation = *m_translocation,
          .files = *m_files,
          .volumes = *m_volumes,
          .alerts = *m_alerts,
          .processes = *m_processes,
          .bundles = *m_machineBundles,
          .defaults = *m_defaults,
          .bundlePath = QCoreApplication::applicationFilePath(),
          .bundleIdentifier = ownBundleIdentifier,
          .home = QDir::homePath(),
      }))
    , m_loginItem(std::make_unique<Linux::XdgAutostartEntry>(Linux::XdgAutostartEntry::autostartFolder(),
          ownBundleIdentifier + QStringLiteral(".desktop"), QStringLiteral("Velmora"),
          QCoreApplication::applicationFilePath()))
    , m_launchAtLogin(std::make_unique<LaunchAtLogin>(*m_loginItem))
    // No update framework exists on this platform: the updater stays
    // unstarted, so nothing offers to check for updates.
    , m_appUpdater(std::make_unique<AppUpdater>(AppUpdater::Environment{
          .isDistributionSigned = [release = m_releaseBuild.get()] { return release->isDeveloperIDSigned(); },
          .activate = [processes = m_processes.get()] { processes->activateIgnoringOtherApps(); },
          .shortVersion = QCoreApplication::applicationVersion().isEmpty()
              ? std::nullopt
              : std::optional<QString>(QCoreApplication::applicationVersion()),
      }))
{
    Sim::SimPlatform &sim = *m_desktop;
    // Nobody reads the desktop's request log in the application.
    sim.desktop.setRequestLogEnabled(false);

    m_previews = std::make_unique<WindowPreviewProvider>(
        sim.accessibility, sim.windowList, sim.privateFunctions, sim.displays, sim.workspace, *m_clock);
    m_capturePermission = std::make_unique<ScreenCapturePermission>(sim.screenCapture, *m_clock);
    m_thumbnailCapture = std::make_unique<ThumbnailCapture>(sim.screenCapture, *m_capturePermission, *m_previews, *m_clock);
    m_windowCapture = std::make_unique<ServiceWindowCapture>(sim.screenCapture, *m_capturePermission, *m_thumbnailCapture);
    m_focusHistory = std::make_unique<WindowFocusHistory>(sim.accessibility, *m_previews, *m_clock);
    m_focusRecorder = std::make_unique<WindowFocusRecorder>(*m_focusHistory);
    m_settingsWindow = std::make_unique<AppSettingsWindowHost>(AppSettingsWindowHost::Environment{
        .displays = sim.displays,
        .makePage = [this]() -> QWidget * {
            return new SettingsView({
                .store = *m_store,
                .scheduler = *m_clock,
                .quit = [this] { m_delegate->quitFromStatusMenu(); },
                .restart = [this] { m_delegate->restartFromStatusMenu(); },
                .launchAtLogin = m_launchAtLogin.get(),
                .updater = m_appUpdater.get(),
            });
        },
        .refit = [this] {
            if (m_store)
                m_store->fitSettingsWindowToContent();
        },
    });
    m_minimizeInterception = std::make_unique<IdleMinimizeInterception>();
    m_fullScreenDetector = std::make_unique<FullScreenDisplayDetector>(
        sim.accessibility, sim.windowList, sim.displays, sim.workspace);
    m_watchThreads = std::make_unique<WatchThreads>(*m_clock, *m_clock);
    m_appExpose = std::make_unique<AppExpose>(sim.privateFunctions, *m_clock);
    m_siblingRaiseGuard = std::make_unique<SiblingRaiseGuard>(SiblingRaiseGuard::Environment{
        sim.accessibility, sim.windowList, sim.workspace, sim.eventTaps, *m_appExpose, *m_previews, *m_watchThreads});
    // A menu command for an application in the background brings forward the
    // window that was in front, alone, and keeps its siblings from rising
    // over other applications' windows.
    m_menuActions = std::make_unique<ApplicationMenuActionProvider>(sim.accessibility, sim.workspace,
        sim.privateFunctions, *m_clock,
        ApplicationMenuActionProvider::Forwarding {
            .watchActivation = [guard = m_siblingRaiseGuard.get()](
                                   const RunningApplication &application) { return guard->watchActivation(application); },
            .focusWindow = [expose = m_appExpose.get()](quint32 windowID, const RunningApplication &application) {
                return expose->focus(windowID, application);
            },
        });
    m_windowGuard = std::make_unique<ServiceWindowGuard>(
        *m_siblingRaiseGuard, *m_appExpose, sim.accessibility, sim.workspace, *m_previews);
    m_dockMinimizedWindows = std::make_unique<DockMinimizedWindows>(sim.accessibility, sim.workspace);
    m_relauncher = std::make_unique<ExitRelauncher>();
    // An accessory application, but while onboarding is open.
    m_activationParking = std::make_unique<ActivationParking>(
        [application = &sim.ownApplication] { return application->activationPolicy(); });
    // The Dock restarts on the simulated desktop: nothing of this machine is ended.
    m_dockPosition = std::make_unique<DockPosition>(sim.applicationPreferences,
        [children = &sim.childProcesses](const QString &program, const QStringList &arguments) {
            return children->startDetached(program, arguments);
        });
    m_onboarding = std::make_unique<OnboardingWindowController>(OnboardingWindowController::Environment{
        .defaults = *m_defaults,
        .accessibility = sim.accessibility,
        .dock = *m_dockPosition,
        .screenCapture = sim.screenCapture,
        .workspace = sim.workspace,
        .application = sim.ownApplication,
        .displays = sim.displays,
        .scheduler = *m_clock,
    });

    SystemMonitor::Environment monitor;
    monitor.clock = m_clock.get();
    monitor.scheduler = m_clock.get();
    monitor.statistics = m_statistics.get();
    monitor.signaller = m_signaller.get();
    monitor.makeSampler = SystemMonitor::samplerFactory(*m_statistics, *m_clock, *m_terminals,
        ProcessNetworkReader::Command::forThisMachine(
            QCoreApplication::applicationPid(), QCoreApplication::applicationDirPath()));
    m_systemMonitor = std::make_unique<SystemMonitor>(std::move(monitor));

    m_tooltip = std::make_unique<TaskbarTooltipController>(*m_clock, sim.displays);
    m_cardTooltip = std::make_unique<TaskbarCardTooltip>(*m_tooltip);
    m_popovers = std::make_unique<ApplicationPopoverServices>(*m_clock, *m_clock, *m_animator, sim.displays,
                                                              sim.eventTaps);
    m_closeConfirmation = std::make_unique<BarCloseConfirmation>();

    m_taskManagerState = std::make_unique<TaskManagerStateRelay>();

    m_ownWindows = std::make_unique<OwnWindowMirror>(sim.ownWindows);
    m_ownWindowsHost = std::make_unique<AppOwnWindowsHost>(AppOwnWindowsHost::Environment{
        .mirror = *m_ownWindows,
        .settings = *m_settingsWindow,
        .taskManager = [this] { return m_taskManager.get(); },
        .firstTaskbarPanel = [this]() -> QWidget * {
            const auto &controllers = m_delegate->taskbarControllers();
            return controllers.empty() ? nullptr : controllers.begin()->second->window();
        },
    });
    m_screenFollower = std::make_unique<Sim::SimScreenFollower>(sim.desktop);

    m_delegate = std::make_unique<AppDelegate>(AppDelegate::Environment{
        .displays = sim.displays,
        .workspace = sim.workspace,
        .clock = *m_clock,
        .scheduler = *m_clock,
        .steps = *this,
        .fullScreenDisplayIDs = [detector = m_fullScreenDetector.get()] { return detector->displayIDs(); },
        .tooltip = [tooltip = m_tooltip.get()] { return static_cast<TaskbarTooltip *>(tooltip); },
        .barContent = barContent(),
    });
}

Application::~Application() = default;

TaskbarWindowController::ContentFactory Application::barContent()
{
    return [this](quint32 displayID, QWidget *parent) -> QWidget * {
        if (!m_store)
            return nullptr;
        if (!m_barActions) {
            Sim::SimPlatform &sim = *m_desktop;
            m_barActions = std::make_unique<StoreBarActions>(*m_store,
                StoreBarActions::Services {
                    .notifications = sim.distributedNotifications,
                    .dismissingClick = m_popovers->dismissingClick(),
                    .tooltip = *m_tooltip,
                    .appExpose = m_appExpose.get(),
                    .taskManager = [this] { return m_taskManager.get(); },
                });
        }
        if (!m_appSections)
            m_appSections = std::make_unique<AppSections>();
        TaskbarViewEnvironment environment{*m_store, *m_barActions, *m_animator, *m_fileIcons, *m_popovers, m_pickerContent};
        environment.startMenu = [this](quint32 displayID) -> QWidget * {
            Sim::SimPlatform &sim = *m_desktop;
            return new StartMenuView({*m_store, sim.displays, sim.workspace, *m_clock, *m_animator, *m_fileIcons,
                                      *m_appSections},
                                     StartMenuMode::Start, displayID);
        };
        return new TaskbarView(environment, displayID, parent);
    };
}

bool Application::start()
{
    Sim::SimPlatform &sim = *m_desktop;
    QString error;
    if (!Sim::SimScenario::load(sim.desktop, Sim::SimScenario::builtIn(), &error)) {
        qCritical().noquote() << "Velmora: the built-in desktop cannot be loaded:" << error;
        return false;
    }
    // A first start on this machine is a new installation: the desktop has
    // granted it nothing yet, and onboarding walks the person through it.
    if (m_isFirstStart) {
        sim.desktop.setAccessibilityTrusted(false);
        sim.desktop.setScreenCaptureAccess(Sim::SimPermission::NotDetermined);
    }
    for (const Sim::SimInstalledApplication &installed : sim.desktop.installedApplications())
        m_bundles->addBundle(installed.bundlePath, BundleInfo{installed.bundleIdentifier, installed.name, {}});
    // The motion the person at this machine asked for.
    m_animator->setReducesMotion(sim.workspace.accessibilityDisplayShouldReduceMotion());
    // Icons by name come from a theme every Debian desktop has.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    // The simulated applications' icons are looked up in that theme, among
    // the applications just loaded; nothing has asked for an icon before.
    m_fileIcons = std::make_unique<SimulatedAppIcons>(*m_machineIcons, sim.desktop);
    m_favourites = std::make_unique<FinderFavoritesModel>(sim.favoriteFolders, *m_fileIcons);
    // Every app button's picker popover shows the window picker.
    m_pickerContent = WindowPickerView::contentFactory(*m_animator, *m_fileIcons, *m_cardTooltip);

    // The scenario's displays become the session's screens, under the same ids.
    m_screenFollower->start();
    m_ownWindows->start();
    QMetaObject::invokeMethod(m_delegate.get(), &AppDelegate::applicationDidFinishLaunching, Qt::QueuedConnection);
    // Once the bars are up.
    QMetaObject::invokeMethod(this, &Application::createTaskManager, Qt::QueuedConnection);
    return true;
}

void Application::createTaskManager()
{
    if (m_taskManager)
        return;
    Sim::SimPlatform &sim = *m_desktop;
    m_taskManager = std::make_unique<TaskManagerWindowController>(TaskManagerWindowController::Environment {
        .view = {
            .scheduler = *m_clock,
            .monitor = m_systemMonitor.get(),
            .statistics = m_statistics.get(),
            .signaller = m_signaller.get(),
            // The processes listed are this machine's, and so are their
            // applications; the simulated desktop's pids would name other processes.
            .workspace = m_machineWorkspace.get(),
            .icons = m_fileIcons.get(),
            .runningApplications = m_machineWorkspace.get(),
            .clock = m_clock.get(),
        },
        .displays = &sim.displays,
        .defaults = m_defaults.get(),
    });
    m_taskManagerState->attach(m_taskManager.get());
}

void Application::installApplicationIcon()
{
    // Drawn when a size of it is first asked for, at that size (512 points
    // where a 512-point icon is shown), so start-up does not wait for it.
    // Installed on the next turn, once the first bars are up: Qt draws the
    // application's icon at four sizes for every native window it makes,
    // before that window's own icon replaces it, and the bars carry none.
    // Windows made meanwhile take it up when it comes.
    QMetaObject::invokeMethod(
        this, [] { QApplication::setWindowIcon(VelmoraIcon::icon(VelmoraIcon::Drawing::AppIcon)); },
        Qt::QueuedConnection);
}

bool Application::offerMoveIfNeeded()
{
    return m_mover->offerMoveIfNeeded();
}

void Application::startUpdater()
{
    m_appUpdater->start();
}

void Application::makeStatusItem()
{
    Sim::SimPlatform &sim = *m_desktop;
    using Command = StatusMenu::Command;
    AppDelegate *delegate = m_delegate.get();
    std::map<Command, std::function<void()>> commands{
        {Command::ShowOnboarding, [delegate] { delegate->showOnboardingFromStatusMenu(); }},
        {Command::ShowSettings, [delegate] { delegate->showSettingsFromStatusMenu(); }},
        {Command::Restart, [delegate] { delegate->restartFromStatusMenu(); }},
        {Command::Quit, [delegate] { delegate->quitFromStatusMenu(); }},
    };
    // Offered only when the updater could start its framework (just before this).
    if (m_appUpdater->canCheckForUpdates())
        commands[Command::CheckForUpdates] = [updater = m_appUpdater.get()] { updater->checkForUpdates(); };
    m_statusMenu = std::make_unique<StatusMenu>(StatusMenu::Environment{
        .item = sim.statusItem,
        .displays = sim.displays,
        .workspace = sim.workspace,
        .frontmostAppBeforeClick = [delegate] { return delegate->frontmostAppBeforeClick(); },
        .hasOnboardingWindow = [this] { return hasOnboardingWindow(); },
        .commands = std::move(commands),
    });
    m_statusMenu->makeStatusItem();
}

void Application::installActivationParking()
{
    m_activationParking->install();
}

void Application::startSystemMonitor()
{
    // The machine is measured from launch, so the Task Manager opens on a
    // full minute of history.
    m_systemMonitor->start();
}

TaskbarStore &Application::createStore()
{
    Sim::SimPlatform &sim = *m_desktop;
    TaskbarStoreEnvironment environment{
        .workspace = sim.workspace,
        .clock = *m_clock,
        .scheduler = *m_clock,
        .bundles = *m_bundles,
        .accessibility = sim.accessibility,
        .windowPreviews = *m_previews,
        .windowCapture = *m_windowCapture,
        .menuActions = *m_menuActions,
        .focusRecorder = *m_focusRecorder,
        .finderFavorites = *m_favourites,
        .settingsWindow = *m_settingsWindow,
        .minimizeInterception = *m_minimizeInterception,
        .tooltip = *m_tooltip,
        .taskManagerWindow = *m_taskManagerState,
    };
    environment.ownBundleIdentifier = ownBundleIdentifier;
    environment.windowList = &sim.windowList;
    environment.displays = &sim.displays;
    environment.eventTaps = &sim.eventTaps;
    environment.sleeper = m_clock.get();
    environment.windowGuard = m_windowGuard.get();
    environment.dockMinimizedWindows = m_dockMinimizedWindows.get();
    environment.fileIcons = m_fileIcons.get();
    environment.ownWindows = m_ownWindowsHost.get();
    environment.relauncher = m_relauncher.get();
    environment.onboarding = this;
    environment.closeConfirmation = m_closeConfirmation.get();
    environment.dockPinnedBundleIdentifiers = [preferences = &sim.applicationPreferences] {
        return DockPinnedApps::bundleIdentifiers(*preferences, ownBundleIdentifier);
    };
    m_store = std::make_unique<TaskbarStore>(*m_defaults, m_taskManagerState.get(), true, std::move(environment));
    return *m_store;
}

bool Application::isOnboardingCompleted() const
{
    return m_onboarding->progress().isCompleted();
}

void Application::showOnboarding(TaskbarStore &store)
{
    m_onboarding->show(store);
}

bool Application::hasOnboardingWindow() const
{
    return m_onboarding->window() != nullptr;
}

void Application::presentOnboarding()
{
    if (m_store)
        showOnboarding(*m_store);
}

} // namespace Velmora
