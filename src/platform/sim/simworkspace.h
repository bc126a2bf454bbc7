#pragma once

#include "platform/workspace.h"

#include <QVariant>
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Running applications of the simulated desktop. Activating an application
// raises all of its windows, as the desktop does. Launches take the installed
// application's launch duration; failures are injected per operation.
class SimWorkspace final : public Workspace
{
    Q_OBJECT
public:
    explicit SimWorkspace(SimDesktopAccess world, QObject *parent = nullptr);

    qint32 currentProcessIdentifier() const override;
    QList<RunningApplication> runningApplications() const override;
    std::optional<RunningApplication> application(qint32 pid) const override;
    using Workspace::runningApplications;
    std::optional<RunningApplication> frontmostApplication() const override;
    bool activate(qint32 pid, quint32 options) override;
    bool hide(qint32 pid) override;
    bool unhide(qint32 pid) override;
    bool terminate(qint32 pid) override;
    std::optional<QString> urlForApplication(const QString &bundleIdentifier) const override;
    void openApplication(const QString &bundlePath, const OpenConfiguration &configuration, QObject *context,
                         OpenCompletion completion) override;
    bool openUrl(const QUrl &url) override;
    void activateFileViewerSelecting(const QStringList &paths) override;
    // Not shown when the operation is made to fail.
    void revealFiles(const QStringList &paths, QObject *context, std::function<void(bool shown)> completion) override;
    bool accessibilityDisplayShouldReduceMotion() const override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
