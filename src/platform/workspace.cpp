#include "platform/workspace.h"

namespace Velmora {

Workspace::~Workspace() = default;

QList<RunningApplication> Workspace::runningApplications(const QString &bundleIdentifier) const
{
    QList<RunningApplication> matching;
    if (bundleIdentifier.isEmpty())
        return matching;
    for (const RunningApplication &application : runningApplications()) {
        if (application.bundleIdentifier == bundleIdentifier)
            matching.append(application);
    }
    return matching;
}

void Workspace::revealFiles(const QStringList &paths, QObject *context, std::function<void(bool shown)> completion)
{
    activateFileViewerSelecting(paths);
    if (completion && context)
        QMetaObject::invokeMethod(context, [completion] { completion(true); }, Qt::QueuedConnection);
}

} // namespace Velmora
