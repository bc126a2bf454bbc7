#pragma once

#include "bar/model/appmenumodel.h"

class QAction;
class QMenu;
class QWidget;

namespace Velmora {

// Turns the bar's menu models into menus: every entry an AppMenuItem with its
// symbol (long titles wrapped), separators, and "Options" as a plain item
// with its submenu.
class BarMenus
{
public:
    // A fresh menu of `entries`, owned by the caller.
    static QMenu *build(const QList<AppMenuEntry> &entries, QWidget *parent = nullptr);
    // Adds one entry before `before` (appends for nullptr); the action made.
    static QAction *add(QMenu *menu, const AppMenuEntry &entry, QAction *before = nullptr);

    // The menu of one app's button. It owns its model and, while it is open,
    // replaces its command entries in place when the app's commands are
    // rediscovered and differ.
    static QMenu *appMenu(TaskbarStore &store, BarActions &actions, const AppItem &app, quint32 displayID,
                          QWidget *parent = nullptr);

    // Applies a replacement to the menu built from the same model.
    static void replace(QMenu *menu, const AppMenuModel::Replacement &replacement);

    BarMenus() = delete;
};

} // namespace Velmora
