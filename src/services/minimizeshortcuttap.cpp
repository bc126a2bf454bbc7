#include "services/minimizeshortcuttap.h"

#include "platform/eventtap.h"
#include "platform/workspace.h"
#include "services/servicelabels.h"

#include <QThread>

namespace Velmora {

namespace {

constexpr qsizetype characterLimit = 4;

} // namespace

// The tap's thread: it runs the body, whose last step is its own event loop.
// quit() ends that loop also when it comes before the loop has started.
class MinimizeShortcutTap::TapThread final : public QThread
{
public:
    explicit TapThread(std::function<void(TapThread &)> body)
        : m_body(std::move(body))
    {
    }

    using QThread::exec;

protected:
    void run() override { m_body(*this); }

private:
    std::function<void(TapThread &)> m_body;
};

MinimizeShortcutTap::MinimizeShortcutTap(EventTaps &eventTaps, Workspace &workspace,
    FrontWindowAboveOtherApplication frontWindowAboveOtherApplication, Handler handler, QObject *parent)
    : QObject(parent)
    , m_eventTaps(eventTaps)
    , m_workspace(workspace)
    , m_ownProcessIdentifier(workspace.currentProcessIdentifier())
    , m_frontWindowAboveOtherApplication(std::move(frontWindowAboveOtherApplication))
    , m_handler(std::move(handler))
{
}

MinimizeShortcutTap::~MinimizeShortcutTap()
{
    stop();
}

bool MinimizeShortcutTap::isTapInstalled() const
{
    QMutexLocker locker(&m_lock);
    return m_eventTap != nullptr;
}

bool MinimizeShortcutTap::isTapThreadRunning() const
{
    QMutexLocker locker(&m_lock);
    return m_thread && !m_tapThreadFinished;
}

void MinimizeShortcutTap::joinTapThread()
{
    m_thread->wait();
    // The thread's last step was under the lock: taking it here makes all it
    // did visible to this thread, for race checkers as for the hardware.
    QMutexLocker locker(&m_lock);
    m_thread.reset();
}

void MinimizeShortcutTap::setFrontmostProcessIdentifier(qint32 processIdentifier)
{
    QMutexLocker locker(&m_lock);
    m_frontmostProcessIdentifier = processIdentifier;
}

void MinimizeShortcutTap::start()
{
    if (m_thread) {
        if (isTapThreadRunning())
            return;
        // The last thread ended without a tap (the system refused it): this
        // start asks again instead of staying a no-op until the next stop().
        joinTapThread();
    }
    if (!m_eventTaps.preflightPostEventAccess())
        return;

    const std::optional<RunningApplication> frontmost = m_workspace.frontmostApplication();
    setFrontmostProcessIdentifier(frontmost ? frontmost->processIdentifier : 0);
    disconnect(m_activationObserver);
    m_activationObserver
        = connect(&m_workspace, &Workspace::applicationActivated, this, [this](const RunningApplication &application) {
              setFrontmostProcessIdentifier(application.processIdentifier);
          });

    quint64 generation = 0;
    {
        QMutexLocker locker(&m_lock);
        generation = ++m_generation;
        m_tapThreadFinished = false;
    }
    m_thread = std::make_unique<TapThread>([this, generation](TapThread &thread) {
        runTap(thread, generation);
        QMutexLocker locker(&m_lock);
        m_tapThreadFinished = true;
    });
    m_thread->setObjectName(ServiceLabels::MinimizeShortcutTapThread);
    m_thread->start(QThread::TimeCriticalPriority);
}

void MinimizeShortcutTap::stop()
{
    if (!m_thread)
        return;
    disconnect(m_activationObserver);
    {
        QMutexLocker locker(&m_lock);
        ++m_generation;
        // Off at once; the tap thread removes it once its loop has ended.
        if (m_eventTap)
            std::exchange(m_eventTap, nullptr)->setEnabled(false);
    }
    // Also ends a loop the thread has not entered yet: it then returns at once.
    m_thread->quit();
    joinTapThread();
}

void MinimizeShortcutTap::runTap(TapThread &thread, quint64 generation)
{
    std::unique_ptr<EventTap> tap = m_eventTaps.createKeyTap([this](const KeyEvent &event) { return handle(event); });
    if (!tap)
        return;

    {
        QMutexLocker locker(&m_lock);
        // stop() ran while the tap was being created: it must not stay.
        if (m_generation != generation)
            return;
        m_eventTap = tap.get();
    }
    tap->setEnabled(true);
    thread.exec();

    {
        QMutexLocker locker(&m_lock);
        if (m_eventTap == tap.get())
            m_eventTap = nullptr;
    }
    // The tap goes on the thread that made it.
    tap.reset();
}

EventTaps::KeyDecision MinimizeShortcutTap::handle(const KeyEvent &event)
{
    switch (event.type) {
    case InputEventType::TapDisabledByTimeout:
    case InputEventType::TapDisabledByUserInput: {
        QMutexLocker locker(&m_lock);
        if (m_eventTap)
            m_eventTap->setEnabled(true);
        return EventTaps::KeyDecision::Pass;
    }
    case InputEventType::KeyDown:
        break;
    default:
        return EventTaps::KeyDecision::Pass;
    }

    std::optional<Target> found = target(event);
    if (!found)
        return EventTaps::KeyDecision::Pass;
    // The store acts on the key once this callback has returned: it must
    // never hold up the user's typing.
    QMetaObject::invokeMethod(
        this,
        [this, event, found = std::move(*found)] {
            m_handler(event, found.shortcut, found.application, found.windowID);
        },
        Qt::QueuedConnection);
    return EventTaps::KeyDecision::Swallow;
}

QString MinimizeShortcutTap::character(const KeyEvent &event)
{
    return event.characters.left(characterLimit).toLower();
}

std::optional<MinimizeShortcutTap::Target> MinimizeShortcutTap::target(const KeyEvent &event) const
{
    // Command alone: Caps Lock, the keypad and function bits do not matter.
    if ((event.flags & examinedModifiers) != CommandFlag)
        return std::nullopt;
    // Holding the keys down repeats the command in the application.
    if (event.isAutorepeat)
        return std::nullopt;
    // The character, not the key code, so the shortcut follows the layout.
    const QString typed = character(event);
    Shortcut shortcut;
    if (typed == QLatin1String("m"))
        shortcut = Shortcut::minimize;
    else if (typed == QLatin1String("w"))
        shortcut = Shortcut::close;
    else
        return std::nullopt;

    qint32 frontmost = 0;
    {
        QMutexLocker locker(&m_lock);
        frontmost = m_frontmostProcessIdentifier;
    }
    if (frontmost == 0 || frontmost == m_ownProcessIdentifier)
        return std::nullopt;
    const std::optional<RunningApplication> application = m_workspace.application(frontmost);
    if (!application || application->activationPolicy != ActivationPolicy::Regular)
        return std::nullopt;
    if (!m_frontWindowAboveOtherApplication)
        return std::nullopt;
    const std::optional<quint32> windowID = m_frontWindowAboveOtherApplication(*application);
    if (!windowID)
        return std::nullopt;
    return Target { shortcut, *application, *windowID };
}

} // namespace Velmora
