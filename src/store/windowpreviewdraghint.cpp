#include "store/windowpreviewdraghint.h"

namespace Velmora {

WindowPreviewDragHint::WindowPreviewDragHint(qint64 durationMs, Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_durationMs(durationMs)
    , m_scheduler(scheduler)
{
}

void WindowPreviewDragHint::setShowing(bool showing)
{
    if (m_isShowing == showing)
        return;
    m_isShowing = showing;
    emit isShowingChanged();
}

void WindowPreviewDragHint::cancelPendingHide()
{
    if (m_hideJob != 0)
        m_scheduler.cancel(m_hideJob);
    m_hideJob = 0;
}

void WindowPreviewDragHint::show()
{
    setShowing(true);
    cancelPendingHide();
    // Bound to this object, so a hint that is gone is never touched.
    m_hideJob = m_scheduler.scheduleOnce(m_durationMs, this, [this] {
        m_hideJob = 0;
        setShowing(false);
    });
}

void WindowPreviewDragHint::hide()
{
    cancelPendingHide();
    setShowing(false);
}

} // namespace Velmora
