#include "platform/sim/siminput.h"

namespace Velmora::Sim {

SimInput::SimInput(SimDesktopParts &parts)
    : m_parts(parts)
{
}

void SimInput::noteInput(InputEventType type, qint64 nowMs)
{
    m_lastInputMs[int(type)] = nowMs;
    m_lastAnyInputMs = nowMs;
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
    m_keyTaps.insert(handle, std::move(tap));
    m_tapOrder.append(handle);
    return handle;
}

void SimInput::removeTap(quint64 tap)
{
    m_mouseTaps.remove(tap);
    m_keyTaps.remove(tap);
    m_tapOrder.removeOne(tap);
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

QList<SimInput::MouseTap> SimInput::enabledMouseTaps() const
{
    QList<MouseTap> taps;
    for (quint64 handle : m_tapOrder) {
        if (auto it = m_mouseTaps.constFind(handle); it != m_mouseTaps.cend() && it->enabled)
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
    tap.receiver.call([callback = tap.callback, event] { callback(event); });
}

} // namespace Velmora::Sim
