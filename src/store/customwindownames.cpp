#include "store/customwindownames.h"

#include "platform/workspace.h"
#include "store/taskbartooltip.h"
#include "store/windowpreviewcache.h"

namespace Velmora {

CustomWindowNames::CustomWindowNames(Workspace &workspace, TaskbarTooltip &tooltip, WindowPreviewCache &cache)
    : m_workspace(workspace)
    , m_tooltip(tooltip)
    , m_cache(cache)
{
}

std::optional<QString> CustomWindowNames::customWindowName(const WindowPreviewItem &preview) const
{
    const auto found = m_names.constFind(preview.id);
    if (found == m_names.cend() || found->element != preview.accessibilityElement)
        return std::nullopt;
    return found->name;
}

QString CustomWindowNames::displayTitle(const WindowPreviewItem &preview) const
{
    return customWindowName(preview).value_or(preview.title);
}

void CustomWindowNames::renameWindow(const WindowPreviewItem &preview, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (!trimmed.isEmpty()) {
        const CustomWindowName entry { preview.accessibilityElement, preview.processIdentifier, trimmed };
        if (m_names.value(preview.id) != entry) {
            m_names.insert(preview.id, entry);
            emit customWindowNamesChanged();
        }
    } else {
        if (m_names.remove(preview.id))
            emit customWindowNamesChanged();
        // The card goes back to the window's own title, read afresh.
        m_cache.remove(preview.processIdentifier);
        if (const auto application = m_workspace.application(preview.processIdentifier))
            m_cache.refreshWindowPreviewCache(*application, false);
    }
    m_tooltip.hide();
    // An alphabetical picker sorts by the new name.
    emit windowRenamed();
}

void CustomWindowNames::removeName(const QString &previewID)
{
    if (m_names.remove(previewID))
        emit customWindowNamesChanged();
}

void CustomWindowNames::retainProcesses(const QSet<qint32> &processIdentifiers)
{
    if (m_names.removeIf([&](const auto &entry) { return !processIdentifiers.contains(entry.value().processIdentifier); }))
        emit customWindowNamesChanged();
}

} // namespace Velmora
