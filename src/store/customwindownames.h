#pragma once

#include "platform/axelement.h"
#include "services/windowpreviewitem.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

namespace Velmora {

class TaskbarTooltip;
class WindowPreviewCache;
class Workspace;

// The names the user gave other applications' windows in the picker. A name
// belongs to one window element: a window replaced under the same id loses
// it. Part of the store; main thread only.
class CustomWindowNames : public QObject
{
    Q_OBJECT
public:
    struct CustomWindowName
    {
        AXElement element;
        qint32 processIdentifier = 0;
        QString name;

        friend bool operator==(const CustomWindowName &, const CustomWindowName &) = default;
    };

    // A name taken away lists the window again through `cache` for its own title.
    CustomWindowNames(Workspace &workspace, TaskbarTooltip &tooltip, WindowPreviewCache &cache);

    // By preview id.
    const QHash<QString, CustomWindowName> &customWindowNames() const { return m_names; }
    // The user's name for the window, while it is still the same window.
    std::optional<QString> customWindowName(const WindowPreviewItem &preview) const;
    // The name, or else the window's own title.
    QString displayTitle(const WindowPreviewItem &preview) const;
    // Sets the trimmed name; a blank one removes the name and lists the
    // application's windows again for their own titles.
    void renameWindow(const WindowPreviewItem &preview, const QString &name);
    // Forgets the name of a window that was closed.
    void removeName(const QString &previewID);
    // Forgets the names of windows of processes that no longer run.
    void retainProcesses(const QSet<qint32> &processIdentifiers);

signals:
    void customWindowNamesChanged();
    // The user named a window, or took its name away: an alphabetical
    // picker sorts again.
    void windowRenamed();

private:
    Workspace &m_workspace;
    TaskbarTooltip &m_tooltip;
    WindowPreviewCache &m_cache;
    QHash<QString, CustomWindowName> m_names;
};

} // namespace Velmora
