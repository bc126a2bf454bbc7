#include "platform/sim/simaccessibility.h"

#include "platform/axnames.h"
#include "platform/sim/simaccessibilityobserver.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

#include <cmath>

namespace Velmora::Sim {

namespace {

using Kind = SimNode::Kind;

const SimMenuItem *menuItemAt(const QList<SimMenuItem> &menuBar, const QList<int> &path)
{
    const QList<SimMenuItem> *items = &menuBar;
    const SimMenuItem *item = nullptr;
    for (int index : path) {
        if (index < 0 || index >= items->size())
            return nullptr;
        item = &items->at(index);
        items = &item->children;
    }
    return item;
}

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

SimAccessibility::SimAccessibility(SimDesktop &desktop)
    : m_desktop(desktop)
{
}

bool SimAccessibility::isProcessTrusted() const
{
    return m_desktop.isAccessibilityTrusted();
}

bool SimAccessibility::isProcessTrustedWithPrompt(bool prompt)
{
    const bool trusted = m_desktop.isAccessibilityTrusted();
    m_desktop.log(SimOperations::IsProcessTrusted, m_desktop.selfPid(), prompt ? QStringLiteral("prompt") : QString(),
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

AXError SimAccessibility::carryOut(SimDesktop &desktop, const SimNode &node, const Request &request)
{
    // The element must still be there when the change is made: the world is
    // locked across the check and the change, as another thread may be ending
    // the window meanwhile.
    QMutexLocker locker(&desktop.mutex());
    if (!desktop.isLive(node))
        return AXError::InvalidUIElement;
    SimAccessibility ax(desktop);
    return request(ax, node);
}

AXError SimAccessibility::deliver(const AXElement &element, const Request &request)
{
    const AXResult<SimNode> node = reach(element);
    if (node.ok())
        return carryOut(m_desktop, *node.value(), request);
    // A busy application still carries out what it was asked once it gets
    // to it, although the caller has stopped waiting: "cannot complete"
    // does not mean "not done".
    const qint64 busy = node.error() == AXError::CannotComplete ? m_desktop.busyRemainingMs(element.processIdentifier())
                                                                : 0;
    const std::optional<SimNode> target = m_desktop.resolve(element);
    if (busy > 0 && target) {
        SimDesktop *desktop = &m_desktop;
        m_desktop.later(busy, [desktop, target = *target, request] { carryOut(*desktop, target, request); });
    }
    return node.error();
}

AXResult<AXValue> SimAccessibility::copyAttributeValue(const AXElement &element, const QString &attribute)
{
    AXResult<AXValue> result = AXError::Failure;
    if (const auto failure = m_desktop.takeFailure(SimOperations::CopyAttributeValue, attribute,
                                                   element.processIdentifier())) {
        result = failure->value ? AXResult<AXValue>(*failure->value) : AXResult<AXValue>(failure->axError);
    } else {
        const AXResult<SimNode> node = reach(element);
        result = node.ok() ? read(*node.value(), attribute) : AXResult<AXValue>(node.error());
    }
    m_desktop.log(SimOperations::CopyAttributeValue, element.processIdentifier(), attribute,
                  result.value() ? logged(*result.value()) : QVariant(), int(result.error()));
    return result;
}

AXResult<std::vector<AXValue>> SimAccessibility::copyMultipleAttributeValues(const AXElement &element,
                                                                             const QStringList &attributes,
                                                                             BatchOptions options)
{
    const qint32 pid = element.processIdentifier();
    auto finish = [&](AXResult<std::vector<AXValue>> result) {
        m_desktop.log(SimOperations::CopyMultipleAttributeValues, pid, attributes.join(QLatin1Char(',')), {},
                      int(result.error()));
        return result;
    };
    if (const auto failure = m_desktop.takeFailure(SimOperations::CopyMultipleAttributeValues, QString(), pid))
        return finish(failure->axError);
    const AXResult<SimNode> node = reach(element);
    if (!node.ok())
        return finish(node.error());

    std::vector<AXValue> values;
    for (const QString &attribute : attributes) {
        AXResult<AXValue> one = read(*node.value(), attribute);
        if (const auto failure = m_desktop.takeFailure(SimOperations::CopyAttributeValue, attribute, pid))
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
        if (const auto failure = m_desktop.takeFailure(SimOperations::AttributeValueCount, attribute,
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
    m_desktop.log(SimOperations::AttributeValueCount, element.processIdentifier(), attribute, {}, int(result.error()));
    return result;
}

AXResult<bool> SimAccessibility::isAttributeSettable(const AXElement &element, const QString &attribute)
{
    const auto answer = [&]() -> AXResult<bool> {
        if (const auto failure = m_desktop.takeFailure(SimOperations::IsAttributeSettable, attribute,
                                                       element.processIdentifier()))
            return failure->axError;
        const AXResult<SimNode> node = reach(element);
        if (!node.ok())
            return node.error();
        return settable(*node.value(), attribute);
    };
    const AXResult<bool> result = answer();
    m_desktop.log(SimOperations::IsAttributeSettable, element.processIdentifier(), attribute, {}, int(result.error()));
    return result;
}

AXError SimAccessibility::setAttributeValue(const AXElement &element, const QString &attribute, const AXValue &value)
{
    AXError result = AXError::Success;
    if (const auto failure = m_desktop.takeFailure(SimOperations::SetAttributeValue, attribute,
                                                   element.processIdentifier())) {
        result = failure->axError;
    } else {
        result = deliver(element, [attribute, value](SimAccessibility &ax, const SimNode &node) {
            return ax.write(node, attribute, value);
        });
    }
    m_desktop.log(SimOperations::SetAttributeValue, element.processIdentifier(), attribute, logged(value), int(result));
    return result;
}

AXError SimAccessibility::performAction(const AXElement &element, const QString &action)
{
    AXError result = AXError::Success;
    if (const auto failure = m_desktop.takeFailure(SimOperations::PerformAction, action,
                                                   element.processIdentifier())) {
        result = failure->axError;
    } else {
        result = deliver(element, [action](SimAccessibility &ax, const SimNode &node) { return ax.act(node, action); });
    }
    const std::optional<SimNode> node = m_desktop.resolve(element);
    m_desktop.log(SimOperations::PerformAction, element.processIdentifier(), action,
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
    m_desktop.log(SimOperations::SetMessagingTimeout, element.processIdentifier(), {}, seconds, int(result));
    return result;
}

AXResult<AXElement> SimAccessibility::elementAtPosition(const AXElement &root, const QPointF &point)
{
    auto finish = [&](AXResult<AXElement> result) {
        m_desktop.log(SimOperations::ElementAtPosition, root.processIdentifier(), {}, point, int(result.error()));
        return result;
    };
    if (const auto failure = m_desktop.takeFailure(SimOperations::ElementAtPosition, QString(),
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
    const auto failure = m_desktop.takeFailure(SimOperations::CreateObserver, QString(), pid);
    const bool ok = exists && !failure && m_desktop.isAccessibilityTrusted();
    m_desktop.log(SimOperations::CreateObserver, pid, {}, {}, ok ? 0 : int(AXError::Failure));
    if (!ok)
        return nullptr;
    const quint64 handle = m_desktop.addObserver(pid, context, std::move(callback));
    return std::make_unique<SimAccessibilityObserver>(m_desktop, pid, handle);
}

AXValue SimAccessibility::elementValue(const SimNode &node) const
{
    return AXValue::fromElement(m_desktop.element(node));
}

AXResult<AXValue> SimAccessibility::read(const SimNode &node, const QString &attribute)
{
    QMutexLocker locker(&m_desktop.mutex());
    // Another thread may have ended it since it was reached.
    if (!m_desktop.isLive(node))
        return AXError::InvalidUIElement;
    const std::optional<SimProcess> p = m_desktop.process(node.pid);
    auto child = [&](Kind kind, quint32 window = 0, int index = 0, QList<int> path = {}) {
        return SimNode(kind, node.pid, node.life, window, index, std::move(path));
    };
    auto elements = [&](const QList<SimNode> &nodes) {
        std::vector<AXValue> values;
        for (const SimNode &n : nodes)
            values.push_back(elementValue(n));
        return AXValue::fromList(std::move(values));
    };
    auto text = [](const QString &s) { return AXValue::fromString(s); };

    switch (node.kind) {
    case Kind::SystemWide: {
        if (attribute == QLatin1String("AXFocusedApplication")) {
            const std::optional<qint32> front = m_desktop.frontmostPid();
            if (!front)
                return AXError::NoValue;
            return AXValue::fromElement(m_desktop.applicationElement(*front));
        }
        if (attribute == AXNames::Role)
            return text(QStringLiteral("AXSystemWide"));
        return AXError::AttributeUnsupported;
    }
    case Kind::Application: {
        const bool isDock = p->bundleIdentifier == SimDesktop::DockBundleIdentifier;
        QList<SimNode> windows;
        for (quint32 number : m_desktop.accessibleWindows(node.pid))
            windows.append(child(Kind::Window, number));
        if (attribute == AXNames::Role)
            return text(AXNames::ApplicationRole);
        if (attribute == AXNames::Title)
            return text(p->name);
        if (attribute == AXNames::Windows)
            return elements(windows);
        if (attribute == AXNames::MainWindow || attribute == AXNames::FocusedWindow
            || attribute == AXNames::FocusedUIElement) {
            const std::optional<quint32> focused = m_desktop.focusedWindow(node.pid);
            if (!focused)
                return AXError::NoValue;
            return elementValue(child(Kind::Window, *focused));
        }
        if (attribute == AXNames::Frontmost)
            return AXValue::fromBool(m_desktop.frontmostPid() == node.pid);
        if (attribute == AXNames::Hidden)
            return AXValue::fromBool(p->hidden);
        if (attribute == AXNames::MenuBar) {
            if (p->menuBar.isEmpty())
                return AXError::NoValue;
            return elementValue(child(Kind::MenuBar));
        }
        if (attribute == AXNames::Children) {
            if (isDock)
                return elements({child(Kind::DockList)});
            if (!p->menuBar.isEmpty())
                windows.append(child(Kind::MenuBar));
            return elements(windows);
        }
        return AXError::AttributeUnsupported;
    }
    case Kind::Window:
    case Kind::CloseButton:
    case Kind::MinimizeButton:
    case Kind::ZoomButton:
    case Kind::TabGroup:
    case Kind::Tab:
    case Kind::Sheet:
        break;
    case Kind::MenuBar: {
        if (attribute == AXNames::Role)
            return text(AXNames::MenuBarRole);
        if (attribute == AXNames::Children) {
            QList<SimNode> items;
            for (int i = 0; i < p->menuBar.size(); ++i)
                items.append(child(Kind::MenuItem, 0, 0, {i}));
            return elements(items);
        }
        return AXError::AttributeUnsupported;
    }
    case Kind::Menu: {
        const SimMenuItem *owner = menuItemAt(p->menuBar, node.path);
        if (attribute == AXNames::Role)
            return text(AXNames::MenuRole);
        if (attribute == AXNames::Children) {
            QList<SimNode> items;
            for (int i = 0; i < owner->children.size(); ++i)
                items.append(child(Kind::MenuItem, 0, 0, node.path + QList<int>{i}));
            return elements(items);
        }
        return AXError::AttributeUnsupported;
    }
    case Kind::MenuItem: {
        const SimMenuItem *item = menuItemAt(p->menuBar, node.path);
        const bool topLevel = node.path.size() == 1;
        if (attribute == AXNames::Role)
            return text(topLevel ? AXNames::MenuBarItemRole : AXNames::MenuItemRole);
        if (attribute == AXNames::Title)
            return text(item->title);
        if (attribute == AXNames::Enabled)
            return AXValue::fromBool(item->enabled);
        if (attribute == AXNames::Children) {
            if (item->children.isEmpty())
                return elements({});
            return elements({child(Kind::Menu, 0, 0, node.path)});
        }
        if (attribute == AXNames::MenuItemCmdChar) {
            if (item->commandCharacter.isEmpty())
                return AXError::NoValue;
            return text(item->commandCharacter);
        }
        if (attribute == AXNames::MenuItemCmdModifiers)
            return AXValue::fromInteger(item->commandModifiers);
        return AXError::AttributeUnsupported;
    }
    case Kind::DockList: {
        if (attribute == AXNames::Role)
            return text(AXNames::ListRole);
        if (attribute == AXNames::Children) {
            QList<SimNode> tiles;
            for (const SimWindow &w : m_desktop.windows()) {
                if (w.minimized)
                    tiles.append(child(Kind::DockItem, w.number));
            }
            return elements(tiles);
        }
        return AXError::AttributeUnsupported;
    }
    case Kind::DockItem: {
        const std::optional<SimWindow> w = m_desktop.window(node.window);
        if (attribute == AXNames::Role)
            return text(AXNames::DockItemRole);
        if (attribute == AXNames::Subrole)
            return text(AXNames::MinimizedWindowDockItem);
        if (attribute == AXNames::Title)
            return text(w->dockTitle.isEmpty() ? w->title : w->dockTitle);
        if (attribute == AXNames::Children)
            return elements({});
        return AXError::AttributeUnsupported;
    }
    }

    // A window and the elements inside it.
    const std::optional<SimWindow> w = m_desktop.window(node.window);
    if (node.kind == Kind::Window) {
        if (attribute == AXNames::Role)
            return text(AXNames::WindowRole);
        if (attribute == AXNames::Subrole)
            return text(w->subrole);
        if (attribute == AXNames::Title)
            return text(w->title);
        if (attribute == AXNames::Position)
            return AXValue::fromPoint(w->bounds.topLeft());
        if (attribute == AXNames::Size)
            return AXValue::fromSize(w->bounds.size());
        if (attribute == AXNames::Minimized)
            return AXValue::fromBool(w->minimized);
        if (attribute == AXNames::Main)
            return AXValue::fromBool(m_desktop.focusedWindow(node.pid) == node.window);
        if (attribute == AXNames::Focused)
            return AXValue::fromBool(m_desktop.focusedWindow(node.pid) == node.window
                                     && m_desktop.frontmostPid() == node.pid);
        if (attribute == AXNames::FullScreen)
            return AXValue::fromBool(w->fullScreen);
        if (attribute == AXNames::CloseButton) {
            if (!w->hasCloseButton)
                return AXError::NoValue;
            return elementValue(child(Kind::CloseButton, w->number));
        }
        if (attribute == AXNames::MinimizeButton) {
            if (!w->hasMinimizeButton)
                return AXError::NoValue;
            return elementValue(child(Kind::MinimizeButton, w->number));
        }
        if (attribute == AXNames::ZoomButton)
            return elementValue(child(Kind::ZoomButton, w->number));
        if (attribute == AXNames::Parent)
            return elementValue(child(Kind::Application));
        if (attribute == AXNames::Sheets)
            return elements(w->sheetOpen ? QList<SimNode>{child(Kind::Sheet, w->number)} : QList<SimNode>{});
        if (attribute == AXNames::Children) {
            QList<SimNode> children;
            if (w->hasCloseButton)
                children.append(child(Kind::CloseButton, w->number));
            if (w->hasMinimizeButton)
                children.append(child(Kind::MinimizeButton, w->number));
            children.append(child(Kind::ZoomButton, w->number));
            if (!w->tabs.isEmpty())
                children.append(child(Kind::TabGroup, w->number));
            if (w->sheetOpen)
                children.append(child(Kind::Sheet, w->number));
            return elements(children);
        }
        return AXError::AttributeUnsupported;
    }
    if (node.kind == Kind::TabGroup) {
        QList<SimNode> tabs;
        for (int i = 0; i < w->tabs.size(); ++i)
            tabs.append(child(Kind::Tab, w->number, i));
        if (attribute == AXNames::Role)
            return text(AXNames::TabGroupRole);
        if (attribute == AXNames::Tabs || attribute == AXNames::Children)
            return elements(tabs);
        return AXError::AttributeUnsupported;
    }
    if (node.kind == Kind::Tab) {
        if (attribute == AXNames::Role)
            return text(AXNames::RadioButtonRole);
        if (attribute == AXNames::Subrole)
            return text(AXNames::TabButtonSubrole);
        if (attribute == AXNames::Title)
            return text(w->tabs.at(node.index));
        if (attribute == AXNames::Children)
            return elements({});
        return AXError::AttributeUnsupported;
    }
    if (node.kind == Kind::Sheet) {
        if (attribute == AXNames::Role)
            return text(AXNames::SheetRole);
        if (attribute == AXNames::Parent)
            return elementValue(child(Kind::Window, w->number));
        if (attribute == AXNames::Children)
            return elements({});
        return AXError::AttributeUnsupported;
    }
    // Title-bar buttons.
    if (attribute == AXNames::Role)
        return text(AXNames::ButtonRole);
    if (attribute == AXNames::Subrole) {
        if (node.kind == Kind::CloseButton)
            return text(AXNames::CloseButtonSubrole);
        if (node.kind == Kind::MinimizeButton)
            return text(AXNames::MinimizeButtonSubrole);
        return text(QStringLiteral("AXZoomButton"));
    }
    const QRectF frame = SimDesktop::buttonFrame(*w, node.kind);
    if (attribute == AXNames::Position)
        return AXValue::fromPoint(frame.topLeft());
    if (attribute == AXNames::Size)
        return AXValue::fromSize(frame.size());
    if (attribute == AXNames::Enabled)
        return AXValue::fromBool(node.kind != Kind::MinimizeButton || w->minimizeButtonEnabled);
    if (attribute == AXNames::Parent)
        return elementValue(child(Kind::Window, w->number));
    if (attribute == AXNames::Children)
        return elements({});
    return AXError::AttributeUnsupported;
}

bool SimAccessibility::settable(const SimNode &node, const QString &attribute) const
{
    switch (node.kind) {
    case Kind::Window:
        return attribute == AXNames::Position || attribute == AXNames::Size || attribute == AXNames::Minimized
            || attribute == AXNames::Main || attribute == AXNames::Focused || attribute == AXNames::FullScreen;
    case Kind::Application:
        return attribute == AXNames::Frontmost || attribute == AXNames::Hidden;
    default:
        return false;
    }
}

AXError SimAccessibility::write(const SimNode &node, const QString &attribute, const AXValue &value)
{
    if (!settable(node, attribute))
        return AXError::AttributeUnsupported;
    if (node.kind == Kind::Application) {
        const std::optional<bool> on = value.toBool();
        if (!on)
            return AXError::IllegalArgument;
        if (attribute == AXNames::Frontmost) {
            // Asking an application to come to the front activates it, with all its windows.
            if (*on)
                m_desktop.activate(node.pid);
        } else {
            *on ? m_desktop.hide(node.pid) : m_desktop.unhide(node.pid);
        }
        return AXError::Success;
    }

    const std::optional<SimWindow> w = m_desktop.window(node.window);
    if (attribute == AXNames::Position) {
        const std::optional<QPointF> point = value.toPoint();
        if (!point)
            return AXError::IllegalArgument;
        m_desktop.moveWindow(node.window, QRectF(*point, w->bounds.size()));
        return AXError::Success;
    }
    if (attribute == AXNames::Size) {
        const std::optional<QSizeF> size = value.toSize();
        if (!size)
            return AXError::IllegalArgument;
        m_desktop.moveWindow(node.window, QRectF(w->bounds.topLeft(), *size));
        return AXError::Success;
    }
    const std::optional<bool> on = value.toBool();
    if (!on)
        return AXError::IllegalArgument;
    if (attribute == AXNames::Minimized) {
        *on ? m_desktop.beginMinimize(node.window) : m_desktop.beginRestore(node.window);
    } else if (attribute == AXNames::FullScreen) {
        m_desktop.updateWindow(node.window, [on](SimWindow &window) { window.fullScreen = *on; });
    } else if (*on) {
        // "AXMain" and "AXFocused": the window comes in front of its siblings only.
        m_desktop.placeInFrontOfSiblings(node.window);
    }
    return AXError::Success;
}

AXError SimAccessibility::act(const SimNode &node, const QString &action)
{
    switch (node.kind) {
    case Kind::Window:
        if (action != AXNames::Raise)
            return AXError::ActionUnsupported;
        m_desktop.raiseWindow(node.window);
        return AXError::Success;
    case Kind::CloseButton:
    case Kind::MinimizeButton:
    case Kind::ZoomButton:
        if (action != AXNames::Press)
            return AXError::ActionUnsupported;
        if (node.kind == Kind::CloseButton)
            m_desktop.beginClose(node.window);
        else if (node.kind == Kind::MinimizeButton && m_desktop.window(node.window)->minimizeButtonEnabled)
            m_desktop.beginMinimize(node.window);
        return AXError::Success;
    case Kind::MenuItem: {
        if (action != AXNames::Press)
            return AXError::ActionUnsupported;
        const std::optional<SimProcess> p = m_desktop.process(node.pid);
        const SimMenuItem *item = menuItemAt(p->menuBar, node.path);
        if (item && item->enabled && !item->command.isEmpty())
            m_desktop.runCommand(node.pid, item->command);
        return AXError::Success;
    }
    case Kind::DockItem:
        if (action != AXNames::Press)
            return AXError::ActionUnsupported;
        if (const std::optional<SimWindow> w = m_desktop.window(node.window)) {
            m_desktop.beginRestore(w->number);
            m_desktop.makeFrontmost(w->ownerPid);
        }
        return AXError::Success;
    default:
        return AXError::ActionUnsupported;
    }
}

} // namespace Velmora::Sim
