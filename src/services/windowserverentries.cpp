#include "services/windowserverentries.h"

#include "platform/windowlist.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Velmora {

namespace {

bool within(double a, double b, double tolerance)
{
    return std::abs(a - b) <= tolerance;
}

bool framesMatch(const QRectF &a, const QRectF &b, double tolerance)
{
    return within(a.x(), b.x(), tolerance) && within(a.y(), b.y(), tolerance) && within(a.width(), b.width(), tolerance)
        && within(a.height(), b.height(), tolerance);
}

// A frame lookup visits (2 * reach + 1)^2 cells at most; a wider tolerance
// compares every entry instead.
constexpr double largestFiledTolerance = 4;

} // namespace

WindowServerEntries::Index::Index(QList<Descriptor> descriptors)
    : m_descriptors(std::move(descriptors))
{
    for (qsizetype i = 0; i < m_descriptors.size(); ++i) {
        const Descriptor &d = m_descriptors[i];
        if (!m_byNumber.contains(d.id))
            m_byNumber.insert(d.id, i);
        if (const auto key = cell(d.bounds.x(), d.bounds.y()))
            m_byCorner.insert(*key, i);
        else
            m_unfiled.append(i);
    }
}

std::optional<quint64> WindowServerEntries::Index::cell(double x, double y)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    constexpr double limit = std::numeric_limits<qint32>::max() / 2;
    if (!(std::abs(fx) < limit && std::abs(fy) < limit))
        return std::nullopt;
    return (quint64(quint32(qint32(fx))) << 32) | quint32(qint32(fy));
}

const WindowServerEntries::Descriptor *WindowServerEntries::Index::find(quint32 number) const
{
    const auto it = m_byNumber.constFind(number);
    return it == m_byNumber.cend() ? nullptr : &m_descriptors[*it];
}

QList<WindowServerEntries::Descriptor> WindowServerEntries::Index::matchingFrame(
    const QRectF &frame, double tolerance) const
{
    QList<qsizetype> hits;
    const auto consider = [&](qsizetype i) {
        if (framesMatch(m_descriptors[i].bounds, frame, tolerance))
            hits.append(i);
    };
    const bool filed = tolerance >= 0 && tolerance <= largestFiledTolerance
        && cell(frame.x() - tolerance, frame.y() - tolerance) && cell(frame.x() + tolerance, frame.y() + tolerance);
    if (filed) {
        const double firstX = std::floor(frame.x() - tolerance);
        const double firstY = std::floor(frame.y() - tolerance);
        for (double x = firstX; x <= frame.x() + tolerance; ++x) {
            for (double y = firstY; y <= frame.y() + tolerance; ++y) {
                const quint64 key = *cell(x, y);
                for (auto it = m_byCorner.constFind(key); it != m_byCorner.cend() && it.key() == key; ++it)
                    consider(*it);
            }
        }
        for (qsizetype i : m_unfiled)
            consider(i);
        std::sort(hits.begin(), hits.end());
    } else {
        for (qsizetype i = 0; i < m_descriptors.size(); ++i)
            consider(i);
    }

    QList<Descriptor> result;
    result.reserve(hits.size());
    for (qsizetype i : std::as_const(hits))
        result.append(m_descriptors[i]);
    return result;
}

QList<WindowServerEntries::Descriptor> WindowServerEntries::descriptors(
    const WindowList &windowList, qint32 processIdentifier)
{
    QList<Descriptor> result;
    const auto entries = windowList.copyWindowInfo(WindowList::AllExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return result;

    qint64 index = -1;
    for (const WindowListEntry &entry : *entries) {
        ++index;
        if (entry.ownerPID() != processIdentifier || entry.layer() != 0)
            continue;
        const auto number = entry.number();
        const auto bounds = entry.bounds();
        if (!number || !bounds || !meetsMinimumSize(bounds->width(), bounds->height()))
            continue;
        result.append(Descriptor { *number, index, *bounds, entry.name(), entry.isOnscreen().value_or(false) });
    }
    return result;
}

QSet<quint32> WindowServerEntries::windowNumbers(const WindowList &windowList, qint32 processIdentifier)
{
    QSet<quint32> numbers;
    for (const Descriptor &d : descriptors(windowList, processIdentifier))
        numbers.insert(d.id);
    return numbers;
}

QHash<quint32, QString> WindowServerEntries::titles(const WindowList &windowList)
{
    QHash<quint32, QString> result;
    const auto entries = windowList.copyWindowInfo(WindowList::AllExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return result;
    for (const WindowListEntry &entry : *entries) {
        const auto number = entry.number();
        const auto name = entry.name();
        if (number && name)
            result.insert(*number, *name);
    }
    return result;
}

} // namespace Velmora
