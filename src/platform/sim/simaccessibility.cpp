#include "platform/sim/simaccessibility.h"

#include "platform/axnames.h"
#include "platform/sim/simaccessibilityobserver.h"
#include "platform/sim/simaccessibilitytree.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

#include <cmath>

namespace Velmora::Sim {

namespace {

using Kind = SimNode::Kind;

QVariant logged(const AXValue &value)
{
    if (const auto b = value.toBool())
        return *b;
    if (const auto n = value.toReal())
        return *n;
    if (const auto s = value.toString())
        return *s;
    if (const auto p = value.toPoint())
        return *p;
    if (const auto z = value.toSize())
        return *z;
    return {};
}

qint64 timeoutMs(double seconds)
{
    return qint64(std::llround(seconds * 1000.0));
}

} // namespace

SimAccessibility::SimAccessibility(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

bool SimAccessibility::isProcessTrusted() const
{
    return m_desktop.isAccessibilityTrusted();
}

bool SimAccessibility::isProcessTrustedWithPrompt(bool prompt)
{
    const bool trusted = m_desktop.isAccessibilityTrusted();
    if (prompt && !trusted) {
        const bool trustedNow = m_world.withLock([](SimDesktopParts &d) {
            d.settingsPane.promptForAccessibility();
            return d.world.permissions().accessibilityTrusted;
        });
        // The system's prompt leads the person to the pane where the switch is.
        if (!trustedNow)
            m_desktop.openSystemSettings(QStringLiteral("Privacy_Accessibility"));
    }
    m_world.log(SimOperations::IsProcessTrusted, m_desktop.selfPid(), prompt ? QStringLiteral("prompt") : QString(),
                  {}, trusted ? 1 : 0);
    return trusted;
}

AXElement SimAccessibility::applicationElement(qint32 pid) const
{
    return m_desktop.applicationElement(pid);
}

AXElement SimAccessibility::systemWideElement() const
{
    return m_desktop.element(SimNode(Kind::SystemWide));
}

AXResult<qint32> SimAccessibility::processIdentifier(const AXElement &element) const
{
    const std::optional<SimNode> node = m_desktop.resolve(element);
    if (!node || node->kind == Kind::SystemWide)
        return AXError::InvalidUIElement;
    return node->pid;
}

AXResult<SimNode> SimAccessibility::reach(const AXElement &element)
{
    if (!m_desktop.isAccessibilityTrusted())
        return AXError::APIDisabled;
    const std::optional<SimNode> node = m_desktop.resolve(element);
    if (!node || !m_desktop.isLive(*node))
        return AXError::InvalidUIElement;
    if (node->kind != Kind::SystemWide
        && !m_desktop.waitForAnswer(node->pid, timeoutMs(m_desktop.messagingTimeout(element))))
        return AXError::CannotComplete;
    // The element may have gone while we waited.
    if (!m_desktop.isLive(*node))
        return AXError::InvalidUIElement;
    return *node;
}

AXError SimAccessibility::carryOut(const SimDesktopAccess &world, const SimNode &node, const Request &request)
{
    // The element must still be there when the change is made: the world is
    // locked across the check and the change, as another thread may be ending
    // the window meanwhile.
    return world.withLock([&](SimDesktopParts &d) {
        if (!d.registry.isLive(node))
            return AXError::InvalidUIElement;
        SimAccessibilityTree tree(d);
        return request(tree, node);
    });
}

AXResult<AXValue> SimAccessibility::read(const SimNode &node, const QString &attribute)
{
    return m_world.withLock([&](SimDesktopParts &d) -> AXResult<AXValue> {
        // Another thread may have ended it since it was reached.
        if (!d.registry.isLive(node))
            return AXError::InvalidUIElement;
        return SimAccessibilityTree(d).read(node, attribute);
    });
}

AXError SimAccessibility::deliver(const AXElement &element, const Request &request)
{
    const AXResult<SimNode> node = reach(element);
    if (node.ok())
        return carryOut(m_world, *node.value(), request);
    // A busy application still carries out what it was asked once it gets
    // to it, although the caller has stopped waiting: "cannot complete"
    // does not mean "not done".
    const qint64 busy = node.error() == AXError::CannotComplete ? m_desktop.busyRemainingMs(element.processIdentifier())
                                                                : 0;
    const std::optional<SimNode> target = m_desktop.resolve(element);
    if (busy > 0 && target) {
        m_desktop.later(busy, [world = m_world, target = *target, request] { carryOut(world, target, request); });
    }
    return node.error();
}

AXResult<AXValue> SimAccessibility::copyAttributeValue(const AXElement &element, const QString &attribute)
{
    AXResult<AXValue> result = AXError::Failure;
    if (const auto failure = m_world.takeFailure(SimOperations::CopyAttributeValue, attribute,
                                                   element.processIdentifier())) {
        result = failure->value ? AXResult<AXValue>(*failure->value) : AXResult<AXValue>(failure->axError);
    } else {
        const AXResult<SimNode> node = reach(element);
        result = node.ok() ? read(*node.value(), attribute) : AXResult<AXValue>(node.error());
    }
    m_world.log(SimOperations::CopyAttributeValue, element.processIdentifier(), attribute,
                  result.value() ? logged(*result.value()) : QVariant(), int(result.error()));
    return result;
}

AXResult<std::vector<AXValue>> SimAccessibility::copyMultipleAttributeValues(const AXElement &element,
                                                                             const QStringList &attributes,
                                                                             BatchOptions options)
{
    const qint32 pid = element.processIdentifier();
    auto finish = [&](AXResult<std::vector<AXValue>> result) {
        m_world.log(SimOperations::CopyMultipleAttributeValues, pid, attributes.join(QLatin1Char(',')), {},
                      int(result.error()));
        return result;
    };
    if (const auto failure = m_world.takeFailure(SimOperations::CopyMultipleAttributeValues, QString(), pid))
        return finish(failure->axError);
    const AXResult<SimNode> node = reach(element);
    if (!node.ok())
        return finish(node.error());

    std::vector<AXValue> values;
    for (const QString &attribute : attributes) {
        AXResult<AXValue> one = read(*node.value(), attribute);
        if (const auto failure = m_world.takeFailure(SimOperations::CopyAttributeValue, attribute, pid))
            one = failure->value ? AXResult<AXValue>(*failure->value) : AXResult<AXValue>(failure->axError);
        if (!one.ok() && options == BatchOptions::StopOnError)
            return finish(one.error());
        values.push_back(one.ok() ? *one.value() : AXValue::fromError(one.error()));
    }
    return finish(std::move(values));
}

AXResult<qint64> SimAccessibility::attributeValueCount(const AXElement &element, const QString &attribute)
{
    const auto answer = [&]() -> AXResult<qint64> {
        if (const auto failure = m_world.takeFailure(SimOperations::AttributeValueCount, attribute,
                                                       element.processIdentifier()))
            return failure->axError;
        const AXResult<SimNode> node = reach(element);
        if (!node.ok())
            return node.error();
        const AXResult<AXValue> value = read(*node.value(), attribute);
        if (!value.ok())
            return value.error();
        if (const auto list = value.value()->toList())
            return qint64(list->size());
        return AXError::IllegalArgument;
    };
    const AXResult<qint64> result = answer();
    m_world.log(SimOperations::AttributeValueCount, element.processIdentifier(), attribute, {}, int(result.error()));
    return result;
}

AXResult<bool> SimAccessibility::isAttributeSettable(const AXElement &element, const QString &attribute)
{
    const auto answer = [&]() -> AXResult<bool> {
        if (const auto failure = m_world.takeFailure(SimOperations::IsAttributeSettable, attribute,
                                                       element.processIdentifier()))
            return failure->axError;
        const AXResult<SimNode> node = reach(element);
        if (!node.ok())
            return node.error();
        return m_world.withLock(
            [&](SimDesktopParts &d) { return SimAccessibilityTree(d).settable(*node.value(), attribute); });
    };
    const AXResult<bool> result = answer();
    m_world.log(SimOperations::IsAttributeSettable, element.processIdentifier(), attribute, {}, int(result.error()));
    return result;
}

AXError SimAccessibility::setAttributeValue(const AXElement &element, const QString &attribute, const AXValue &value)
{
    AXError result = AXError::Success;
    if (const auto failure = m_world.takeFailure(SimOperations::SetAttributeValue, attribute,
                                                   element.processIdentifier())) {
        result = failure->axError;
    } else {
        result = deliver(element, [attribute, value](SimAccessibilityTree &tree, const SimNode &node) {
            return tree.write(node, attribute, value);
        });
    }
    m_world.log(SimOperations::SetAttributeValue, element.processIdentifier(), attribute, logged(value), int(result));
    return result;
}

AXError SimAccessibility::performAction(const AXElement &element, const QString &action)
{
    AXError result = AXError::Success;
    if (const auto failure = m_world.takeFailure(SimOperations::PerformAction, action,
                                                   element.processIdentifier())) {
        result = failure->axError;
    } else {
        result = deliver(element,
                         [action](SimAccessibilityTree &tree, const SimNode &node) { return tree.act(node, action); });
    }
    const std::optional<SimNode> node = m_desktop.resolve(element);
    m_world.log(SimOperations::PerformAction, element.processIdentifier(), action,
                  node ? QVariant(node->window) : QVariant(), int(result));
    return result;
}

AXError SimAccessibility::setMessagingTimeout(const AXElement &element, double seconds)
{
    AXError result = AXError::Success;
    if (seconds < 0)
        result = AXError::IllegalArgument;
    else if (!m_desktop.resolve(element))
        result = AXError::InvalidUIElement;
    else
        m_desktop.setMessagingTimeout(element, seconds);
    m_world.log(SimOperations::SetMessagingTimeout, element.processIdentifier(), {}, seconds, int(result));
    return result;
}

double SimAccessibility::messagingTimeout(const AXElement &element) const
{
    return m_desktop.ownMessagingTimeout(element);
}

AXResult<AXElement> SimAccessibility::elementAtPosition(const AXElement &root, const QPointF &point)
{
    auto finish = [&](AXResult<AXElement> result) {
        m_world.log(SimOperations::ElementAtPosition, root.processIdentifier(), {}, point, int(result.error()));
        return result;
    };
    if (const auto failure = m_world.takeFailure(SimOperations::ElementAtPosition, QString(),
                                                   root.processIdentifier()))
        return finish(failure->axError);
    const AXResult<SimNode> rootNode = reach(root);
    if (!rootNode.ok())
        return finish(rootNode.error());
    const std::optional<quint32> hit = m_desktop.windowAt(point);
    if (!hit)
        return finish(AXError::NoValue);
    // Another thread may have closed the window since the hit test.
    const std::optional<SimWindow> w = m_desktop.window(*hit);
    const std::optional<SimProcess> owner = w ? m_desktop.process(w->ownerPid) : std::nullopt;
    if (!w || !owner || (rootNode.value()->kind != Kind::SystemWide && rootNode.value()->pid != w->ownerPid))
        return finish(AXError::NoValue);
    // The window's application answers the hit test.
    if (rootNode.value()->kind == Kind::SystemWide
        && !m_desktop.waitForAnswer(owner->pid, timeoutMs(m_desktop.messagingTimeout(root))))
        return finish(AXError::CannotComplete);
    for (Kind button : {Kind::CloseButton, Kind::MinimizeButton, Kind::ZoomButton}) {
        const bool exists = button == Kind::ZoomButton || (button == Kind::CloseButton ? w->hasCloseButton
                                                                                       : w->hasMinimizeButton);
        if (exists && SimDesktop::buttonFrame(*w, button).contains(point))
            return finish(m_desktop.element(SimNode(button, owner->pid, owner->life, w->number)));
    }
    return finish(m_desktop.element(SimNode(Kind::Window, owner->pid, owner->life, w->number)));
}

std::unique_ptr<AccessibilityObserver> SimAccessibility::createObserver(qint32 pid, QObject *context,
                                                                        NotificationCallback callback)
{
    const bool exists = m_desktop.process(pid).has_value();
    const auto failure = m_world.takeFailure(SimOperations::CreateObserver, QString(), pid);
    const bool ok = exists && !failure && m_desktop.isAccessibilityTrusted();
    m_world.log(SimOperations::CreateObserver, pid, {}, {}, ok ? 0 : int(AXError::Failure));
    if (!ok)
        return nullptr;
    const quint64 handle = m_desktop.addObserver(pid, context, std::move(callback));
    return std::make_unique<SimAccessibilityObserver>(m_world, pid, handle);
}

} // namespace Velmora::Sim
