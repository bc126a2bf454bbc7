#pragma once

#include "platform/distributednotifications.h"

namespace Velmora::Sim {

class SimDesktop;

// Distributed notifications on the simulated desktop: logged, and re-emitted
// by SimDesktop::distributedNotificationPosted for whoever listens.
class SimDistributedNotifications final : public DistributedNotifications
{
public:
    explicit SimDistributedNotifications(SimDesktop &desktop);

    void post(const QString &name, const QString &object, const QVariantMap &userInfo,
              bool deliverImmediately) override;

private:
    SimDesktop &m_desktop;
};

} // namespace Velmora::Sim
