#include "platform/sim/simlifecycle.h"

#include "platform/axnames.h"
#include "platform/clock.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

#include <algorithm>

namespace Velmora::Sim {

namespace {

// Command alone, whatever Caps Lock and the other state bits say.
bool isCommandOnly(quint64 flags)
{
    constexpr quint64 modifiers = ShiftFlag | ControlFlag | AlternateFlag | CommandFlag;
    return (flags & modifiers) == CommandFlag;
}

const SimMenuItem *findMenuCommand(const QList<SimMenuItem> &items, const QString &character)
{
    for (const SimMenuItem &item : items) {
        if (item.enabled && item.commandModifiers == 0 && !item.command.isEmpty()
            && item.commandCharacter.compare(character, Qt::CaseInsensitive) == 0)
            return &item;
        if (const SimMenuItem *found = findMenuCommand(item.children, character))
            return found;
    }
    return nullptr;
}

} // namespace

SimLifecycle::SimLifecycle(SimDesktopParts &parts)
    : m_parts(parts)
{
}

void SimLifecycle::clear()
{
    m_parts.world.clear();
    m_parts.dock.forget();
    m_parts.transitions.clear();
    m_parts.spaces.clear();
    m_terminating.clear();
    m_parts.registry.forgetAllFocus();
    ensureSelfProcess();
    m_parts.host.changed();
}

void SimLifecycle::setSelfPid(qint32 pid)
{
    SimWorld &world = m_parts.world;
    if (world.selfPid() == pid)
        return;
    if (world.process(world.selfPid()))
        endProcess(world.selfPid());
    world.setSelfPid(pid);
    ensureSelfProcess();
}

void SimLifecycle::ensureSelfProcess()
{
    const qint32 self = m_parts.world.selfPid();
    if (m_parts.world.process(self))
        return;
    SimProcess process;
    process.pid = self;
    process.name = QStringLiteral("Velmora");
    process.bundleIdentifier = QStringLiteral("org.velmora.Velmora");
    process.policy = ActivationPolicy::Accessory;
    addProcess(process);
}

qint32 SimLifecycle::addProcess(SimProcess process)
{
    SimWorld &world = m_parts.world;
    const qint32 pid = world.addProcess(std::move(process), m_parts.host.clock().wallClockMs());
    if (pid == 0)
        return 0;
    const SimProcess &started = *world.process(pid);
    m_parts.host.announce(SimHost::ApplicationEvent::Launched, world.runningApplication(started));
    if (started.bundleIdentifier == SimWorld::DockBundleIdentifier)
        m_parts.dock.started(pid);
    m_parts.host.changed();
    return pid;
}

quint32 SimLifecycle::addWindow(SimWindow window)
{
    const quint32 number = m_parts.world.addWindow(std::move(window));
    if (number == 0)
        return 0;
    if (m_parts.world.window(number)->ownerPid == m_parts.dock.pid())
        m_parts.dock.placeStrip();
    m_parts.registry.notifyWindow(number, AXNames::WindowCreated);
    m_parts.host.changed();
    return number;
}

bool SimLifecycle::updateWindow(quint32 number, const std::function<void(SimWindow &)> &change)
{
    SimWindow *found = m_parts.world.window(number);
    if (!found)
        return false;
    const SimWindow before = *found;
    change(*found);
    found->number = before.number;
    found->ownerPid = before.ownerPid;
    // Whoever watches the window hears what changed, however it changed.
    const SimNode node = m_parts.registry.windowNode(*found);
    notifyFrameChange(node, before.bounds, found->bounds);
    if (before.title != found->title)
        m_parts.registry.notify(node, AXNames::TitleChanged);
    if (before.minimized != found->minimized)
        m_parts.registry.notify(node, found->minimized ? AXNames::WindowMiniaturized : AXNames::WindowDeminiaturized);
    m_parts.host.changed();
    return true;
}

void SimLifecycle::notifyFrameChange(const SimNode &window, const QRectF &before, const QRectF &after)
{
    if (before.topLeft() != after.topLeft())
        m_parts.registry.notify(window, AXNames::Moved);
    if (before.size() != after.size())
        m_parts.registry.notify(window, AXNames::Resized);
}

bool SimLifecycle::updateProcess(qint32 pid, const std::function<void(SimProcess &)> &change)
{
    SimProcess *found = m_parts.world.process(pid);
    if (!found)
        return false;
    const SimProcess before = *found;
    change(*found);
    found->pid = before.pid;
    found->life = before.life;
    found->windowOrder = before.windowOrder;
    if (before.hidden != found->hidden)
        m_parts.registry.notify({SimNode::Kind::Application, pid, found->life},
                                found->hidden ? AXNames::ApplicationHidden : AXNames::ApplicationShown);
    m_parts.host.changed();
    return true;
}

bool SimLifecycle::moveWindow(quint32 number, const QRectF &bounds)
{
    SimWindow *w = m_parts.world.window(number);
    if (!w)
        return false;
    const QRectF before = w->bounds;
    w->bounds = bounds;
    notifyFrameChange(m_parts.registry.windowNode(*w), before, bounds);
    m_parts.host.changed();
    return true;
}

void SimLifecycle::setStackingOrder(const QList<quint32> &frontToBack)
{
    m_parts.world.setStackingOrder(frontToBack);
    // The focused windows may have changed with it.
    m_parts.host.changed();
}

bool SimLifecycle::terminate(qint32 pid)
{
    const SimProcess *p = m_parts.world.process(pid);
    if (!p || pid == m_parts.world.selfPid())
        return false;
    if (m_terminating.contains(pid))
        return true;
    m_terminating.insert(pid);
    const quint64 life = p->life;
    m_parts.host.laterLocked(p->closeDurationMs, [this, pid, life] {
        m_terminating.remove(pid);
        const SimProcess *p = m_parts.world.process(pid);
        if (p && p->life == life)
            endProcess(pid);
    });
    return true;
}

void SimLifecycle::killProcess(qint32 pid)
{
    m_terminating.remove(pid);
    if (m_parts.world.process(pid))
        endProcess(pid);
}

void SimLifecycle::killAll(const QString &name)
{
    QList<qint32> named;
    for (qint32 pid : m_parts.world.launchOrder()) {
        if (pid != m_parts.world.selfPid() && m_parts.world.process(pid)->name == name)
            named.append(pid);
    }
    for (qint32 pid : named) {
        const SimProcess *p = m_parts.world.process(pid);
        if (p && p->bundleIdentifier == SimWorld::DockBundleIdentifier && m_parts.dock.restart())
            continue;
        killProcess(pid);
    }
}

void SimLifecycle::destroyWindow(quint32 number)
{
    if (!m_parts.world.window(number))
        return;
    m_parts.registry.notifyWindow(number, AXNames::UIElementDestroyed);
    m_parts.world.removeWindow(number);
    m_parts.transitions.forget(number);
    m_parts.spaces.windowGone(number);
    m_parts.host.changed();
}

void SimLifecycle::endProcess(qint32 pid)
{
    SimWorld &world = m_parts.world;
    const SimProcess *p = world.process(pid);
    if (!p)
        return;
    const QList<quint32> windows = p->windowOrder;
    // Its windows go with it; focus does not move between them on the way out.
    m_ending.insert(pid);
    for (quint32 number : windows)
        destroyWindow(number);
    m_ending.remove(pid);
    const bool wasFrontmost = world.frontmost() == pid;
    RunningApplication snapshot = world.runningApplication(*world.process(pid));
    world.removeProcess(pid);
    m_parts.registry.forgetFocus(pid);
    snapshot.isTerminated = true;
    snapshot.isActive = false;
    if (wasFrontmost)
        m_parts.activation.chooseNewFrontmost();
    m_parts.dock.ended(pid);
    m_parts.host.announce(SimHost::ApplicationEvent::Terminated, snapshot);
    m_parts.host.changed();
}

bool SimLifecycle::runCommand(qint32 pid, const QString &command)
{
    if (!m_parts.world.process(pid))
        return false;
    if (command == SimMenuItem::NewWindowCommand) {
        if (m_parts.knobs.newWindowDelayMs <= 0) {
            createWindowForCommand(pid, QStringLiteral("Untitled"));
            return true;
        }
        // The application takes a moment to open it.
        const quint64 life = m_parts.world.process(pid)->life;
        m_parts.host.laterLocked(m_parts.knobs.newWindowDelayMs, [this, pid, life] {
            const SimProcess *p = m_parts.world.process(pid);
            if (p && p->life == life)
                createWindowForCommand(pid, QStringLiteral("Untitled"));
        });
        return true;
    }
    const std::optional<quint32> focused = m_parts.world.focusedWindow(pid);
    if (command == SimMenuItem::CloseWindowCommand)
        return focused && m_parts.transitions.beginClose(*focused);
    if (command == SimMenuItem::MinimizeWindowCommand)
        return focused && m_parts.world.window(*focused)->hasMinimizeButton
            && m_parts.transitions.beginMinimize(*focused);
    return false;
}

bool SimLifecycle::handleKey(qint32 pid, const KeyEvent &event)
{
    const SimProcess *p = m_parts.world.process(pid);
    if (!p || p->hung || event.type != InputEventType::KeyDown || !isCommandOnly(event.flags))
        return false;
    const QString character = event.characters.toLower();
    if (const SimMenuItem *item = findMenuCommand(p->menuBar, character))
        return runCommand(pid, item->command);
    if (character == QLatin1String("m"))
        return runCommand(pid, SimMenuItem::MinimizeWindowCommand);
    if (character == QLatin1String("w"))
        return runCommand(pid, SimMenuItem::CloseWindowCommand);
    if (character == QLatin1String("n"))
        return runCommand(pid, SimMenuItem::NewWindowCommand);
    return false;
}

void SimLifecycle::launch(const QString &bundlePath, bool activates, LaunchCompletion completion)
{
    SimWorld &world = m_parts.world;
    auto answer = [completion](std::optional<qint32> pid) {
        if (completion)
            completion(pid);
    };
    for (qint32 pid : world.launchOrder()) {
        if (!bundlePath.isEmpty() && world.process(pid)->bundlePath == bundlePath && !m_terminating.contains(pid)) {
            if (activates)
                m_parts.activation.activate(pid);
            m_parts.host.laterUnlocked(0, [answer, pid] { answer(pid); }, {});
            return;
        }
    }
    const QList<SimInstalledApplication> &installed = world.installedApplications();
    const auto found = std::find_if(installed.cbegin(), installed.cend(),
                                    [&](const SimInstalledApplication &a) { return a.bundlePath == bundlePath; });
    if (found == installed.cend()) {
        m_parts.host.laterUnlocked(0, [answer] { answer(std::nullopt); }, {});
        return;
    }
    const SimInstalledApplication application = *found;
    m_parts.host.laterUnlocked(application.launchDurationMs, [this, application, activates, answer] {
        qint32 pid = 0;
        m_parts.host.runLocked([&] {
            SimProcess p;
            p.bundleIdentifier = application.bundleIdentifier;
            p.name = application.name;
            p.bundlePath = application.bundlePath;
            p.iconName = application.iconName;
            p.policy = application.policy;
            p.menuBar = application.menuBar;
            pid = addProcess(p);
            for (const QString &title : application.windowTitles)
                createWindowForCommand(pid, title);
            if (activates)
                m_parts.activation.activate(pid);
        });
        answer(pid);
    }, {});
}

quint32 SimLifecycle::createWindowForCommand(qint32 pid, const QString &title)
{
    const SimWorld &world = m_parts.world;
    if (!world.process(pid))
        return 0;
    SimWindow w;
    w.ownerPid = pid;
    w.title = title;
    QRectF bounds(120, 90, 900, 600);
    if (const std::optional<quint32> front = world.focusedWindow(pid))
        bounds = world.window(*front)->bounds.translated(24, 24);
    w.bounds = bounds;
    w.space = world.currentSpace();
    return addWindow(w);
}

bool SimLifecycle::removeWindow(quint32 number)
{
    if (!m_parts.world.window(number))
        return false;
    destroyWindow(number);
    return true;
}

SimLifecycle::Answer SimLifecycle::answer(qint32 pid, qint64 timeoutMs) const
{
    const SimProcess *p = m_parts.world.process(pid);
    if (!p)
        return {};
    if (p->hung)
        return {timeoutMs, false};
    const qint64 remaining = p->busyUntilMs - m_parts.host.clock().monotonicMs();
    if (remaining <= 0)
        return {};
    return remaining < timeoutMs ? Answer{remaining, true} : Answer{timeoutMs, false};
}

qint64 SimLifecycle::busyRemainingMs(qint32 pid) const
{
    const SimProcess *p = m_parts.world.process(pid);
    if (!p || p->hung)
        return 0;
    return std::max<qint64>(0, p->busyUntilMs - m_parts.host.clock().monotonicMs());
}

bool SimLifecycle::handleKeyOfFrontmost(const KeyEvent &event)
{
    const std::optional<qint32> front = m_parts.world.frontmost();
    if (!front)
        return false;
    handleKey(*front, event);
    return true;
}

} // namespace Velmora::Sim
