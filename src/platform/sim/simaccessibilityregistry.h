#pragma once

#include "platform/axelement.h"
#include "platform/axerror.h"
#include "platform/sim/receiverguard.h"
#include "platform/sim/simnode.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace Velmora::Sim {

struct SimDesktopParts;
struct SimWindow;

// The accessibility elements handed out for the simulated world and the
// observers registered on them. An element is a token for a node; equal nodes
// get equal tokens, and a node stops being live when what it stands for goes
// (a later life of the same pid does not revive it).
class SimAccessibilityRegistry
{
public:
    using ObserverCallback = std::function<void(const AXElement &, const QString &)>;
    static constexpr double DefaultMessagingTimeoutSeconds = 6.0;

    explicit SimAccessibilityRegistry(SimDesktopParts &parts);

    AXElement element(const SimNode &node);
    std::optional<SimNode> resolve(const AXElement &element) const;
    bool isLive(const SimNode &node) const;
    AXElement applicationElement(qint32 pid);
    // Null when there is no such window.
    AXElement windowElement(quint32 number);
    // The node of a window of the world.
    SimNode windowNode(const SimWindow &window) const;

    // The time-out a call through this reference waits.
    double messagingTimeout(const AXElement &element) const;
    // The reference's own time-out; 0 when it has none and waits the default.
    double ownMessagingTimeout(const AXElement &element) const;
    // Set on one reference only, as on the desktop we model: another
    // reference to the same node keeps its own. On the system-wide element:
    // the time-out of every reference without its own.
    void setMessagingTimeout(const AXElement &element, double seconds);

    quint64 addObserver(qint32 pid, QObject *context, ObserverCallback callback);
    void removeObserver(quint64 observer);
    AXError addNotification(quint64 observer, const AXElement &element, const QString &name);
    AXError removeNotification(quint64 observer, const AXElement &element, const QString &name);

    // An observer hears its application's notifications for the element it
    // registered, and for every element of the application when it registered
    // on the application element; the callback gets the element the
    // notification is about (the new window, the destroyed one...). Nothing
    // is heard while this process is not trusted for accessibility.
    void notify(const SimNode &node, const QString &name);
    void notifyWindow(quint32 number, const QString &name);
    // "AXFocusedWindowChanged" and "AXMainWindowChanged" for every application
    // whose focused window changed, except those in `quiet`.
    void notifyFocusChanges(const QSet<qint32> &quiet);
    // Forgets which window an application had focused (it ended, or the world was cleared).
    void forgetFocus(qint32 pid) { m_lastFocused.remove(pid); }
    void forgetAllFocus() { m_lastFocused.clear(); }

private:
    struct Observer {
        qint32 pid = 0;
        ReceiverGuard receiver;
        ObserverCallback callback;
        QSet<QPair<quint64, QString>> registrations;
    };

    // Runs on the desktop's thread without the lock.
    void deliver(quint64 handle, const AXElement &source, const QPair<quint64, QString> &registration);

    SimDesktopParts &m_parts;
    QHash<SimNode, quint64> m_tokens;
    QHash<quint64, SimNode> m_nodes;
    quint64 m_nextToken = 1;
    // Every element handed out is a new reference.
    quint64 m_nextReference = 1;
    // By reference; only references with a time-out of their own.
    QHash<quint64, double> m_timeouts;
    double m_globalTimeout = DefaultMessagingTimeoutSeconds;
    QHash<quint64, Observer> m_observers;
    quint64 m_nextObserver = 1;
    QHash<qint32, quint32> m_lastFocused;
};

} // namespace Velmora::Sim
