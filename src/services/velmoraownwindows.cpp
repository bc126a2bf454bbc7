#include "services/velmoraownwindows.h"

#include "services/servicelabels.h"

#include <QGuiApplication>
#include <QWindow>

namespace Velmora {

const char VelmoraOwnWindows::roleProperty[] = "velmoraWindowRole";
const QString VelmoraOwnWindows::settingsIdentifier = QStringLiteral("Velmora.Settings");
const QString VelmoraOwnWindows::untitledEntryTitle = ServiceLabels::OwnWindowsEntryTitle;

namespace {

bool isPanelType(Qt::WindowType type)
{
    // Qt's counterparts of a panel: tool windows, popups and tooltips float
    // above the application's windows and are never switched to.
    return type == Qt::Tool || type == Qt::Popup || type == Qt::ToolTip;
}

bool isTitledType(Qt::WindowType type)
{
    switch (type) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Drawer:
    case Qt::Tool:
        return true;
    default:
        return false;
    }
}

bool qualifies(const VelmoraOwnWindows::Snapshot &s)
{
    return s.isTitled && !s.isPanel && !s.hasOwnButton && (s.isVisible || s.isMiniaturized);
}

} // namespace

QString VelmoraOwnWindows::identifier(Role role)
{
    switch (role) {
    case Role::Settings:
        return settingsIdentifier;
    case Role::Onboarding:
        return QStringLiteral("Velmora.Onboarding");
    case Role::TaskManager:
        return QStringLiteral("Velmora.TaskManager");
    case Role::Panel:
        return QStringLiteral("Velmora.Panel");
    case Role::Popover:
        return QStringLiteral("Velmora.Popover");
    case Role::None:
        break;
    }
    return {};
}

void VelmoraOwnWindows::setRole(QWindow *window, Role role)
{
    if (!window)
        return;
    window->setProperty(roleProperty, role == Role::None ? QVariant() : QVariant(identifier(role)));
}

VelmoraOwnWindows::Role VelmoraOwnWindows::role(const QWindow *window)
{
    if (!window)
        return Role::None;
    const QString text = window->property(roleProperty).toString();
    for (Role r : {Role::Settings, Role::Onboarding, Role::TaskManager, Role::Panel, Role::Popover}) {
        if (text == identifier(r))
            return r;
    }
    return Role::None;
}

bool VelmoraOwnWindows::isFlyout(const QWindow *window)
{
    if (!window)
        return false;
    if (role(window) == Role::Popover)
        return true;
    return QLatin1String(window->metaObject()->className()).contains(QLatin1String("Popover"));
}

VelmoraOwnWindows::Snapshot VelmoraOwnWindows::snapshot(const QWindow *window)
{
    Snapshot s;
    const Qt::WindowFlags flags = window->flags();
    const Qt::WindowType type = window->type();
    const Role r = role(window);
    s.title = window->title();
    s.isTitled = isTitledType(type) && !(flags & Qt::FramelessWindowHint);
    s.isPanel = r == Role::Panel || r == Role::Popover || isPanelType(type);
    s.hasOwnButton = r == Role::Settings || r == Role::Onboarding || r == Role::TaskManager;
    s.isVisible = window->isVisible();
    s.isMiniaturized = window->windowStates().testFlag(Qt::WindowMinimized);
    return s;
}

std::optional<QString> VelmoraOwnWindows::buttonTitle(const QList<Snapshot> &snapshots)
{
    for (const Snapshot &s : snapshots) {
        if (qualifies(s))
            return s.title.isEmpty() ? untitledEntryTitle : s.title;
    }
    return std::nullopt;
}

QList<QWindow *> VelmoraOwnWindows::windows()
{
    QList<QWindow *> result;
    const QWindowList all = QGuiApplication::topLevelWindows();
    for (QWindow *window : all) {
        if (qualifies(snapshot(window)))
            result.append(window);
    }
    return result;
}

} // namespace Velmora
