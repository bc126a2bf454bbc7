#include "startmenu/model/startappmenu.h"

#include "store/taskbarstore.h"

namespace Velmora {

namespace {

StartAppMenu::Entry item(const QString &title, const QString &symbol, StartAppMenu::Command command)
{
    return {false, title, symbol, command};
}

StartAppMenu::Entry divider()
{
    return {true, {}, {}, StartAppMenu::Command::Open};
}

} // namespace

QList<StartAppMenu::Entry> StartAppMenu::entries(const AppItem &app, bool pinnedToStart, bool pinnedToTaskbar)
{
    QList<Entry> entries;
    entries << item(QStringLiteral("Open"), QStringLiteral("arrow.up.forward.app"), Command::Open);
    if (app.bundleIdentifier) {
        entries << divider();
        entries << (pinnedToStart
                        ? item(QStringLiteral("Unpin from Start menu"), QStringLiteral("pin.slash"),
                               Command::UnpinFromStart)
                        : item(QStringLiteral("Pin to Start menu"), QStringLiteral("pin"), Command::PinToStart));
        entries << (pinnedToTaskbar
                        ? item(QStringLiteral("Unpin from taskbar"), QStringLiteral("pin.slash"),
                               Command::UnpinFromTaskbar)
                        : item(QStringLiteral("Pin to taskbar"), QStringLiteral("pin"), Command::PinToTaskbar));
    }
    entries << divider();
    entries << item(QStringLiteral("Show in Finder"), QStringLiteral("folder"), Command::ShowInFinder);
    return entries;
}

QList<StartAppMenu::Entry> StartAppMenu::entries(TaskbarStore &store, const AppItem &app)
{
    return entries(app, store.isPinnedToStart(app), store.isPinned(app));
}

void StartAppMenu::perform(TaskbarStore &store, const AppItem &app, Command command)
{
    switch (command) {
    case Command::Open:
        store.clicks().open(app);
        break;
    case Command::PinToStart:
        store.pinToStart(app);
        break;
    case Command::UnpinFromStart:
        store.unpinFromStart(app);
        break;
    case Command::PinToTaskbar:
        store.pin(app);
        break;
    case Command::UnpinFromTaskbar:
        store.unpin(app);
        break;
    case Command::ShowInFinder:
        // Finder comes forward over a menu that is already gone.
        store.flyouts().dismissFlyouts();
        store.clicks().revealApplicationInFinder(app);
        break;
    }
}

} // namespace Velmora
