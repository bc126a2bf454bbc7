#pragma once

#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/sim/scriptedfavoritefolders.h"
#include "platform/sim/scriptedfileicons.h"
#include "services/applicationmenuactionprovider.h"
#include "store/finderfavoritesmodel.h"
#include "store/taskbarstore.h"
#include "storefakes.h"
#include "../support/servicesworld.h"

#include <memory>

namespace Velmora::Test {

// A store on the simulated desktop: the window services run against it on a
// virtual clock; what the store asks of the rest of the product is faked.
// Background work waits in `background` until the test runs it.
struct StoreWorld : ListingWorld
{
    Sim::MemoryUserDefaults defaults;
    Sim::ScriptedBundles bundles;
    FakeWindowCapture capture;
    FakeFocusRecorder focus;
    FakeSettingsWindow settingsWindow;
    FakeMinimizeInterception interception;
    FakeTooltip tooltip;
    FakeTaskManagerState taskManager;
    Sim::ScriptedFavoriteFolders folders;
    Sim::ScriptedFileIcons icons;
    FinderFavoritesModel favourites { folders, icons };
    ApplicationMenuActionProvider menuProvider { accessibility, workspace, privateFunctions, clock };
    ManualRunner background;
    // What the store is given; a test may swap any of them before make().
    Workspace *storeWorkspace = &workspace;
    FocusRecorder *focusRecorder = &focus;
    FinderFavoritesModel *favouritesModel = &favourites;
    WindowCapture *windowCapture = &capture;
    OnboardingHost *onboarding = nullptr;
    QStringList dockPins;
    int dockReads = 0;
    // Background work on the store's own threads instead of `background`.
    bool realThreads = false;

    TaskbarStoreEnvironment environment()
    {
        return TaskbarStoreEnvironment {
            .workspace = *storeWorkspace,
            .clock = clock,
            .scheduler = clock,
            .bundles = bundles,
            .accessibility = accessibility,
            .windowPreviews = provider,
            .windowCapture = *windowCapture,
            .menuActions = menuProvider,
            .focusRecorder = *focusRecorder,
            .finderFavorites = *favouritesModel,
            .settingsWindow = settingsWindow,
            .minimizeInterception = interception,
            .tooltip = tooltip,
            .taskManagerWindow = taskManager,
            .dockPinnedBundleIdentifiers =
                [this] {
                    ++dockReads;
                    return dockPins;
                },
            .ownBundleIdentifier = QStringLiteral("org.velmora.Velmora"),
            .backgroundRunner = realThreads ? BackgroundTasks::Runner() : background.runner(),
            .onboarding = onboarding,
        };
    }

    std::unique_ptr<TaskbarStore> make(bool observesSystem, TaskManagerOpenState *taskManagerOpen = nullptr)
    {
        return std::make_unique<TaskbarStore>(defaults, taskManagerOpen, observesSystem, environment());
    }

    // An application with two windows side by side, "First" and then
    // "Second" (in front); its pid.
    qint32 addAppWithTwoWindows(const QString &name)
    {
        const qint32 pid = addApp(name);
        addWindow(pid, QRectF(100, 100, 600, 400), QStringLiteral("First"));
        addWindow(pid, QRectF(800, 100, 600, 400), QStringLiteral("Second"));
        return pid;
    }

    // The bar's item of a running application added with addApp(name).
    static AppItem appItem(const QString &name)
    {
        const QString bundle = QStringLiteral("com.example.") + name;
        return AppItem { bundle, name, bundle, std::nullopt, true, std::nullopt };
    }

    static QStringList previewIDs(const QList<WindowPreviewItem> &previews) { return ids(previews); }
};

} // namespace Velmora::Test
