#include "taskmanager/model/processactionsviewmodel.h"

#include "platform/workspace.h"
#include "taskmanager/model/processbrowsersearch.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/sampling/processmetadataresolver.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/taskmanagertexts.h"

namespace Velmora {

using namespace TaskManagerViewText;

ProcessActionsViewModel::ProcessActionsViewModel(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(environment)
{
    if (m_env.monitor)
        connect(m_env.monitor, &SystemMonitor::errorChanged, this, &ProcessActionsViewModel::endErrorChanged);
}

ProcessActionsViewModel::~ProcessActionsViewModel()
{
    if (m_lookups)
        m_lookups->shutdown();
}

void ProcessActionsViewModel::lookUp(std::function<void()> job)
{
    if (!m_lookups)
        m_lookups = std::make_unique<SerialQueue>(TaskManagerText::processPathQueue);
    m_lookups->post(std::move(job));
}

void ProcessActionsViewModel::requestEnd(const ManagedProcess &process, bool force)
{
    m_force = force;
    m_pending = process;
    emit pendingChanged();
}

void ProcessActionsViewModel::confirmPending()
{
    if (!m_pending)
        return;
    const ManagedProcess process = *m_pending;
    const bool force = m_force;
    m_pending.reset();
    emit pendingChanged();
    if (m_env.monitor)
        m_env.monitor->terminate(process, force);
}

void ProcessActionsViewModel::cancelPending()
{
    if (!m_pending)
        return;
    m_pending.reset();
    emit pendingChanged();
}

ProcessActionsViewModel::Alert ProcessActionsViewModel::confirmation(
    const std::optional<ManagedProcess> &process, bool force)
{
    const QString name = process ? process->name : QStringLiteral("process");
    Alert alert;
    alert.title = (force ? QStringLiteral("Force quit ") : QStringLiteral("End ")) + name + QLatin1Char('?');
    if (process) {
        alert.message = process->name + QStringLiteral(" (PID ") + QString::number(process->id)
            + QStringLiteral(") will receive ")
            + (force ? QStringLiteral("an immediate kill signal") : QStringLiteral("a termination request"))
            + QStringLiteral(". Unsaved work may be lost.");
        if (!force)
            alert.message += QStringLiteral(" If it remains running, use Force Quit.");
    }
    alert.buttons = { cancel, force ? forceQuit : endTask };
    return alert;
}

void ProcessActionsViewModel::showInFinder(const ManagedProcess &process)
{
    SystemStatistics *statistics = m_env.statistics;
    if (!statistics) {
        setFinderError(executableMissing(process.name));
        return;
    }
    // Each request runs to its end: a later one does not cancel it. The
    // destructor waits for the look-up under way, and an answer queued to an
    // object that is gone by then is dropped with it.
    lookUp([this, statistics, process] {
        const std::optional<QString> path = ProcessMetadataResolver::executablePath(*statistics, process);
        QMetaObject::invokeMethod(
            this,
            [this, process, path] {
                if (!path) {
                    setFinderError(executableMissing(process.name));
                    return;
                }
                if (!m_env.workspace)
                    return;
                const QString shown = *path;
                m_env.workspace->revealFiles({ shown }, this, [this, shown](bool revealed) {
                    if (!revealed)
                        setFinderError(fileManagerUnavailable(shown));
                });
            },
            Qt::QueuedConnection);
    });
}

void ProcessActionsViewModel::dismissFinderError()
{
    setFinderError(std::nullopt);
}

void ProcessActionsViewModel::setFinderError(const std::optional<QString> &error)
{
    if (error == m_finderError)
        return;
    m_finderError = error;
    emit finderErrorChanged();
}

ProcessActionsViewModel::Alert ProcessActionsViewModel::finderFailure(const QString &message)
{
    return Alert { finderFailureTitle, message, { ok } };
}

std::optional<QString> ProcessActionsViewModel::endError() const
{
    return m_env.monitor ? m_env.monitor->error() : std::nullopt;
}

void ProcessActionsViewModel::dismissEndError()
{
    if (m_env.monitor && m_env.monitor->error())
        m_env.monitor->setError(std::nullopt);
}

ProcessActionsViewModel::Alert ProcessActionsViewModel::endFailure(const QString &message)
{
    return Alert { endFailureTitle, message, { ok } };
}

void ProcessActionsViewModel::searchWeb(const ManagedProcess &process)
{
    if (const auto url = ProcessBrowserSearch::url(process.name); url && m_env.workspace)
        m_env.workspace->openUrl(*url);
}

void ProcessActionsViewModel::setFooterProcess(const std::optional<ManagedProcess> &process)
{
    const QString identity
        = process ? QString::number(process->id) + QLatin1Char(':') + QString::number(process->started) : QString();
    if (identity == m_footerIdentity)
        return;
    m_footerIdentity = identity;
    const quint64 generation = ++m_footerGeneration;
    setSelectedExecutablePath(std::nullopt);
    SystemStatistics *statistics = m_env.statistics;
    if (!process || !statistics)
        return;
    lookUp([this, statistics, generation, process = *process] {
        const std::optional<QString> path = ProcessMetadataResolver::executablePath(*statistics, process);
        QMetaObject::invokeMethod(
            this,
            [this, generation, path] {
                // Another process was selected meanwhile: this path is not its.
                if (generation == m_footerGeneration)
                    setSelectedExecutablePath(path);
            },
            Qt::QueuedConnection);
    });
}

void ProcessActionsViewModel::setSelectedExecutablePath(const std::optional<QString> &path)
{
    if (path == m_selectedExecutablePath)
        return;
    m_selectedExecutablePath = path;
    emit selectedExecutablePathChanged();
}

bool ProcessActionsViewModel::isProtected(const ManagedProcess &process) const
{
    return process.id < 2 || process.id == m_env.ownPid || process.uid != m_env.ownUid;
}

QString ProcessActionsViewModel::footerTitle(const ManagedProcess &process) const
{
    return process.name + pidSeparator + QString::number(process.id)
        + (isProtected(process) ? protectedSuffix : QString());
}

QString ProcessActionsViewModel::footerPath() const
{
    return m_selectedExecutablePath.value_or(executableUnavailable);
}

} // namespace Velmora
