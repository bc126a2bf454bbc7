#include "bar/barmenus.h"

#include "app/model/velmorapalette.h"
#include "bar/appmenuitem.h"
#include "bar/barsymbols.h"

#include <QMenu>

#include <memory>

namespace Velmora {

namespace {

// Keeps a menu's model for as long as the menu: its entries' handlers and
// the refresh of its commands use it.
class ModelHolder final : public QObject
{
public:
    ModelHolder(std::unique_ptr<AppMenuModel> model, QObject *menu)
        : QObject(menu)
        , m_model(std::move(model))
    {
    }

private:
    std::unique_ptr<AppMenuModel> m_model;
};

} // namespace

QMenu *BarMenus::build(const QList<AppMenuEntry> &entries, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setPalette(VelmoraPalette::menu());
    for (const AppMenuEntry &entry : entries)
        add(menu, entry);
    return menu;
}

QAction *BarMenus::add(QMenu *menu, const AppMenuEntry &entry, QAction *before)
{
    switch (entry.kind) {
    case AppMenuEntry::Kind::Separator:
        return menu->insertSeparator(before);
    case AppMenuEntry::Kind::Submenu: {
        QMenu *submenu = build(entry.submenu, menu);
        submenu->setTitle(entry.title);
        submenu->setIcon(BarSymbols::icon(entry.symbol));
        menu->insertMenu(before, submenu);
        return submenu->menuAction();
    }
    case AppMenuEntry::Kind::Item:
        break;
    }
    AppMenuItem *item = AppMenuItem::add(menu, entry.title, BarSymbols::icon(entry.symbol), entry.action, before);
    item->setEnabled(entry.isEnabled);
    return item;
}

QMenu *BarMenus::appMenu(TaskbarStore &store, BarActions &actions, const AppItem &app, quint32 displayID,
                         QWidget *parent)
{
    auto owned = std::make_unique<AppMenuModel>(store, actions, app, displayID);
    AppMenuModel *model = owned.get();
    QMenu *menu = build(model->entries(), parent);
    new ModelHolder(std::move(owned), menu);
    model->refreshCommands(menu, [menu](const AppMenuModel::Replacement &replacement) {
        replace(menu, replacement);
    });
    model->awaitWindows(menu, [menu](const AppMenuModel::Replacement &replacement) { replace(menu, replacement); });
    return menu;
}

void BarMenus::replace(QMenu *menu, const AppMenuModel::Replacement &replacement)
{
    const QList<QAction *> actions = menu->actions();
    for (qsizetype i = replacement.start; i < replacement.start + replacement.removed && i < actions.size(); ++i) {
        QAction *old = actions.at(i);
        menu->removeAction(old);
        // Separators and items the menu made are its own children.
        if (old->parent() == menu)
            old->deleteLater();
    }
    const qsizetype next = replacement.start + replacement.removed;
    QAction *before = next < actions.size() ? actions.at(next) : nullptr;
    for (const AppMenuEntry &entry : replacement.inserted)
        add(menu, entry, before);
}

} // namespace Velmora
