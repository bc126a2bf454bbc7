#include "bar/taskbartooltipcontroller.h"

#include "bar/model/tooltipgeometry.h"
#include "bar/tooltippanel.h"
#include "platform/displays.h"
#include "platform/screencoordinates.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace Velmora {

TaskbarTooltipController::TaskbarTooltipController(Scheduler &scheduler, Displays &displays, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_displays(displays)
{
    // A right-click anywhere in the application takes the tooltip away and
    // still reaches its target (the filter never keeps an event).
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

TaskbarTooltipController::~TaskbarTooltipController()
{
    if (m_pendingShow)
        m_scheduler.cancel(m_pendingShow);
}

void TaskbarTooltipController::schedule(const QString &title)
{
    hide();
    if (title.isEmpty())
        return;
    m_pendingShow = m_scheduler.scheduleOnce(TooltipGeometry::showDelayMs, this, [this, title] {
        m_pendingShow = 0;
        show(title);
    });
}

void TaskbarTooltipController::hide()
{
    if (m_pendingShow) {
        m_scheduler.cancel(m_pendingShow);
        m_pendingShow = 0;
    }
    if (m_panel)
        m_panel->hide();
}

bool TaskbarTooltipController::isPending() const
{
    return m_pendingShow != 0;
}

bool TaskbarTooltipController::isShown() const
{
    return m_panel && m_panel->isVisible();
}

void TaskbarTooltipController::show(const QString &title)
{
    if (!m_panel)
        m_panel = std::make_unique<TooltipPanel>();
    m_panel->setTitle(title);

    QList<QRectF> frames;
    const QList<DisplayInfo> screens = m_displays.screens();
    for (const DisplayInfo &screen : screens)
        frames.append(screen.frame);
    const QRectF frame = TooltipGeometry::frame(m_displays.pointerLocation(), m_panel->fittingSize(), frames);
    // The primary display (the first) anchors the flip into Qt's coordinates.
    const ScreenCoordinates coordinates(screens.isEmpty() ? 0 : screens.first().frame.height());
    m_panel->setGeometry(coordinates.toQt(frame));
    // Shown fresh each time (every show follows a hide), so it comes up in
    // front; it stays there as a tooltip window that is kept on top.
    m_panel->show();
}

bool TaskbarTooltipController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
        hide();
    return QObject::eventFilter(watched, event);
}

} // namespace Velmora
