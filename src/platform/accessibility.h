#pragma once

#include "platform/accessibilityobserver.h"
#include "platform/axelement.h"
#include "platform/axresult.h"
#include "platform/axvalue.h"

#include <QPointF>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QObject;

namespace Velmora {

// Other applications' accessibility trees: read and write their attributes,
// perform their actions, watch their notifications.
//
// Every call may be made from any thread and blocks that thread until the
// other application answers. An application that does not answer within the
// messaging time-out makes the call fail with CannotComplete; the time-out is
// per element reference (setMessagingTimeout; see AXElement), falling back to
// the one set on the system-wide element, falling back to the service's
// default.
//
// Names of attributes, actions and notifications are in platform/axnames.h.
class Accessibility
{
public:
    // Options of copyMultipleAttributeValues.
    enum class BatchOptions { None = 0, StopOnError = 1 };
    using NotificationCallback = std::function<void(const AXElement &element, const QString &notification)>;

    virtual ~Accessibility();

    // Whether this process may use the accessibility service at all; every
    // other call fails with APIDisabled while it may not.
    virtual bool isProcessTrusted() const = 0;
    // Same, and when `prompt` is set and trust is missing, asks the system to
    // show the user where to grant it. Does not wait for the user.
    virtual bool isProcessTrustedWithPrompt(bool prompt) = 0;

    // The element of the application with process `pid` (never null; calls on
    // it fail when no such application exists).
    virtual AXElement applicationElement(qint32 pid) const = 0;
    // The element that stands for the whole desktop: its time-out is the default
    // for every element, and elementAtPosition on it searches every application.
    virtual AXElement systemWideElement() const = 0;
    // The process that owns `element`.
    virtual AXResult<qint32> processIdentifier(const AXElement &element) const = 0;

    virtual AXResult<AXValue> copyAttributeValue(const AXElement &element, const QString &attribute) = 0;
    // Reads several attributes in one round trip. With BatchOptions::None the
    // result has one value per attribute, in order, and an attribute that
    // could not be read comes back as an AXValue of the Error type. With
    // StopOnError the first failing attribute fails the whole call.
    virtual AXResult<std::vector<AXValue>> copyMultipleAttributeValues(const AXElement &element,
                                                                       const QStringList &attributes,
                                                                       BatchOptions options) = 0;
    // The number of values of a list attribute ("AXChildren") without reading them.
    virtual AXResult<qint64> attributeValueCount(const AXElement &element, const QString &attribute) = 0;
    virtual AXResult<bool> isAttributeSettable(const AXElement &element, const QString &attribute) = 0;
    virtual AXError setAttributeValue(const AXElement &element, const QString &attribute, const AXValue &value) = 0;
    virtual AXError performAction(const AXElement &element, const QString &action) = 0;

    // Seconds to wait for the application behind `element` before a call
    // fails with CannotComplete; 0 restores the default. Set on the
    // system-wide element it becomes the default of every element.
    virtual AXError setMessagingTimeout(const AXElement &element, double seconds) = 0;
    // What setMessagingTimeout last set on this reference to the element, so
    // a caller can put it back; 0 when it waits the default.
    virtual double messagingTimeout(const AXElement &element) const = 0;

    // The deepest element at `point` (top-left origin, y down, in points)
    // within `root`: an application element, or the system-wide element for
    // whatever application is there.
    virtual AXResult<AXElement> elementAtPosition(const AXElement &root, const QPointF &point) = 0;

    // An observer of the application `pid` whose callback runs on `context`'s
    // thread while `context` lives. Null when the application cannot be watched.
    virtual std::unique_ptr<AccessibilityObserver> createObserver(qint32 pid, QObject *context,
                                                                  NotificationCallback callback) = 0;
};

} // namespace Velmora
