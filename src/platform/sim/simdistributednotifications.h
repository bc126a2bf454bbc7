#pragma once

#include "platform/distributednotifications.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Distributed notifications on the simulated desktop: logged, and re-emitted
// by SimDesktop::distributedNotificationPosted for whoever listens.
class SimDistributedNotifications final : public DistributedNotifications
{
public:
    explicit SimDistributedNotifications(SimDesktopAccess world);

    void post(const QString &name, const QString &object, const QVariantMap &userInfo,
              bool deliverImmediately) override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
