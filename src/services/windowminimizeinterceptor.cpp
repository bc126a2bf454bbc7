#include "services/windowminimizeinterceptor.h"

#include "platform/eventtaps.h"

namespace Velmora {

WindowMinimizeInterceptor::WindowMinimizeInterceptor(EventTaps &eventTaps, MouseHandler mouseHandler, QObject *parent)
    : QObject(parent)
    , m_eventTaps(eventTaps)
    , m_mouseHandler(std::move(mouseHandler))
{
}

WindowMinimizeInterceptor::~WindowMinimizeInterceptor() = default;

void WindowMinimizeInterceptor::start()
{
    if (m_eventTap)
        return;
    m_eventTap = m_eventTaps.createMouseTap(this, [this](const MouseEvent &event) { handle(event); });
    if (m_eventTap)
        m_eventTap->setEnabled(true);
}

void WindowMinimizeInterceptor::stop()
{
    if (!m_eventTap)
        return;
    m_eventTap->setEnabled(false);
    m_eventTap.reset();
}

void WindowMinimizeInterceptor::handle(const MouseEvent &event)
{
    switch (event.type) {
    case InputEventType::LeftMouseDown:
    case InputEventType::LeftMouseUp:
        m_mouseHandler(event.type, event.location);
        break;
    case InputEventType::TapDisabledByTimeout:
    case InputEventType::TapDisabledByUserInput:
        // The system turns a tap off when it thinks it too slow; a watcher
        // that stays off would silently stop keeping the window order.
        if (m_eventTap)
            m_eventTap->setEnabled(true);
        break;
    default:
        break;
    }
}

} // namespace Velmora
