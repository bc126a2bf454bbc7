#pragma once

#include <QString>

namespace Velmora {

// Result codes of accessibility calls. The numbers match the ones the
// accessibility service reports on the desktop we model, so logs and tests
// can quote them as users and bug reports do (-25204 is "cannot complete").
enum class AXError : int {
    Success = 0,
    Failure = -25200,
    IllegalArgument = -25201,
    InvalidUIElement = -25202,
    InvalidUIElementObserver = -25203,
    CannotComplete = -25204,
    AttributeUnsupported = -25205,
    ActionUnsupported = -25206,
    NotificationUnsupported = -25207,
    NotImplemented = -25208,
    NotificationAlreadyRegistered = -25209,
    NotificationNotRegistered = -25210,
    APIDisabled = -25211,
    NoValue = -25212,
    ParameterizedAttributeUnsupported = -25213,
    NotEnoughPrecision = -25214,
};

// A short English name for logs ("cannotComplete"); unknown codes give their number.
QString axErrorName(AXError error);

} // namespace Velmora
