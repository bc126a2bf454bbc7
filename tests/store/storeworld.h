#pragma once

#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/sim/scriptedfavoritefolders.h"
#include "platform/sim/scriptedfileicons.h"
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
    ManualRunner background;
    // What the store is given; a test may swap any of them before make().
    Workspace *storeWorkspace = &workspace;
    FocusRecorder *focusRecorder = &focus;
    FinderFavoritesModel *favouritesModel = &favourites;
    QStringList dockPins;
    int dockReads = 0;

    TaskbarStoreEnvironment environment()
    {
        return TaskbarStoreEnvironment {
            .workspace = *storeWorkspace,
            .clock = clock,
            .scheduler = clock,
            .bundles = bundles,
            .accessibility = accessibility,
            .windowPreviews = provider,
            .windowCapture = capture,
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
            .backgroundRunner = background.runner(),
        };
    }

    std::unique_ptr<TaskbarStore> make(bool observesSystem, TaskManagerOpenState *taskManagerOpen = nullptr)
    {
        return std::make_unique<TaskbarStore>(defaults, taskManagerOpen, observesSystem, environment());
    }
};

} // namespace Velmora::Test
