#include "services/windowpreviewprovider.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/displays.h"
#include "platform/windowlist.h"
#include "platform/workspace.h"
#include "services/messagingtimeoutscope.h"
#include "services/servicelabels.h"
#include "services/windowpreviewid.h"
#include "services/windowvisibility.h"

#include <QQueue>

#include <algorithm>
#include <numeric>

namespace Velmora {

const QString WindowPreviewProvider::untitledWindowTitle = ServiceLabels::UntitledWindowTitle;

namespace {

const QStringList &batchAttributes()
{
    static const QStringList attributes { AXNames::Title, AXNames::Subrole, AXNames::Size, AXNames::Main,
        AXNames::Minimized, AXNames::CloseButton };
    return attributes;
}

} // namespace

int WindowPreviewProvider::WindowAttributes::selectionPriority() const
{
    return (isMain ? 4 : 0) + (subrole == AXNames::StandardWindow ? 2 : 0) + (hasCloseButton ? 1 : 0);
}

WindowPreviewProvider::WindowPreviewProvider(Accessibility &accessibility, const WindowList &windowList,
    const PrivateFunctions &privateFunctions, const Displays &displays, Workspace &workspace, const Clock &clock)
    : m_accessibility(accessibility)
    , m_windowList(windowList)
    , m_displays(displays)
    , m_ownPid(workspace.currentProcessIdentifier())
    , m_windowNumber(accessibility, windowList, privateFunctions)
    , m_otherSpaceWindows(accessibility, privateFunctions, clock, m_windowNumber, workspace)
{
}

double WindowPreviewProvider::aspectRatio(const QSizeF &size)
{
    return std::max(size.width() / std::max(size.height(), 1.0), 1.0);
}

QSet<quint32> WindowPreviewProvider::windowServerWindowIDs(qint32 processIdentifier) const
{
    return WindowServerEntries::windowNumbers(m_windowList, processIdentifier);
}

QHash<quint32, QString> WindowPreviewProvider::windowServerTitles() const
{
    return WindowServerEntries::titles(m_windowList);
}

std::optional<quint32> WindowPreviewProvider::accessibilityWindowID(const AXElement &element)
{
    return m_windowNumber.windowNumber(element);
}

std::optional<WindowPreviewProvider::WindowAttributes> WindowPreviewProvider::windowAttributes(const AXElement &element)
{
    WindowAttributes attributes;
    const auto values
        = m_accessibility.copyMultipleAttributeValues(element, batchAttributes(), Accessibility::BatchOptions::None);
    if (values.error() == AXError::CannotComplete)
        return std::nullopt;
    if (!values.ok() || !values.value() || values.value()->size() != size_t(batchAttributes().size()))
        return attributes;
    const std::vector<AXValue> &v = *values.value();
    attributes.title = v[0].toString();
    attributes.subrole = v[1].toString();
    attributes.size = v[2].toSize();
    attributes.isMain = v[3].toBool().value_or(false);
    attributes.isMinimized = v[4].toBool().value_or(false);
    attributes.hasCloseButton = v[5].toElement().has_value();
    return attributes;
}

QList<AXElement> WindowPreviewProvider::otherSpaceWindows(const RunningApplication &application,
    const QList<AXElement> &listed, const WindowServerEntries::Index &entries, const AXElement &applicationElement)
{
    QHash<quint32, AXElement> listedByNumber;
    for (const AXElement &element : listed) {
        if (const auto number = m_windowNumber.windowNumber(element, &entries))
            listedByNumber.insert(*number, element);
    }
    QSet<quint32> missing;
    for (const auto &d : entries.descriptors()) {
        if (!d.isOnScreen && !d.title.value_or(QString()).isEmpty() && !listedByNumber.contains(d.id))
            missing.insert(d.id);
    }
    return m_otherSpaceWindows.elements(application, listedByNumber, missing, applicationElement);
}

QList<WindowPreviewItem> WindowPreviewProvider::windows(const RunningApplication &application)
{
    bool answered = true;
    return listWindows(application, answered);
}

std::optional<QList<WindowPreviewItem>> WindowPreviewProvider::windowsIfAnswered(
    const RunningApplication &application, double messagingTimeoutSeconds)
{
    bool answered = true;
    QList<WindowPreviewItem> items = listWindows(application, answered, messagingTimeoutSeconds);
    if (!answered)
        return std::nullopt;
    return items;
}

QList<WindowPreviewItem> WindowPreviewProvider::listWindows(
    const RunningApplication &application, bool &answered, double messagingTimeoutSeconds)
{
    if (!m_accessibility.isProcessTrusted())
        return {};
    // Every element read is limited, the windows too: each is a reference of
    // its own, which would otherwise wait the default.
    MessagingTimeoutScope scope(m_accessibility, messagingTimeoutSeconds);
    const auto limited = [&](const AXElement &element) -> const AXElement & {
        return messagingTimeoutSeconds > 0 ? scope.limit(element) : element;
    };
    const qint32 pid = application.processIdentifier;
    const AXElement applicationElement = limited(m_accessibility.applicationElement(pid));
    const auto windowsValue = m_accessibility.copyAttributeValue(applicationElement, AXNames::Windows);
    answered = windowsValue.error() != AXError::CannotComplete;
    const auto listed = windowsValue.valueOr({}).toElementList();
    if (!listed)
        return {};

    const WindowServerEntries::Index entries(WindowServerEntries::descriptors(m_windowList, pid));
    QList<AXElement> elements = *listed;
    elements.append(otherSpaceWindows(application, *listed, entries, applicationElement));

    QList<WindowAttributes> attributes;
    attributes.reserve(elements.size());
    for (const AXElement &element : std::as_const(elements)) {
        // A window whose application stopped answering half-way is left out
        // of the list although it is still there.
        const std::optional<WindowAttributes> read = windowAttributes(limited(element));
        answered = answered && read.has_value();
        attributes.append(read.value_or(WindowAttributes()));
    }

    QList<qsizetype> order(elements.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&attributes](qsizetype a, qsizetype b) {
        return attributes[a].selectionPriority() > attributes[b].selectionPriority();
    });

    QList<WindowPreviewItem> items;
    QSet<quint32> usedNumbers;
    QSet<QString> usedIds;
    QSet<AXElement> listedWithoutNumber;
    for (const qsizetype index : std::as_const(order)) {
        const AXElement &element = elements[index];
        const WindowAttributes &a = attributes[index];
        if (!a.size || !WindowServerEntries::meetsMinimumSize(a.size->width(), a.size->height()))
            continue;
        const QString title = a.title.value_or(QString()).trimmed();
        if (!a.isMinimized && a.subrole == AXNames::Unknown && !a.hasCloseButton)
            continue;

        const auto number = m_windowNumber.windowNumber(element, &entries);
        const WindowServerEntries::Descriptor *entry = number ? entries.find(*number) : nullptr;
        if (!entry && !a.isMinimized)
            continue;

        QString id;
        if (number) {
            if (usedNumbers.contains(*number))
                continue;
            usedNumbers.insert(*number);
            id = WindowPreviewId::forWindow(pid, *number);
        } else {
            // The same element reported twice is one window; two different
            // elements that happen to hash alike must still get distinct ids.
            if (listedWithoutNumber.contains(element))
                continue;
            listedWithoutNumber.insert(element);
            const QString base = WindowPreviewId::forElement(pid, element.hashValue());
            id = base;
            for (int n = 2; usedIds.contains(id); ++n)
                id = base + QLatin1Char('-') + QString::number(n);
        }
        usedIds.insert(id);

        WindowPreviewItem item;
        item.id = id;
        item.processIdentifier = pid;
        item.accessibilityElement = element;
        item.title = title.isEmpty() ? untitledWindowTitle : title;
        item.isMinimized = a.isMinimized;
        item.isMain = a.isMain;
        item.isClosable = a.hasCloseButton;
        if (entry) {
            item.windowID = entry->id;
            item.lastUsedRank = entry->frontToBackIndex;
        } else {
            item.lastUsedRank = rankWithoutEntry + index;
        }
        item.aspectRatio = aspectRatio(*a.size);
        items.append(std::move(item));
    }
    return items;
}

std::optional<int> WindowPreviewProvider::tabCount(const AXElement &window)
{
    struct Entry
    {
        AXElement element;
        int depth = 0;
        bool insideTabGroup = false;
    };
    const auto text = [this](const AXElement &element, QLatin1String attribute) {
        return m_accessibility.copyAttributeValue(element, attribute).valueOr({}).toString().value_or(QString());
    };
    const auto elementList = [this](const AXElement &element, QLatin1String attribute) {
        return m_accessibility.copyAttributeValue(element, attribute).valueOr({}).toElementList();
    };

    QQueue<Entry> queue;
    queue.enqueue({ window, 0, false });
    QList<AXElement> tabs;
    qsizetype largestTabsList = 0;
    int taken = 0;
    while (!queue.isEmpty() && taken < tabWalkElementLimit) {
        const Entry entry = queue.dequeue();
        ++taken;
        const QString role = text(entry.element, AXNames::Role);
        // Web content can hold thousands of nodes and never holds the
        // window's own tabs.
        if (role == AXNames::WebAreaRole || entry.depth > tabWalkDepthLimit)
            continue;
        const QString subrole = text(entry.element, AXNames::Subrole);
        const bool isTab = subrole == AXNames::TabButtonSubrole || role == AXNames::TabRole
            || role == AXNames::TabButtonRole || (entry.insideTabGroup && role == AXNames::RadioButtonRole);
        if (isTab) {
            if (!tabs.contains(entry.element))
                tabs.append(entry.element);
            continue;
        }
        if (const auto list = elementList(entry.element, AXNames::Tabs))
            largestTabsList = std::max(largestTabsList, list->size());
        const bool childrenInsideTabGroup = entry.insideTabGroup || role == AXNames::TabGroupRole;
        for (const AXElement &child : elementList(entry.element, AXNames::Children).value_or(QList<AXElement>()))
            queue.enqueue({ child, entry.depth + 1, childrenInsideTabGroup });
    }
    const qsizetype count = std::max(largestTabsList, tabs.size());
    if (count < 1)
        return std::nullopt;
    return int(count);
}

QList<WindowPreviewProvider::VisibilityCandidate> WindowPreviewProvider::visibilityCandidates(
    const QList<WindowPreviewItem> &items)
{
    QList<VisibilityCandidate> candidates;
    for (const WindowPreviewItem &item : items) {
        if (!item.isMinimized)
            candidates.append({ item.id, item.windowID, item.processIdentifier });
    }
    return candidates;
}

QSet<QString> WindowPreviewProvider::visiblePreviewIDs(const QList<VisibilityCandidate> &candidates) const
{
    QSet<QString> visible;
    if (candidates.isEmpty())
        return visible;
    const auto entries = m_windowList.copyWindowInfo(WindowList::OnScreenExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return visible;
    const auto displayIds = m_displays.activeDisplayList();
    if (!displayIds)
        return visible;
    QList<QRectF> displays;
    for (quint32 id : *displayIds) {
        if (const auto screen = m_displays.screen(id))
            displays.append(screen->bounds);
    }
    if (displays.isEmpty())
        return visible;

    // Keyed by window and owner; the first candidate for a window is the one tested.
    const auto key = [](quint32 windowID, qint32 pid) { return (quint64(windowID) << 32) | quint32(pid); };
    QHash<quint64, QString> candidateIds;
    for (const VisibilityCandidate &c : candidates) {
        if (c.windowID && !candidateIds.contains(key(*c.windowID, c.processIdentifier)))
            candidateIds.insert(key(*c.windowID, c.processIdentifier), c.id);
    }

    QList<QRectF> occluding;
    for (const WindowListEntry &entry : *entries) {
        const auto number = entry.number();
        const auto owner = entry.ownerPID();
        // The taskbar's own panels and flyouts never hide a window.
        if (!number || !owner || *owner == m_ownPid)
            continue;
        const auto bounds = entry.bounds();
        if (!bounds || bounds->isEmpty())
            continue;
        const double alpha = entry.alpha().value_or(1.0);
        if (alpha <= 0)
            continue;
        const auto candidate = candidateIds.constFind(key(*number, *owner));
        if (candidate != candidateIds.cend() && WindowVisibility::isVisible(*bounds, displays, occluding))
            visible.insert(*candidate);
        if (alpha >= 1)
            occluding.append(*bounds);
    }
    return visible;
}

} // namespace Velmora
