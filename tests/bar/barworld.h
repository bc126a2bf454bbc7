#pragma once

#include "bar/model/animator.h"
#include "bar/model/barviewmodel.h"
#include "barfakes.h"
#include "../store/storeworld.h"

namespace Velmora::Test {

// One display's bar over a store on the simulated desktop. The bar's apps are
// running applications named in `apps`, in that order on the bar; "Editor"
// has two windows and "Mail" one.
struct BarWorld : StoreWorld
{
    Animator animator{clock, clock};
    RecordingBarActions actions;
    std::unique_ptr<TaskbarStore> store;
    std::unique_ptr<BarViewModel> bar;
    quint32 editorFirst = 0;
    quint32 editorSecond = 0; // in front

    explicit BarWorld(const QStringList &apps = {"Editor", "Mail", "Notes"}, quint32 displayID = 1)
    {
        animator.setInstant(true);
        for (const QString &name : apps) {
            const qint32 pid = addApp(name);
            if (name == QLatin1String("Editor")) {
                editorFirst = addWindow(pid, QRectF(100, 100, 600, 400), QStringLiteral("First"));
                editorSecond = addWindow(pid, QRectF(800, 100, 600, 400), QStringLiteral("Second"));
            } else if (name == QLatin1String("Mail")) {
                addWindow(pid, QRectF(300, 500, 600, 300), QStringLiteral("Inbox"));
            }
        }
        defaults.setValue(QStringLiteral("PinnedApplicationBundleIdentifiers"), QStringList());
        QStringList order;
        for (const QString &name : apps)
            order << QStringLiteral("com.example.") + name;
        defaults.setValue(QStringLiteral("TaskbarApplicationOrder"), order);
        store = make(true);
        store->refreshRunningApps();
        bar = std::make_unique<BarViewModel>(*store, actions, animator, displayID);
        bar->shown();
    }

    AppItem app(const QString &name) const
    {
        for (const AppItem &item : store->taskbarApps()) {
            if (item.name == name)
                return item;
        }
        return appItem(name);
    }
    QStringList shownNames() const
    {
        QStringList names;
        for (const AppItem &item : bar->displayedTaskbarApps())
            names << item.name;
        return names;
    }
    QStringList barNames() const
    {
        QStringList names;
        for (const AppItem &item : store->taskbarApps())
            names << item.name;
        return names;
    }
    // Delivers what the store published to the bar, as the next turn would.
    void settle()
    {
        background.runAll();
        clock.runPending();
    }

    static QStringList numbered(int count)
    {
        QStringList names;
        for (int i = 1; i <= count; ++i)
            names << QStringLiteral("App%1").arg(i, 2, 10, QLatin1Char('0'));
        return names;
    }
};

} // namespace Velmora::Test
