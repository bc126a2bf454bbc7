#include "services/closeshortcut.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "services/axreads.h"
#include "services/messagingtimeoutscope.h"
#include "services/windowpreviewprovider.h"

namespace Velmora {

namespace {

constexpr qsizetype commandCharIndex = 0;
constexpr qsizetype modifiersIndex = 1;
constexpr qsizetype titleIndex = 2;
constexpr qsizetype enabledIndex = 3;

std::optional<AXElement> elementWithTimeout(
    Accessibility &accessibility, MessagingTimeoutScope &scope, const AXElement &element, const QString &attribute)
{
    std::optional<AXElement> found = AXReads::element(accessibility, element, attribute);
    if (found)
        scope.limit(*found);
    return found;
}

QList<AXElement> children(Accessibility &accessibility, const AXElement &element)
{
    return AXReads::elements(accessibility, element, AXNames::Children).value_or(QList<AXElement> {});
}

} // namespace

const QStringList &CloseShortcut::menuItemAttributes()
{
    static const QStringList attributes { AXNames::MenuItemCmdChar, AXNames::MenuItemCmdModifiers, AXNames::Title,
        AXNames::Enabled };
    return attributes;
}

QList<int> CloseShortcut::menuSearchOrder(qsizetype menuCount)
{
    if (menuCount < 2)
        return {};
    if (menuCount == 2)
        return { 1 };
    QList<int> order { 2, 1 };
    for (int i = 3; i < menuCount; ++i)
        order.append(i);
    return order;
}

std::optional<QString> CloseShortcut::titleIfCommandW(const std::vector<AXValue> &values)
{
    if (values.size() != 4)
        return std::nullopt;
    const std::optional<QString> character = values[commandCharIndex].toString();
    if (!character || character->toLower() != QLatin1String("w"))
        return std::nullopt;
    // Command alone: any other modifier makes it another shortcut.
    if (values[modifiersIndex].type() != AXValue::Type::Integer || values[modifiersIndex].toInteger() != 0)
        return std::nullopt;
    if (values[enabledIndex].toBool() == false)
        return std::nullopt;
    return values[titleIndex].toString();
}

std::optional<QString> CloseShortcut::shortcutMenuItemTitle(Accessibility &accessibility, const AXElement &application)
{
    MessagingTimeoutScope scope(accessibility, messagingTimeoutSeconds);
    const std::optional<AXElement> menuBar = elementWithTimeout(accessibility, scope, application, AXNames::MenuBar);
    if (!menuBar)
        return std::nullopt;
    const QList<AXElement> menus = children(accessibility, *menuBar);
    for (int index : menuSearchOrder(menus.size())) {
        const AXElement &menuBarItem = scope.limit(menus[index]);
        const QList<AXElement> itemChildren = children(accessibility, menuBarItem);
        if (itemChildren.isEmpty())
            continue;
        const AXElement &menu = scope.limit(itemChildren.first());
        // Only the menu's own items: a Close in a submenu is no Command-W of the window.
        for (const AXElement &item : children(accessibility, menu)) {
            scope.limit(item);
            const AXResult<std::vector<AXValue>> values = accessibility.copyMultipleAttributeValues(
                item, menuItemAttributes(), Accessibility::BatchOptions::None);
            if (!values.ok() || !values.value())
                continue;
            if (std::optional<QString> title = titleIfCommandW(*values.value()))
                return title;
        }
    }
    return std::nullopt;
}

std::optional<AXElement> CloseShortcut::closeButton(
    Accessibility &accessibility, WindowPreviewProvider &windows, quint32 windowID, qint32 processIdentifier)
{
    // The short waits are this check's own: other callers reading the same
    // application keep theirs.
    MessagingTimeoutScope scope(accessibility, messagingTimeoutSeconds);
    const AXElement application = scope.limit(accessibility.applicationElement(processIdentifier));
    const std::optional<AXElement> window
        = elementWithTimeout(accessibility, scope, application, AXNames::FocusedWindow);
    if (!window || windows.accessibilityWindowID(*window) != windowID)
        return std::nullopt;
    const std::optional<AXElement> button = elementWithTimeout(accessibility, scope, *window, AXNames::CloseButton);
    if (!button || AXReads::boolean(accessibility, *button, AXNames::Enabled) == false)
        return std::nullopt;

    const std::optional<QString> title = shortcutMenuItemTitle(accessibility, application);
    if (!title)
        return std::nullopt;
    const QString normalized = QString(*title).remove(QChar(0x2026)).trimmed().toLower();
    if (normalized == QLatin1String("close") || normalized == QLatin1String("close window"))
        return button;
    // A window with one tab closes with its last tab.
    if (normalized == QLatin1String("close tab") && windows.tabCount(*window) == 1)
        return button;
    return std::nullopt;
}

} // namespace Velmora
