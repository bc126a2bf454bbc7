#include "bar/model/instantpopovercontroller.h"

#include "bar/model/desktopclickcatcher.h"
#include "bar/model/instantpopoverhost.h"
#include "bar/model/motion.h"
#include "bar/model/popoverdismissingclick.h"

#include <cmath>

namespace Velmora {

PopoverSurface::~PopoverSurface() = default;
InstantPopoverHost::~InstantPopoverHost() = default;

InstantPopoverController::InstantPopoverController(PopoverServices services, InstantPopoverPresenter &presenter,
                                                   InstantPopoverHost &host, Options options, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_presenter(&presenter)
    , m_host(host)
    , m_shouldClose(std::move(options.shouldClose))
    , m_animatesResize(options.animatesResize)
    , m_anchorEdge(options.preferredEdge)
{
    QPointer<InstantPopoverController> self(this);
    m_catcher = std::make_unique<DesktopClickCatcher>(m_services.scheduler, m_services.clickCatcherWindows, [self] {
        if (self && self->isShown())
            self->closePopover();
    });
    installSurface(m_host.makeSurface(m_host.idealSize()));
}

InstantPopoverController::~InstantPopoverController()
{
    detach();
    stopResizeAnimation();
    removeClickMonitors();
    m_catcher.reset();
    if (m_surface)
        m_surface->setDelegate(nullptr);
    m_surface.reset();
}

void InstantPopoverController::installSurface(std::unique_ptr<PopoverSurface> surface)
{
    m_surface = std::move(surface);
    m_surface->setDelegate(this);
}

void InstantPopoverController::setBinding(Binding binding)
{
    m_binding = std::move(binding);
}

void InstantPopoverController::setShouldClose(std::function<bool()> shouldClose)
{
    m_shouldClose = std::move(shouldClose);
}

void InstantPopoverController::attach(Qt::Edge edge)
{
    m_anchorEdge = edge;
    if (!m_presenter)
        return;
    QPointer<InstantPopoverController> self(this);
    m_presenter->attach(
        this,
        [self, edge] {
            if (self)
                self->showAt(edge, maxAnchorRetries);
        },
        [self] {
            if (self && self->isShown())
                self->closePopover();
        });
}

void InstantPopoverController::detach()
{
    if (m_presenter)
        m_presenter->detach(this);
}

void InstantPopoverController::update()
{
    attach(m_anchorEdge);
    if (bindingIsTrue())
        show();
    else
        closeForBinding();
}

void InstantPopoverController::dismantle()
{
    detach();
    if (isShown())
        closePopover();
}

bool InstantPopoverController::isShown() const
{
    return m_surface && m_surface->isShown();
}

void InstantPopoverController::show()
{
    showAt(m_anchorEdge, maxAnchorRetries);
}

void InstantPopoverController::showAt(Qt::Edge edge, int retriesLeft)
{
    if (m_presenter && m_presenter->isHoldingShow())
        return;
    if (isShown() && m_isClosingForBinding)
        replaceClosingPopover();
    if (isShown())
        return;
    const std::optional<QRectF> anchor = m_host.anchorFrame();
    if (!anchor) {
        // The anchor's window is not up yet (a bar still being built). Try
        // again a few frames on, but never for ever: a popover whose anchor
        // never appears must not keep the loop busy. The next update of the
        // binding tries afresh.
        if (retriesLeft > 0 && !m_services.scheduler.isScheduled(m_anchorRetry)) {
            m_anchorRetry = m_services.scheduler.scheduleOnce(anchorRetryDelayMs, this, [this, edge, retriesLeft] {
                m_anchorRetry = 0;
                if (bindingIsTrue())
                    showAt(edge, retriesLeft - 1);
            });
        }
        return;
    }
    m_services.scheduler.cancel(m_anchorRetry);
    m_anchorRetry = 0;
    // Sized before it appears: the first frame is already the right size.
    stopResizeAnimation();
    setContentSizeImmediately(m_host.idealSize());
    m_surface->show(*anchor, edge);

    if (!m_globalClickMonitor) {
        m_globalClickMonitor = m_services.clickMonitors.watchOtherApplications([this] {
            if (isShown())
                closePopover();
        });
    }
    if (!m_transientClickMonitor) {
        m_transientClickMonitor = m_services.clickMonitors.watchApplication(
            [this](const QWindow *window) { handleApplicationClick(window); });
    }
    m_catcher->show();
}

void InstantPopoverController::replaceClosingPopover()
{
    // The old window finishes its closing animation on its own, without the
    // content and without telling us; the content moves to a fresh window.
    const QSizeF size = m_surface->contentSize();
    m_surface->setDelegate(nullptr);
    m_surface.release()->abandon();
    installSurface(m_host.makeSurface(size));
    m_isClosingForBinding = false;
    removeClickMonitors();
    m_catcher->hide();
}

void InstantPopoverController::closeForBinding()
{
    if (isShown() && !m_isClosingForBinding) {
        m_isClosingForBinding = true;
        closePopover();
    }
}

void InstantPopoverController::closePopover()
{
    if (!m_contextMenu) {
        if (isShown())
            m_surface->close(true);
        return;
    }
    if (m_deferredClose)
        return;
    // A menu opened inside the popover is tracking: end it first and close
    // once it has gone, or after a short while at the latest.
    QObject *menu = m_contextMenu;
    m_deferredClose = m_services.scheduler.scheduleOnce(deferredCloseMs, this, [this] {
        m_deferredClose = 0;
        m_contextMenu = nullptr;
        if (isShown())
            m_surface->close(true);
    });
    m_host.cancelMenuTracking(menu);
}

void InstantPopoverController::finishDeferredClose()
{
    if (!m_deferredClose)
        return;
    m_services.scheduler.cancel(m_deferredClose);
    m_deferredClose = 0;
    m_services.scheduler.scheduleOnce(0, this, [this] {
        if (isShown())
            m_surface->close(true);
    });
}

void InstantPopoverController::closeImmediately()
{
    if (isShown())
        m_surface->close(false);
}

void InstantPopoverController::menuDidBeginTracking(QObject *menu, bool overPopover)
{
    if (menu && overPopover && isShown())
        m_contextMenu = menu;
}

void InstantPopoverController::menuDidEndTracking(QObject *menu)
{
    const bool isRecorded = menu ? menu == m_contextMenu.data() : m_contextMenu.isNull();
    if (!isRecorded)
        return;
    m_contextMenu = nullptr;
    finishDeferredClose();
}

void InstantPopoverController::dismissContextMenu()
{
    if (!m_contextMenu)
        return;
    QObject *menu = m_contextMenu;
    m_contextMenu = nullptr;
    m_host.cancelMenuTracking(menu);
}

bool InstantPopoverController::popoverShouldClose(PopoverSurface *)
{
    if (!allowsClose()) {
        closeOnNextClickInOtherWindows();
        return false;
    }
    if (m_contextMenu) {
        m_services.scheduler.scheduleOnce(0, this, [this] {
            if (isShown())
                closePopover();
        });
        return false;
    }
    return true;
}

void InstantPopoverController::handleApplicationClick(const QWindow *window)
{
    // While a menu inside the popover tracks, clicks are the menu's.
    if (!isShown() || m_isClosingForBinding || m_contextMenu || m_surface->holdsWindow(window))
        return;
    if (popoverShouldClose(m_surface.get()))
        m_surface->close(true);
}

void InstantPopoverController::closeOnNextClickInOtherWindows()
{
    if (m_localClickMonitor)
        return;
    m_localClickMonitor = m_services.clickMonitors.watchApplication([this](const QWindow *window) {
        if (isShown() && !m_contextMenu && !m_surface->holdsWindow(window))
            closePopover();
    });
}

void InstantPopoverController::removeClickMonitors()
{
    m_globalClickMonitor.reset();
    m_transientClickMonitor.reset();
    m_localClickMonitor.reset();
}

void InstantPopoverController::popoverWillClose(PopoverSurface *surface)
{
    if (surface != m_surface.get())
        return;
    dismissContextMenu();
    if (m_isClosingForBinding)
        return;
    m_isClosingForBinding = true;
    // Closed by the user: a click that did it must not reopen it at its button.
    m_services.dismissingClick.record(m_host.anchorFrame());
    if (bindingIsTrue() && m_binding.set)
        m_binding.set(false);
}

void InstantPopoverController::popoverDidClose(PopoverSurface *surface)
{
    if (surface != m_surface.get())
        return;
    stopResizeAnimation();
    setContentSizeImmediately(m_host.idealSize());
    removeClickMonitors();
    m_catcher->hide();
    const bool wasClosing = m_isClosingForBinding;
    m_isClosingForBinding = false;
    if (!bindingIsTrue())
        return;
    if (wasClosing && m_host.hasAnchor()) {
        // The flag turned true again while the popover was closing.
        const Qt::Edge edge = m_anchorEdge;
        m_services.scheduler.scheduleOnce(0, this, [this, edge] {
            if (bindingIsTrue() && !isShown())
                showAt(edge, maxAnchorRetries);
        });
    } else if (m_binding.set) {
        m_binding.set(false);
    }
}

void InstantPopoverController::resizeToIdealSize()
{
    const QSizeF ideal = m_host.idealSize();
    if (m_isClosingForBinding)
        return;
    const QSizeF current = m_surface->contentSize();
    const Motion motion = Motion::cubicEaseOut(resizeDurationMs, Motion::Kind::Movement);
    if (m_animatesResize && isShown() && !m_services.animator.jumps(motion)) {
        if (isResizing() && m_resizeTarget == ideal)
            return;
        if (!isResizing() && current == ideal)
            return;
        stopResizeAnimation();
        m_resizeTarget = ideal;
        const QSizeF from = current;
        m_resizeAnimation = m_services.animator.start(
            motion, this,
            [this, from, ideal](qreal eased) {
                // Whole points on the way, exactly the target at the end.
                const QSizeF size = eased >= 1
                    ? ideal
                    : QSizeF(std::round(from.width() + (ideal.width() - from.width()) * eased),
                             std::round(from.height() + (ideal.height() - from.height()) * eased));
                setContentSizeImmediately(size);
            },
            [this] { m_resizeAnimation = 0; });
        return;
    }
    stopResizeAnimation();
    setContentSizeImmediately(ideal);
}

void InstantPopoverController::stopResizeAnimation()
{
    if (m_resizeAnimation) {
        m_services.animator.stop(m_resizeAnimation);
        m_resizeAnimation = 0;
    }
}

void InstantPopoverController::setContentSizeImmediately(const QSizeF &size)
{
    if (m_surface->contentSize() != size)
        m_surface->setContentSize(size);
}

} // namespace Velmora
