#include "platform/sim/simaccessibilityregistry.h"

#include "platform/axnames.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

SimAccessibilityRegistry::SimAccessibilityRegistry(SimDesktopParts &parts)
    : m_parts(parts)
{
}

AXElement SimAccessibilityRegistry::element(const SimNode &node)
{
    auto it = m_tokens.constFind(node);
    if (it == m_tokens.cend()) {
        const quint64 token = m_nextToken++;
        m_tokens.insert(node, token);
        m_nodes.insert(token, node);
        return AXElement(node.pid, token, m_nextReference++);
    }
    return AXElement(node.pid, *it, m_nextReference++);
}

std::optional<SimNode> SimAccessibilityRegistry::resolve(const AXElement &element) const
{
    const auto it = m_nodes.constFind(element.token());
    if (element.isNull() || it == m_nodes.cend())
        return std::nullopt;
    return *it;
}

bool SimAccessibilityRegistry::isLive(const SimNode &node) const
{
    if (node.kind == SimNode::Kind::SystemWide)
        return true;
    const SimWorld &world = m_parts.world;
    const SimProcess *p = world.process(node.pid);
    if (!p || p->life != node.life)
        return false;
    const SimWindow *w = world.window(node.window);
    const bool ownWindow = w && w->ownerPid == node.pid;
    switch (node.kind) {
    case SimNode::Kind::SystemWide:
    case SimNode::Kind::Application:
        return true;
    case SimNode::Kind::Window:
        return ownWindow;
    case SimNode::Kind::CloseButton:
        return ownWindow && w->hasCloseButton;
    case SimNode::Kind::MinimizeButton:
        return ownWindow && w->hasMinimizeButton;
    case SimNode::Kind::ZoomButton:
        return ownWindow;
    case SimNode::Kind::TabGroup:
        return ownWindow && !w->tabs.isEmpty();
    case SimNode::Kind::Tab:
        return ownWindow && node.index < w->tabs.size();
    case SimNode::Kind::Sheet:
        return ownWindow && w->sheetOpen;
    case SimNode::Kind::MenuBar:
        return !p->menuBar.isEmpty();
    case SimNode::Kind::MenuItem:
    case SimNode::Kind::Menu: {
        const QList<SimMenuItem> *items = &p->menuBar;
        const SimMenuItem *item = nullptr;
        for (int index : node.path) {
            if (index < 0 || index >= items->size())
                return false;
            item = &items->at(index);
            items = &item->children;
        }
        return item && (node.kind == SimNode::Kind::MenuItem || !item->children.isEmpty());
    }
    case SimNode::Kind::DockList:
        return p->bundleIdentifier == SimWorld::DockBundleIdentifier;
    case SimNode::Kind::DockItem:
        return p->bundleIdentifier == SimWorld::DockBundleIdentifier && w && w->minimized;
    }
    return false;
}

AXElement SimAccessibilityRegistry::applicationElement(qint32 pid)
{
    const SimProcess *p = m_parts.world.process(pid);
    return element({SimNode::Kind::Application, pid, p ? p->life : 0});
}

AXElement SimAccessibilityRegistry::windowElement(quint32 number)
{
    const SimWindow *w = m_parts.world.window(number);
    if (!w)
        return {};
    return element(windowNode(*w));
}

SimNode SimAccessibilityRegistry::windowNode(const SimWindow &window) const
{
    const SimProcess *owner = m_parts.world.process(window.ownerPid);
    return {SimNode::Kind::Window, window.ownerPid, owner ? owner->life : 0, window.number};
}

double SimAccessibilityRegistry::messagingTimeout(const AXElement &element) const
{
    return m_timeouts.value(element.reference(), m_globalTimeout);
}

double SimAccessibilityRegistry::ownMessagingTimeout(const AXElement &element) const
{
    const std::optional<SimNode> node = resolve(element);
    if (node && node->kind == SimNode::Kind::SystemWide)
        return m_globalTimeout == DefaultMessagingTimeoutSeconds ? 0 : m_globalTimeout;
    return m_timeouts.value(element.reference(), 0);
}

void SimAccessibilityRegistry::setMessagingTimeout(const AXElement &element, double seconds)
{
    const std::optional<SimNode> node = resolve(element);
    if (node && node->kind == SimNode::Kind::SystemWide) {
        m_globalTimeout = seconds > 0 ? seconds : DefaultMessagingTimeoutSeconds;
        return;
    }
    if (seconds > 0)
        m_timeouts.insert(element.reference(), seconds);
    else
        m_timeouts.remove(element.reference());
}

quint64 SimAccessibilityRegistry::addObserver(qint32 pid, QObject *context, ObserverCallback callback)
{
    const quint64 handle = m_nextObserver++;
    m_observers.insert(handle, {pid, ReceiverGuard(context), std::move(callback), {}});
    return handle;
}

void SimAccessibilityRegistry::removeObserver(quint64 observer)
{
    m_observers.remove(observer);
}

AXError SimAccessibilityRegistry::addNotification(quint64 observer, const AXElement &element, const QString &name)
{
    auto it = m_observers.find(observer);
    if (it == m_observers.end())
        return AXError::InvalidUIElementObserver;
    const std::optional<SimNode> node = resolve(element);
    if (!node || !isLive(*node))
        return AXError::InvalidUIElement;
    const QPair<quint64, QString> key(element.token(), name);
    if (it->registrations.contains(key))
        return AXError::NotificationAlreadyRegistered;
    it->registrations.insert(key);
    return AXError::Success;
}

AXError SimAccessibilityRegistry::removeNotification(quint64 observer, const AXElement &element, const QString &name)
{
    auto it = m_observers.find(observer);
    if (it == m_observers.end())
        return AXError::InvalidUIElementObserver;
    if (!it->registrations.remove({element.token(), name}))
        return AXError::NotificationNotRegistered;
    return AXError::Success;
}

void SimAccessibilityRegistry::notify(const SimNode &node, const QString &name)
{
    // Without the permission observers hear nothing.
    if (!m_parts.world.permissions().accessibilityTrusted)
        return;
    const AXElement source = element(node);
    const AXElement application = element({SimNode::Kind::Application, node.pid, node.life});
    for (auto it = m_observers.cbegin(); it != m_observers.cend(); ++it) {
        if (it->pid != node.pid)
            continue;
        QPair<quint64, QString> registration(source.token(), name);
        if (!it->registrations.contains(registration)) {
            registration.first = application.token();
            if (!it->registrations.contains(registration))
                continue;
        }
        const quint64 handle = it.key();
        m_parts.host.laterUnlocked(0, [this, handle, source, registration] { deliver(handle, source, registration); },
                           it->receiver);
    }
}

void SimAccessibilityRegistry::notifyWindow(quint32 number, const QString &name)
{
    if (const SimWindow *w = m_parts.world.window(number))
        notify(windowNode(*w), name);
}

void SimAccessibilityRegistry::deliver(quint64 handle, const AXElement &source,
                                       const QPair<quint64, QString> &registration)
{
    ObserverCallback callback;
    ReceiverGuard receiver;
    m_parts.host.runLocked([&] {
        const auto observer = m_observers.constFind(handle);
        // Removed meanwhile, or the permission withdrawn: nothing more is delivered.
        if (observer == m_observers.cend() || !observer->registrations.contains(registration)
            || !m_parts.world.permissions().accessibilityTrusted)
            return;
        callback = observer->callback;
        receiver = observer->receiver;
    });
    if (!callback)
        return;
    // The owner hears it on its own thread.
    receiver.call([callback, source, name = registration.second] { callback(source, name); });
}

void SimAccessibilityRegistry::notifyFocusChanges(const QSet<qint32> &quiet)
{
    const SimWorld &world = m_parts.world;
    for (qint32 pid : world.launchOrder()) {
        if (quiet.contains(pid))
            continue;
        const quint32 now = world.focusedWindow(pid).value_or(0);
        const auto last = m_lastFocused.constFind(pid);
        if (last != m_lastFocused.cend() && *last == now)
            continue;
        m_lastFocused.insert(pid, now);
        if (now != 0) {
            const SimNode window(SimNode::Kind::Window, pid, world.process(pid)->life, now);
            notify(window, AXNames::FocusedWindowChanged);
            notify(window, AXNames::MainWindowChanged);
        }
    }
}

} // namespace Velmora::Sim
