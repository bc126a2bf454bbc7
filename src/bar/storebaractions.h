#pragma once

#include "bar/model/baractions.h"

namespace Velmora {

class DistributedNotifications;
class PopoverDismissingClick;
class TaskbarStore;

// The bar's requests carried out by the product: the store's click and
// window operations, the shared tooltip, the Task Manager's controller, the
// desktop's search toggled through a distributed notification.
class StoreBarActions final : public BarActions
{
public:
    // The notification that shows or hides the desktop's search.
    static const QString searchToggleNotification; // "com.apple.spotlight.toggle"

    StoreBarActions(TaskbarStore &store, DistributedNotifications &notifications,
                    PopoverDismissingClick &dismissingClick);

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

private:
    TaskbarStore &m_store;
    DistributedNotifications &m_notifications;
    PopoverDismissingClick &m_dismissingClick;
};

} // namespace Velmora
