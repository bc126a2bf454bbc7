#include "platform/sim/simdesktop.h"

#include "platform/axnames.h"
#include "platform/screencoordinates.h"
#include "platform/sim/virtualclock.h"

#include <QMetaObject>
#include <QThread>

#include <algorithm>

namespace Velmora::Sim {

namespace {

constexpr double TitleBarButtonWidth = 14;
constexpr double TitleBarButtonHeight = 16;
constexpr double TitleBarButtonTop = 4;
constexpr double CloseButtonLeft = 8;
constexpr double ButtonSpacing = 20;
constexpr double MenuBarHeight = 25;

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

SimDesktop::SimDesktop(Clock &clock, Scheduler &scheduler, BlockingWait blockingWait, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_blockingWait(std::move(blockingWait))
{
    qRegisterMetaType<Velmora::RunningApplication>();
    ensureSelfProcess();
}

SimDesktop::SimDesktop(VirtualClock &clock, QObject *parent)
    : SimDesktop(clock, clock, [&clock](qint64 ms) { clock.elapse(ms); }, parent)
{
}

SimDesktop::~SimDesktop() = default;

// --- Set-up -------------------------------------------------------------------

void SimDesktop::clear()
{
    QMutexLocker locker(&m_mutex);
    m_processes.clear();
    m_launchOrder.clear();
    m_windows.clear();
    m_order.clear();
    m_installed.clear();
    m_favoriteFolders.clear();
    m_frontmost.reset();
    m_displays.clear();
    m_preferences.clear();
    m_missingPrivateFunctions.clear();
    m_windowsInTransition.clear();
    m_terminating.clear();
    m_lastFocused.clear();
    m_currentSpace = 1;
    ensureSelfProcess();
    changed();
}

qint32 SimDesktop::selfPid() const
{
    QMutexLocker locker(&m_mutex);
    return m_selfPid;
}

void SimDesktop::setSelfPid(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    if (m_selfPid == pid)
        return;
    const std::optional<SimProcess> previous = process(m_selfPid);
    if (previous)
        endProcess(m_selfPid);
    m_selfPid = pid;
    ensureSelfProcess();
}

void SimDesktop::ensureSelfProcess()
{
    if (findProcess(m_selfPid))
        return;
    SimProcess self;
    self.pid = m_selfPid;
    self.name = QStringLiteral("Velmora");
    self.bundleIdentifier = QStringLiteral("org.velmora.Velmora");
    self.policy = ActivationPolicy::Accessory;
    addProcess(self);
}

qint32 SimDesktop::addProcess(SimProcess process)
{
    QMutexLocker locker(&m_mutex);
    if (process.pid == 0) {
        while (m_processes.contains(m_nextPid) || m_nextPid == m_selfPid)
            ++m_nextPid;
        process.pid = m_nextPid++;
    }
    if (m_processes.contains(process.pid))
        return 0;
    if (process.launchDateMs == 0)
        process.launchDateMs = m_clock.wallClockMs();
    process.life = m_nextLife++;
    process.windowOrder.clear();
    const RunningApplication snapshot = runningApplication(process);
    m_processes.insert(process.pid, process);
    m_launchOrder.append(process.pid);
    emitLater([this, snapshot] { emit applicationLaunched(snapshot); });
    changed();
    return process.pid;
}

quint32 SimDesktop::addWindow(SimWindow window)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *owner = findProcess(window.ownerPid);
    if (!owner)
        return 0;
    if (window.number == 0) {
        while (m_windows.contains(m_nextWindowNumber))
            ++m_nextWindowNumber;
        window.number = m_nextWindowNumber++;
    }
    if (m_windows.contains(window.number))
        return 0;
    if (window.layer < 0)
        window.desktopElement = true;
    if (window.remoteElementId == 0)
        window.remoteElementId = 40 + 7 * quint64(owner->windowOrder.size()) + (window.number % 1000) * 97;
    m_windows.insert(window.number, window);
    m_order.prepend(window.number);
    owner->windowOrder.prepend(window.number);
    notifyAccessibility({SimNode::Kind::Window, owner->pid, owner->life, window.number}, AXNames::WindowCreated);
    changed();
    return window.number;
}

void SimDesktop::addInstalledApplication(const SimInstalledApplication &application)
{
    QMutexLocker locker(&m_mutex);
    m_installed.append(application);
}

QList<SimInstalledApplication> SimDesktop::installedApplications() const
{
    QMutexLocker locker(&m_mutex);
    return m_installed;
}

void SimDesktop::setFavoriteFolders(const QList<FavoriteFolderEntry> &folders)
{
    QMutexLocker locker(&m_mutex);
    m_favoriteFolders = folders;
}

QList<FavoriteFolderEntry> SimDesktop::favoriteFolders() const
{
    QMutexLocker locker(&m_mutex);
    return m_favoriteFolders;
}

std::optional<SimProcess> SimDesktop::process(qint32 pid) const
{
    QMutexLocker locker(&m_mutex);
    if (const SimProcess *found = findProcess(pid))
        return *found;
    return std::nullopt;
}

QList<SimProcess> SimDesktop::processes() const
{
    QMutexLocker locker(&m_mutex);
    QList<SimProcess> result;
    for (qint32 pid : m_launchOrder)
        result.append(m_processes.value(pid));
    return result;
}

std::optional<SimWindow> SimDesktop::window(quint32 number) const
{
    QMutexLocker locker(&m_mutex);
    if (const SimWindow *found = findWindow(number))
        return *found;
    return std::nullopt;
}

QList<SimWindow> SimDesktop::windows() const
{
    QMutexLocker locker(&m_mutex);
    QList<SimWindow> result;
    for (quint32 number : stackingOrder())
        result.append(m_windows.value(number));
    return result;
}

void SimDesktop::forEachWindow(const std::function<void(const SimWindow &)> &visit) const
{
    QMutexLocker locker(&m_mutex);
    // As stackingOrder(), sorting the records themselves so a listing of
    // many windows looks each one up once.
    std::vector<const SimWindow *> ordered;
    ordered.reserve(size_t(m_order.size()));
    for (quint32 number : m_order)
        ordered.push_back(&*m_windows.constFind(number));
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const SimWindow *a, const SimWindow *b) { return a->layer > b->layer; });
    for (const SimWindow *window : ordered)
        visit(*window);
}

QList<quint32> SimDesktop::stackingOrder() const
{
    QMutexLocker locker(&m_mutex);
    // Higher layers always lie in front; within a layer the order is the stack.
    QList<quint32> order = m_order;
    std::stable_sort(order.begin(), order.end(), [this](quint32 a, quint32 b) {
        return m_windows.constFind(a)->layer > m_windows.constFind(b)->layer;
    });
    return order;
}

bool SimDesktop::updateWindow(quint32 number, const std::function<void(SimWindow &)> &change)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *found = findWindow(number);
    if (!found)
        return false;
    const quint32 keep = found->number;
    const qint32 owner = found->ownerPid;
    change(*found);
    found->number = keep;
    found->ownerPid = owner;
    changed();
    return true;
}

bool SimDesktop::updateProcess(qint32 pid, const std::function<void(SimProcess &)> &change)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *found = findProcess(pid);
    if (!found)
        return false;
    const SimProcess before = *found;
    change(*found);
    found->pid = before.pid;
    found->life = before.life;
    found->windowOrder = before.windowOrder;
    changed();
    return true;
}

void SimDesktop::setStackingOrder(const QList<quint32> &frontToBack)
{
    QMutexLocker locker(&m_mutex);
    QList<quint32> known;
    for (quint32 number : frontToBack) {
        if (m_windows.contains(number) && !known.contains(number))
            known.append(number);
    }
    // Bring them forward from the back one, so they end up in the given order.
    for (auto it = known.crbegin(); it != known.crend(); ++it)
        bringToFront({*it});
}

void SimDesktop::setHung(qint32 pid, bool hung)
{
    updateProcess(pid, [hung](SimProcess &p) { p.hung = hung; });
}

void SimDesktop::setBusyFor(qint32 pid, qint64 ms)
{
    const qint64 until = m_clock.monotonicMs() + ms;
    updateProcess(pid, [until](SimProcess &p) { p.busyUntilMs = until; });
}

qint64 SimDesktop::busyRemainingMs(qint32 pid) const
{
    QMutexLocker locker(&m_mutex);
    const SimProcess *p = findProcess(pid);
    if (!p || p->hung)
        return 0;
    return std::max<qint64>(0, p->busyUntilMs - m_clock.monotonicMs());
}

int SimDesktop::currentSpace() const
{
    QMutexLocker locker(&m_mutex);
    return m_currentSpace;
}

void SimDesktop::setCurrentSpace(int space)
{
    QMutexLocker locker(&m_mutex);
    if (m_currentSpace == space)
        return;
    m_currentSpace = space;
    emitLater([this] { emit activeSpaceChanged(); });
    changed();
}

QList<DisplayInfo> SimDesktop::displays() const
{
    QMutexLocker locker(&m_mutex);
    return m_displays;
}

void SimDesktop::setDisplays(const QList<DisplayInfo> &displays)
{
    QMutexLocker locker(&m_mutex);
    m_displays.clear();
    const double primaryHeight = displays.isEmpty() ? 0 : displays.first().bounds.height();
    const ScreenCoordinates coordinates(primaryHeight);
    for (DisplayInfo display : displays) {
        display.frame = coordinates.toScreen(display.bounds);
        // Every display has a menu bar across its top.
        display.visibleFrame = display.frame.adjusted(0, 0, 0, -MenuBarHeight);
        m_displays.append(display);
    }
    emitLater([this] { emit displaysChanged(); });
    changed();
}

QPointF SimDesktop::pointer() const
{
    QMutexLocker locker(&m_mutex);
    return m_pointer;
}

void SimDesktop::setPointer(const QPointF &globalPoint)
{
    QMutexLocker locker(&m_mutex);
    m_pointer = globalPoint;
}

bool SimDesktop::isAccessibilityTrusted() const
{
    QMutexLocker locker(&m_mutex);
    return m_accessibilityTrusted;
}

void SimDesktop::setAccessibilityTrusted(bool trusted)
{
    QMutexLocker locker(&m_mutex);
    m_accessibilityTrusted = trusted;
}

SimDesktop::Permission SimDesktop::screenCaptureAccess() const
{
    QMutexLocker locker(&m_mutex);
    return m_screenCapture;
}

void SimDesktop::setScreenCaptureAccess(Permission permission)
{
    QMutexLocker locker(&m_mutex);
    m_screenCapture = permission;
}

void SimDesktop::setGrantsScreenCaptureOnRequest(bool grants)
{
    QMutexLocker locker(&m_mutex);
    m_grantsScreenCaptureOnRequest = grants;
}

bool SimDesktop::grantsScreenCaptureOnRequest() const
{
    QMutexLocker locker(&m_mutex);
    return m_grantsScreenCaptureOnRequest;
}

bool SimDesktop::reducesMotion() const
{
    QMutexLocker locker(&m_mutex);
    return m_reducesMotion;
}

void SimDesktop::setReducesMotion(bool reduces)
{
    QMutexLocker locker(&m_mutex);
    m_reducesMotion = reduces;
}

bool SimDesktop::postEventAccess() const
{
    QMutexLocker locker(&m_mutex);
    return m_postEventAccess;
}

void SimDesktop::setPostEventAccess(bool allowed)
{
    QMutexLocker locker(&m_mutex);
    m_postEventAccess = allowed;
}

bool SimDesktop::isPrivateFunctionAvailable(const QString &name) const
{
    QMutexLocker locker(&m_mutex);
    return !m_missingPrivateFunctions.contains(name);
}

void SimDesktop::setPrivateFunctionAvailable(const QString &name, bool available)
{
    QMutexLocker locker(&m_mutex);
    if (available)
        m_missingPrivateFunctions.remove(name);
    else
        m_missingPrivateFunctions.insert(name);
}

QStringList SimDesktop::missingPrivateFunctions() const
{
    QMutexLocker locker(&m_mutex);
    QStringList names(m_missingPrivateFunctions.cbegin(), m_missingPrivateFunctions.cend());
    names.sort();
    return names;
}

QVariant SimDesktop::preference(const QString &domain, const QString &key) const
{
    QMutexLocker locker(&m_mutex);
    return m_preferences.value(domain).value(key);
}

void SimDesktop::setPreference(const QString &domain, const QString &key, const QVariant &value)
{
    QMutexLocker locker(&m_mutex);
    if (value.isValid())
        m_preferences[domain].insert(key, value);
    else
        m_preferences[domain].remove(key);
}

QMap<QString, QVariantMap> SimDesktop::preferences() const
{
    QMutexLocker locker(&m_mutex);
    return m_preferences;
}

// --- What happens on the desktop ----------------------------------------------

std::optional<qint32> SimDesktop::frontmostPid() const
{
    QMutexLocker locker(&m_mutex);
    return m_frontmost;
}

bool SimDesktop::activate(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *target = findProcess(pid);
    if (!target || m_terminating.contains(pid))
        return false;
    if (target->hidden)
        unhide(pid);
    // The desktop brings every window of the application forward, not only
    // the one the user asked for: the product works around exactly this.
    QList<quint32> raised;
    for (quint32 number : target->windowOrder) {
        const SimWindow &w = m_windows[number];
        if (w.visible && !w.minimized && (w.space == 0 || w.space == m_currentSpace))
            raised.append(number);
    }
    bringToFront(raised);
    setFrontmost(pid);
    changed();
    return true;
}

bool SimDesktop::makeFrontmost(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    if (!findProcess(pid) || m_terminating.contains(pid))
        return false;
    setFrontmost(pid);
    changed();
    return true;
}

bool SimDesktop::focusWindow(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w)
        return false;
    const qint32 owner = w->ownerPid;
    if (SimProcess *p = findProcess(owner); p && p->hidden)
        unhide(owner);
    bringToFront({number});
    setFrontmost(owner);
    changed();
    return true;
}

bool SimDesktop::raiseWindow(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    if (!findWindow(number))
        return false;
    bringToFront({number});
    changed();
    return true;
}

bool SimDesktop::hide(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *p = findProcess(pid);
    if (!p)
        return false;
    if (!p->hidden) {
        p->hidden = true;
        const RunningApplication snapshot = runningApplication(*p);
        emitLater([this, snapshot] { emit applicationHidden(snapshot); });
        if (m_frontmost == pid)
            chooseNewFrontmost();
        changed();
    }
    return true;
}

bool SimDesktop::unhide(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *p = findProcess(pid);
    if (!p)
        return false;
    if (p->hidden) {
        p->hidden = false;
        const RunningApplication snapshot = runningApplication(*p);
        emitLater([this, snapshot] { emit applicationUnhidden(snapshot); });
        changed();
    }
    return true;
}

bool SimDesktop::terminate(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *p = findProcess(pid);
    if (!p || pid == m_selfPid)
        return false;
    if (m_terminating.contains(pid))
        return true;
    m_terminating.insert(pid);
    const quint64 life = p->life;
    later(p->closeDurationMs, [this, pid, life] {
        QMutexLocker locker(&m_mutex);
        m_terminating.remove(pid);
        const SimProcess *p = findProcess(pid);
        if (p && p->life == life)
            endProcess(pid);
    });
    return true;
}

void SimDesktop::killProcess(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    m_terminating.remove(pid);
    if (findProcess(pid))
        endProcess(pid);
}

bool SimDesktop::beginMinimize(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w || w->minimized || !w->visible || m_windowsInTransition.contains(number))
        return false;
    m_windowsInTransition.insert(number);
    const qint64 duration = findProcess(w->ownerPid)->minimizeDurationMs;
    later(duration, [this, number] {
        QMutexLocker locker(&m_mutex);
        m_windowsInTransition.remove(number);
        SimWindow *w = findWindow(number);
        if (!w || w->minimized)
            return;
        w->minimized = true;
        const SimProcess *owner = findProcess(w->ownerPid);
        notifyAccessibility({SimNode::Kind::Window, w->ownerPid, owner->life, number}, AXNames::WindowMiniaturized);
        raiseNextSibling(owner->pid);
        changed();
    });
    return true;
}

bool SimDesktop::beginRestore(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w || !w->minimized || m_windowsInTransition.contains(number))
        return false;
    m_windowsInTransition.insert(number);
    const qint64 duration = findProcess(w->ownerPid)->minimizeDurationMs;
    later(duration, [this, number] {
        QMutexLocker locker(&m_mutex);
        m_windowsInTransition.remove(number);
        SimWindow *w = findWindow(number);
        if (!w || !w->minimized)
            return;
        w->minimized = false;
        const SimProcess *owner = findProcess(w->ownerPid);
        // Coming back from the Dock activates the application, which brings
        // all of its windows along; the restored one ends up in front.
        if (owner->siblingsRise && m_frontmost != owner->pid)
            activate(owner->pid);
        bringToFront({number});
        notifyAccessibility({SimNode::Kind::Window, w->ownerPid, owner->life, number}, AXNames::WindowDeminiaturized);
        changed();
    });
    return true;
}

bool SimDesktop::beginClose(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w || w->sheetOpen || m_windowsInTransition.contains(number))
        return false;
    m_windowsInTransition.insert(number);
    const qint64 duration = findProcess(w->ownerPid)->closeDurationMs;
    later(duration, [this, number] {
        QMutexLocker locker(&m_mutex);
        m_windowsInTransition.remove(number);
        SimWindow *w = findWindow(number);
        if (!w)
            return;
        if (w->closeShowsSheet) {
            // Unsaved changes: the application asks first and the window stays.
            w->sheetOpen = true;
            changed();
            return;
        }
        const qint32 owner = w->ownerPid;
        destroyWindow(number);
        raiseNextSibling(owner);
    });
    return true;
}

bool SimDesktop::answerSheet(quint32 number, bool close)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w || !w->sheetOpen)
        return false;
    w->sheetOpen = false;
    if (close) {
        const qint32 owner = w->ownerPid;
        destroyWindow(number);
        raiseNextSibling(owner);
    }
    changed();
    return true;
}

bool SimDesktop::runCommand(qint32 pid, const QString &command)
{
    QMutexLocker locker(&m_mutex);
    SimProcess *p = findProcess(pid);
    if (!p)
        return false;
    if (command == SimMenuItem::NewWindowCommand) {
        createWindowForCommand(pid, QStringLiteral("Untitled"));
        return true;
    }
    const std::optional<quint32> focused = focusedWindow(pid);
    if (command == SimMenuItem::CloseWindowCommand)
        return focused && beginClose(*focused);
    if (command == SimMenuItem::MinimizeWindowCommand)
        return focused && m_windows.value(*focused).hasMinimizeButton && beginMinimize(*focused);
    return false;
}

void SimDesktop::launch(const QString &bundlePath, bool activates,
                        std::function<void(std::optional<qint32> pid)> completion)
{
    QMutexLocker locker(&m_mutex);
    for (qint32 pid : m_launchOrder) {
        if (!bundlePath.isEmpty() && m_processes.value(pid).bundlePath == bundlePath && !m_terminating.contains(pid)) {
            if (activates)
                activate(pid);
            later(0, [completion, pid] {
                if (completion)
                    completion(pid);
            });
            return;
        }
    }
    const auto installed = std::find_if(m_installed.cbegin(), m_installed.cend(),
                                        [&](const SimInstalledApplication &a) { return a.bundlePath == bundlePath; });
    if (installed == m_installed.cend()) {
        later(0, [completion] {
            if (completion)
                completion(std::nullopt);
        });
        return;
    }
    const SimInstalledApplication application = *installed;
    later(application.launchDurationMs, [this, application, activates, completion] {
        qint32 pid = 0;
        {
            QMutexLocker locker(&m_mutex);
            SimProcess p;
            p.bundleIdentifier = application.bundleIdentifier;
            p.name = application.name;
            p.bundlePath = application.bundlePath;
            p.policy = application.policy;
            p.menuBar = application.menuBar;
            pid = addProcess(p);
            for (const QString &title : application.windowTitles)
                createWindowForCommand(pid, title);
            if (activates)
                activate(pid);
        }
        if (completion)
            completion(pid);
    });
}

// --- User input ----------------------------------------------------------------

bool SimDesktop::pressKey(const KeyEvent &event)
{
    QList<std::function<int(const KeyEvent &)>> taps;
    {
        QMutexLocker locker(&m_mutex);
        const qint64 now = m_clock.monotonicMs();
        m_lastInputMs[int(event.type)] = now;
        m_lastAnyInputMs = now;
        for (auto it = m_keyTaps.cbegin(); it != m_keyTaps.cend(); ++it) {
            if (it->enabled && event.type == InputEventType::KeyDown)
                taps.append(it->callback);
        }
    }
    for (const auto &tap : taps) {
        if (tap(event) != 0)
            return false;
    }
    QMutexLocker locker(&m_mutex);
    if (!m_frontmost)
        return false;
    handleKey(*m_frontmost, event);
    return true;
}

void SimDesktop::deliverKey(qint32 pid, const KeyEvent &event)
{
    QMutexLocker locker(&m_mutex);
    handleKey(pid, event);
}

bool SimDesktop::handleKey(qint32 pid, const KeyEvent &event)
{
    const SimProcess *p = findProcess(pid);
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

void SimDesktop::click(const QPointF &globalPoint)
{
    mouseEvent(InputEventType::LeftMouseDown, globalPoint);
    mouseEvent(InputEventType::LeftMouseUp, globalPoint);
}

void SimDesktop::mouseEvent(InputEventType type, const QPointF &globalPoint)
{
    {
        QMutexLocker locker(&m_mutex);
        const qint64 now = m_clock.monotonicMs();
        m_lastInputMs[int(type)] = now;
        m_lastAnyInputMs = now;
        m_pointer = globalPoint;
    }
    deliverMouse({type, globalPoint});
    if (type != InputEventType::LeftMouseUp)
        return;

    QMutexLocker locker(&m_mutex);
    const std::optional<quint32> hit = windowAt(globalPoint);
    if (!hit)
        return;
    const SimWindow w = m_windows.value(*hit);
    if (w.hasMinimizeButton && w.minimizeButtonEnabled
        && buttonFrame(w, SimNode::Kind::MinimizeButton).contains(globalPoint))
        beginMinimize(w.number);
    else if (w.hasCloseButton && buttonFrame(w, SimNode::Kind::CloseButton).contains(globalPoint))
        beginClose(w.number);
    else if (w.ownerPid != m_selfPid)
        focusWindow(w.number);
}

void SimDesktop::deliverMouse(const MouseEvent &event)
{
    QList<MouseTap> taps;
    {
        QMutexLocker locker(&m_mutex);
        for (const MouseTap &tap : std::as_const(m_mouseTaps)) {
            if (tap.enabled)
                taps.append(tap);
        }
    }
    for (const MouseTap &tap : taps)
        dispatchMouse(tap, event);
}

void SimDesktop::dispatchMouse(const MouseTap &tap, const MouseEvent &event)
{
    // A tap hears its events on its context's thread, and nothing once the context is gone.
    if (tap.hasContext && !tap.context)
        return;
    if (!tap.hasContext || tap.context->thread() == QThread::currentThread())
        tap.callback(event);
    else
        QMetaObject::invokeMethod(tap.context, [callback = tap.callback, event] { callback(event); },
                                  Qt::QueuedConnection);
}

qint64 SimDesktop::lastInputMs(std::optional<InputEventType> type) const
{
    QMutexLocker locker(&m_mutex);
    if (!type)
        return m_lastAnyInputMs;
    return m_lastInputMs.value(int(*type), 0);
}

void SimDesktop::disableEventTaps(InputEventType reason)
{
    QList<std::function<int(const KeyEvent &)>> keyTaps;
    {
        QMutexLocker locker(&m_mutex);
        for (MouseTap &tap : m_mouseTaps)
            tap.enabled = false;
        for (KeyTap &tap : m_keyTaps) {
            tap.enabled = false;
            keyTaps.append(tap.callback);
        }
    }
    // A disabled tap still hears that it was disabled, so it can turn itself back on.
    QList<MouseTap> mouseTaps;
    {
        QMutexLocker locker(&m_mutex);
        mouseTaps = m_mouseTaps.values();
    }
    for (const MouseTap &tap : mouseTaps)
        dispatchMouse(tap, {reason, pointer()});
    KeyEvent event;
    event.type = reason;
    for (const auto &tap : keyTaps)
        tap(event);
}

// --- Failures and the log ----------------------------------------------------------

void SimDesktop::injectFailure(const SimFailure &failure)
{
    QMutexLocker locker(&m_mutex);
    m_failures.append(failure);
}

void SimDesktop::clearFailures()
{
    QMutexLocker locker(&m_mutex);
    m_failures.clear();
}

std::optional<SimFailure> SimDesktop::takeFailure(const QString &operation, const QString &name, qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    for (auto it = m_failures.begin(); it != m_failures.end(); ++it) {
        if (it->operation != operation || (!it->name.isEmpty() && it->name != name) || (it->pid && *it->pid != pid))
            continue;
        const SimFailure failure = *it;
        if (it->remaining > 0 && --it->remaining == 0)
            m_failures.erase(it);
        return failure;
    }
    return std::nullopt;
}

bool SimDesktop::refuses(const QString &operation, const QString &name, qint32 pid, const QVariant &detail)
{
    const bool fails = takeFailure(operation, name, pid).has_value();
    log(operation, pid, name, detail, fails ? -1 : 0);
    return fails;
}

void SimDesktop::log(const QString &operation, qint32 pid, const QString &name, const QVariant &detail, int result)
{
    QMutexLocker locker(&m_mutex);
    // A long-running session keeps only the recent past.
    if (m_requests.size() >= RequestLogLimit)
        m_requests.remove(0, RequestLogLimit / 10);
    m_requests.append({m_clock.monotonicMs(), operation, pid, name, detail, result});
}

QList<SimRequest> SimDesktop::requests() const
{
    QMutexLocker locker(&m_mutex);
    return m_requests;
}

QList<SimRequest> SimDesktop::requests(const QString &operation) const
{
    QMutexLocker locker(&m_mutex);
    QList<SimRequest> matching;
    for (const SimRequest &request : m_requests) {
        if (request.operation == operation)
            matching.append(request);
    }
    return matching;
}

void SimDesktop::clearRequests()
{
    QMutexLocker locker(&m_mutex);
    m_requests.clear();
}

// --- For the views -----------------------------------------------------------------

void SimDesktop::later(qint64 delayMs, std::function<void()> job, QObject *context)
{
    const bool hasContext = context != nullptr;
    QPointer<QObject> guard(context);
    auto run = [job = std::move(job), hasContext, guard] {
        if (hasContext && !guard)
            return;
        job();
    };
    if (QThread::currentThread() == thread()) {
        m_scheduler.scheduleOnce(delayMs, this, std::move(run));
        return;
    }
    // The scheduler belongs to the desktop's thread.
    QMetaObject::invokeMethod(
        this, [this, delayMs, run = std::move(run)] { m_scheduler.scheduleOnce(delayMs, this, run); },
        Qt::QueuedConnection);
}

bool SimDesktop::waitForAnswer(qint32 pid, qint64 timeoutMs)
{
    qint64 wait = 0;
    bool answered = true;
    {
        QMutexLocker locker(&m_mutex);
        const SimProcess *p = findProcess(pid);
        if (!p)
            return true;
        const qint64 now = m_clock.monotonicMs();
        if (p->hung) {
            wait = timeoutMs;
            answered = false;
        } else if (p->busyUntilMs > now) {
            const qint64 remaining = p->busyUntilMs - now;
            answered = remaining < timeoutMs;
            wait = answered ? remaining : timeoutMs;
        }
    }
    // Never wait with the world locked: other threads go on meanwhile.
    if (wait > 0 && m_blockingWait)
        m_blockingWait(wait);
    return answered;
}

AXElement SimDesktop::element(const SimNode &node)
{
    QMutexLocker locker(&m_mutex);
    auto it = m_tokens.constFind(node);
    if (it == m_tokens.cend()) {
        const quint64 token = m_nextToken++;
        m_tokens.insert(node, token);
        m_nodes.insert(token, node);
        return AXElement(node.pid, token);
    }
    return AXElement(node.pid, *it);
}

std::optional<SimNode> SimDesktop::resolve(const AXElement &element) const
{
    QMutexLocker locker(&m_mutex);
    const auto it = m_nodes.constFind(element.token());
    if (element.isNull() || it == m_nodes.cend())
        return std::nullopt;
    return *it;
}

bool SimDesktop::isLive(const SimNode &node) const
{
    QMutexLocker locker(&m_mutex);
    if (node.kind == SimNode::Kind::SystemWide)
        return true;
    const SimProcess *p = findProcess(node.pid);
    if (!p || p->life != node.life)
        return false;
    const SimWindow *w = findWindow(node.window);
    const bool ownWindow = w && w->ownerPid == node.pid;
    switch (node.kind) {
    case SimNode::Kind::SystemWide:
    case SimNode::Kind::Application:
        return true;
    case SimNode::Kind::Window:
        return ownWindow;
    case SimNode::Kind::CloseButton:
        return ownWindow && w->hasCloseButton;
    case SimNode::Kind::MinimizeButton:
        return ownWindow && w->hasMinimizeButton;
    case SimNode::Kind::ZoomButton:
        return ownWindow;
    case SimNode::Kind::TabGroup:
        return ownWindow && !w->tabs.isEmpty();
    case SimNode::Kind::Tab:
        return ownWindow && node.index < w->tabs.size();
    case SimNode::Kind::Sheet:
        return ownWindow && w->sheetOpen;
    case SimNode::Kind::MenuBar:
        return !p->menuBar.isEmpty();
    case SimNode::Kind::MenuItem:
    case SimNode::Kind::Menu: {
        const QList<SimMenuItem> *items = &p->menuBar;
        const SimMenuItem *item = nullptr;
        for (int index : node.path) {
            if (index < 0 || index >= items->size())
                return false;
            item = &items->at(index);
            items = &item->children;
        }
        return item && (node.kind == SimNode::Kind::MenuItem || !item->children.isEmpty());
    }
    case SimNode::Kind::DockList:
        return p->bundleIdentifier == DockBundleIdentifier;
    case SimNode::Kind::DockItem: {
        const SimWindow *tile = findWindow(node.window);
        return p->bundleIdentifier == DockBundleIdentifier && tile && tile->minimized;
    }
    }
    return false;
}

AXElement SimDesktop::applicationElement(qint32 pid)
{
    QMutexLocker locker(&m_mutex);
    const SimProcess *p = findProcess(pid);
    return element({SimNode::Kind::Application, pid, p ? p->life : 0});
}

AXElement SimDesktop::windowElement(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    const SimWindow *w = findWindow(number);
    if (!w)
        return {};
    return element({SimNode::Kind::Window, w->ownerPid, findProcess(w->ownerPid)->life, number});
}

double SimDesktop::messagingTimeout(const AXElement &element) const
{
    QMutexLocker locker(&m_mutex);
    return m_timeouts.value(element.token(), m_globalTimeout);
}

void SimDesktop::setMessagingTimeout(const AXElement &element, double seconds)
{
    QMutexLocker locker(&m_mutex);
    const std::optional<SimNode> node = resolve(element);
    if (node && node->kind == SimNode::Kind::SystemWide) {
        m_globalTimeout = seconds > 0 ? seconds : DefaultMessagingTimeoutSeconds;
        return;
    }
    if (seconds > 0)
        m_timeouts.insert(element.token(), seconds);
    else
        m_timeouts.remove(element.token());
}

bool SimDesktop::isOnScreen(const SimWindow &window) const
{
    QMutexLocker locker(&m_mutex);
    const SimProcess *owner = findProcess(window.ownerPid);
    return owner && !owner->hidden && window.visible && !window.minimized
        && (window.space == 0 || window.space == m_currentSpace);
}

std::optional<quint32> SimDesktop::focusedWindow(qint32 pid) const
{
    QMutexLocker locker(&m_mutex);
    const SimProcess *p = findProcess(pid);
    if (!p)
        return std::nullopt;
    for (quint32 number : p->windowOrder) {
        const SimWindow &w = m_windows[number];
        if (w.visible && !w.minimized && w.accessible && (w.space == 0 || w.space == m_currentSpace))
            return number;
    }
    return std::nullopt;
}

QList<quint32> SimDesktop::accessibleWindows(qint32 pid) const
{
    QMutexLocker locker(&m_mutex);
    QList<quint32> result;
    const SimProcess *p = findProcess(pid);
    if (!p)
        return result;
    for (quint32 number : p->windowOrder) {
        const SimWindow &w = m_windows[number];
        // Accessibility sees the windows of this Space only.
        if (w.visible && w.accessible && (w.space == 0 || w.space == m_currentSpace))
            result.append(number);
    }
    return result;
}

RunningApplication SimDesktop::runningApplication(const SimProcess &process) const
{
    QMutexLocker locker(&m_mutex);
    RunningApplication application;
    application.processIdentifier = process.pid;
    application.launchDateMs = process.launchDateMs;
    application.bundleIdentifier = process.bundleIdentifier;
    application.localizedName = process.name;
    application.bundlePath = process.bundlePath;
    application.executablePath = process.executablePath;
    application.activationPolicy = process.policy;
    application.isActive = m_frontmost == process.pid;
    application.isHidden = process.hidden;
    application.isTerminated = !m_processes.contains(process.pid) || m_processes[process.pid].life != process.life;
    return application;
}

QRectF SimDesktop::buttonFrame(const SimWindow &window, SimNode::Kind button)
{
    int slot = 0;
    if (button == SimNode::Kind::MinimizeButton)
        slot = 1;
    else if (button == SimNode::Kind::ZoomButton)
        slot = 2;
    return QRectF(window.bounds.x() + CloseButtonLeft + slot * ButtonSpacing, window.bounds.y() + TitleBarButtonTop,
                  TitleBarButtonWidth, TitleBarButtonHeight);
}

std::optional<quint32> SimDesktop::windowForRemoteElement(qint32 pid, quint64 remoteElementId) const
{
    QMutexLocker locker(&m_mutex);
    const SimProcess *p = findProcess(pid);
    if (!p)
        return std::nullopt;
    for (quint32 number : p->windowOrder) {
        if (m_windows[number].remoteElementId == remoteElementId)
            return number;
    }
    return std::nullopt;
}

std::optional<quint32> SimDesktop::windowAt(const QPointF &globalPoint) const
{
    QMutexLocker locker(&m_mutex);
    for (quint32 number : stackingOrder()) {
        const SimWindow &w = m_windows[number];
        if (w.layer >= 0 && !w.desktopElement && isOnScreen(w) && w.bounds.contains(globalPoint))
            return number;
    }
    return std::nullopt;
}

quint64 SimDesktop::addObserver(qint32 pid, QObject *context, ObserverCallback callback)
{
    QMutexLocker locker(&m_mutex);
    const quint64 handle = m_nextHandle++;
    m_observers.insert(handle, {pid, context, context != nullptr, std::move(callback), {}});
    return handle;
}

void SimDesktop::removeObserver(quint64 observer)
{
    QMutexLocker locker(&m_mutex);
    m_observers.remove(observer);
}

AXError SimDesktop::addObserverNotification(quint64 observer, const AXElement &element, const QString &name)
{
    QMutexLocker locker(&m_mutex);
    auto it = m_observers.find(observer);
    if (it == m_observers.end())
        return AXError::InvalidUIElementObserver;
    const std::optional<SimNode> node = resolve(element);
    if (!node || !isLive(*node))
        return AXError::InvalidUIElement;
    const QPair<quint64, QString> key(element.token(), name);
    if (it->registrations.contains(key))
        return AXError::NotificationAlreadyRegistered;
    it->registrations.insert(key);
    return AXError::Success;
}

AXError SimDesktop::removeObserverNotification(quint64 observer, const AXElement &element, const QString &name)
{
    QMutexLocker locker(&m_mutex);
    auto it = m_observers.find(observer);
    if (it == m_observers.end())
        return AXError::InvalidUIElementObserver;
    if (!it->registrations.remove({element.token(), name}))
        return AXError::NotificationNotRegistered;
    return AXError::Success;
}

quint64 SimDesktop::addMouseTap(MouseTap tap)
{
    QMutexLocker locker(&m_mutex);
    const quint64 handle = m_nextHandle++;
    m_mouseTaps.insert(handle, std::move(tap));
    return handle;
}

quint64 SimDesktop::addKeyTap(KeyTap tap)
{
    QMutexLocker locker(&m_mutex);
    const quint64 handle = m_nextHandle++;
    m_keyTaps.insert(handle, std::move(tap));
    return handle;
}

void SimDesktop::removeTap(quint64 tap)
{
    QMutexLocker locker(&m_mutex);
    m_mouseTaps.remove(tap);
    m_keyTaps.remove(tap);
}

void SimDesktop::setTapEnabled(quint64 tap, bool enabled)
{
    QMutexLocker locker(&m_mutex);
    if (auto it = m_mouseTaps.find(tap); it != m_mouseTaps.end())
        it->enabled = enabled;
    if (auto it = m_keyTaps.find(tap); it != m_keyTaps.end())
        it->enabled = enabled;
}

bool SimDesktop::isTapEnabled(quint64 tap) const
{
    QMutexLocker locker(&m_mutex);
    if (auto it = m_mouseTaps.constFind(tap); it != m_mouseTaps.cend())
        return it->enabled;
    if (auto it = m_keyTaps.constFind(tap); it != m_keyTaps.cend())
        return it->enabled;
    return false;
}

void SimDesktop::postDistributedNotification(const QString &name, const QString &object, const QVariantMap &userInfo)
{
    emitLater([this, name, object, userInfo] { emit distributedNotificationPosted(name, object, userInfo); });
}

// --- Private helpers (called with the lock held) --------------------------------------

SimProcess *SimDesktop::findProcess(qint32 pid)
{
    const auto it = m_processes.find(pid);
    return it == m_processes.end() ? nullptr : &*it;
}

const SimProcess *SimDesktop::findProcess(qint32 pid) const
{
    const auto it = m_processes.constFind(pid);
    return it == m_processes.cend() ? nullptr : &*it;
}

SimWindow *SimDesktop::findWindow(quint32 number)
{
    const auto it = m_windows.find(number);
    return it == m_windows.end() ? nullptr : &*it;
}

const SimWindow *SimDesktop::findWindow(quint32 number) const
{
    const auto it = m_windows.constFind(number);
    return it == m_windows.cend() ? nullptr : &*it;
}

void SimDesktop::bringToFront(const QList<quint32> &frontToBack)
{
    for (auto it = frontToBack.crbegin(); it != frontToBack.crend(); ++it) {
        const quint32 number = *it;
        m_order.removeOne(number);
        m_order.prepend(number);
        if (SimProcess *owner = findProcess(m_windows.value(number).ownerPid)) {
            owner->windowOrder.removeOne(number);
            owner->windowOrder.prepend(number);
        }
    }
}

bool SimDesktop::placeInFrontOfSiblings(quint32 number)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w)
        return false;
    SimProcess *owner = findProcess(w->ownerPid);
    owner->windowOrder.removeOne(number);
    owner->windowOrder.prepend(number);
    const qsizetype old = m_order.indexOf(number);
    m_order.removeAt(old);
    qsizetype at = old;
    for (qsizetype i = 0; i < m_order.size(); ++i) {
        if (m_windows.value(m_order[i]).ownerPid == w->ownerPid) {
            at = std::min(i, old);
            break;
        }
    }
    m_order.insert(at, number);
    changed();
    return true;
}

bool SimDesktop::moveWindow(quint32 number, const QRectF &bounds)
{
    QMutexLocker locker(&m_mutex);
    SimWindow *w = findWindow(number);
    if (!w)
        return false;
    const QRectF before = w->bounds;
    w->bounds = bounds;
    const SimNode node(SimNode::Kind::Window, w->ownerPid, findProcess(w->ownerPid)->life, number);
    if (before.topLeft() != bounds.topLeft())
        notifyAccessibility(node, AXNames::Moved);
    if (before.size() != bounds.size())
        notifyAccessibility(node, AXNames::Resized);
    changed();
    return true;
}

void SimDesktop::setFrontmost(std::optional<qint32> pid)
{
    if (m_frontmost == pid)
        return;
    const std::optional<qint32> previous = m_frontmost;
    m_frontmost = pid;
    if (previous) {
        if (const SimProcess *p = findProcess(*previous)) {
            const RunningApplication snapshot = runningApplication(*p);
            emitLater([this, snapshot] { emit applicationDeactivated(snapshot); });
        }
    }
    if (pid) {
        const SimProcess *p = findProcess(*pid);
        const RunningApplication snapshot = runningApplication(*p);
        emitLater([this, snapshot] { emit applicationActivated(snapshot); });
        notifyAccessibility({SimNode::Kind::Application, *pid, p->life}, AXNames::ApplicationActivated);
    }
}

void SimDesktop::chooseNewFrontmost()
{
    const std::optional<qint32> leaving = m_frontmost;
    for (quint32 number : stackingOrder()) {
        const SimWindow &w = m_windows[number];
        const SimProcess *owner = findProcess(w.ownerPid);
        if (w.layer == 0 && isOnScreen(w) && owner && owner->pid != leaving && owner->policy == ActivationPolicy::Regular) {
            setFrontmost(owner->pid);
            return;
        }
    }
    setFrontmost(std::nullopt);
}

void SimDesktop::destroyWindow(quint32 number)
{
    SimWindow *w = findWindow(number);
    if (!w)
        return;
    const qint32 pid = w->ownerPid;
    SimProcess *owner = findProcess(pid);
    notifyAccessibility({SimNode::Kind::Window, pid, owner->life, number}, AXNames::UIElementDestroyed);
    m_windows.remove(number);
    m_order.removeOne(number);
    owner->windowOrder.removeOne(number);
    m_windowsInTransition.remove(number);
    changed();
}

void SimDesktop::endProcess(qint32 pid)
{
    SimProcess *p = findProcess(pid);
    if (!p)
        return;
    const QList<quint32> windows = p->windowOrder;
    // Its windows go with it; focus does not move between them on the way out.
    m_ending.insert(pid);
    for (quint32 number : windows)
        destroyWindow(number);
    m_ending.remove(pid);
    const bool wasFrontmost = m_frontmost == pid;
    RunningApplication snapshot = runningApplication(*p);
    m_processes.remove(pid);
    m_launchOrder.removeOne(pid);
    m_lastFocused.remove(pid);
    snapshot.isTerminated = true;
    snapshot.isActive = false;
    if (wasFrontmost) {
        m_frontmost.reset();
        chooseNewFrontmost();
    }
    emitLater([this, snapshot] { emit applicationTerminated(snapshot); });
    changed();
}

void SimDesktop::raiseNextSibling(qint32 pid)
{
    // When the front window of the active application goes away, its next
    // window becomes key and comes to the front, over whatever another
    // application had placed above it.
    const SimProcess *p = findProcess(pid);
    if (!p || !p->siblingsRise || m_frontmost != pid)
        return;
    if (const std::optional<quint32> next = focusedWindow(pid))
        bringToFront({*next});
}

void SimDesktop::notifyAccessibility(const SimNode &node, const QString &name)
{
    // An observer hears its application's notifications for the element it
    // registered, and for every element of the application when it
    // registered on the application element; the callback gets the element
    // the notification is about (the new window, the destroyed one...).
    const AXElement source = element(node);
    const AXElement application = element({SimNode::Kind::Application, node.pid, node.life});
    for (auto it = m_observers.cbegin(); it != m_observers.cend(); ++it) {
        if (it->pid != node.pid)
            continue;
        QPair<quint64, QString> registration(source.token(), name);
        if (!it->registrations.contains(registration)) {
            registration.first = application.token();
            if (!it->registrations.contains(registration))
                continue;
        }
        const quint64 handle = it.key();
        later(0, [this, handle, source, registration] {
            ObserverCallback callback;
            QPointer<QObject> context;
            {
                QMutexLocker locker(&m_mutex);
                const auto observer = m_observers.constFind(handle);
                // Removed meanwhile: nothing more is delivered.
                if (observer == m_observers.cend() || !observer->registrations.contains(registration))
                    return;
                callback = observer->callback;
                context = observer->context;
            }
            // The owner hears it on its own thread.
            if (context && context->thread() != QThread::currentThread())
                QMetaObject::invokeMethod(context, [callback, source, name = registration.second] {
                    callback(source, name);
                }, Qt::QueuedConnection);
            else
                callback(source, registration.second);
        }, it->hasContext ? it->context.data() : this);
    }
}

void SimDesktop::notifyFocusChanges()
{
    for (auto it = m_processes.cbegin(); it != m_processes.cend(); ++it) {
        if (m_ending.contains(it.key()))
            continue;
        const std::optional<quint32> focused = focusedWindow(it.key());
        const quint32 now = focused.value_or(0);
        const auto last = m_lastFocused.constFind(it.key());
        if (last != m_lastFocused.cend() && *last == now)
            continue;
        m_lastFocused.insert(it.key(), now);
        if (now != 0) {
            const SimNode window(SimNode::Kind::Window, it.key(), it->life, now);
            notifyAccessibility(window, AXNames::FocusedWindowChanged);
            notifyAccessibility(window, AXNames::MainWindowChanged);
        }
    }
}

void SimDesktop::emitLater(std::function<void()> emitter)
{
    later(0, std::move(emitter));
}

void SimDesktop::changed()
{
    notifyFocusChanges();
    // One signal per turn of the loop however many changes there were.
    if (m_changeSignalPending)
        return;
    m_changeSignalPending = true;
    emitLater([this] {
        {
            QMutexLocker locker(&m_mutex);
            m_changeSignalPending = false;
        }
        emit worldChanged();
    });
}

quint32 SimDesktop::createWindowForCommand(qint32 pid, const QString &title)
{
    const SimProcess *p = findProcess(pid);
    if (!p)
        return 0;
    SimWindow w;
    w.ownerPid = pid;
    w.title = title;
    QRectF bounds(120, 90, 900, 600);
    if (const std::optional<quint32> front = focusedWindow(pid))
        bounds = m_windows.value(*front).bounds.translated(24, 24);
    w.bounds = bounds;
    w.space = m_currentSpace;
    return addWindow(w);
}

} // namespace Velmora::Sim
