#include "services/applicationmenuactionprovider.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/axreads.h"

#include <array>

namespace Velmora {

namespace {

using Kind = ApplicationMenuAction::Kind;

constexpr int kindCount = 12;

struct TitleKind
{
    QLatin1String title;
    Kind kind;
};

// Normalised titles, exactly as they must read.
constexpr std::array<TitleKind, 17> titleTable { {
    { QLatin1String("new window"), Kind::newWindow },
    { QLatin1String("new incognito window"), Kind::newPrivateWindow },
    { QLatin1String("new private window"), Kind::newPrivateWindow },
    { QLatin1String("new inprivate window"), Kind::newPrivateWindow },
    { QLatin1String("new finder window"), Kind::newFinderWindow },
    { QLatin1String("new smart folder"), Kind::newSmartFolder },
    { QLatin1String("find"), Kind::find },
    { QLatin1String("go to folder"), Kind::goToFolder },
    { QLatin1String("connect to server"), Kind::connectToServer },
    { QLatin1String("new"), Kind::newDocument },
    { QLatin1String("new document"), Kind::newDocument },
    { QLatin1String("new text document"), Kind::newDocument },
    { QLatin1String("new message"), Kind::newMessage },
    { QLatin1String("new email"), Kind::newMessage },
    { QLatin1String("new event"), Kind::newEvent },
    { QLatin1String("new note"), Kind::newNote },
    { QLatin1String("new project"), Kind::newProject },
} };

quint32 bit(Kind kind)
{
    return 1u << int(kind);
}

const QStringList &menuAttributeNames()
{
    static const QStringList names { AXNames::Role, AXNames::Title, AXNames::Children };
    return names;
}

} // namespace

// What one walk has found so far: at most one action per kind.
struct ApplicationMenuActionProvider::Discovery
{
    explicit Discovery(quint32 desired)
        : desired(desired)
        , desiredCount(qPopulationCount(desired))
    {
    }

    bool isComplete() const { return count >= desiredCount; }
    bool wants(Kind kind) const { return (desired & bit(kind)) && !byKind[size_t(kind)]; }
    void add(ApplicationMenuAction action)
    {
        const size_t index = size_t(action.kind);
        byKind[index] = std::move(action);
        ++count;
    }
    bool has(Kind kind) const { return byKind[size_t(kind)].has_value(); }

    quint32 desired;
    int desiredCount;
    int count = 0;
    std::array<std::optional<ApplicationMenuAction>, kindCount> byKind;
};

// One perform(): what the task carries. The stored element is not used for
// pressing; it may belong to a menu the application has since rebuilt.
struct ApplicationMenuActionProvider::Run
{
    Kind kind;
    QList<int> path;
    qint32 processIdentifier;
};

ApplicationMenuActionProvider::ApplicationMenuActionProvider(Accessibility &accessibility, Workspace &workspace,
    const PrivateFunctions &privateFunctions, Scheduler &scheduler, Forwarding forwarding, QObject *parent)
    : QObject(parent)
    , m_accessibility(accessibility)
    , m_workspace(workspace)
    , m_privateFunctions(privateFunctions)
    , m_scheduler(scheduler)
    , m_forwarding(std::move(forwarding))
{
}

ApplicationMenuActionProvider::~ApplicationMenuActionProvider()
{
    // A press still running finishes against the other application; its
    // result, posted back to this object, is dropped with it.
    m_pressPool.clear();
    m_pressPool.waitForDone();
}

bool ApplicationMenuActionProvider::waitForPresses(int timeoutMs)
{
    return m_pressPool.waitForDone(timeoutMs);
}

const QList<Kind> &ApplicationMenuActionProvider::kinds(const QString &bundleIdentifier)
{
    static const QList<Kind> finder { Kind::newFinderWindow, Kind::newSmartFolder, Kind::find, Kind::goToFolder,
        Kind::connectToServer };
    static const QList<Kind> general { Kind::newWindow, Kind::newPrivateWindow, Kind::newDocument, Kind::newMessage,
        Kind::newEvent, Kind::newNote, Kind::newProject };
    return bundleIdentifier == finderBundleIdentifier ? finder : general;
}

std::optional<Kind> ApplicationMenuActionProvider::kind(const QString &title)
{
    QString normalised = title;
    normalised.remove(QChar(0x2026));
    normalised.remove(QLatin1String("..."));
    normalised = normalised.trimmed().toLower();
    for (const TitleKind &entry : titleTable) {
        if (normalised == entry.title)
            return entry.kind;
    }
    return std::nullopt;
}

QList<ApplicationMenuAction> ApplicationMenuActionProvider::discoverActions(qint32 processIdentifier)
{
    if (!m_accessibility.isProcessTrusted())
        return {};
    const AXElement application = m_accessibility.applicationElement(processIdentifier);
    const std::optional<AXElement> menuBar = AXReads::element(m_accessibility, application, AXNames::MenuBar);
    if (!menuBar)
        return {};

    const std::optional<RunningApplication> running = m_workspace.application(processIdentifier);
    const QList<Kind> &wanted = kinds(running ? running->bundleIdentifier : QString());
    quint32 desired = 0;
    for (Kind kind : wanted)
        desired |= bit(kind);

    Discovery result(desired);
    const QList<AXElement> topLevel
        = AXReads::elements(m_accessibility, *menuBar, AXNames::Children).value_or(QList<AXElement>());
    QList<int> path;
    for (int i = 0; i < topLevel.size(); ++i) {
        Discovery menu(desired);
        path = { i };
        walk(topLevel.at(i), path, 0, menu);
        // The menu that offers New Window is the one that makes documents and
        // windows; what other menus offer is not what the user means.
        if (menu.has(Kind::newWindow)) {
            result = std::move(menu);
            break;
        }
        for (std::optional<ApplicationMenuAction> &action : menu.byKind) {
            if (action && result.wants(action->kind))
                result.add(std::move(*action));
        }
        if (result.isComplete())
            break;
    }

    QList<ApplicationMenuAction> actions;
    for (Kind kind : wanted) {
        if (std::optional<ApplicationMenuAction> &action = result.byKind[size_t(kind)])
            actions.append(std::move(*action));
    }
    return actions;
}

void ApplicationMenuActionProvider::walk(const AXElement &element, QList<int> &path, int depth, Discovery &found)
{
    if (depth > maximumDepth || found.isComplete())
        return;

    std::optional<QString> role;
    std::optional<QString> title;
    QList<AXElement> children;
    const auto batch
        = m_accessibility.copyMultipleAttributeValues(element, menuAttributeNames(), Accessibility::BatchOptions::None);
    if (batch.ok() && batch.value()->size() == 3) {
        const std::vector<AXValue> &values = *batch.value();
        role = values[0].toString();
        title = values[1].toString();
        children = values[2].toElementList().value_or(QList<AXElement>());
    } else {
        role = AXReads::string(m_accessibility, element, AXNames::Role);
        title = AXReads::string(m_accessibility, element, AXNames::Title);
        children = AXReads::elements(m_accessibility, element, AXNames::Children).value_or(QList<AXElement>());
    }

    if (role == AXNames::MenuItemRole && title) {
        if (const std::optional<Kind> kind = ApplicationMenuActionProvider::kind(*title); kind && found.wants(*kind)) {
            ApplicationMenuAction action;
            action.kind = *kind;
            action.title = *title;
            action.isEnabled = AXReads::boolean(m_accessibility, element, AXNames::Enabled).value_or(true);
            action.element = element;
            action.path = path;
            found.add(std::move(action));
        }
    }

    for (int j = 0; j < children.size(); ++j) {
        path.append(j);
        walk(children.at(j), path, depth + 1, found);
        path.removeLast();
        if (found.isComplete())
            return;
    }
}

bool ApplicationMenuActionProvider::pressAction(Kind kind, const QList<int> &path, qint32 processIdentifier)
{
    if (!m_accessibility.isProcessTrusted())
        return false;
    const AXElement application = m_accessibility.applicationElement(processIdentifier);
    std::optional<AXElement> element = AXReads::element(m_accessibility, application, AXNames::MenuBar);
    if (!element)
        return false;
    for (int index : path) {
        const std::optional<QList<AXElement>> children
            = AXReads::elements(m_accessibility, *element, AXNames::Children);
        if (!children || index < 0 || index >= children->size())
            return false;
        element = children->at(index);
    }
    if (AXReads::string(m_accessibility, *element, AXNames::Role) != AXNames::MenuItemRole)
        return false;
    const std::optional<QString> title = AXReads::string(m_accessibility, *element, AXNames::Title);
    if (!title || ApplicationMenuActionProvider::kind(*title) != kind)
        return false;
    if (AXReads::boolean(m_accessibility, *element, AXNames::Enabled) == false)
        return false;
    return m_accessibility.performAction(*element, AXNames::Press) == AXError::Success;
}

bool ApplicationMenuActionProvider::pressFreshAction(Kind kind, qint32 processIdentifier)
{
    for (const ApplicationMenuAction &action : discoverActions(processIdentifier)) {
        if (action.kind == kind && action.isEnabled)
            return m_accessibility.performAction(action.element, AXNames::Press) == AXError::Success;
    }
    return false;
}

void ApplicationMenuActionProvider::perform(const ApplicationMenuAction &action, const RunningApplication &application)
{
    const Run run { action.kind, action.path, application.processIdentifier };
    m_scheduler.scheduleOnce(0, this, [this, run] { start(run); });
}

void ApplicationMenuActionProvider::start(const Run &run)
{
    const std::optional<RunningApplication> application = m_workspace.application(run.processIdentifier);
    if (!application || application->isTerminated)
        return;
    if (!application->isActive)
        bringForward(*application);
    waitUntilFrontmost(run, 0);
}

void ApplicationMenuActionProvider::bringForward(const RunningApplication &application)
{
    const qint32 pid = application.processIdentifier;
    if (application.isHidden)
        m_workspace.unhide(pid);

    if (m_forwarding.watchActivation) {
        const std::optional<quint32> front = m_forwarding.watchActivation(application);
        if (front && m_forwarding.focusWindow && m_forwarding.focusWindow(*front, application))
            return;
    }

    if (!m_frontFunctionsResolved) {
        m_getProcessForPID = m_privateFunctions.getProcessForPID();
        m_setFrontProcess = m_privateFunctions.slpsSetFrontProcessWithOptions();
        m_frontFunctionsResolved = true;
    }
    if (m_getProcessForPID && m_setFrontProcess) {
        ProcessSerialNumber psn;
        if (m_getProcessForPID(pid, &psn) == 0 && m_setFrontProcess(psn, 0, frontProcessOptions) == 0)
            return;
    }
    m_workspace.activate(pid, 0);
}

void ApplicationMenuActionProvider::waitUntilFrontmost(const Run &run, int failedChecks)
{
    const std::optional<RunningApplication> front = m_workspace.frontmostApplication();
    if (front && front->processIdentifier == run.processIdentifier) {
        press(run, false);
        return;
    }
    const int failed = failedChecks + 1;
    m_scheduler.scheduleOnce(frontmostCheckIntervalMs, this, [this, run, failed] {
        // After the last check's pause the press is tried all the same: an
        // application that never reports itself frontmost may still answer.
        if (failed >= frontmostChecks)
            press(run, false);
        else
            waitUntilFrontmost(run, failed);
    });
}

void ApplicationMenuActionProvider::press(const Run &run, bool last)
{
    m_pressPool.start([this, run, last] {
        if (last) {
            pressFreshAction(run.kind, run.processIdentifier);
            return;
        }
        if (pressAction(run.kind, run.path, run.processIdentifier) || pressFreshAction(run.kind, run.processIdentifier))
            return;
        QMetaObject::invokeMethod(
            this, [this, run] { m_scheduler.scheduleOnce(lastPressDelayMs, this, [this, run] { press(run, true); }); },
            Qt::QueuedConnection);
    });
}

} // namespace Velmora
