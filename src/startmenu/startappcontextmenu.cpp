#include "startmenu/startappcontextmenu.h"

#include "bar/appcontextmenu.h"
#include "bar/barmenus.h"
#include "startmenu/model/startmenuviewmodel.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>

namespace Velmora {

QMenu *StartAppContextMenu::build(StartMenuViewModel &model, const AppItem &app, QWidget *parent)
{
    QList<AppMenuEntry> entries;
    QPointer<StartMenuViewModel> guarded(&model);
    for (const StartAppMenu::Entry &entry : model.menuEntries(app)) {
        if (entry.isDivider) {
            entries << AppMenuEntry::separator();
            continue;
        }
        // The menu may outlive the Start menu that opened it.
        entries << AppMenuEntry{AppMenuEntry::Kind::Item, entry.title, entry.symbol, true,
                                [guarded, app, command = entry.command] {
                                    if (guarded)
                                        guarded->perform(app, command);
                                },
                                {}};
    }
    return BarMenus::build(entries, parent);
}

QMenu *StartAppContextMenu::popUp(StartMenuViewModel &model, const AppItem &app, const QPoint &globalPosition,
                                  QWidget *parent)
{
    QMenu *menu = build(model, app, parent);
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    QPoint at = globalPosition;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPosition))
        at = AppContextMenu::menuPosition(globalPosition, menu->sizeHint(), screen->geometry());
    menu->popup(at);
    return menu;
}

} // namespace Velmora
