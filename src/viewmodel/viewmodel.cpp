#include "viewmodel/viewmodel.h"

namespace Velmora {

ViewModel::ViewModel(Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
{
}

ViewModel::~ViewModel()
{
    if (m_job)
        m_scheduler.cancel(m_job);
}

void ViewModel::invalidate(Changes changes)
{
    if (!changes)
        return;
    m_pending |= changes;
    if (!m_job)
        m_job = m_scheduler.scheduleOnce(0, this, [this] {
            m_job = 0;
            flush();
        });
}

void ViewModel::flush()
{
    if (m_job) {
        m_scheduler.cancel(m_job);
        m_job = 0;
    }
    const Changes changes = m_pending;
    if (!changes)
        return;
    m_pending = 0;
    refresh(changes);
    emit changed(changes);
}

void ViewModel::refresh(Changes)
{
}

} // namespace Velmora
