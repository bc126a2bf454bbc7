#pragma once

#include "store/appitem.h"

#include <QPoint>

class QMenu;
class QWidget;

namespace Velmora {

class StartMenuViewModel;

// The context menu of an application entry of the Start menu (a row of the
// list or of Recent Apps, a pinned tile), built from the store's state at
// the moment it opens. It opens inside the Start menu's popover, which stays
// open while the menu tracks.
class StartAppContextMenu
{
public:
    // A fresh menu for `app`, owned by `parent`.
    static QMenu *build(StartMenuViewModel &model, const AppItem &app, QWidget *parent);
    // Builds the menu and opens it at `globalPosition`; it goes once closed.
    static QMenu *popUp(StartMenuViewModel &model, const AppItem &app, const QPoint &globalPosition, QWidget *parent);

    StartAppContextMenu() = delete;
};

} // namespace Velmora
