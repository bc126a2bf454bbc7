#include "platform/sim/simdesktop.h"

#include "platform/sim/virtualclock.h"

namespace Velmora::Sim {

SimDesktop::SimDesktop(Clock &clock, Scheduler &scheduler, BlockingWait blockingWait, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_blockingWait(std::move(blockingWait))
    , m_host(*this, clock, scheduler, m_lock)
    , m_parts(m_host)
{
    qRegisterMetaType<Velmora::RunningApplication>();
    m_host.attach(m_parts);
    withLock([](SimDesktopParts &d) { d.lifecycle.ensureSelfProcess(); });
}

SimDesktop::SimDesktop(VirtualClock &clock, QObject *parent)
    : SimDesktop(clock, clock, [&clock](qint64 ms) { clock.elapse(ms); }, parent)
{
}

SimDesktop::~SimDesktop() = default;

// --- Set-up -------------------------------------------------------------------

void SimDesktop::clear()
{
    withLock([](SimDesktopParts &d) { d.lifecycle.clear(); });
}

qint32 SimDesktop::selfPid() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.selfPid(); });
}

void SimDesktop::setSelfPid(qint32 pid)
{
    withLock([&](SimDesktopParts &d) { d.lifecycle.setSelfPid(pid); });
}

qint32 SimDesktop::addProcess(SimProcess process)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.addProcess(std::move(process)); });
}

quint32 SimDesktop::addWindow(SimWindow window)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.addWindow(std::move(window)); });
}

bool SimDesktop::removeWindow(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.removeWindow(number); });
}

void SimDesktop::addInstalledApplication(const SimInstalledApplication &application)
{
    withLock([&](SimDesktopParts &d) { d.world.installedApplications().append(application); });
}

QList<SimInstalledApplication> SimDesktop::installedApplications() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.installedApplications(); });
}

void SimDesktop::setFavoriteFolders(const QList<FavoriteFolderEntry> &folders)
{
    withLock([&](SimDesktopParts &d) { d.world.favoriteFolders() = folders; });
}

QList<FavoriteFolderEntry> SimDesktop::favoriteFolders() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.favoriteFolders(); });
}

std::optional<SimProcess> SimDesktop::process(qint32 pid) const
{
    return withLock([&](const SimDesktopParts &d) {
        const SimProcess *found = d.world.process(pid);
        return found ? std::optional(*found) : std::nullopt;
    });
}

QList<SimProcess> SimDesktop::processes() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.processes(); });
}

std::optional<SimWindow> SimDesktop::window(quint32 number) const
{
    return withLock([&](const SimDesktopParts &d) {
        const SimWindow *found = d.world.window(number);
        return found ? std::optional(*found) : std::nullopt;
    });
}

QList<SimWindow> SimDesktop::windows() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.windows(); });
}

void SimDesktop::forEachWindow(const std::function<void(const SimWindow &)> &visit) const
{
    withLock([&](const SimDesktopParts &d) { d.world.forEachWindow(visit); });
}

QList<quint32> SimDesktop::stackingOrder() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.stackingOrder(); });
}

bool SimDesktop::updateWindow(quint32 number, const std::function<void(SimWindow &)> &change)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.updateWindow(number, change); });
}

bool SimDesktop::updateProcess(qint32 pid, const std::function<void(SimProcess &)> &change)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.updateProcess(pid, change); });
}

void SimDesktop::setStackingOrder(const QList<quint32> &frontToBack)
{
    withLock([&](SimDesktopParts &d) { d.lifecycle.setStackingOrder(frontToBack); });
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
    return withLock([&](const SimDesktopParts &d) { return d.lifecycle.busyRemainingMs(pid); });
}

int SimDesktop::currentSpace() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.currentSpace(); });
}

void SimDesktop::setCurrentSpace(int space)
{
    withLock([&](SimDesktopParts &d) { d.spaces.setCurrentSpace(space); });
}

int SimDesktop::spaceShownOn(quint32 displayId) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.spaceShownOn(displayId); });
}

bool SimDesktop::setFullScreen(quint32 number, bool on)
{
    return withLock([&](SimDesktopParts &d) { return d.spaces.setFullScreen(number, on); });
}

QList<SimFullScreenSpace> SimDesktop::fullScreenSpaces() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.fullScreenSpaces().values(); });
}

void SimDesktop::addFullScreenSpace(const SimFullScreenSpace &space, bool shown)
{
    withLock([&](SimDesktopParts &d) { d.spaces.addFullScreenSpace(space, shown); });
}

QList<DisplayInfo> SimDesktop::displays() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.displays(); });
}

void SimDesktop::setDisplays(const QList<DisplayInfo> &displays)
{
    withLock([&](SimDesktopParts &d) { d.screens.setDisplays(displays); });
}

QPointF SimDesktop::pointer() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.pointer(); });
}

void SimDesktop::setPointer(const QPointF &globalPoint)
{
    withLock([&](SimDesktopParts &d) { d.world.setPointer(globalPoint); });
}

bool SimDesktop::isAccessibilityTrusted() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.permissions().accessibilityTrusted; });
}

void SimDesktop::setAccessibilityTrusted(bool trusted)
{
    withLock([&](SimDesktopParts &d) { d.world.permissions().accessibilityTrusted = trusted; });
}

SimDesktop::Permission SimDesktop::screenCaptureAccess() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.permissions().screenCapture; });
}

void SimDesktop::setScreenCaptureAccess(Permission permission)
{
    withLock([&](SimDesktopParts &d) { d.settingsPane.setScreenCaptureAccess(permission); });
}

void SimDesktop::setGrantsScreenCaptureOnRequest(bool grants)
{
    withLock([&](SimDesktopParts &d) { d.world.permissions().grantsScreenCaptureOnRequest = grants; });
}

bool SimDesktop::grantsScreenCaptureOnRequest() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.permissions().grantsScreenCaptureOnRequest; });
}

void SimDesktop::setGrantsAccessibilityOnPrompt(bool grants)
{
    withLock([&](SimDesktopParts &d) { d.world.permissions().grantsAccessibilityOnPrompt = grants; });
}

bool SimDesktop::grantsAccessibilityOnPrompt() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.permissions().grantsAccessibilityOnPrompt; });
}

void SimDesktop::openSystemSettings(const QString &anchor)
{
    emit systemSettingsOpened(anchor);
}

bool SimDesktop::screenCapturePreflight() const
{
    return withLock([](const SimDesktopParts &d) { return d.settingsPane.screenCapturePreflight(); });
}

bool SimDesktop::screenCaptureAwaitsRestart() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.permissions().screenCaptureAwaitsRestart; });
}

void SimDesktop::setScreenCaptureAwaitsRestart()
{
    withLock([](SimDesktopParts &d) { d.settingsPane.grantedAwaitingRestart(); });
}

void SimDesktop::grantScreenCaptureInSettings()
{
    withLock([](SimDesktopParts &d) { d.settingsPane.grantScreenCapture(); });
}

void SimDesktop::grantAccessibilityInSettings()
{
    withLock([](SimDesktopParts &d) { d.settingsPane.grantAccessibility(); });
}

void SimDesktop::relaunch()
{
    withLock([](SimDesktopParts &d) { d.settingsPane.relaunched(); });
}

bool SimDesktop::reducesMotion() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.reducesMotion(); });
}

void SimDesktop::setReducesMotion(bool reduces)
{
    withLock([&](SimDesktopParts &d) { d.world.setReducesMotion(reduces); });
}

bool SimDesktop::postEventAccess() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.permissions().postEventAccess; });
}

void SimDesktop::setPostEventAccess(bool allowed)
{
    withLock([&](SimDesktopParts &d) { d.world.permissions().postEventAccess = allowed; });
}

bool SimDesktop::isPrivateFunctionAvailable(const QString &name) const
{
    return withLock([&](const SimDesktopParts &d) { return !d.world.missingPrivateFunctions().contains(name); });
}

void SimDesktop::setPrivateFunctionAvailable(const QString &name, bool available)
{
    withLock([&](SimDesktopParts &d) { d.world.setPrivateFunctionAvailable(name, available); });
}

QStringList SimDesktop::missingPrivateFunctions() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.missingPrivateFunctionNames(); });
}

QVariant SimDesktop::preference(const QString &domain, const QString &key) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.preferences().value(domain).value(key); });
}

void SimDesktop::setPreference(const QString &domain, const QString &key, const QVariant &value)
{
    withLock([&](SimDesktopParts &d) { d.world.setPreference(domain, key, value); });
}

QMap<QString, QVariantMap> SimDesktop::preferences() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.preferences(); });
}

SimKnobs SimDesktop::knobs() const
{
    return withLock([](const SimDesktopParts &d) { return d.knobs; });
}

void SimDesktop::setKnobs(const SimKnobs &knobs)
{
    withLock([&](SimDesktopParts &d) { d.knobs = knobs; });
}

// --- What happens on the desktop ----------------------------------------------

std::optional<qint32> SimDesktop::frontmostPid() const
{
    return withLock([](const SimDesktopParts &d) { return d.world.frontmost(); });
}

bool SimDesktop::activate(qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.activate(pid); });
}

bool SimDesktop::makeFrontmost(qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.makeFrontmost(pid); });
}

bool SimDesktop::focusWindow(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.focusWindow(number); });
}

bool SimDesktop::raiseWindow(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.raiseWindow(number); });
}

bool SimDesktop::placeInFrontOfSiblings(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.placeInFrontOfSiblings(number); });
}

bool SimDesktop::moveWindow(quint32 number, const QRectF &bounds)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.moveWindow(number, bounds); });
}

bool SimDesktop::hide(qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.hide(pid); });
}

bool SimDesktop::unhide(qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.unhide(pid); });
}

bool SimDesktop::terminate(qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.terminate(pid); });
}

void SimDesktop::killProcess(qint32 pid)
{
    withLock([&](SimDesktopParts &d) { d.lifecycle.killProcess(pid); });
}

void SimDesktop::killAll(const QString &name)
{
    withLock([&](SimDesktopParts &d) { d.lifecycle.killAll(name); });
}

bool SimDesktop::beginMinimize(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.transitions.beginMinimize(number); });
}

bool SimDesktop::beginRestore(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.transitions.beginRestore(number); });
}

bool SimDesktop::beginClose(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.transitions.beginClose(number); });
}

bool SimDesktop::answerSheet(quint32 number, bool close)
{
    return withLock([&](SimDesktopParts &d) { return d.transitions.answerSheet(number, close); });
}

bool SimDesktop::frontProcess(qint32 pid, quint32 window, quint32 options)
{
    return withLock([&](SimDesktopParts &d) { return d.activation.frontProcess(pid, window, options); });
}

void SimDesktop::postEventRecord(qint32 pid, const QByteArray &record)
{
    withLock([&](SimDesktopParts &d) { d.activation.eventRecord(pid, record); });
}

bool SimDesktop::runCommand(qint32 pid, const QString &command)
{
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.runCommand(pid, command); });
}

void SimDesktop::launch(const QString &bundlePath, bool activates,
                        std::function<void(std::optional<qint32> pid)> completion)
{
    withLock([&](SimDesktopParts &d) { d.lifecycle.launch(bundlePath, activates, std::move(completion)); });
}

// --- User input ----------------------------------------------------------------

bool SimDesktop::pressKey(const KeyEvent &event)
{
    const auto [taps, knobs] = withLock([&](SimDesktopParts &d) {
        d.input.noteInput({event.type, d.world.pointer(), event.flags, event.keyCode, m_clock.monotonicMs()});
        return std::pair(event.type == InputEventType::KeyDown ? d.input.enabledKeyTaps() : QList<KeyTap>(), d.knobs);
    });
    const auto turnOff = [this](quint64 tap) { setTapEnabled(tap, false); };
    if (!SimInput::passesKeyTaps(taps, event, knobs, turnOff))
        return false;
    return withLock([&](SimDesktopParts &d) { return d.lifecycle.handleKeyOfFrontmost(event); });
}

void SimDesktop::deliverKey(qint32 pid, const KeyEvent &event)
{
    withLock([&](SimDesktopParts &d) { d.lifecycle.handleKey(pid, event); });
}

void SimDesktop::click(const QPointF &globalPoint)
{
    mouseEvent(InputEventType::LeftMouseDown, globalPoint);
    mouseEvent(InputEventType::LeftMouseUp, globalPoint);
}

void SimDesktop::mouseEvent(InputEventType type, const QPointF &globalPoint)
{
    const QList<MouseTap> taps = withLock([&](SimDesktopParts &d) {
        d.input.noteInput({type, globalPoint, 0, 0, m_clock.monotonicMs()});
        d.world.setPointer(globalPoint);
        return d.input.mouseTapsFor(type);
    });
    for (const MouseTap &tap : taps)
        SimInput::dispatch(tap, {type, globalPoint});
    withLock([&](SimDesktopParts &d) { d.transitions.mouseButton(type, globalPoint); });
}

qint64 SimDesktop::lastInputMs(std::optional<InputEventType> type) const
{
    return withLock([&](const SimDesktopParts &d) { return d.input.lastInputMs(type); });
}

quint32 SimDesktop::pressedMouseButtons() const
{
    return withLock([](const SimDesktopParts &d) { return d.input.pressedMouseButtons(); });
}

std::optional<InputEvent> SimDesktop::currentEvent() const
{
    return withLock([](const SimDesktopParts &d) { return d.input.currentEvent(); });
}

void SimDesktop::disableEventTaps(InputEventType reason)
{
    const auto taps = withLock([](SimDesktopParts &d) { return d.input.disableAll(); });
    SimInput::tellDisabled(taps, reason, pointer());
}

// --- Failures and the log ----------------------------------------------------------

void SimDesktop::injectFailure(const SimFailure &failure)
{
    withLock([&](SimDesktopParts &d) { d.failures.inject(failure); });
}

void SimDesktop::clearFailures()
{
    withLock([](SimDesktopParts &d) { d.failures.clear(); });
}

std::optional<SimFailure> SimDesktop::takeFailure(const QString &operation, const QString &name, qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.failures.take(operation, name, pid); });
}

bool SimDesktop::refuses(const QString &operation, const QString &name, qint32 pid, const QVariant &detail)
{
    return withLock([&](SimDesktopParts &d) {
        const bool fails = d.failures.take(operation, name, pid).has_value();
        d.log.append({m_clock.monotonicMs(), operation, pid, name, detail, fails ? -1 : 0});
        return fails;
    });
}

void SimDesktop::log(const QString &operation, qint32 pid, const QString &name, const QVariant &detail, int result)
{
    withLock([&](SimDesktopParts &d) { d.log.append({m_clock.monotonicMs(), operation, pid, name, detail, result}); });
}

QList<SimRequest> SimDesktop::requests() const
{
    return withLock([](const SimDesktopParts &d) { return d.log.requests(); });
}

QList<SimRequest> SimDesktop::requests(const QString &operation) const
{
    return withLock([&](const SimDesktopParts &d) { return d.log.requests(operation); });
}

void SimDesktop::clearRequests()
{
    withLock([](SimDesktopParts &d) { d.log.clear(); });
}

bool SimDesktop::isRequestLogEnabled() const
{
    return withLock([](const SimDesktopParts &d) { return d.log.isEnabled(); });
}

void SimDesktop::setRequestLogEnabled(bool enabled)
{
    withLock([&](SimDesktopParts &d) { d.log.setEnabled(enabled); });
}

void SimDesktop::setRequestLogByteBudget(qsizetype bytes)
{
    withLock([&](SimDesktopParts &d) { d.log.setByteBudget(bytes); });
}

// --- For the views -----------------------------------------------------------------

void SimDesktop::later(qint64 delayMs, std::function<void()> job, QObject *context)
{
    m_host.schedule(delayMs, ReceiverGuard(context).guarded(std::move(job)));
}

bool SimDesktop::waitForAnswer(qint32 pid, qint64 timeoutMs)
{
    const SimLifecycle::Answer answer
        = withLock([&](const SimDesktopParts &d) { return d.lifecycle.answer(pid, timeoutMs); });
    // Never wait with the world locked: other threads go on meanwhile.
    if (answer.waitMs > 0 && m_blockingWait)
        m_blockingWait(answer.waitMs);
    return answer.answered;
}

AXElement SimDesktop::element(const SimNode &node)
{
    return withLock([&](SimDesktopParts &d) { return d.registry.element(node); });
}

std::optional<SimNode> SimDesktop::resolve(const AXElement &element) const
{
    return withLock([&](const SimDesktopParts &d) { return d.registry.resolve(element); });
}

bool SimDesktop::isLive(const SimNode &node) const
{
    return withLock([&](const SimDesktopParts &d) { return d.registry.isLive(node); });
}

AXElement SimDesktop::applicationElement(qint32 pid)
{
    return withLock([&](SimDesktopParts &d) { return d.registry.applicationElement(pid); });
}

AXElement SimDesktop::windowElement(quint32 number)
{
    return withLock([&](SimDesktopParts &d) { return d.registry.windowElement(number); });
}

double SimDesktop::messagingTimeout(const AXElement &element) const
{
    return withLock([&](const SimDesktopParts &d) { return d.registry.messagingTimeout(element); });
}

double SimDesktop::ownMessagingTimeout(const AXElement &element) const
{
    return withLock([&](const SimDesktopParts &d) { return d.registry.ownMessagingTimeout(element); });
}

void SimDesktop::setMessagingTimeout(const AXElement &element, double seconds)
{
    withLock([&](SimDesktopParts &d) { d.registry.setMessagingTimeout(element, seconds); });
}

bool SimDesktop::isOnScreen(const SimWindow &window) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.isOnScreen(window); });
}

std::optional<quint32> SimDesktop::focusedWindow(qint32 pid) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.focusedWindow(pid); });
}

QList<quint32> SimDesktop::accessibleWindows(qint32 pid) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.accessibleWindows(pid); });
}

RunningApplication SimDesktop::runningApplication(const SimProcess &process) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.runningApplication(process); });
}

QRectF SimDesktop::buttonFrame(const SimWindow &window, SimNode::Kind button)
{
    return SimWorld::buttonFrame(window, button);
}

std::optional<quint32> SimDesktop::windowForRemoteElement(qint32 pid, quint64 remoteElementId) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.windowForRemoteElement(pid, remoteElementId); });
}

std::optional<quint32> SimDesktop::windowAt(const QPointF &globalPoint) const
{
    return withLock([&](const SimDesktopParts &d) { return d.world.windowAt(globalPoint); });
}

quint64 SimDesktop::addObserver(qint32 pid, QObject *context, ObserverCallback callback)
{
    return withLock([&](SimDesktopParts &d) { return d.registry.addObserver(pid, context, std::move(callback)); });
}

void SimDesktop::removeObserver(quint64 observer)
{
    withLock([&](SimDesktopParts &d) { d.registry.removeObserver(observer); });
}

AXError SimDesktop::addObserverNotification(quint64 observer, const AXElement &element, const QString &name)
{
    return withLock([&](SimDesktopParts &d) { return d.registry.addNotification(observer, element, name); });
}

AXError SimDesktop::removeObserverNotification(quint64 observer, const AXElement &element, const QString &name)
{
    return withLock([&](SimDesktopParts &d) { return d.registry.removeNotification(observer, element, name); });
}

quint64 SimDesktop::addMouseTap(MouseTap tap)
{
    return withLock([&](SimDesktopParts &d) { return d.input.addMouseTap(std::move(tap)); });
}

quint64 SimDesktop::addKeyTap(KeyTap tap)
{
    return withLock([&](SimDesktopParts &d) { return d.input.addKeyTap(std::move(tap)); });
}

void SimDesktop::removeTap(quint64 tap)
{
    const std::shared_ptr<SimInput::TapGate> gate =
        withLock([&](SimDesktopParts &d) { return d.input.removeTap(tap); });
    // Outside the lock: a callback under way on another thread may be calling this desktop.
    if (gate)
        gate->close();
}

void SimDesktop::setTapEnabled(quint64 tap, bool enabled)
{
    withLock([&](SimDesktopParts &d) { d.input.setTapEnabled(tap, enabled); });
}

bool SimDesktop::isTapEnabled(quint64 tap) const
{
    return withLock([&](const SimDesktopParts &d) { return d.input.isTapEnabled(tap); });
}

void SimDesktop::postDistributedNotification(const QString &name, const QString &object, const QVariantMap &userInfo)
{
    m_host.schedule(0, [this, name, object, userInfo] { emit distributedNotificationPosted(name, object, userInfo); });
}

} // namespace Velmora::Sim
