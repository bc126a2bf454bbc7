#pragma once

#include "platform/scheduler.h"

#include <QLatin1String>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace Velmora {

class Accessibility;
class AccessibilityObserver;
class WindowList;
class Workspace;

// Tells whether Finder has any window at all: the bar shows Finder as
// running only while it has one. Finder's window events are answered at
// once and again 0.3 s after the last of a burst, since Finder reports a
// window before the window server lists it (and after it is gone).
//
// Whether Finder has windows comes from the window server's list, which
// needs no accessibility permission; the events only make the answer come
// sooner. Main thread.
class FinderWindowWatcher : public QObject
{
    Q_OBJECT
public:
    using OnChange = std::function<void(bool hasWindows)>;

    static constexpr QLatin1String finderBundleIdentifier { "com.apple.finder" };
    static constexpr qint64 recheckDelayMs = 300;

    // Reads the answer, then refreshes: `onChange` runs from here only when
    // the answer changed in between.
    FinderWindowWatcher(Accessibility &accessibility, const WindowList &windowList, const Workspace &workspace,
        Scheduler &scheduler, OnChange onChange, QObject *parent = nullptr);
    ~FinderWindowWatcher() override;

    // Follows a new Finder process and re-reads the answer; `onChange` runs
    // only when it changed.
    void refresh();
    bool hasWindows() const { return m_hasWindows; }

private:
    std::optional<qint32> finderProcessIdentifier() const;
    bool windowsOf(qint32 processIdentifier) const;
    void attach(qint32 processIdentifier);
    void detach();
    void windowsMayHaveChanged();

    Accessibility &m_accessibility;
    const WindowList &m_windowList;
    const Workspace &m_workspace;
    Scheduler &m_scheduler;
    OnChange m_onChange;

    std::unique_ptr<AccessibilityObserver> m_observer;
    std::optional<qint32> m_observedProcessIdentifier;
    std::optional<Scheduler::JobId> m_pendingRecheck;
    bool m_hasWindows = false;
};

} // namespace Velmora
