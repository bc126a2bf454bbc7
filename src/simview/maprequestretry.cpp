#include "simview/maprequestretry.h"

#include <QTimerEvent>

namespace Velmora::SimView {

MapRequestRetry::MapRequestRetry(
    std::function<bool()> isOnScreen, std::function<void()> requestAgain, int graceMs, QObject *parent)
    : QObject(parent)
    , m_isOnScreen(std::move(isOnScreen))
    , m_requestAgain(std::move(requestAgain))
    , m_graceMs(graceMs)
{
}

void MapRequestRetry::shown()
{
    if (m_requesting)
        return;
    m_retries = 0;
    m_timer.start(m_graceMs, this);
}

void MapRequestRetry::hidden()
{
    if (!m_requesting)
        m_timer.stop();
}

void MapRequestRetry::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (m_isOnScreen() || m_retries >= maxRetries) {
        m_timer.stop();
        return;
    }
    ++m_retries;
    m_requesting = true;
    m_requestAgain();
    m_requesting = false;
}

} // namespace Velmora::SimView
