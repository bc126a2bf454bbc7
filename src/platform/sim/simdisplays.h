#pragma once

#include "platform/displays.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// The simulated desktop's screens. The main screen is the one holding the
// frontmost application's focused window, else the primary one.
class SimDisplays final : public Displays
{
    Q_OBJECT
public:
    explicit SimDisplays(SimDesktopAccess world, QObject *parent = nullptr);

    QList<DisplayInfo> screens() const override;
    std::optional<DisplayInfo> mainScreen() const override;
    std::optional<QList<quint32>> activeDisplayList() const override;
    QPointF pointerLocation() const override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
