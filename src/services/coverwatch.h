#pragma once

#include "platform/axelement.h"
#include "services/minimizebuttonhittest.h"
#include "services/windowstack.h"

#include <QList>
#include <QMutex>

#include <optional>

namespace Velmora {

struct WatchServices;

// The watch that follows a focus, a press in a flyout or an activation for
// a menu command: for 1.5 s it polls the on-screen stack every 2 ms, and
// whenever a sibling has risen in front of a window that covered it, raises
// the covering windows again, deepest first, at most once per 10 ms. It ends
// early when a newer watch starts or the user clicks or types.
class CoverWatch
{
public:
    // A window of another application that covered one of the siblings.
    struct Cover
    {
        quint32 window = 0;
        qint32 processIdentifier = 0;
        quint32 sibling = 0;
        // The covering window's index in the stack the covers came from; 0 is the front.
        qsizetype depth = 0;
        friend bool operator==(const Cover &, const Cover &) = default;
    };

    // Which watch is the newest; the one thing a cover watch shares with the main thread.
    class Generation
    {
    public:
        quint64 advance();
        bool isCurrent(quint64 generation) const;

    private:
        mutable QMutex m_lock;
        quint64 m_value = 0;
    };

    static constexpr qint64 durationMs = 1500;
    static constexpr qint64 pollIntervalMs = 2;
    static constexpr qint64 burstIntervalMs = 10;

    // Every window in front of one of the application's windows (but
    // `excluded`) that overlaps it by at least a point each way and belongs
    // neither to the application nor to `ownProcess`; by sibling, then by depth.
    static QList<Cover> covers(const QList<MinimizeButtonHitTest::WindowEntry> &entries, qint32 processIdentifier,
        qint32 ownProcess, std::optional<quint32> excluded);
    // The covering windows that a sibling now stands in front of, deepest
    // first, each once: raising them in this order restores their order.
    static QList<quint32> coversToRestore(const QList<Cover> &covers, const QList<WindowStack::Entry> &rows);

    CoverWatch(const WatchServices &services, const Generation &generation, quint64 myGeneration,
        QList<Cover> covers, std::optional<AXElement> keepingInFront);

    // The watch's thread body.
    void run();

private:
    const WatchServices &m_services;
    const Generation &m_generation;
    quint64 m_myGeneration = 0;
    QList<Cover> m_covers;
    std::optional<AXElement> m_keepingInFront;
};

} // namespace Velmora
