#pragma once

#include "platform/eventtaps.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Event taps on the simulated desktop. The user's input comes from
// SimDesktop::pressKey, click and mouseEvent; a mouse tap hears the types in
// its mask on its context's thread, a key tap answers on the thread that
// created it (SimKnobs::keyTapsRunOnTheirThread). Tap creation fails when a
// test injects SimOperations::CreateMouseTap or CreateKeyTap, or without the
// permission to post events.
class SimEventTaps final : public EventTaps
{
public:
    explicit SimEventTaps(SimDesktopAccess world);

    using EventTaps::createMouseTap;
    std::unique_ptr<EventTap> createMouseTap(quint64 eventMask, QObject *context, MouseCallback callback) override;
    std::unique_ptr<EventTap> createKeyTap(KeyCallback callback) override;
    bool preflightPostEventAccess() const override;
    void postKeyEvent(qint32 pid, const KeyEvent &event) override;
    double secondsSinceLastEvent(std::optional<InputEventType> type) const override;
    quint32 pressedMouseButtons() const override;
    std::optional<InputEvent> currentEvent() const override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
