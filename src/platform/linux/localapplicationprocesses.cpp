#include "platform/linux/localapplicationprocesses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <csignal>

namespace Velmora::Linux {

LocalApplicationProcesses::LocalApplicationProcesses(QString bundleIdentifier, QString executable, QString procRoot)
    : m_bundleIdentifier(std::move(bundleIdentifier))
    , m_executable(std::move(executable))
    , m_procRoot(std::move(procRoot))
{
}

qint64 LocalApplicationProcesses::currentProcessIdentifier() const
{
    return QCoreApplication::applicationPid();
}

QList<qint64> LocalApplicationProcesses::runningInstances(const QString &bundleIdentifier) const
{
    QList<qint64> instances;
    if (bundleIdentifier != m_bundleIdentifier || m_executable.isEmpty())
        return instances;
    const QDir proc(m_procRoot);
    for (const QString &name : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const qint64 pid = name.toLongLong(&isNumber);
        // Another user's process, or one that has gone, has no readable link.
        if (isNumber && QFileInfo(proc.filePath(name + QStringLiteral("/exe"))).symLinkTarget() == m_executable)
            instances += pid;
    }
    return instances;
}

bool LocalApplicationProcesses::terminate(qint64 processIdentifier)
{
    return processIdentifier > 0 && ::kill(pid_t(processIdentifier), SIGTERM) == 0;
}

ApplicationProcesses::RunResult LocalApplicationProcesses::run(const QString &program, const QStringList &arguments,
                                                               int timeoutMs)
{
    return runWithin(program, arguments, timeoutMs);
}

ApplicationProcesses::RunResult LocalApplicationProcesses::runWithin(const QString &program,
                                                                     const QStringList &arguments, int timeoutMs,
                                                                     bool *succeeded)
{
    if (succeeded)
        *succeeded = false;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return RunResult::FailedToStart;
    if (process.waitForFinished(timeoutMs)) {
        if (succeeded)
            *succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        return RunResult::Finished;
    }
    process.kill();
    process.waitForFinished(1000);
    return RunResult::TimedOut;
}

bool LocalApplicationProcesses::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool LocalApplicationProcesses::openApplication(const QString &path)
{
    return QProcess::startDetached(path, {});
}

void LocalApplicationProcesses::activateIgnoringOtherApps()
{
    // Nothing to bring forward: the alert that follows raises itself.
}

void LocalApplicationProcesses::terminateApplication()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace Velmora::Linux
