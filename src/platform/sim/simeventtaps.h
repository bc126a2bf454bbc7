#pragma once

#include "platform/eventtaps.h"

namespace Velmora::Sim {

class SimDesktop;

// Event taps on the simulated desktop. The user's input comes from
// SimDesktop::pressKey, click and mouseEvent; key taps see it on the thread
// that calls them. Tap creation fails when a test injects
// SimOperations::CreateMouseTap or CreateKeyTap, or without the permission to
// post events.
class SimEventTaps final : public EventTaps
{
public:
    explicit SimEventTaps(SimDesktop &desktop);

    std::unique_ptr<EventTap> createMouseTap(QObject *context, MouseCallback callback) override;
    std::unique_ptr<EventTap> createKeyTap(KeyCallback callback) override;
    bool preflightPostEventAccess() const override;
    void postKeyEvent(qint32 pid, const KeyEvent &event) override;
    double secondsSinceLastEvent(std::optional<InputEventType> type) const override;

private:
    SimDesktop &m_desktop;
};

} // namespace Velmora::Sim
