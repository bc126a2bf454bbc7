#include "platform/sim/simdistributednotifications.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimDistributedNotifications::SimDistributedNotifications(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

void SimDistributedNotifications::post(const QString &name, const QString &object, const QVariantMap &userInfo,
                                       bool deliverImmediately)
{
    m_world.log(SimOperations::PostDistributedNotification, 0, name,
                  QVariantMap{{QStringLiteral("object"), object},
                              {QStringLiteral("userInfo"), userInfo},
                              {QStringLiteral("deliverImmediately"), deliverImmediately}});
    m_desktop.postDistributedNotification(name, object, userInfo);
}

} // namespace Velmora::Sim
