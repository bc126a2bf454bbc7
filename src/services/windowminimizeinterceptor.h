#pragma once

#include "platform/eventtap.h"
#include "platform/inputevents.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <memory>

namespace Velmora {

class EventTaps;

// Listens to every left mouse press and release on the desktop, so the store
// can tell when the user pressed the minimize or close button of another
// application's window. It only listens: every press reaches its target.
//
// Main thread only; the handler runs on the main thread, in order with the
// other main-thread work.
class WindowMinimizeInterceptor : public QObject
{
    Q_OBJECT
public:
    // The event type (LeftMouseDown or LeftMouseUp) and where it happened
    // (top-left origin of the primary display, y down).
    using MouseHandler = std::function<void(InputEventType type, const QPointF &location)>;

    WindowMinimizeInterceptor(EventTaps &eventTaps, MouseHandler mouseHandler, QObject *parent = nullptr);
    ~WindowMinimizeInterceptor() override;

    // Installs the tap; does nothing while one is installed. When the system
    // refuses the tap nothing changes, and the next start() tries again.
    void start();
    void stop();
    bool isStarted() const { return m_eventTap != nullptr; }

private:
    void handle(const MouseEvent &event);

    EventTaps &m_eventTaps;
    MouseHandler m_mouseHandler;
    std::unique_ptr<EventTap> m_eventTap;
};

} // namespace Velmora
