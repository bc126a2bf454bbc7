#include "platform/linux/machineworkspace.h"

#include "platform/desktopservices.h"
#include "platform/linux/desktopentrykeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace Velmora::Linux {

namespace {

// Programs that run other programs: an entry starting one of them says
// nothing about which application a process running it belongs to.
bool isLauncher(const QString &program)
{
    static const QStringList launchers { QStringLiteral("sh"), QStringLiteral("bash"), QStringLiteral("dash"),
        QStringLiteral("zsh"), QStringLiteral("env") };
    return launchers.contains(QFileInfo(program).fileName());
}

// The program an entry starts, as the process table names it: the absolute,
// symlink-free path; empty when it cannot be found.
QString entryProgram(const QHash<QString, QString> &keys)
{
    QString program = keys.value(QStringLiteral("TryExec"));
    if (program.isEmpty()) {
        const QStringList words = QProcess::splitCommand(keys.value(QStringLiteral("Exec")));
        program = words.value(0);
    }
    if (program.isEmpty() || isLauncher(program))
        return {};
    if (!QFileInfo(program).isAbsolute())
        program = QStandardPaths::findExecutable(program);
    return program.isEmpty() ? QString() : QFileInfo(program).canonicalFilePath();
}

std::optional<qint32> processId(const QString &name)
{
    bool isNumber = false;
    const qint32 pid = name.toInt(&isNumber);
    return isNumber && pid > 0 ? std::optional(pid) : std::nullopt;
}

} // namespace

MachineWorkspace::MachineWorkspace(
    DesktopServices &services, QString procRoot, QStringList applicationFolders, QObject *parent)
    : Workspace(parent)
    , m_services(services)
    , m_procRoot(std::move(procRoot))
    , m_applicationFolders(applicationFolders.isEmpty()
              ? QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)
              : std::move(applicationFolders))
{
}

MachineWorkspace::~MachineWorkspace() = default;

const QHash<QString, MachineWorkspace::InstalledApplication> &MachineWorkspace::installedApplications() const
{
    std::call_once(m_readInstalled, [this] {
        QSet<QString> identifiers;
        QSet<QString> shared;
        // The first folder wins for an identifier, as the desktop has it: the
        // user's own entries come before the system's.
        for (const QString &folder : m_applicationFolders) {
            const QDir dir(folder);
            for (const QString &file : dir.entryList({ QStringLiteral("*.desktop") }, QDir::Files, QDir::Name)) {
                const QString identifier = file.chopped(int(qstrlen(".desktop")));
                if (identifiers.contains(identifier))
                    continue;
                identifiers.insert(identifier);
                const auto keys = readDesktopEntryKeys(dir.filePath(file));
                if (!keys || keys->value(QStringLiteral("Type")) != u"Application"
                    || keys->value(QStringLiteral("Hidden")) == u"true")
                    continue;
                const QString program = entryProgram(*keys);
                if (program.isEmpty())
                    continue;
                // A program that several applications start belongs to none of them.
                if (m_installed.contains(program)) {
                    shared.insert(program);
                    continue;
                }
                m_installed.insert(
                    program, { identifier, dir.filePath(file), keys->value(QStringLiteral("Name"), identifier) });
            }
        }
        for (const QString &program : std::as_const(shared))
            m_installed.remove(program);
    });
    return m_installed;
}

std::optional<RunningApplication> MachineWorkspace::runningApplication(qint32 pid) const
{
    // Another user's process, or one that has gone, has no readable link.
    const QString executable = QFileInfo(m_procRoot + u'/' + QString::number(pid) + QStringLiteral("/exe")).symLinkTarget();
    if (executable.isEmpty())
        return std::nullopt;
    const auto &installed = installedApplications();
    const auto found = installed.constFind(executable);
    if (found == installed.cend())
        return std::nullopt;
    RunningApplication application;
    application.processIdentifier = pid;
    application.bundleIdentifier = found->identifier;
    application.localizedName = found->name;
    application.bundlePath = found->entryPath;
    application.executablePath = executable;
    return application;
}

qint32 MachineWorkspace::currentProcessIdentifier() const
{
    return qint32(QCoreApplication::applicationPid());
}

QList<RunningApplication> MachineWorkspace::runningApplications() const
{
    QList<qint32> pids;
    for (const QString &name : QDir(m_procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (const auto pid = processId(name))
            pids += *pid;
    }
    // Process ids grow with time: the order they were started in, mostly.
    std::sort(pids.begin(), pids.end());
    QList<RunningApplication> applications;
    for (qint32 pid : std::as_const(pids)) {
        if (auto application = runningApplication(pid))
            applications += std::move(*application);
    }
    return applications;
}

std::optional<RunningApplication> MachineWorkspace::application(qint32 pid) const
{
    return pid > 0 ? runningApplication(pid) : std::nullopt;
}

std::optional<RunningApplication> MachineWorkspace::frontmostApplication() const
{
    return std::nullopt;
}

bool MachineWorkspace::activate(qint32, quint32)
{
    return false;
}

bool MachineWorkspace::hide(qint32)
{
    return false;
}

bool MachineWorkspace::unhide(qint32)
{
    return false;
}

bool MachineWorkspace::terminate(qint32)
{
    return false;
}

std::optional<QString> MachineWorkspace::urlForApplication(const QString &bundleIdentifier) const
{
    for (const InstalledApplication &application : installedApplications()) {
        if (application.identifier == bundleIdentifier)
            return application.entryPath;
    }
    return std::nullopt;
}

void MachineWorkspace::openApplication(
    const QString &, const OpenConfiguration &, QObject *context, OpenCompletion completion)
{
    if (!completion || !context)
        return;
    QMetaObject::invokeMethod(
        context,
        [completion] {
            completion(std::nullopt, QStringLiteral("The application can't be found."));
        },
        Qt::QueuedConnection);
}

bool MachineWorkspace::openUrl(const QUrl &url)
{
    return m_services.openUrl(url);
}

void MachineWorkspace::activateFileViewerSelecting(const QStringList &paths)
{
    revealFiles(paths, this, {});
}

void MachineWorkspace::revealFiles(const QStringList &paths, QObject *context, std::function<void(bool)> completion)
{
    QPointer<QObject> caller(context);
    const auto finish = [caller, completion](bool shown) {
        if (completion && caller)
            completion(shown);
    };
    if (paths.isEmpty()) {
        QMetaObject::invokeMethod(this, [finish] { finish(false); }, Qt::QueuedConnection);
        return;
    }
    QList<QUrl> files;
    for (const QString &path : paths)
        files += QUrl::fromLocalFile(path);
    const QString folder = QFileInfo(paths.first()).absolutePath();
    m_services.showItems(files, this, [this, finish, folder](bool shown) {
        // Without a file manager that selects files, the folder still shows
        // where the file is.
        finish(shown || m_services.openUrl(QUrl::fromLocalFile(folder)));
    });
}

bool MachineWorkspace::accessibilityDisplayShouldReduceMotion() const
{
    return false;
}

} // namespace Velmora::Linux
