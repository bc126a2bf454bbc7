#pragma once

#include "bar/model/animator.h"
#include "bar/model/clickmonitors.h"
#include "bar/model/instantpopoverpresenter.h"
#include "bar/model/popoverservices.h"
#include "bar/model/popoversurface.h"
#include "platform/scheduler.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>

#include <functional>
#include <memory>

namespace Velmora {

class DesktopClickCatcher;
class InstantPopoverHost;

// The rules of one of the bar's flyouts (the Start menu, the overflow list,
// an app's window picker), apart from any widget:
// - it follows a binding (a store flag) and can be shown or closed at once
//   through its presenter, which can also hold it back while the mouse is down;
// - it closes on clicks in other applications, on the bare desktop and in the
//   application's other windows; when its shouldClose refuses, a click in the
//   application keeps it open and the next click in another window closes it;
// - a close while a context menu inside it is tracking waits for the menu to
//   end, at most deferredCloseMs;
// - it can be shown again while its closing animation still runs, in a
//   fresh window;
// - it follows its content's ideal size, optionally with a short ease-out.
// Main thread only.
class InstantPopoverController : public QObject, public InstantPopoverClosing, private PopoverSurface::Delegate
{
    Q_OBJECT
public:
    static constexpr qint64 deferredCloseMs = 400;
    static constexpr qint64 resizeDurationMs = 220;
    // A show asked for while the anchor is in no window is tried again this
    // many times, a frame apart; after that the next update tries again.
    static constexpr int maxAnchorRetries = 10;
    static constexpr qint64 anchorRetryDelayMs = 16;

    // The flag the popover follows: `get` answers whether it should be shown;
    // `set(false)` is called when the user closed it.
    struct Binding
    {
        std::function<bool()> get;
        std::function<void(bool)> set;
    };

    struct Options
    {
        Qt::Edge preferredEdge = Qt::TopEdge;
        // Asked whenever the popover would close on a click in the
        // application or Escape; empty always allows.
        std::function<bool()> shouldClose;
        bool animatesResize = false;
    };

    InstantPopoverController(PopoverServices services, InstantPopoverPresenter &presenter, InstantPopoverHost &host,
                             Options options, QObject *parent = nullptr);
    ~InstantPopoverController() override;

    void setBinding(Binding binding);
    void setShouldClose(std::function<bool()> shouldClose);

    // Makes this popover the one its presenter serves, showing at `edge`.
    void attach(Qt::Edge edge);
    // Leaves the presenter, unless a newer popover has taken it over.
    void detach();
    // Re-reads the binding (call it whenever the bound flag may have
    // changed): attaches, then shows or closes to match.
    void update();
    // The view goes away: leaves the presenter and closes what is shown.
    void dismantle();

    void show();
    // A close asked for by the binding.
    void closeForBinding();
    // Closes a shown popover, after a context menu inside it has ended.
    void closePopover();
    void closeImmediately() override;

    // A menu began or ended tracking; `overPopover` tells whether the pointer
    // was over this popover's shown window when it began.
    void menuDidBeginTracking(QObject *menu, bool overPopover);
    void menuDidEndTracking(QObject *menu);
    // The content's ideal size may have changed.
    void resizeToIdealSize();

    bool isShown() const;
    // Shown, but animating out.
    bool isClosing() const { return isShown() && m_isClosingForBinding; }
    bool isResizing() const { return m_resizeAnimation != 0; }
    bool hasDeferredClose() const { return m_deferredClose != 0; }
    QObject *contextMenu() const { return m_contextMenu; }
    PopoverSurface *surface() const { return m_surface.get(); }
    const DesktopClickCatcher &clickCatcher() const { return *m_catcher; }
    Qt::Edge anchorEdge() const { return m_anchorEdge; }

private:
    bool popoverShouldClose(PopoverSurface *surface) override;
    void popoverWillClose(PopoverSurface *surface) override;
    void popoverDidClose(PopoverSurface *surface) override;

    bool bindingIsTrue() const { return m_binding.get && m_binding.get(); }
    bool allowsClose() const { return !m_shouldClose || m_shouldClose(); }
    void showAt(Qt::Edge edge, int retriesLeft);
    void replaceClosingPopover();
    void installSurface(std::unique_ptr<PopoverSurface> surface);
    void finishDeferredClose();
    void dismissContextMenu();
    // Clicks in the application's other windows ask to close, as a
    // transient popover does; refused, the next one closes regardless.
    void handleApplicationClick(const QWindow *window);
    void closeOnNextClickInOtherWindows();
    void removeClickMonitors();
    void stopResizeAnimation();
    void setContentSizeImmediately(const QSizeF &size);

    PopoverServices m_services;
    QPointer<InstantPopoverPresenter> m_presenter;
    InstantPopoverHost &m_host;
    Binding m_binding;
    std::function<bool()> m_shouldClose;
    bool m_animatesResize = false;
    std::unique_ptr<PopoverSurface> m_surface;
    std::unique_ptr<DesktopClickCatcher> m_catcher;
    ClickMonitors::Token m_globalClickMonitor;
    ClickMonitors::Token m_transientClickMonitor;
    ClickMonitors::Token m_localClickMonitor;
    bool m_isClosingForBinding = false;
    Qt::Edge m_anchorEdge = Qt::TopEdge;
    QPointer<QObject> m_contextMenu;
    Scheduler::JobId m_deferredClose = 0;
    Scheduler::JobId m_anchorRetry = 0;
    Animator::Id m_resizeAnimation = 0;
    QSizeF m_resizeTarget;
};

} // namespace Velmora
