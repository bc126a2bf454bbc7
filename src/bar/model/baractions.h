#pragma once

#include "platform/runningapplication.h"
#include "services/applicationmenuaction.h"
#include "services/windowpreviewitem.h"
#include "store/appitem.h"
#include "store/taskbartooltip.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace Velmora {

// What the bar asks of the rest of the product besides the store's own
// published state: the store's click and window operations, the tooltip, the
// popovers' dismissing-click record, the Task Manager and the desktop's
// search. The application implements it over the real parts; tests record
// the calls.
class BarActions : public TaskbarTooltip
{
public:
    ~BarActions() override;

    // A click on an app button, or a choice in the overflow list.
    virtual void handleTaskbarClick(const AppItem &app, quint32 displayID) = 0;
    // Whether this mouse-down is the click that just closed a popover; the
    // record is used up by asking.
    virtual bool consumeDismissingClick() = 0;

    // The tooltip: `title` after the usual delay near the pointer; hide()
    // takes it away.
    virtual void scheduleTooltip(const QString &title) = 0;

    // Launches, or brings forward, an app (or opens a product window).
    virtual void open(const AppItem &app) = 0;
    // The user picked one window of `application` from a menu.
    virtual void focusWindow(const WindowPreviewItem &preview, const RunningApplication &application) = 0;
    // The name the user gave a window, if any.
    virtual std::optional<QString> customWindowName(const WindowPreviewItem &preview) const = 0;
    virtual void revealApplicationInFinder(const AppItem &app) = 0;
    // Shows all of an app's windows, whichever way works for it.
    virtual void showAllWindows(const AppItem &app, const RunningApplication &application, quint32 displayID) = 0;
    // Runs a command of another application's menu bar (off the main thread).
    virtual void performMenuAction(const ApplicationMenuAction &action, const RunningApplication &application) = 0;
    virtual void openUrl(const QUrl &url) = 0;
    virtual void hideApplication(const RunningApplication &application) = 0;
    virtual void terminateApplication(const RunningApplication &application) = 0;

    virtual void presentTaskManager() = 0;
    virtual void closeTaskManager() = 0;
    // Shows or hides the desktop's search.
    virtual void toggleSearch() = 0;
};

} // namespace Velmora
