#include "bar/storebaractions.h"

#include "bar/model/popoverdismissingclick.h"
#include "bar/taskbartooltipcontroller.h"
#include "platform/distributednotifications.h"
#include "platform/workspace.h"
#include "services/appexpose.h"
#include "services/applicationmenuactionprovider.h"
#include "services/velmoraownwindows.h"
#include "store/focusrecorder.h"
#include "store/stillrunning.h"
#include "store/taskbarstore.h"
#include "taskmanager/taskmanagerwindowcontroller.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace Velmora {

const QString StoreBarActions::searchToggleNotification = QStringLiteral("com.apple.spotlight.toggle");

StoreBarActions::StoreBarActions(TaskbarStore &store, Services services, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_services(services)
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

StoreBarActions::~StoreBarActions() = default;

bool StoreBarActions::eventFilter(QObject *watched, QEvent *event)
{
    // Every press inside a flyout, once per press: the window sees it before
    // any of its widgets.
    if (event->type() == QEvent::MouseButtonPress && watched->isWindowType()
        && VelmoraOwnWindows::isFlyout(static_cast<QWindow *>(watched)))
        m_store.minimizeTakeover().handleFlyoutPress();
    return QObject::eventFilter(watched, event);
}

void StoreBarActions::handleTaskbarClick(const AppItem &app, quint32 displayID)
{
    m_store.handleTaskbarClick(app, displayID);
}

bool StoreBarActions::consumeDismissingClick()
{
    return m_services.dismissingClick.consume();
}

void StoreBarActions::hide()
{
    m_services.tooltip.hide();
}

void StoreBarActions::scheduleTooltip(const QString &title)
{
    m_services.tooltip.schedule(title);
}

void StoreBarActions::open(const AppItem &app)
{
    m_store.clicks().open(app);
}

void StoreBarActions::focusWindow(const WindowPreviewItem &preview, const RunningApplication &application)
{
    // The pick holds against the application's own focus events for a moment.
    m_store.environment().focusRecorder.recordRequested(preview.id, preview.processIdentifier);
    m_store.windowActions().focusRequestedWindow(preview, application, false);
}

std::optional<QString> StoreBarActions::customWindowName(const WindowPreviewItem &preview) const
{
    return m_store.customWindowNames().customWindowName(preview);
}

void StoreBarActions::revealApplicationInFinder(const AppItem &app)
{
    m_store.clicks().revealApplicationInFinder(app);
}

void StoreBarActions::showAllWindows(const AppItem &app, const RunningApplication &application, quint32 displayID)
{
    // The Dock shows the windows when it can.
    if (m_services.appExpose && m_services.appExpose->show(application))
        return;
    // Windows the application does not list at once are shown when they
    // arrive from the background.
    TaskbarStore &store = m_store;
    store.windowPreviewCache().withWindowPreviews(
        application, &store, [&store, app, application, displayID](const QList<WindowPreviewItem> &listed) {
            if (!isStillRunning(store.environment().workspace, application))
                return;
            WindowPicker &picker = store.windowPicker();
            const QList<WindowPreviewItem> previews = picker.orderedWindowPreviews(listed);
            if (previews.size() >= WindowPicker::pickerThreshold) {
                picker.presentWindowPicker(app, previews, displayID);
                return;
            }
            store.clicks().bringForward(application);
        });
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

TaskManagerWindowController *StoreBarActions::taskManager() const
{
    return m_services.taskManager ? m_services.taskManager() : nullptr;
}

void StoreBarActions::presentTaskManager()
{
    if (TaskManagerWindowController *controller = taskManager())
        controller->present();
}

void StoreBarActions::closeTaskManager()
{
    if (TaskManagerWindowController *controller = taskManager())
        controller->close();
}

void StoreBarActions::toggleSearch()
{
    m_services.notifications.post(searchToggleNotification, {}, {}, true);
}

} // namespace Velmora
