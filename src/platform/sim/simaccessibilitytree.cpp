#include "platform/sim/simaccessibilitytree.h"

#include "platform/axnames.h"
#include "platform/sim/simdesktopparts.h"

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

} // namespace

SimAccessibilityTree::SimAccessibilityTree(SimDesktopParts &parts)
    : m_parts(parts)
{
}

AXValue SimAccessibilityTree::elementValue(const SimNode &node)
{
    return AXValue::fromElement(m_parts.registry.element(node));
}

AXValue SimAccessibilityTree::elements(const QList<SimNode> &nodes)
{
    std::vector<AXValue> values;
    values.reserve(nodes.size());
    for (const SimNode &n : nodes)
        values.push_back(elementValue(n));
    return AXValue::fromList(std::move(values));
}

SimNode SimAccessibilityTree::child(const SimNode &of, Kind kind, quint32 window, int index, QList<int> path)
{
    return SimNode(kind, of.pid, of.life, window, index, std::move(path));
}

AXResult<AXValue> SimAccessibilityTree::read(const SimNode &node, const QString &attribute)
{
    switch (node.kind) {
    case Kind::SystemWide:
        return readSystemWide(attribute);
    case Kind::Application:
        return readApplication(node, attribute);
    case Kind::Window:
        return readWindow(node, attribute);
    case Kind::CloseButton:
    case Kind::MinimizeButton:
    case Kind::ZoomButton:
        return readTitleBarButton(node, attribute);
    case Kind::TabGroup:
        return readTabGroup(node, attribute);
    case Kind::Tab:
        return readTab(node, attribute);
    case Kind::Sheet:
        return readSheet(node, attribute);
    case Kind::MenuBar:
        return readMenuBar(node, attribute);
    case Kind::Menu:
        return readMenu(node, attribute);
    case Kind::MenuItem:
        return readMenuItem(node, attribute);
    case Kind::DockList:
        return readDockList(node, attribute);
    case Kind::DockItem:
        return readDockItem(node, attribute);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readSystemWide(const QString &attribute)
{
    if (attribute == QLatin1String("AXFocusedApplication")) {
        const std::optional<qint32> front = m_parts.world.frontmost();
        if (!front)
            return AXError::NoValue;
        return AXValue::fromElement(m_parts.registry.applicationElement(*front));
    }
    if (attribute == AXNames::Role)
        return AXValue::fromString(QStringLiteral("AXSystemWide"));
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readApplication(const SimNode &node, const QString &attribute)
{
    const SimWorld &world = m_parts.world;
    const SimProcess *p = world.process(node.pid);
    const auto windows = [&] {
        QList<SimNode> nodes;
        for (quint32 number : world.accessibleWindows(node.pid))
            nodes.append(child(node, Kind::Window, number));
        return nodes;
    };
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::ApplicationRole);
    if (attribute == AXNames::Title)
        return AXValue::fromString(p->name);
    if (attribute == AXNames::Windows)
        return elements(windows());
    if (attribute == AXNames::MainWindow || attribute == AXNames::FocusedWindow
        || attribute == AXNames::FocusedUIElement) {
        const std::optional<quint32> focused = world.focusedWindow(node.pid);
        if (!focused)
            return AXError::NoValue;
        return elementValue(child(node, Kind::Window, *focused));
    }
    if (attribute == AXNames::Frontmost)
        return AXValue::fromBool(world.frontmost() == node.pid);
    if (attribute == AXNames::Hidden)
        return AXValue::fromBool(p->hidden);
    if (attribute == AXNames::MenuBar) {
        if (p->menuBar.isEmpty())
            return AXError::NoValue;
        return elementValue(child(node, Kind::MenuBar));
    }
    if (attribute == AXNames::Children) {
        if (p->bundleIdentifier == SimWorld::DockBundleIdentifier)
            return elements({child(node, Kind::DockList)});
        QList<SimNode> children = windows();
        if (!p->menuBar.isEmpty())
            children.append(child(node, Kind::MenuBar));
        return elements(children);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readWindow(const SimNode &node, const QString &attribute)
{
    const SimWorld &world = m_parts.world;
    const SimWindow *w = world.window(node.window);
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::WindowRole);
    if (attribute == AXNames::Subrole)
        return AXValue::fromString(w->subrole);
    if (attribute == AXNames::Title)
        return AXValue::fromString(w->title);
    if (attribute == AXNames::Position)
        return AXValue::fromPoint(w->bounds.topLeft());
    if (attribute == AXNames::Size)
        return AXValue::fromSize(w->bounds.size());
    if (attribute == AXNames::Minimized)
        return AXValue::fromBool(w->minimized);
    if (attribute == AXNames::Main)
        return AXValue::fromBool(world.focusedWindow(node.pid) == node.window);
    if (attribute == AXNames::Focused)
        return AXValue::fromBool(world.focusedWindow(node.pid) == node.window && world.frontmost() == node.pid);
    if (attribute == AXNames::FullScreen)
        return AXValue::fromBool(w->fullScreen);
    if (attribute == AXNames::CloseButton) {
        if (!w->hasCloseButton)
            return AXError::NoValue;
        return elementValue(child(node, Kind::CloseButton, w->number));
    }
    if (attribute == AXNames::MinimizeButton) {
        if (!w->hasMinimizeButton)
            return AXError::NoValue;
        return elementValue(child(node, Kind::MinimizeButton, w->number));
    }
    if (attribute == AXNames::ZoomButton)
        return elementValue(child(node, Kind::ZoomButton, w->number));
    if (attribute == AXNames::Parent)
        return elementValue(child(node, Kind::Application));
    if (attribute == AXNames::Sheets)
        return elements(w->sheetOpen ? QList<SimNode>{child(node, Kind::Sheet, w->number)} : QList<SimNode>{});
    if (attribute == AXNames::Children) {
        QList<SimNode> children;
        if (w->hasCloseButton)
            children.append(child(node, Kind::CloseButton, w->number));
        if (w->hasMinimizeButton)
            children.append(child(node, Kind::MinimizeButton, w->number));
        children.append(child(node, Kind::ZoomButton, w->number));
        if (!w->tabs.isEmpty())
            children.append(child(node, Kind::TabGroup, w->number));
        if (w->sheetOpen)
            children.append(child(node, Kind::Sheet, w->number));
        return elements(children);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readTitleBarButton(const SimNode &node, const QString &attribute)
{
    const SimWindow *w = m_parts.world.window(node.window);
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::ButtonRole);
    if (attribute == AXNames::Subrole) {
        if (node.kind == Kind::CloseButton)
            return AXValue::fromString(AXNames::CloseButtonSubrole);
        if (node.kind == Kind::MinimizeButton)
            return AXValue::fromString(AXNames::MinimizeButtonSubrole);
        return AXValue::fromString(QStringLiteral("AXZoomButton"));
    }
    const QRectF frame = SimWorld::buttonFrame(*w, node.kind);
    if (attribute == AXNames::Position)
        return AXValue::fromPoint(frame.topLeft());
    if (attribute == AXNames::Size)
        return AXValue::fromSize(frame.size());
    if (attribute == AXNames::Enabled)
        return AXValue::fromBool(node.kind != Kind::MinimizeButton || w->minimizeButtonEnabled);
    if (attribute == AXNames::Parent)
        return elementValue(child(node, Kind::Window, w->number));
    if (attribute == AXNames::Children)
        return elements({});
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readTabGroup(const SimNode &node, const QString &attribute)
{
    const SimWindow *w = m_parts.world.window(node.window);
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::TabGroupRole);
    if (attribute == AXNames::Tabs || attribute == AXNames::Children) {
        QList<SimNode> tabs;
        for (int i = 0; i < w->tabs.size(); ++i)
            tabs.append(child(node, Kind::Tab, w->number, i));
        return elements(tabs);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readTab(const SimNode &node, const QString &attribute)
{
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::RadioButtonRole);
    if (attribute == AXNames::Subrole)
        return AXValue::fromString(AXNames::TabButtonSubrole);
    if (attribute == AXNames::Title)
        return AXValue::fromString(m_parts.world.window(node.window)->tabs.at(node.index));
    if (attribute == AXNames::Children)
        return elements({});
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readSheet(const SimNode &node, const QString &attribute)
{
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::SheetRole);
    if (attribute == AXNames::Parent)
        return elementValue(child(node, Kind::Window, node.window));
    if (attribute == AXNames::Children)
        return elements({});
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readMenuBar(const SimNode &node, const QString &attribute)
{
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::MenuBarRole);
    if (attribute == AXNames::Children) {
        QList<SimNode> items;
        for (int i = 0; i < m_parts.world.process(node.pid)->menuBar.size(); ++i)
            items.append(child(node, Kind::MenuItem, 0, 0, {i}));
        return elements(items);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readMenu(const SimNode &node, const QString &attribute)
{
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::MenuRole);
    if (attribute == AXNames::Children) {
        const SimMenuItem *owner = menuItemAt(m_parts.world.process(node.pid)->menuBar, node.path);
        QList<SimNode> items;
        for (int i = 0; i < owner->children.size(); ++i)
            items.append(child(node, Kind::MenuItem, 0, 0, node.path + QList<int>{i}));
        return elements(items);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readMenuItem(const SimNode &node, const QString &attribute)
{
    const SimMenuItem *item = menuItemAt(m_parts.world.process(node.pid)->menuBar, node.path);
    const bool topLevel = node.path.size() == 1;
    if (attribute == AXNames::Role)
        return AXValue::fromString(topLevel ? AXNames::MenuBarItemRole : AXNames::MenuItemRole);
    if (attribute == AXNames::Title)
        return AXValue::fromString(item->title);
    if (attribute == AXNames::Enabled)
        return AXValue::fromBool(item->enabled);
    if (attribute == AXNames::Children) {
        if (item->children.isEmpty())
            return elements({});
        return elements({child(node, Kind::Menu, 0, 0, node.path)});
    }
    if (attribute == AXNames::MenuItemCmdChar) {
        if (item->commandCharacter.isEmpty())
            return AXError::NoValue;
        return AXValue::fromString(item->commandCharacter);
    }
    if (attribute == AXNames::MenuItemCmdModifiers)
        return AXValue::fromInteger(item->commandModifiers);
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readDockList(const SimNode &node, const QString &attribute)
{
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::ListRole);
    if (attribute == AXNames::Children) {
        QList<SimNode> tiles;
        m_parts.world.forEachWindow([&](const SimWindow &w) {
            if (w.minimized)
                tiles.append(child(node, Kind::DockItem, w.number));
        });
        return elements(tiles);
    }
    return AXError::AttributeUnsupported;
}

AXResult<AXValue> SimAccessibilityTree::readDockItem(const SimNode &node, const QString &attribute)
{
    const SimWindow *w = m_parts.world.window(node.window);
    if (attribute == AXNames::Role)
        return AXValue::fromString(AXNames::DockItemRole);
    if (attribute == AXNames::Subrole)
        return AXValue::fromString(AXNames::MinimizedWindowDockItem);
    if (attribute == AXNames::Title)
        return AXValue::fromString(w->dockTitle.isEmpty() ? w->title : w->dockTitle);
    if (attribute == AXNames::Children)
        return elements({});
    return AXError::AttributeUnsupported;
}

bool SimAccessibilityTree::settable(const SimNode &node, const QString &attribute) const
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

AXError SimAccessibilityTree::write(const SimNode &node, const QString &attribute, const AXValue &value)
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
                m_parts.activation.activate(node.pid);
        } else {
            *on ? m_parts.activation.hide(node.pid) : m_parts.activation.unhide(node.pid);
        }
        return AXError::Success;
    }

    const SimWindow *w = m_parts.world.window(node.window);
    if (attribute == AXNames::Position) {
        const std::optional<QPointF> point = value.toPoint();
        if (!point)
            return AXError::IllegalArgument;
        m_parts.lifecycle.moveWindow(node.window, QRectF(*point, w->bounds.size()));
        return AXError::Success;
    }
    if (attribute == AXNames::Size) {
        const std::optional<QSizeF> size = value.toSize();
        if (!size)
            return AXError::IllegalArgument;
        m_parts.lifecycle.moveWindow(node.window, QRectF(w->bounds.topLeft(), *size));
        return AXError::Success;
    }
    const std::optional<bool> on = value.toBool();
    if (!on)
        return AXError::IllegalArgument;
    if (attribute == AXNames::Minimized) {
        *on ? m_parts.transitions.beginMinimize(node.window) : m_parts.transitions.beginRestore(node.window);
    } else if (attribute == AXNames::FullScreen) {
        m_parts.spaces.setFullScreen(node.window, *on);
    } else if (*on) {
        // "AXMain" and "AXFocused": the window comes in front of its siblings only.
        m_parts.activation.placeInFrontOfSiblings(node.window);
    }
    return AXError::Success;
}

AXError SimAccessibilityTree::act(const SimNode &node, const QString &action)
{
    switch (node.kind) {
    case Kind::Window:
        if (action != AXNames::Raise)
            return AXError::ActionUnsupported;
        m_parts.activation.raiseWindow(node.window);
        return AXError::Success;
    case Kind::CloseButton:
    case Kind::MinimizeButton:
    case Kind::ZoomButton:
        if (action != AXNames::Press)
            return AXError::ActionUnsupported;
        if (node.kind == Kind::CloseButton)
            m_parts.transitions.beginClose(node.window);
        else if (node.kind == Kind::MinimizeButton && m_parts.world.window(node.window)->minimizeButtonEnabled)
            m_parts.transitions.beginMinimize(node.window);
        return AXError::Success;
    case Kind::MenuItem: {
        if (action != AXNames::Press)
            return AXError::ActionUnsupported;
        const SimMenuItem *item = menuItemAt(m_parts.world.process(node.pid)->menuBar, node.path);
        if (item && item->enabled && !item->command.isEmpty())
            m_parts.lifecycle.runCommand(node.pid, item->command);
        return AXError::Success;
    }
    case Kind::DockItem:
        if (action != AXNames::Press)
            return AXError::ActionUnsupported;
        if (const SimWindow *w = m_parts.world.window(node.window)) {
            const qint32 owner = w->ownerPid;
            m_parts.transitions.beginRestore(node.window);
            m_parts.activation.makeFrontmost(owner);
        }
        return AXError::Success;
    default:
        return AXError::ActionUnsupported;
    }
}

} // namespace Velmora::Sim
