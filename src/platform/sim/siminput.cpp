#include "platform/sim/siminput.h"

#include <QDeadlineTimer>
#include <QSemaphore>
#include <QThread>

namespace Velmora::Sim {

namespace {

bool isTapDisabled(InputEventType type)
{
    return type == InputEventType::TapDisabledByTimeout || type == InputEventType::TapDisabledByUserInput;
}

} // namespace

bool SimInput::TapGate::run(const std::function<void()> &call)
{
    if (m_closed)
        return false;
    // A callback that sets off another event for its own tap on its own
    // thread gets through without waiting for itself.
    if (m_runningOn == QThread::currentThreadId()) {
        call();
        return true;
    }
    QMutexLocker locker(&m_mutex);
    if (m_closed)
        return false;
    m_runningOn = QThread::currentThreadId();
    call();
    m_runningOn = nullptr;
    return true;
}

void SimInput::TapGate::close()
{
    m_closed = true;
    // Removed from inside its own callback: that call is the last.
    if (m_runningOn == QThread::currentThreadId())
        return;
    const QMutexLocker locker(&m_mutex);
}

void SimInput::noteInput(const InputEvent &event)
{
    if (isTapDisabled(event.type))
        return;
    m_lastInputMs[int(event.type)] = event.timestampMs;
    m_lastAnyInputMs = event.timestampMs;
    m_currentEvent = event;
    auto button = [&](quint32 bit, bool down) {
        m_pressedButtons = down ? (m_pressedButtons | bit) : (m_pressedButtons & ~bit);
    };
    switch (event.type) {
    case InputEventType::LeftMouseDown:
    case InputEventType::LeftMouseUp:
        button(1, event.type == InputEventType::LeftMouseDown);
        break;
    case InputEventType::RightMouseDown:
    case InputEventType::RightMouseUp:
        button(2, event.type == InputEventType::RightMouseDown);
        break;
    case InputEventType::OtherMouseDown:
    case InputEventType::OtherMouseUp:
        button(4, event.type == InputEventType::OtherMouseDown);
        break;
    default:
        break;
    }
}

qint64 SimInput::lastInputMs(std::optional<InputEventType> type) const
{
    if (!type)
        return m_lastAnyInputMs;
    return m_lastInputMs.value(int(*type), 0);
}

quint64 SimInput::addMouseTap(MouseTap tap)
{
    const quint64 handle = m_nextTap++;
    m_mouseTaps.insert(handle, std::move(tap));
    m_tapOrder.append(handle);
    return handle;
}

quint64 SimInput::addKeyTap(KeyTap tap)
{
    const quint64 handle = m_nextTap++;
    tap.handle = handle;
    m_keyTaps.insert(handle, std::move(tap));
    m_tapOrder.append(handle);
    return handle;
}

std::shared_ptr<SimInput::TapGate> SimInput::removeTap(quint64 tap)
{
    std::shared_ptr<TapGate> gate;
    if (auto it = m_mouseTaps.find(tap); it != m_mouseTaps.end()) {
        gate = it->gate;
        m_mouseTaps.erase(it);
    } else if (auto key = m_keyTaps.find(tap); key != m_keyTaps.end()) {
        gate = key->gate;
        m_keyTaps.erase(key);
    }
    m_tapOrder.removeOne(tap);
    return gate;
}

void SimInput::setTapEnabled(quint64 tap, bool enabled)
{
    if (auto it = m_mouseTaps.find(tap); it != m_mouseTaps.end())
        it->enabled = enabled;
    if (auto it = m_keyTaps.find(tap); it != m_keyTaps.end())
        it->enabled = enabled;
}

bool SimInput::isTapEnabled(quint64 tap) const
{
    if (auto it = m_mouseTaps.constFind(tap); it != m_mouseTaps.cend())
        return it->enabled;
    if (auto it = m_keyTaps.constFind(tap); it != m_keyTaps.cend())
        return it->enabled;
    return false;
}

QList<SimInput::MouseTap> SimInput::mouseTapsFor(InputEventType type) const
{
    QList<MouseTap> taps;
    for (quint64 handle : m_tapOrder) {
        const auto it = m_mouseTaps.constFind(handle);
        if (it != m_mouseTaps.cend() && it->enabled && (it->eventMask & eventMaskBit(type)))
            taps.append(*it);
    }
    return taps;
}

QList<SimInput::KeyTap> SimInput::enabledKeyTaps() const
{
    QList<KeyTap> taps;
    for (quint64 handle : m_tapOrder) {
        if (auto it = m_keyTaps.constFind(handle); it != m_keyTaps.cend() && it->enabled)
            taps.append(*it);
    }
    return taps;
}

std::pair<QList<SimInput::MouseTap>, QList<SimInput::KeyTap>> SimInput::disableAll()
{
    std::pair<QList<MouseTap>, QList<KeyTap>> all;
    for (quint64 handle : m_tapOrder) {
        if (auto it = m_mouseTaps.find(handle); it != m_mouseTaps.end()) {
            it->enabled = false;
            all.first.append(*it);
        } else if (auto key = m_keyTaps.find(handle); key != m_keyTaps.end()) {
            key->enabled = false;
            all.second.append(*key);
        }
    }
    return all;
}

void SimInput::dispatch(const MouseTap &tap, const MouseEvent &event)
{
    tap.receiver.call([gate = tap.gate, callback = tap.callback, event] { gate->run([&] { callback(event); }); });
}

int SimInput::ask(const KeyTap &tap, const KeyEvent &event, const SimKnobs &knobs, const std::function<void()> &turnOff)
{
    int decision = 0;
    if (!knobs.keyTapsRunOnTheirThread || !tap.thread || tap.thread->isOnThisThread()) {
        tap.gate->run([&] { decision = tap.callback(event); });
        return decision;
    }
    if (tap.thread->isStranded())
        return 0;
    // The tap answers on its own thread while the key waits, as the window
    // server waits for an active tap.
    struct Answer {
        QSemaphore done;
        std::atomic<int> decision = 0;
    };
    const auto answer = std::make_shared<Answer>();
    tap.thread->post([gate = tap.gate, callback = tap.callback, event, answer] {
        gate->run([&] { answer->decision = callback(event); });
        answer->done.release();
    });
    const QDeadlineTimer deadline(knobs.keyTapTimeoutMs);
    while (!answer->done.tryAcquire(1, 5)) {
        // A tap removed meanwhile, or a thread that ended, lets the key pass.
        if (tap.gate->isClosed() || tap.thread->isStranded())
            return 0;
        if (deadline.hasExpired()) {
            turnOff();
            tellDisabled(tap, InputEventType::TapDisabledByTimeout);
            return 0;
        }
    }
    return answer->decision;
}

void SimInput::tellDisabled(const KeyTap &tap, InputEventType reason)
{
    KeyEvent event;
    event.type = reason;
    auto tell = [gate = tap.gate, callback = tap.callback, event] { gate->run([&] { callback(event); }); };
    if (tap.thread && !tap.thread->isOnThisThread())
        tap.thread->post(tell);
    else
        tell();
}

void SimInput::tellDisabled(const std::pair<QList<MouseTap>, QList<KeyTap>> &taps, InputEventType reason,
                            const QPointF &pointer)
{
    for (const MouseTap &tap : taps.first)
        dispatch(tap, {reason, pointer});
    for (const KeyTap &tap : taps.second)
        tellDisabled(tap, reason);
}

bool SimInput::passesKeyTaps(const QList<KeyTap> &taps, const KeyEvent &event, const SimKnobs &knobs,
                             const std::function<void(quint64 tap)> &turnOff)
{
    for (const KeyTap &tap : taps) {
        if (ask(tap, event, knobs, [&] { turnOff(tap.handle); }) != 0)
            return false;
    }
    return true;
}

} // namespace Velmora::Sim
