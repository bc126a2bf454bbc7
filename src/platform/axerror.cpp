#include "platform/axerror.h"

namespace Velmora {

QString axErrorName(AXError error)
{
    switch (error) {
    case AXError::Success: return QStringLiteral("success");
    case AXError::Failure: return QStringLiteral("failure");
    case AXError::IllegalArgument: return QStringLiteral("illegalArgument");
    case AXError::InvalidUIElement: return QStringLiteral("invalidUIElement");
    case AXError::InvalidUIElementObserver: return QStringLiteral("invalidUIElementObserver");
    case AXError::CannotComplete: return QStringLiteral("cannotComplete");
    case AXError::AttributeUnsupported: return QStringLiteral("attributeUnsupported");
    case AXError::ActionUnsupported: return QStringLiteral("actionUnsupported");
    case AXError::NotificationUnsupported: return QStringLiteral("notificationUnsupported");
    case AXError::NotImplemented: return QStringLiteral("notImplemented");
    case AXError::NotificationAlreadyRegistered: return QStringLiteral("notificationAlreadyRegistered");
    case AXError::NotificationNotRegistered: return QStringLiteral("notificationNotRegistered");
    case AXError::APIDisabled: return QStringLiteral("apiDisabled");
    case AXError::NoValue: return QStringLiteral("noValue");
    case AXError::ParameterizedAttributeUnsupported: return QStringLiteral("parameterizedAttributeUnsupported");
    case AXError::NotEnoughPrecision: return QStringLiteral("notEnoughPrecision");
    }
    return QString::number(int(error));
}

} // namespace Velmora
