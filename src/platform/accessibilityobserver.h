#pragma once

#include "platform/axelement.h"
#include "platform/axerror.h"

#include <QString>

namespace Velmora {

// Watches one application's accessibility notifications ("AXWindowCreated",
// "AXFocusedWindowChanged"...). Created by Accessibility::createObserver for
// one process; its callback runs on the thread of the context object given
// there (the main thread for every caller). Destroying the observer removes
// every registration, so no callback arrives after its owner has gone.
class AccessibilityObserver
{
public:
    virtual ~AccessibilityObserver();

    // Registers `notification` for `element`. Registering the same pair twice
    // gives NotificationAlreadyRegistered and changes nothing.
    virtual AXError addNotification(const AXElement &element, const QString &notification) = 0;
    virtual AXError removeNotification(const AXElement &element, const QString &notification) = 0;
    virtual qint32 processIdentifier() const = 0;
};

} // namespace Velmora
