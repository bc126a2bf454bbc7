#include "app/applicationsfoldermover.h"

#include "app/releasebuild.h"
#include "platform/applicationbundles.h"
#include "platform/applicationprocesses.h"
#include "platform/fileoperations.h"
#include "platform/translocation.h"
#include "platform/userdefaults.h"
#include "platform/volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Velmora {

namespace {

// A program's path as one word of the script.
QString shellWord(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

ApplicationsFolderMover::ApplicationsFolderMover(Environment environment)
    : m_env(std::move(environment))
{
    m_background.setMaxThreadCount(1);
}

ApplicationsFolderMover::~ApplicationsFolderMover()
{
    m_background.waitForDone();
}

AlertRequest ApplicationsFolderMover::moveAlert(bool fromReadOnlyVolume)
{
    AlertRequest request;
    request.message = QStringLiteral("Move Velmora to your Applications folder?");
    request.informativeText = fromReadOnlyVolume
        ? QStringLiteral("Velmora is running from its download window and will stop working when that\u2019s closed. "
                         "Move it to Applications and it will reopen from there.")
        : QStringLiteral("Velmora works best from your Applications folder. Move it there and it will reopen from there.");
    request.buttons = {QStringLiteral("Move to Applications"), QStringLiteral("Not Now")};
    // From a disk image the question comes back every time: the copy there
    // stops working once the image is closed.
    if (!fromReadOnlyVolume)
        request.suppressionTitle = QStringLiteral("Don\u2019t ask again");
    return request;
}

AlertRequest ApplicationsFolderMover::failureAlert(const QString &error)
{
    AlertRequest request;
    request.message = QStringLiteral("Velmora couldn\u2019t be moved to Applications");
    request.informativeText =
        QStringLiteral("Drag Velmora into your Applications folder in Finder, then open it from there.\n\n") + error;
    return request;
}

bool ApplicationsFolderMover::offerMoveIfNeeded()
{
    if (!m_env.release.isDeveloperIDSigned())
        return false;
    const QString bundle = m_env.bundlePath;
    const QString original = originalPath(bundle);
    if (isInApplicationsFolder(original, m_env.home)) {
        ejectInstallerDiskImages();
        return false;
    }
    const bool readOnly = isOnReadOnlyVolume(original);
    if (!readOnly && m_env.defaults.boolValue(QString::fromLatin1(dontAskKey)).value_or(false))
        return false;

    m_env.processes.activateIgnoringOtherApps();
    const AlertResponse response = m_env.alerts.runModal(moveAlert(readOnly));
    if (response.suppressed)
        m_env.defaults.setValue(QString::fromLatin1(dontAskKey), true);
    if (response.button != 0)
        return false;

    const Installed installed = install(bundle, QFileInfo(original).fileName());
    if (!installed.path) {
        m_env.alerts.runModal(failureAlert(installed.error));
        return false;
    }
    std::optional<QString> volume;
    if (readOnly) {
        // Only the disk image this copy ran from is ejected, never a disc or
        // a network share that merely happens to be read-only.
        const std::optional<MountedVolume> from = m_env.volumes.volumeOf(original);
        if (from && from->isDiskImage && !from->path.isEmpty())
            volume = from->path;
    } else {
        // The new copy is complete; a copy left behind is only clutter.
        m_env.files.moveToTrash(original);
    }
    relaunch(*installed.path, volume);
    return true;
}

QString ApplicationsFolderMover::originalPath(const QString &path) const
{
    const Translocation &translocation = m_env.translocation;
    if (!translocation.isAvailable() || translocation.isTranslocated(path) != true)
        return path;
    return translocation.originalPath(path).value_or(path);
}

bool ApplicationsFolderMover::isInApplicationsFolder(const QString &path, const QString &home) const
{
    const QString resolved = m_env.files.resolvedPath(path);
    // The home folder is resolved the same way: through a home that is a
    // symbolic link the two would never match, and the offer would come back
    // at every start.
    const QString homeApplications = m_env.files.resolvedPath(QDir(home).filePath(QStringLiteral("Applications")));
    const QString applications = m_env.files.resolvedPath(m_env.applicationsFolder);
    return resolved.startsWith(withSlash(applications)) || resolved.startsWith(withSlash(homeApplications));
}

bool ApplicationsFolderMover::isOnReadOnlyVolume(const QString &path) const
{
    const std::optional<MountedVolume> volume = m_env.volumes.volumeOf(path);
    return volume && volume->isReadOnly;
}

ApplicationsFolderMover::Installed ApplicationsFolderMover::install(const QString &source, const QString &originalName)
{
    FileOperations &files = m_env.files;
    if (originalName.isEmpty() || originalName == u"." || originalName == u"..")
        return {std::nullopt, QStringLiteral("The application\u2019s name could not be read.")};
    const QDir applications(m_env.applicationsFolder);
    const QString destination = applications.filePath(originalName);
    // Copied under a hidden name first: a copy that fails half way never
    // replaces the installed one, nor looks like an application.
    const QString partial = applications.filePath(u'.' + originalName + QStringLiteral(".partial"));
    files.remove(partial);
    if (const std::optional<QString> error = files.copy(source, partial)) {
        files.remove(partial);
        return {std::nullopt, *error};
    }

    if (files.exists(destination)) {
        if (m_env.bundleIdentifier) {
            const qint64 self = m_env.processes.currentProcessIdentifier();
            for (const qint64 instance : m_env.processes.runningInstances(*m_env.bundleIdentifier)) {
                if (instance != self)
                    m_env.processes.terminate(instance);
            }
        }
        if (const std::optional<QString> error = files.moveToTrash(destination)) {
            files.remove(partial);
            return {std::nullopt, *error};
        }
    }
    if (const std::optional<QString> error = files.rename(partial, destination)) {
        files.remove(partial);
        return {std::nullopt, *error};
    }

    // A program that hangs must not hold up start-up for good.
    m_env.processes.run(m_env.tools.xattr,
                        {QStringLiteral("-d"), QStringLiteral("-r"), QStringLiteral("com.apple.quarantine"), destination},
                        m_env.tools.quarantineTimeoutMs);
    return {destination, QString()};
}

QString ApplicationsFolderMover::relaunchScript(const Tools &tools)
{
    const QString kill = shellWord(tools.kill);
    const QString sleep = shellWord(tools.sleep);
    // The wait is bounded: an instance that cannot exit must not leave a
    // shell polling for ever, nor keep the user from the new copy.
    return QStringList{
        QStringLiteral("n=0; while %1 -0 \"$1\" 2>/dev/null && [ \"$n\" -lt %2 ]; do n=$((n+1)); %3 0.2; done")
            .arg(kill)
            .arg(tools.exitWaitSteps)
            .arg(sleep),
        QStringLiteral("%1 \"$2\"").arg(shellWord(tools.open)),
        QStringLiteral("if [ -n \"$3\" ]; then"),
        QStringLiteral("  for _ in 1 2 3 4 5; do %1 eject \"$3\" >/dev/null 2>&1 && break; %2 1; done")
            .arg(shellWord(tools.diskutil), sleep),
        QStringLiteral("fi"),
    }
        .join(u'\n');
}

QStringList ApplicationsFolderMover::relaunchArguments(const Tools &tools, qint64 processIdentifier,
                                                       const QString &path, const std::optional<QString> &volume)
{
    return {QStringLiteral("-c"), relaunchScript(tools), QString::fromLatin1(relaunchScriptName),
            QString::number(processIdentifier), path, volume.value_or(QString())};
}

void ApplicationsFolderMover::relaunch(const QString &path, const std::optional<QString> &volume)
{
    ApplicationProcesses &processes = m_env.processes;
    const QStringList arguments =
        relaunchArguments(m_env.tools, processes.currentProcessIdentifier(), path, volume);
    if (!processes.startDetached(m_env.tools.shell, arguments))
        processes.openApplication(path);
    processes.terminateApplication();
}

void ApplicationsFolderMover::ejectInstallerDiskImages()
{
    if (!m_env.bundleIdentifier)
        return;
    m_background.start([this, identifier = *m_env.bundleIdentifier] { ejectInstallerDiskImagesNow(identifier); });
}

void ApplicationsFolderMover::waitForBackgroundWork()
{
    m_background.waitForDone();
}

void ApplicationsFolderMover::ejectInstallerDiskImagesNow(const QString &bundleIdentifier)
{
    const QString volumesFolder = withSlash(m_env.volumesFolder);
    for (const MountedVolume &volume : m_env.volumes.mountedVolumes().value_or(QList<MountedVolume>())) {
        // An installer is a read-only disk image; a disc, a share or a disk
        // that holds a copy of this application is the user's and stays.
        if (volume.isHidden || !volume.isReadOnly || !volume.isDiskImage || !volume.path.startsWith(volumesFolder))
            continue;
        const std::optional<QStringList> items = m_env.files.items(volume.path);
        if (!items)
            continue;
        for (const QString &item : *items) {
            if (!item.endsWith(QStringLiteral(".app")))
                continue;
            const std::optional<BundleInfo> info = m_env.bundles.info(QDir(volume.path).filePath(item));
            if (info && info->bundleIdentifier == bundleIdentifier) {
                m_env.volumes.eject(volume.path);
                break;
            }
        }
    }
}

} // namespace Velmora
