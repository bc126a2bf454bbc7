#pragma once

#include "bar/model/pointerevents.h"

#include <QEvent>
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

    // Stamps a press, release or key press that reached one of this
    // application's windows. Whoever hears an event first stamps it and the
    // later calls for the same event change nothing: the click monitors run
    // ahead of this object's own filter (the filter installed last runs
    // first), and a popover they close must find the press that closed it
    // already on record, with the time it arrived.
    void notice(QObject *watched, QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EventTaps &m_taps;
    Clock &m_clock;
    std::optional<InputEvent> m_latest;
    // The event stamped last, to know it again when it comes round to the
    // next filter.
    const QEvent *m_noticed = nullptr;
    QEvent::Type m_noticedType = QEvent::None;
    quint64 m_noticedTimestamp = 0;
    QHash<quint32, qint64> m_lastMs;
};

} // namespace Velmora
