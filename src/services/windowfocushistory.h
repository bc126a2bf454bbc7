#pragma once

#include "platform/accessibilityobserver.h"
#include "platform/axelement.h"
#include "platform/runningapplication.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace Velmora {

class Accessibility;
class Clock;
class WindowPreviewProvider;

// When each window of each running regular application last had focus, as a
// tick on a private counter that only counts up. The picker's "last used"
// order sorts by it.
//
// Focus changes come from one accessibility observer per application, from
// activation (the store asks for the newly active application's focused
// window) and from the taskbar itself: a window the user picks is recorded at
// once, and the application's own focus events are ignored for the next
// 4 seconds, because an application that is being activated often reports
// its previous window first.
//
// Main thread only. Reads that may block on another application (focused
// window, window numbers) run on a serial queue of their own.
class WindowFocusHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 pinDurationMs = 4000;

    WindowFocusHistory(Accessibility &accessibility, WindowPreviewProvider &provider, const Clock &clock,
                       QObject *parent = nullptr);
    ~WindowFocusHistory() override;

    // Keeps one observer per given application and forgets every other
    // process: its observer, its pin and its ticks. A pid that now belongs
    // to another launch counts as a new process.
    void refreshApplications(const QList<RunningApplication> &applications);
    // Reads the application's focused window off the main thread and records it.
    void recordFocusedWindow(qint32 processIdentifier);
    // A window the user picked: recorded under its preview id as given, and
    // its application's own focus events are ignored for a while.
    void recordRequested(const QString &previewID, qint32 processIdentifier);
    void record(quint32 windowID, qint32 processIdentifier);
    std::optional<quint64> recency(const QString &previewID) const;

    // Blocks until the lookup queue is idle; for shutdown and tests.
    bool waitForLookups(int timeoutMs = -1);

private:

    void forget(qint32 processIdentifier, bool dropTicks);
    void watch(const RunningApplication &application);
    // Runs `read` on the lookup queue and records its window number on the
    // main thread, unless the process has been replaced meanwhile.
    void lookUp(qint32 processIdentifier, std::function<std::optional<quint32>()> read);
    std::optional<qint64> launchDate(qint32 processIdentifier) const;

    Accessibility &m_accessibility;
    WindowPreviewProvider &m_provider;
    const Clock &m_clock;

    std::map<qint32, std::unique_ptr<AccessibilityObserver>> m_observers;
    // The launch each known pid belongs to, kept while trust is missing too,
    // so a pid reused meanwhile is noticed when observation resumes.
    QHash<qint32, std::optional<qint64>> m_launchDates;
    QHash<QString, quint64> m_focusTicks;
    quint64 m_tick = 0;
    QHash<qint32, qint64> m_pinnedUntilMs; // monotonic clock

    QThreadPool m_lookupQueue;
};

} // namespace Velmora
