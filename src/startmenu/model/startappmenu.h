#pragma once

#include "store/appitem.h"

#include <QList>
#include <QString>

namespace Velmora {

class TaskbarStore;

// The context menu of every application entry of the Start menu: the rows
// of the app list and of Recent Apps, and the pinned tiles. What it lists
// depends only on the app and on whether it is pinned to Start and to the
// taskbar at the moment the menu opens.
class StartAppMenu
{
public:
    enum class Command { Open, PinToStart, UnpinFromStart, PinToTaskbar, UnpinFromTaskbar, ShowInFinder };

    struct Entry
    {
        bool isDivider = false;
        QString title;
        // The system symbol beside the title.
        QString symbol;
        Command command = Command::Open;

        friend bool operator==(const Entry &, const Entry &) = default;
    };

    // "Open"; for an app with a bundle identifier a divider and the Start and
    // taskbar pin entries (pin or unpin, whichever applies); a divider and
    // "Show in Finder". An app without a bundle identifier cannot be pinned,
    // so it gets no pin entries.
    static QList<Entry> entries(const AppItem &app, bool pinnedToStart, bool pinnedToTaskbar);
    // The same, read from the store now.
    static QList<Entry> entries(TaskbarStore &store, const AppItem &app);

    // Runs `command` on `app`. Open and Show in Finder close the Start menu
    // (with every other flyout); the pin commands leave it open, so the
    // pinned grid and the bar change in place.
    static void perform(TaskbarStore &store, const AppItem &app, Command command);

    StartAppMenu() = delete;
};

} // namespace Velmora
