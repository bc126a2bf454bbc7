#pragma once

#include "bar/model/baractions.h"

#include <QObject>

#include <functional>

namespace Velmora {

class AppExpose;
class DistributedNotifications;
class PopoverDismissingClick;
class TaskManagerWindowController;
class TaskbarStore;
class TaskbarTooltipController;

// The bar's requests carried out by the product: the store's click and
// window operations, the shared tooltip, the Task Manager's controller, the
// desktop's search toggled through a distributed notification. It also
// tells the store of every press inside one of the bar's flyouts.
class StoreBarActions final : public QObject, public BarActions
{
    Q_OBJECT
public:
    // The notification that shows or hides the desktop's search.
    static const QString searchToggleNotification; // "com.apple.spotlight.toggle"

    struct Services
    {
        DistributedNotifications &notifications;
        PopoverDismissingClick &dismissingClick;
        // The application's one tooltip.
        TaskbarTooltipController &tooltip;
        // When missing, "Show All Windows" takes the plain way.
        AppExpose *appExpose = nullptr;
        // The Task Manager's controller once the application has made it;
        // until then its commands do nothing.
        std::function<TaskManagerWindowController *()> taskManager = {};
    };

    StoreBarActions(TaskbarStore &store, Services services, QObject *parent = nullptr);
    ~StoreBarActions() override;

    void handleTaskbarClick(const AppItem &app, quint32 displayID) override;
    bool consumeDismissingClick() override;
    void hide() override;
    void scheduleTooltip(const QString &title) override;
    void open(const AppItem &app) override;
    void focusWindow(const WindowPreviewItem &preview, const RunningApplication &application) override;
    std::optional<QString> customWindowName(const WindowPreviewItem &preview) const override;
    void revealApplicationInFinder(const AppItem &app) override;
    void showAllWindows(const AppItem &app, const RunningApplication &application, quint32 displayID) override;
    void performMenuAction(const ApplicationMenuAction &action, const RunningApplication &application) override;
    void openUrl(const QUrl &url) override;
    void hideApplication(const RunningApplication &application) override;
    void terminateApplication(const RunningApplication &application) override;
    void presentTaskManager() override;
    void closeTaskManager() override;
    void toggleSearch() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TaskManagerWindowController *taskManager() const;

    TaskbarStore &m_store;
    Services m_services;
};

} // namespace Velmora
