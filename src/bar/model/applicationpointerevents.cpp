#include "bar/model/applicationpointerevents.h"

#include "platform/clock.h"
#include "platform/eventtaps.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

#include <cmath>

namespace Velmora {

namespace {

std::optional<InputEventType> inputType(const QMouseEvent &event)
{
    const bool down = event.type() != QEvent::MouseButtonRelease;
    switch (event.button()) {
    case Qt::LeftButton:
        return down ? InputEventType::LeftMouseDown : InputEventType::LeftMouseUp;
    case Qt::RightButton:
        return down ? InputEventType::RightMouseDown : InputEventType::RightMouseUp;
    case Qt::NoButton:
        return std::nullopt;
    default:
        return down ? InputEventType::OtherMouseDown : InputEventType::OtherMouseUp;
    }
}

} // namespace

ApplicationPointerEvents::ApplicationPointerEvents(EventTaps &taps, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_taps(taps)
    , m_clock(clock)
{
    if (qApp)
        qApp->installEventFilter(this);
}

ApplicationPointerEvents::~ApplicationPointerEvents()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

quint32 ApplicationPointerEvents::pressedMouseButtons() const
{
    quint32 buttons = m_taps.pressedMouseButtons();
    const Qt::MouseButtons own = QGuiApplication::mouseButtons();
    if (own & Qt::LeftButton)
        buttons |= 1;
    if (own & Qt::RightButton)
        buttons |= 2;
    if (own & ~(Qt::LeftButton | Qt::RightButton))
        buttons |= 4;
    return buttons;
}

std::optional<InputEvent> ApplicationPointerEvents::currentEvent() const
{
    const std::optional<InputEvent> desktop = m_taps.currentEvent();
    if (!m_latest)
        return desktop;
    if (!desktop || desktop->timestampMs < m_latest->timestampMs)
        return m_latest;
    return desktop;
}

std::optional<qint64> ApplicationPointerEvents::lastEventMs(InputEventType type) const
{
    std::optional<qint64> own;
    if (auto it = m_lastMs.constFind(quint32(type)); it != m_lastMs.constEnd())
        own = *it;
    // The taps count in seconds back from now on the same monotonic clock.
    std::optional<qint64> desktop;
    const double seconds = m_taps.secondsSinceLastEvent(type);
    if (std::isfinite(seconds) && seconds >= 0)
        desktop = m_clock.monotonicMs() - qint64(std::llround(seconds * 1000));
    if (own && desktop)
        return std::max(*own, *desktop);
    return own ? own : desktop;
}

QPointF ApplicationPointerEvents::pointerLocation() const
{
    return QCursor::pos();
}

bool ApplicationPointerEvents::eventFilter(QObject *watched, QEvent *event)
{
    notice(watched, event);
    return QObject::eventFilter(watched, event);
}

void ApplicationPointerEvents::notice(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool isMouse
        = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease;
    if ((!isMouse && type != QEvent::KeyPress) || !watched->isWindowType())
        return;
    const quint64 timestamp = static_cast<const QInputEvent *>(event)->timestamp();
    if (event == m_noticed && type == m_noticedType && timestamp == m_noticedTimestamp)
        return;
    m_noticed = event;
    m_noticedType = type;
    m_noticedTimestamp = timestamp;
    if (isMouse) {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        if (const std::optional<InputEventType> input = inputType(*mouse)) {
            InputEvent record;
            record.type = *input;
            record.location = mouse->globalPosition();
            record.timestampMs = m_clock.monotonicMs();
            m_latest = record;
            m_lastMs.insert(quint32(*input), record.timestampMs);
        }
    } else {
        // A key press is the latest event too: a popover it closes was not
        // closed by a click.
        InputEvent record;
        record.type = InputEventType::KeyDown;
        record.location = QCursor::pos();
        record.timestampMs = m_clock.monotonicMs();
        m_latest = record;
    }
}

} // namespace Velmora
