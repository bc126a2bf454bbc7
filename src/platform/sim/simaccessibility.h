#pragma once

#include "platform/accessibility.h"
#include "platform/sim/simnode.h"

#include <functional>
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

class SimAccessibilityTree;
// The accessibility trees of the simulated desktop's applications, derived
// from its world.
//
// Every call is logged. A call into a hung or busy application waits as a
// real one would (see SimDesktop: time passes through its blocking wait) and
// fails with CannotComplete when the element's messaging time-out runs out.
// Injected failures (SimOperations names; the attribute or action as the
// name) apply before any waiting. A batched read also honours failures
// injected for single reads of each attribute. A write or an action that a
// busy (not hung) application answers too late for the caller is carried out
// when the application gets to it, as on the desktop we model.
class SimAccessibility final : public Accessibility
{
public:
    explicit SimAccessibility(SimDesktopAccess world);

    bool isProcessTrusted() const override;
    bool isProcessTrustedWithPrompt(bool prompt) override;
    AXElement applicationElement(qint32 pid) const override;
    AXElement systemWideElement() const override;
    AXResult<qint32> processIdentifier(const AXElement &element) const override;
    AXResult<AXValue> copyAttributeValue(const AXElement &element, const QString &attribute) override;
    AXResult<std::vector<AXValue>> copyMultipleAttributeValues(const AXElement &element, const QStringList &attributes,
                                                               BatchOptions options) override;
    AXResult<qint64> attributeValueCount(const AXElement &element, const QString &attribute) override;
    AXResult<bool> isAttributeSettable(const AXElement &element, const QString &attribute) override;
    AXError setAttributeValue(const AXElement &element, const QString &attribute, const AXValue &value) override;
    AXError performAction(const AXElement &element, const QString &action) override;
    AXError setMessagingTimeout(const AXElement &element, double seconds) override;
    double messagingTimeout(const AXElement &element) const override;
    AXResult<AXElement> elementAtPosition(const AXElement &root, const QPointF &point) override;
    std::unique_ptr<AccessibilityObserver> createObserver(qint32 pid, QObject *context,
                                                          NotificationCallback callback) override;

private:
    using Request = std::function<AXError(SimAccessibilityTree &, const SimNode &)>;

    // Trust, a live element and an answer from its application; the node on success.
    AXResult<SimNode> reach(const AXElement &element);
    // Reaches the element and carries out a write or an action; one that a
    // busy application could not answer in time is still carried out later.
    AXError deliver(const AXElement &element, const Request &request);
    // Carries out a write or an action on a node that must still exist.
    static AXError carryOut(const SimDesktopAccess &world, const SimNode &node, const Request &request);
    // Reads an attribute of a node that may have gone since it was reached.
    AXResult<AXValue> read(const SimNode &node, const QString &attribute);

    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
