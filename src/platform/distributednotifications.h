#pragma once

#include <QString>
#include <QVariantMap>

namespace Velmora {

// Notifications posted to every process of the user's session.
class DistributedNotifications
{
public:
    virtual ~DistributedNotifications();

    virtual void post(const QString &name, const QString &object = {}, const QVariantMap &userInfo = {},
                      bool deliverImmediately = true) = 0;
};

} // namespace Velmora
