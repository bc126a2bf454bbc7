#pragma once

#include "startmenu/model/appsections.h"
#include "startmenu/model/startmenuviewmodel.h"
#include "../store/storeworld.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace Velmora::Test {

// A workspace that only records which folders were opened, and lets a test
// look at the product's state at that moment.
class FolderOpeningWorkspace final : public Workspace
{
public:
    QList<QUrl> opened;
    std::function<void()> onOpen;

    qint32 currentProcessIdentifier() const override { return 1; }
    QList<RunningApplication> runningApplications() const override { return {}; }
    std::optional<RunningApplication> application(qint32) const override { return std::nullopt; }
    std::optional<RunningApplication> frontmostApplication() const override { return std::nullopt; }
    bool activate(qint32, quint32) override { return false; }
    bool hide(qint32) override { return false; }
    bool unhide(qint32) override { return false; }
    bool terminate(qint32) override { return false; }
    std::optional<QString> urlForApplication(const QString &) const override { return std::nullopt; }
    void openApplication(const QString &, const OpenConfiguration &, QObject *, OpenCompletion) override { }
    bool openUrl(const QUrl &url) override
    {
        if (onOpen)
            onOpen();
        opened.append(url);
        return true;
    }
    void activateFileViewerSelecting(const QStringList &) override { }
    bool accessibilityDisplayShouldReduceMotion() const override { return false; }
};

// A store on the simulated desktop whose installed applications are `names`
// ("com.example.<name>" in /Applications), with the Start menu of display 1.
struct StartMenuWorld : StoreWorld
{
    FolderOpeningWorkspace folderWorkspace;
    AppSections sections{QLocale(QLocale::English, QLocale::UnitedStates)};
    std::unique_ptr<TaskbarStore> store;
    std::unique_ptr<StartMenuViewModel> menu;

    explicit StartMenuWorld(const QStringList &names = {"Archive", "Calendar", "Editor", "Mail", "Notes"},
                            const QStringList &startPins = {},
                            EnglishSpelling::Variant spelling = EnglishSpelling::British)
    {
        for (const QString &name : names) {
            const QString bundle = QStringLiteral("com.example.") + name;
            const QString path = QStringLiteral("/Applications/%1.app").arg(name);
            bundles.addBundle(path, BundleInfo{bundle, name, {}});
            Sim::SimInstalledApplication installed;
            installed.bundleIdentifier = bundle;
            installed.name = name;
            installed.bundlePath = path;
            desktop.addInstalledApplication(installed);
        }
        defaults.setValue(QStringLiteral("PinnedApplicationBundleIdentifiers"), QStringList());
        QStringList pins;
        for (const QString &name : startPins)
            pins << QStringLiteral("com.example.") + name;
        defaults.setValue(QStringLiteral("StartPinnedApplicationBundleIdentifiers"), pins);
        store = make(true);
        if (!names.isEmpty() && store->installedApps().isEmpty()) {
            QSignalSpy installed(store.get(), &TaskbarStore::installedAppsChanged);
            installed.wait(5000);
        }
        menu = std::make_unique<StartMenuViewModel>(
            StartMenuViewModel::Environment{*store, displays, folderWorkspace, clock, sections, spelling},
            StartMenuMode::Start, 1);
    }

    void openMenu() { store->flyouts().toggleStartMenu(1); }
    // Delivers what the store published, as the next turn would.
    void settle()
    {
        background.runAll();
        clock.runPending();
    }
    static QStringList names(const QList<AppItem> &apps)
    {
        QStringList result;
        for (const AppItem &app : apps)
            result << app.name;
        return result;
    }
};

} // namespace Velmora::Test
