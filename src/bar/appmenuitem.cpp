#include "bar/appmenuitem.h"

#include "bar/model/contextmenutext.h"
#include "bar/wrappedmenurow.h"

#include <QMenu>

namespace Velmora {

AppMenuItem::AppMenuItem(const QString &title, std::function<void()> handler, QObject *parent)
    : QWidgetAction(parent)
    , m_handler(std::move(handler))
{
    setText(title);
    setEnabled(true);
    connect(this, &QAction::triggered, this, &AppMenuItem::invoke);
}

void AppMenuItem::invoke()
{
    if (m_handler)
        m_handler();
}

AppMenuItem *AppMenuItem::add(QMenu *menu, const QString &title, const QIcon &icon, std::function<void()> handler,
                              QAction *before)
{
    auto *item = new AppMenuItem(title, std::move(handler), menu);
    item->setIcon(icon);
    const QString wrapped = ContextMenuText::wrapped(title, menu->font());
    if (wrapped.contains(u'\n'))
        item->setDefaultWidget(new WrappedMenuRow(wrapped, icon, item, menu->font()));
    menu->insertAction(before, item);
    return item;
}

} // namespace Velmora
