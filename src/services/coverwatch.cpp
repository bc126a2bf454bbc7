#include "services/coverwatch.h"

#include "platform/clock.h"
#include "platform/eventtaps.h"
#include "services/watchservices.h"
#include "services/watchthreads.h"

#include <QMutexLocker>

#include <algorithm>
#include <limits>

namespace Velmora {

namespace {

constexpr qint64 distantPastMs = std::numeric_limits<qint64>::min() / 2;

// The covers sorted deepest first, stably: the order of any selection of them.
QList<CoverWatch::Cover> deepestFirst(QList<CoverWatch::Cover> covers)
{
    std::stable_sort(covers.begin(), covers.end(),
        [](const CoverWatch::Cover &a, const CoverWatch::Cover &b) { return a.depth > b.depth; });
    return covers;
}

// coversToRestore over covers already sorted deepest first, into `raise`,
// which keeps its capacity: no allocation once it holds every cover.
void restoreOrder(const QList<CoverWatch::Cover> &sorted, const QList<WindowStack::Entry> &rows, QList<quint32> &raise)
{
    raise.clear();
    for (const CoverWatch::Cover &cover : sorted) {
        const qsizetype sibling = WindowStack::indexOf(rows, cover.sibling);
        const qsizetype window = WindowStack::indexOf(rows, cover.window);
        if (sibling < 0 || window < 0 || sibling >= window)
            continue;
        if (!raise.contains(cover.window))
            raise.append(cover.window);
    }
}

// The user pressed a mouse button or a key since `startMs`: whatever the
// watch would raise now might undo what the user just did.
bool userInput(const EventTaps &eventTaps, qint64 startMs, qint64 nowMs)
{
    const double elapsed = double(nowMs - startMs) / 1000.0;
    for (const InputEventType type : { InputEventType::LeftMouseDown, InputEventType::RightMouseDown,
             InputEventType::OtherMouseDown, InputEventType::KeyDown }) {
        if (eventTaps.secondsSinceLastEvent(type) < elapsed)
            return true;
    }
    return false;
}

} // namespace

quint64 CoverWatch::Generation::advance()
{
    const QMutexLocker locker(&m_lock);
    return ++m_value;
}

bool CoverWatch::Generation::isCurrent(quint64 generation) const
{
    const QMutexLocker locker(&m_lock);
    return m_value == generation;
}

QList<CoverWatch::Cover> CoverWatch::covers(const QList<MinimizeButtonHitTest::WindowEntry> &entries,
    qint32 processIdentifier, qint32 ownProcess, std::optional<quint32> excluded)
{
    QList<Cover> found;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const MinimizeButtonHitTest::WindowEntry &sibling = entries[i];
        if (sibling.processIdentifier != processIdentifier || sibling.windowID == excluded)
            continue;
        for (qsizetype j = 0; j < i; ++j) {
            const MinimizeButtonHitTest::WindowEntry &cover = entries[j];
            if (cover.processIdentifier == processIdentifier || cover.processIdentifier == ownProcess)
                continue;
            const QRectF overlap = cover.bounds.intersected(sibling.bounds);
            if (overlap.width() >= 1 && overlap.height() >= 1)
                found.append(Cover { cover.windowID, cover.processIdentifier, sibling.windowID, j });
        }
    }
    return found;
}

QList<quint32> CoverWatch::coversToRestore(const QList<Cover> &covers, const QList<WindowStack::Entry> &rows)
{
    QList<quint32> raise;
    restoreOrder(deepestFirst(covers), rows, raise);
    return raise;
}

CoverWatch::CoverWatch(const WatchServices &services, const Generation &generation, quint64 myGeneration,
    QList<Cover> covers, std::optional<AXElement> keepingInFront)
    : m_services(services)
    , m_generation(generation)
    , m_myGeneration(myGeneration)
    , m_covers(std::move(covers))
    , m_keepingInFront(std::move(keepingInFront))
{
}

void CoverWatch::run()
{
    const Clock &clock = m_services.threads.clock();
    const qint64 startMs = clock.monotonicMs();

    // Every accessibility lookup happens once, here: the loop below only
    // reads the stack and raises.
    QList<std::pair<quint32, AXElement>> elements;
    for (const Cover &cover : std::as_const(m_covers)) {
        if (std::any_of(elements.cbegin(), elements.cend(), [&](const auto &e) { return e.first == cover.window; }))
            continue;
        if (const std::optional<AXElement> element
            = m_services.accessibilityWindow(cover.window, cover.processIdentifier))
            elements.append({ cover.window, *element });
    }
    if (elements.isEmpty())
        return;

    const QList<Cover> sorted = deepestFirst(m_covers);
    WindowStack::Reading reading;
    reading.reserve(64);
    QList<quint32> raise;
    raise.reserve(sorted.size());
    qint64 lastBurstMs = distantPastMs;

    for (qint64 nowMs = startMs; nowMs - startMs < durationMs; nowMs = clock.monotonicMs()) {
        if (!m_generation.isCurrent(m_myGeneration))
            return;
        const QList<WindowStack::Entry> &rows = m_services.stack.readStack(reading);
        restoreOrder(sorted, rows, raise);
        if (!raise.isEmpty() && nowMs - lastBurstMs > burstIntervalMs) {
            if (userInput(m_services.eventTaps, startMs, nowMs) || !m_generation.isCurrent(m_myGeneration))
                return;
            lastBurstMs = nowMs;
            for (const quint32 window : std::as_const(raise)) {
                for (const auto &[number, element] : std::as_const(elements)) {
                    if (number == window) {
                        m_services.raise(element);
                        break;
                    }
                }
            }
            if (m_keepingInFront)
                m_services.raiseSoon(*m_keepingInFront);
        }
        m_services.threads.sleepMs(pollIntervalMs);
    }
}

} // namespace Velmora
