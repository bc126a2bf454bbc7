#include "bar/appcontextmenu.h"

#include "bar/model/instantpopoverpresenter.h"
#include "store/taskbartooltip.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace Velmora {

AppContextMenu::AppContextMenu(QWidget *target)
    : QObject(target)
    , m_target(target)
{
    target->installEventFilter(this);
}

AppContextMenu *AppContextMenu::attach(QWidget *target, MakeMenu makeMenu, TaskbarTooltip *tooltip)
{
    if (!target)
        return nullptr;
    AppContextMenu *anchor = of(target);
    if (!anchor)
        anchor = new AppContextMenu(target);
    anchor->setMakeMenu(std::move(makeMenu));
    anchor->m_tooltip = tooltip;
    return anchor;
}

void AppContextMenu::endStaleHovers(QWidget *window)
{
    if (!window)
        return;
    // An open menu holds the pointer: the widgets under it hear nothing of
    // it leaving them, and would keep their hover look until it came back.
    const QPoint pointer = QCursor::pos();
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->testAttribute(Qt::WA_UnderMouse) || widget->rect().contains(widget->mapFromGlobal(pointer)))
            continue;
        widget->setAttribute(Qt::WA_UnderMouse, false);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &leave);
    }
}

AppContextMenu *AppContextMenu::of(const QWidget *target)
{
    return target ? target->findChild<AppContextMenu *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool AppContextMenu::isMenuClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    return button == Qt::RightButton || (button == Qt::LeftButton && modifiers.testFlag(Qt::ControlModifier));
}

QPoint AppContextMenu::menuPosition(const QPoint &pointer, const QSize &size, const QRect &screen)
{
    QPoint at = pointer;
    if (at.y() + size.height() > screen.bottom() + 1)
        at.setY(pointer.y() - size.height());
    at.setX(qBound(screen.left(), at.x(), qMax(screen.left(), screen.right() + 1 - size.width())));
    at.setY(qBound(screen.top(), at.y(), qMax(screen.top(), screen.bottom() + 1 - size.height())));
    return at;
}

QMenu *AppContextMenu::popUp(const QPoint &globalPosition)
{
    if (!m_makeMenu)
        return nullptr;
    QMenu *menu = m_makeMenu();
    if (!menu)
        return nullptr;
    if (m_tooltip)
        m_tooltip->hide();
    InstantPopoverPresenter::closeAll();
    // The menu goes once it has closed, with its items and their handlers.
    // Deferred: a chosen item's handler still runs from inside the menu.
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    connect(menu, &QMenu::aboutToHide, this, [window = QPointer<QWidget>(m_target ? m_target->window() : nullptr)] {
        endStaleHovers(window);
    });
    m_openMenu = menu;
    QPoint at = globalPosition;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPosition))
        at = menuPosition(globalPosition, menu->sizeHint(), screen->geometry());
    menu->popup(at);
    emit menuOpened(menu);
    return menu;
}

bool AppContextMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_target)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!isMenuClick(mouse->button(), mouse->modifiers()) || !m_makeMenu)
            break;
        popUp(mouse->globalPosition().toPoint());
        return true; // the target never sees a press that opened a menu
    }
    case QEvent::ContextMenu:
        // The window system's own menu request that follows a right-click:
        // the press has already opened ours.
        if (m_makeMenu && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Mouse)
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Velmora
