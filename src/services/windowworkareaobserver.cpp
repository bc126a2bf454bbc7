#include "services/windowworkareaobserver.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/messagingtimeoutscope.h"
#include "services/servicelabels.h"

#include <QSet>

namespace Velmora {

WindowWorkAreaObserver::WindowWorkAreaObserver(Accessibility &accessibility, Workspace &workspace, const Clock &clock,
    Scheduler &scheduler, Handler handler, QObject *parent)
    : QObject(parent)
    , m_accessibility(accessibility)
    , m_workspace(workspace)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_handler(std::move(handler))
{
    // One thread: registrations run one after another, as they were asked for.
    m_registrationQueue.setObjectName(ServiceLabels::WindowWorkAreaObserverQueue);
    m_registrationQueue.setMaxThreadCount(1);
}

WindowWorkAreaObserver::~WindowWorkAreaObserver()
{
    // Observers go first, so no notification reaches this object while the
    // queue drains; adjustments still scheduled are dropped with it.
    removeAllObservers();
    m_registrationQueue.clear();
    m_registrationQueue.waitForDone();
}

bool WindowWorkAreaObserver::waitForRegistrations(int timeoutMs)
{
    return m_registrationQueue.waitForDone(timeoutMs);
}

std::optional<WindowWorkAreaObserver::WindowKey> WindowWorkAreaObserver::key(const AXElement &window) const
{
    const AXResult<qint32> pid = m_accessibility.processIdentifier(window);
    if (!pid.ok())
        return std::nullopt;
    return WindowKey { *pid.value(), window.hashValue() };
}

void WindowWorkAreaObserver::refreshApplications()
{
    if (!m_accessibility.isProcessTrusted()) {
        removeAllObservers();
        return;
    }

    const qint32 ownProcessIdentifier = m_workspace.currentProcessIdentifier();
    QList<RunningApplication> watched;
    for (const RunningApplication &application : m_workspace.runningApplications()) {
        if (application.activationPolicy == ActivationPolicy::Regular
            && application.processIdentifier != ownProcessIdentifier && !application.isTerminated)
            watched.append(application);
    }

    // A process identifier that now belongs to another launch needs a new
    // observer: the old one hears nothing from the new process.
    QHash<qint32, std::optional<qint64>> launches;
    for (const RunningApplication &application : std::as_const(watched))
        launches.insert(application.processIdentifier, application.launchDateMs);
    std::erase_if(m_observers, [&launches](const auto &entry) {
        const auto launch = launches.constFind(entry.first);
        return launch == launches.cend() || *launch != entry.second.launchDateMs;
    });

    for (const RunningApplication &application : std::as_const(watched)) {
        if (!m_observers.contains(application.processIdentifier))
            addObserver(application.processIdentifier, application.launchDateMs);
    }
}

void WindowWorkAreaObserver::removeAllObservers()
{
    m_observers.clear();
}

void WindowWorkAreaObserver::addObserver(qint32 processIdentifier, std::optional<qint64> launchDateMs)
{
    std::shared_ptr<AccessibilityObserver> observer = m_accessibility.createObserver(
        processIdentifier, this, [this, processIdentifier](const AXElement &element, const QString &notification) {
            windowEvent(processIdentifier, element, notification);
        });
    if (!observer)
        return;
    const AXElement application = m_accessibility.applicationElement(processIdentifier);
    // Not kept on failure: the next refresh tries again.
    if (observer->addNotification(application, AXNames::WindowCreated) != AXError::Success)
        return;
    m_observers.insert_or_assign(processIdentifier, Watched { launchDateMs, observer });

    // Windows that exist already are watched from now on, not adjusted now.
    QList<AXElement> windows;
    {
        MessagingTimeoutScope scope(m_accessibility, messagingTimeoutSeconds);
        windows = AXReads::elements(m_accessibility, scope.limit(application), AXNames::Windows)
                      .value_or(QList<AXElement>());
    }
    for (const AXElement &window : windows)
        observeGeometry(window, observer);
}

void WindowWorkAreaObserver::observeGeometry(
    const AXElement &window, const std::shared_ptr<AccessibilityObserver> &observer)
{
    m_registrationQueue.start([observer, window] { observer->addNotification(window, AXNames::Resized); });
}

void WindowWorkAreaObserver::windowEvent(
    qint32 processIdentifier, const AXElement &element, const QString &notification)
{
    if (notification == AXNames::WindowCreated) {
        const auto watched = m_observers.find(processIdentifier);
        if (watched != m_observers.end())
            observeGeometry(element, watched->second.observer);
        scheduleAdjustment(element);
    } else if (notification == AXNames::Resized) {
        scheduleAdjustment(element);
    }
}

void WindowWorkAreaObserver::scheduleAdjustment(const AXElement &window)
{
    const std::optional<WindowKey> windowKey = key(window);
    if (!windowKey)
        return;

    qint64 delayMs = settleDelayMs;
    const qint64 now = m_clock.monotonicMs();
    if (const auto suppressed = m_suppressedUntilMs.constFind(*windowKey); suppressed != m_suppressedUntilMs.cend()) {
        if (*suppressed > now)
            delayMs = std::max(*suppressed - now, settleDelayMs);
        else
            m_suppressedUntilMs.erase(suppressed);
    }

    const quint64 token = ++m_nextAdjustmentToken;
    m_pendingAdjustments.insert(*windowKey, token);
    m_scheduler.scheduleOnce(delayMs, this, [this, windowKey = *windowKey, token, window] {
        // A later event for the window took over.
        if (m_pendingAdjustments.value(windowKey) != token)
            return;
        if (m_suppressedUntilMs.value(windowKey, 0) > m_clock.monotonicMs()) {
            scheduleAdjustment(window);
            return;
        }
        m_suppressedUntilMs.remove(windowKey);
        m_pendingAdjustments.remove(windowKey);
        m_handler(window);
    });
}

void WindowWorkAreaObserver::suppressAdjustments(const AXElement &window, qint64 durationMs)
{
    const std::optional<WindowKey> windowKey = key(window);
    if (!windowKey)
        return;
    m_pendingAdjustments.remove(*windowKey);
    m_suppressedUntilMs.insert(*windowKey, m_clock.monotonicMs() + durationMs);
    scheduleAdjustment(window);
}

} // namespace Velmora
