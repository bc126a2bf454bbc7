#pragma once

#include "platform/workspace.h"

#include <QHash>

#include <mutex>

namespace Velmora {
class DesktopServices;
}

namespace Velmora::Linux {

// This machine as a workspace: its running applications are the processes
// running a program that an installed desktop entry starts (the entry is
// the application's bundle), addresses and files open with the desktop's own
// handlers. It manages no other program's windows: activating, hiding and
// ending applications are refused. May be asked from any thread, except
// for opening and revealing, which run on the main thread.
class MachineWorkspace final : public Workspace
{
    Q_OBJECT
public:
    // `procRoot` and `applicationFolders` are parameters so tests read
    // fixture trees; no folders means the desktop's own, in its order.
    explicit MachineWorkspace(DesktopServices &services, QString procRoot = QStringLiteral("/proc"),
        QStringList applicationFolders = {}, QObject *parent = nullptr);
    ~MachineWorkspace() override;

    qint32 currentProcessIdentifier() const override;
    QList<RunningApplication> runningApplications() const override;
    std::optional<RunningApplication> application(qint32 pid) const override;
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
    // Falls back to opening the first file's folder when no file manager
    // shows the files; not shown when that fails too.
    void revealFiles(const QStringList &paths, QObject *context, std::function<void(bool shown)> completion) override;
    bool accessibilityDisplayShouldReduceMotion() const override;

private:
    struct InstalledApplication
    {
        QString identifier;
        QString entryPath;
        QString name;
    };
    // By the canonical path of the program each entry starts; read once.
    const QHash<QString, InstalledApplication> &installedApplications() const;
    std::optional<RunningApplication> runningApplication(qint32 pid) const;

    DesktopServices &m_services;
    const QString m_procRoot;
    const QStringList m_applicationFolders;
    mutable std::once_flag m_readInstalled;
    mutable QHash<QString, InstalledApplication> m_installed;
};

} // namespace Velmora::Linux
