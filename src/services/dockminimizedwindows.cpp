#include "services/dockminimizedwindows.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/workspace.h"
#include "services/axreads.h"

#include <QTextBoundaryFinder>

namespace Velmora {

namespace {

const QString separator = QStringLiteral(" - ");
constexpr QChar ellipsis(0x2026);

// What a person counts as characters: an accented letter or an emoji is one.
int characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

} // namespace

DockMinimizedWindows::DockMinimizedWindows(Accessibility &accessibility, const Workspace &workspace)
    : m_accessibility(accessibility)
    , m_workspace(workspace)
{
}

bool DockMinimizedWindows::matches(const QString &windowTitle, const QString &itemTitle)
{
    if (itemTitle.isEmpty())
        return false;
    if (windowTitle == itemTitle)
        return true;
    if (windowTitle.startsWith(itemTitle + separator))
        return true;

    const qsizetype cut = itemTitle.indexOf(ellipsis);
    if (cut < 0)
        return false;
    const QStringView leading = QStringView(itemTitle).left(cut);
    const QStringView trailing = QStringView(itemTitle).mid(cut + 1);
    if (leading.isEmpty() || trailing.isEmpty() || !windowTitle.startsWith(leading))
        return false;

    // The Dock keeps the title's end; it must be the window title's end, or
    // what comes before the application's " - " suffix.
    qsizetype from = leading.size();
    while (true) {
        const qsizetype found = windowTitle.indexOf(trailing, from);
        if (found < 0)
            return false;
        const QStringView rest = QStringView(windowTitle).mid(found + trailing.size());
        if (rest.isEmpty() || rest.startsWith(separator))
            return true;
        from = found + 1;
    }
}

std::optional<AXElement> DockMinimizedWindows::item(const QString &windowTitle)
{
    if (windowTitle.isEmpty())
        return std::nullopt;
    const QList<RunningApplication> docks = m_workspace.runningApplications(dockBundleIdentifier);
    if (docks.isEmpty())
        return std::nullopt;

    std::optional<AXElement> best;
    int bestLength = -1;
    bool tied = false;
    for (const AXElement &tile :
        minimizedWindowItems(m_accessibility.applicationElement(docks.first().processIdentifier))) {
        const std::optional<QString> title = AXReads::string(m_accessibility, tile, AXNames::Title);
        if (!title || !matches(windowTitle, *title))
            continue;
        const int length = characterCount(*title);
        if (length > bestLength) {
            best = tile;
            bestLength = length;
            tied = false;
        } else if (length == bestLength) {
            tied = true;
        }
    }
    // Two tiles the Dock shortened alike: pressing either might restore the wrong window.
    if (tied)
        return std::nullopt;
    return best;
}

QList<AXElement> DockMinimizedWindows::minimizedWindowItems(const AXElement &dock)
{
    QList<AXElement> tiles;
    QList<AXElement> level { dock };
    for (int depth = 0; depth < searchDepth; ++depth) {
        QList<AXElement> next;
        for (const AXElement &element : std::as_const(level))
            next.append(AXReads::elements(m_accessibility, element, AXNames::Children).value_or(QList<AXElement>()));
        for (const AXElement &element : std::as_const(next)) {
            if (AXReads::string(m_accessibility, element, AXNames::Subrole) == AXNames::MinimizedWindowDockItem)
                tiles.append(element);
        }
        level = std::move(next);
    }
    return tiles;
}

} // namespace Velmora
