#include "platform/sim/simworkspace.h"

#include "platform/sim/receiverguard.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

#include <QPointer>

namespace Velmora::Sim {

SimWorkspace::SimWorkspace(SimDesktopAccess world, QObject *parent)
    : Workspace(parent)
    , m_desktop(world.desktop())
    , m_world(world)
{
    connect(&m_desktop, &SimDesktop::applicationLaunched, this, &Workspace::applicationLaunched);
    connect(&m_desktop, &SimDesktop::applicationTerminated, this, &Workspace::applicationTerminated);
    connect(&m_desktop, &SimDesktop::applicationActivated, this, &Workspace::applicationActivated);
    connect(&m_desktop, &SimDesktop::applicationDeactivated, this, &Workspace::applicationDeactivated);
    connect(&m_desktop, &SimDesktop::applicationHidden, this, &Workspace::applicationHidden);
    connect(&m_desktop, &SimDesktop::applicationUnhidden, this, &Workspace::applicationUnhidden);
    connect(&m_desktop, &SimDesktop::activeSpaceChanged, this, &Workspace::activeSpaceChanged);
}

qint32 SimWorkspace::currentProcessIdentifier() const
{
    return m_desktop.selfPid();
}

QList<RunningApplication> SimWorkspace::runningApplications() const
{
    QList<RunningApplication> applications;
    for (const SimProcess &process : m_desktop.processes())
        applications.append(m_desktop.runningApplication(process));
    return applications;
}

std::optional<RunningApplication> SimWorkspace::application(qint32 pid) const
{
    if (const std::optional<SimProcess> process = m_desktop.process(pid))
        return m_desktop.runningApplication(*process);
    return std::nullopt;
}

std::optional<RunningApplication> SimWorkspace::frontmostApplication() const
{
    if (const std::optional<qint32> pid = m_desktop.frontmostPid())
        return application(*pid);
    return std::nullopt;
}

bool SimWorkspace::activate(qint32 pid, quint32 options)
{
    return !m_world.refuses(SimOperations::Activate, {}, pid, options) && m_desktop.activate(pid);
}

bool SimWorkspace::hide(qint32 pid)
{
    return !m_world.refuses(SimOperations::Hide, {}, pid) && m_desktop.hide(pid);
}

bool SimWorkspace::unhide(qint32 pid)
{
    return !m_world.refuses(SimOperations::Unhide, {}, pid) && m_desktop.unhide(pid);
}

bool SimWorkspace::terminate(qint32 pid)
{
    return !m_world.refuses(SimOperations::Terminate, {}, pid) && m_desktop.terminate(pid);
}

std::optional<QString> SimWorkspace::urlForApplication(const QString &bundleIdentifier) const
{
    for (const SimInstalledApplication &installed : m_desktop.installedApplications()) {
        if (!bundleIdentifier.isEmpty() && installed.bundleIdentifier == bundleIdentifier)
            return installed.bundlePath;
    }
    return std::nullopt;
}

void SimWorkspace::openApplication(const QString &bundlePath, const OpenConfiguration &configuration,
                                   QObject *context, OpenCompletion completion)
{
    // The launch may finish after this workspace, or the caller, is gone.
    auto answer = [self = QPointer<SimWorkspace>(this), completion, receiver = ReceiverGuard(context)](
                      std::optional<qint32> pid, const QString &error) {
        if (!self || !completion || receiver.isGone())
            return;
        std::optional<RunningApplication> opened = pid ? self->application(*pid) : std::nullopt;
        completion(opened, opened ? QString() : error);
    };
    const auto failure = m_world.takeFailure(SimOperations::OpenApplication, QString(), 0);
    m_world.log(SimOperations::OpenApplication, 0, bundlePath,
                  QVariantMap{{QStringLiteral("activates"), configuration.activates},
                              {QStringLiteral("createsNewInstance"), configuration.createsNewApplicationInstance}},
                  failure ? -1 : 0);
    if (failure) {
        if (!failure->neverAnswers)
            m_desktop.later(0, [answer] { answer(std::nullopt, QStringLiteral("The application could not be opened.")); });
        return;
    }
    m_desktop.launch(bundlePath, configuration.activates, [answer](std::optional<qint32> pid) {
        answer(pid, QStringLiteral("The application can't be found."));
    });
}

bool SimWorkspace::openUrl(const QUrl &url)
{
    if (m_world.refuses(SimOperations::OpenUrl, {}, 0, url))
        return false;
    // "x-apple.systempreferences:<pane>?<anchor>" or "...:<pane>": the
    // settings show the anchor when there is one, else the pane.
    if (url.scheme() == QLatin1String("x-apple.systempreferences"))
        m_desktop.openSystemSettings(url.hasQuery() ? url.query() : url.path());
    return true;
}

void SimWorkspace::activateFileViewerSelecting(const QStringList &paths)
{
    m_world.refuses(SimOperations::RevealFiles, {}, 0, paths);
}

void SimWorkspace::revealFiles(const QStringList &paths, QObject *context, std::function<void(bool shown)> completion)
{
    const bool shown = !m_world.refuses(SimOperations::RevealFiles, {}, 0, paths);
    if (completion && context)
        QMetaObject::invokeMethod(context, [completion, shown] { completion(shown); }, Qt::QueuedConnection);
}

bool SimWorkspace::accessibilityDisplayShouldReduceMotion() const
{
    return m_desktop.reducesMotion();
}

} // namespace Velmora::Sim
