#pragma once

#include "platform/axelement.h"

#include <QHash>
#include <QHashFunctions>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace Velmora {

class Accessibility;
class AccessibilityObserver;
class Clock;
class Scheduler;
class Workspace;

// Watches every regular application for new windows and for windows being
// resized, and hands each window to its handler once its events have settled
// (0.2 s after the last one), so a window dragged into the taskbar's strip is
// put back once, not at every step of the drag.
//
// Main thread. Registering for a window's resize events may block on a slow
// application, so it happens on a serial queue of its own
// ("Velmora.WindowWorkAreaObserver"), which touches no field of this object.
class WindowWorkAreaObserver : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const AXElement &window)>;

    static constexpr qint64 settleDelayMs = 200;
    static constexpr double messagingTimeoutSeconds = 0.25;

    WindowWorkAreaObserver(Accessibility &accessibility, Workspace &workspace, const Clock &clock, Scheduler &scheduler,
        Handler handler, QObject *parent = nullptr);
    ~WindowWorkAreaObserver() override;

    // Watches exactly the running regular applications other than this one;
    // without accessibility trust, none.
    void refreshApplications();
    // Holds the window's adjustment back for `durationMs` (the taskbar is
    // about to move it itself); the window is looked at once that has passed.
    void suppressAdjustments(const AXElement &window, qint64 durationMs);

    // Blocks until the registration queue is idle; for shutdown and tests.
    bool waitForRegistrations(int timeoutMs = -1);

private:
    struct WindowKey
    {
        qint32 processIdentifier = 0;
        quint64 accessibilityHash = 0;
        friend bool operator==(const WindowKey &, const WindowKey &) = default;
        friend size_t qHash(const WindowKey &key, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, key.processIdentifier, key.accessibilityHash);
        }
    };
    struct Watched
    {
        std::optional<qint64> launchDateMs;
        // Shared with registrations still waiting on the queue.
        std::shared_ptr<AccessibilityObserver> observer;
    };

    std::optional<WindowKey> key(const AXElement &window) const;
    void addObserver(qint32 processIdentifier, std::optional<qint64> launchDateMs);
    void removeAllObservers();
    void observeGeometry(const AXElement &window, const std::shared_ptr<AccessibilityObserver> &observer);
    void scheduleAdjustment(const AXElement &window);
    void windowEvent(qint32 processIdentifier, const AXElement &element, const QString &notification);

    Accessibility &m_accessibility;
    Workspace &m_workspace;
    const Clock &m_clock;
    Scheduler &m_scheduler;
    Handler m_handler;

    std::map<qint32, Watched> m_observers;
    QHash<WindowKey, quint64> m_pendingAdjustments;
    // Monotonic time before which no adjustment may run.
    QHash<WindowKey, qint64> m_suppressedUntilMs;
    quint64 m_nextAdjustmentToken = 0;

    QThreadPool m_registrationQueue;
};

} // namespace Velmora
