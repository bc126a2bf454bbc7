#pragma once

#include "bar/model/pointerevents.h"

#include <QHash>
#include <QObject>

namespace Velmora {

class Clock;
class EventTaps;

// The pointer as both halves of the desktop see it: presses in this
// application's own windows (heard through an event filter and stamped on
// the monotonic clock as they arrive) and the desktop's input (the event
// taps' record, on the same clock). Main thread only.
class ApplicationPointerEvents : public QObject, public PointerEvents
{
    Q_OBJECT
public:
    ApplicationPointerEvents(EventTaps &taps, Clock &clock, QObject *parent = nullptr);
    ~ApplicationPointerEvents() override;

    quint32 pressedMouseButtons() const override;
    std::optional<InputEvent> currentEvent() const override;
    std::optional<qint64> lastEventMs(InputEventType type) const override;
    QPointF pointerLocation() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EventTaps &m_taps;
    Clock &m_clock;
    std::optional<InputEvent> m_latest;
    QHash<quint32, qint64> m_lastMs;
};

} // namespace Velmora
