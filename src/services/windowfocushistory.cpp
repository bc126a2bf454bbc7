#include "services/windowfocushistory.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/clock.h"
#include "services/servicelabels.h"
#include "services/windowpreviewid.h"
#include "services/windowpreviewprovider.h"

#include <QPointer>

namespace Velmora {

WindowFocusHistory::WindowFocusHistory(Accessibility &accessibility, WindowPreviewProvider &provider,
                                       const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_accessibility(accessibility)
    , m_provider(provider)
    , m_clock(clock)
{
    // One thread: lookups stay in the order they were asked for.
    m_lookupQueue.setObjectName(ServiceLabels::WindowFocusHistoryQueue);
    m_lookupQueue.setMaxThreadCount(1);
}

WindowFocusHistory::~WindowFocusHistory()
{
    // Observers go first so no callback arrives while the queue drains;
    // results posted back to this object are dropped with it.
    m_observers.clear();
    m_lookupQueue.clear();
    m_lookupQueue.waitForDone();
}

bool WindowFocusHistory::waitForLookups(int timeoutMs)
{
    return m_lookupQueue.waitForDone(timeoutMs);
}

std::optional<qint64> WindowFocusHistory::launchDate(qint32 processIdentifier) const
{
    return m_launchDates.value(processIdentifier);
}

void WindowFocusHistory::record(quint32 windowID, qint32 processIdentifier)
{
    const auto pin = m_pinnedUntilMs.constFind(processIdentifier);
    if (pin != m_pinnedUntilMs.constEnd()) {
        if (*pin > m_clock.monotonicMs())
            return;
        m_pinnedUntilMs.erase(pin);
    }
    m_focusTicks.insert(WindowPreviewId::forWindow(processIdentifier, windowID), ++m_tick);
}

void WindowFocusHistory::recordRequested(const QString &previewID, qint32 processIdentifier)
{
    m_focusTicks.insert(previewID, ++m_tick);
    m_pinnedUntilMs.insert(processIdentifier, m_clock.monotonicMs() + pinDurationMs);
}

std::optional<quint64> WindowFocusHistory::recency(const QString &previewID) const
{
    const auto it = m_focusTicks.constFind(previewID);
    if (it == m_focusTicks.constEnd())
        return std::nullopt;
    return *it;
}

void WindowFocusHistory::lookUp(qint32 processIdentifier, std::function<std::optional<quint32>()> read)
{
    const auto requestedLaunch = launchDate(processIdentifier);
    QPointer<WindowFocusHistory> self(this);
    m_lookupQueue.start([this, self, processIdentifier, requestedLaunch, read = std::move(read)] {
        const auto number = read();
        if (!number)
            return;
        // `self` is only handed back to the main thread, never dereferenced here.
        QMetaObject::invokeMethod(
            this,
            [self, processIdentifier, requestedLaunch, windowID = *number] {
                if (!self || self->launchDate(processIdentifier) != requestedLaunch)
                    return;
                self->record(windowID, processIdentifier);
            },
            Qt::QueuedConnection);
    });
}

void WindowFocusHistory::recordFocusedWindow(qint32 processIdentifier)
{
    lookUp(processIdentifier, [this, processIdentifier]() -> std::optional<quint32> {
        const AXElement application = m_accessibility.applicationElement(processIdentifier);
        const auto window =
            m_accessibility.copyAttributeValue(application, AXNames::FocusedWindow).valueOr({}).toElement();
        if (!window)
            return std::nullopt;
        return m_provider.accessibilityWindowID(*window);
    });
}

void WindowFocusHistory::forget(qint32 processIdentifier, bool dropTicks)
{
    m_pinnedUntilMs.remove(processIdentifier);
    m_observers.erase(processIdentifier);
    if (!dropTicks)
        return;
    m_launchDates.remove(processIdentifier);
    const QString prefix = WindowPreviewId::processPrefix(processIdentifier);
    m_focusTicks.removeIf([&prefix](const auto &entry) { return entry.key().startsWith(prefix); });
}

void WindowFocusHistory::watch(const RunningApplication &application)
{
    const qint32 pid = application.processIdentifier;
    auto observer = m_accessibility.createObserver(
        pid, this, [this, pid](const AXElement &element, const QString &) {
            // The notification names the newly focused window; a source that
            // names the application instead gets its focused window read.
            if (element == m_accessibility.applicationElement(pid)) {
                recordFocusedWindow(pid);
                return;
            }
            lookUp(pid, [this, element] { return m_provider.accessibilityWindowID(element); });
        });
    if (!observer)
        return;
    const AXError error =
        observer->addNotification(m_accessibility.applicationElement(pid), AXNames::FocusedWindowChanged);
    if (error != AXError::Success)
        return;
    m_observers.emplace(pid, std::move(observer));
    recordFocusedWindow(pid);
}

void WindowFocusHistory::refreshApplications(const QList<RunningApplication> &applications)
{
    if (!m_accessibility.isProcessTrusted()) {
        QList<qint32> watched;
        for (const auto &[pid, _] : m_observers)
            watched.append(pid);
        for (qint32 pid : std::as_const(watched))
            forget(pid, false);
        return;
    }

    QHash<qint32, std::optional<qint64>> current;
    for (const RunningApplication &application : applications)
        current.insert(application.processIdentifier, application.launchDateMs);

    QSet<qint32> known(m_launchDates.keyBegin(), m_launchDates.keyEnd());
    for (const auto &[pid, _] : m_observers)
        known.insert(pid);
    for (qint32 pid : std::as_const(known)) {
        const auto now = current.constFind(pid);
        if (now == current.constEnd() || (m_launchDates.contains(pid) && *now != m_launchDates.value(pid)))
            forget(pid, true);
    }
    // Picks and their pins may belong to processes never watched.
    m_pinnedUntilMs.removeIf([&current](const auto &entry) { return !current.contains(entry.key()); });
    // Ticks may also come from picks of processes never watched.
    m_focusTicks.removeIf([&current](const auto &entry) {
        const QString &key = entry.key();
        const qsizetype colon = key.indexOf(QLatin1Char(':'));
        bool ok = false;
        const qint32 pid = colon > 0 ? key.left(colon).toInt(&ok) : 0;
        return !ok || !current.contains(pid);
    });

    for (const RunningApplication &application : applications) {
        m_launchDates.insert(application.processIdentifier, application.launchDateMs);
        if (!m_observers.contains(application.processIdentifier))
            watch(application);
    }
}

} // namespace Velmora
