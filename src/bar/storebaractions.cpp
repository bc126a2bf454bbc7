#include "bar/storebaractions.h"

#include "bar/model/popoverdismissingclick.h"
#include "bar/taskbartooltipcontroller.h"
#include "platform/distributednotifications.h"
#include "platform/workspace.h"
#include "services/applicationmenuactionprovider.h"
#include "store/taskbarstore.h"
#include "taskmanager/taskmanagerwindowcontroller.h"

namespace Velmora {

const QString StoreBarActions::searchToggleNotification = QStringLiteral("com.apple.spotlight.toggle");

StoreBarActions::StoreBarActions(TaskbarStore &store, DistributedNotifications &notifications,
                                 PopoverDismissingClick &dismissingClick)
    : m_store(store)
    , m_notifications(notifications)
    , m_dismissingClick(dismissingClick)
{
}

void StoreBarActions::handleTaskbarClick(const AppItem &app, quint32)
{
    m_store.flyouts().dismissFlyouts();
    open(app);
}

bool StoreBarActions::consumeDismissingClick()
{
    return m_dismissingClick.consume();
}

void StoreBarActions::hide()
{
    TaskbarTooltipController::shared().hide();
}

void StoreBarActions::scheduleTooltip(const QString &title)
{
    TaskbarTooltipController::shared().schedule(title);
}

void StoreBarActions::open(const AppItem &app)
{
    if (app.id == AppItem::taskManagerID) {
        presentTaskManager();
        return;
    }
    Workspace &workspace = m_store.environment().workspace;
    if (app.bundleIdentifier) {
        const QList<RunningApplication> running = workspace.runningApplications(*app.bundleIdentifier);
        if (!running.isEmpty()) {
            workspace.activate(running.first().processIdentifier, Workspace::ActivateIgnoringOtherApps);
            return;
        }
    }
    QString path;
    if (app.url)
        path = app.url->isLocalFile() ? app.url->toLocalFile() : app.url->path();
    else if (app.bundleIdentifier)
        path = workspace.urlForApplication(*app.bundleIdentifier).value_or(QString());
    if (!path.isEmpty())
        workspace.openApplication(path, {}, &m_store, [](std::optional<RunningApplication>, QString) {});
}

void StoreBarActions::focusWindow(const WindowPreviewItem &, const RunningApplication &application)
{
    m_store.environment().workspace.activate(application.processIdentifier, Workspace::ActivateIgnoringOtherApps);
}

std::optional<QString> StoreBarActions::customWindowName(const WindowPreviewItem &) const
{
    return std::nullopt;
}

void StoreBarActions::revealApplicationInFinder(const AppItem &app)
{
    if (app.url && app.url->isLocalFile())
        m_store.environment().workspace.activateFileViewerSelecting({ app.url->toLocalFile() });
}

void StoreBarActions::showAllWindows(const AppItem &, const RunningApplication &application, quint32)
{
    m_store.environment().workspace.activate(application.processIdentifier, Workspace::ActivateAllWindows);
}

void StoreBarActions::performMenuAction(const ApplicationMenuAction &action, const RunningApplication &application)
{
    m_store.environment().menuActions.perform(action, application);
}

void StoreBarActions::openUrl(const QUrl &url)
{
    m_store.environment().workspace.openUrl(url);
}

void StoreBarActions::hideApplication(const RunningApplication &application)
{
    m_store.environment().workspace.hide(application.processIdentifier);
}

void StoreBarActions::terminateApplication(const RunningApplication &application)
{
    m_store.environment().workspace.terminate(application.processIdentifier);
}

void StoreBarActions::presentTaskManager()
{
    if (TaskManagerWindowController *controller = TaskManagerWindowController::shared())
        controller->present();
}

void StoreBarActions::closeTaskManager()
{
    if (TaskManagerWindowController *controller = TaskManagerWindowController::shared())
        controller->close();
}

void StoreBarActions::toggleSearch()
{
    m_notifications.post(searchToggleNotification, {}, {}, true);
}

} // namespace Velmora
