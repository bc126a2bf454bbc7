#include "bar/instantpopover.h"

#include "bar/instantpopoverwindow.h"

#include <QEvent>
#include <QLayout>
#include <QMenu>

namespace Velmora {

InstantPopover::InstantPopover(PopoverServices services, InstantPopoverPresenter &presenter, QWidget *anchor,
                               QWidget *content, Options options, QObject *parent)
    : QObject(parent ? parent : anchor)
    , m_services(services)
    , m_anchor(anchor)
    , m_content(content)
{
    if (m_content)
        m_content->installEventFilter(this);
    InstantPopoverHost &host = *this;
    m_controller = std::make_unique<InstantPopoverController>(services, presenter, host, std::move(options));
    m_controller->attach(m_controller->anchorEdge());
    // An anchor that appears on screen after the flag was set shows the
    // popover then.
    if (m_anchor)
        m_anchor->installEventFilter(this);
}

InstantPopover::~InstantPopover()
{
    m_controller.reset();
    delete m_content.data();
}

InstantPopoverWindow *InstantPopover::window() const
{
    return static_cast<InstantPopoverWindow *>(m_controller->surface());
}

std::unique_ptr<PopoverSurface> InstantPopover::makeSurface(const QSizeF &contentSize)
{
    auto window = std::make_unique<InstantPopoverWindow>(m_services.animator, m_content, contentSize);
    QPointer<InstantPopover> self(this);
    window->onMenuShown = [self](QObject *menu, bool overWindow) {
        if (self && self->m_controller)
            self->m_controller->menuDidBeginTracking(menu, overWindow);
    };
    window->onMenuHidden = [self](QObject *menu) {
        if (self && self->m_controller)
            self->m_controller->menuDidEndTracking(menu);
    };
    window->onLayoutRequest = [self] {
        if (self)
            self->scheduleSizeReport();
    };
    return window;
}

std::optional<QRectF> InstantPopover::anchorFrame() const
{
    if (!m_anchor || !m_anchor->isVisible() || !m_anchor->window()->windowHandle())
        return std::nullopt;
    return QRectF(QRectF(m_anchor->mapToGlobal(QPoint(0, 0)), m_anchor->size()));
}

QSizeF InstantPopover::idealSize()
{
    if (!m_content)
        return {};
    if (QLayout *layout = m_content->layout())
        layout->activate();
    QSize size = m_content->sizeHint();
    if (!size.isValid())
        size = m_content->minimumSizeHint();
    if (!size.isValid())
        size = m_content->size();
    // Within the content's own limits, as a layout would place it.
    size = size.expandedTo(m_content->minimumSize()).boundedTo(m_content->maximumSize());
    return QSizeF(size.expandedTo(QSize(1, 1)));
}

void InstantPopover::cancelMenuTracking(QObject *menu)
{
    if (auto *widget = qobject_cast<QMenu *>(menu))
        widget->hide();
}

void InstantPopover::scheduleSizeReport()
{
    if (m_services.scheduler.isScheduled(m_sizeReport))
        return;
    m_sizeReport = m_services.scheduler.scheduleOnce(0, this, [this] {
        m_sizeReport = 0;
        const QSizeF ideal = idealSize();
        if (m_reportedIdealSize == ideal)
            return;
        m_reportedIdealSize = ideal;
        m_controller->resizeToIdealSize();
    });
}

bool InstantPopover::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content && event->type() == QEvent::LayoutRequest)
        scheduleSizeReport();
    if (watched == m_anchor && event->type() == QEvent::Show && m_controller && !m_controller->isShown())
        m_controller->update();
    return QObject::eventFilter(watched, event);
}

} // namespace Velmora
