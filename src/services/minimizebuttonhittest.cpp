#include "services/minimizebuttonhittest.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/messagingtimeoutscope.h"

#include <algorithm>

namespace Velmora {

std::optional<MinimizeButtonHitTest::WindowEntry> MinimizeButtonHitTest::windowEntry(const WindowListEntry &entry)
{
    if (entry.layer() != 0)
        return std::nullopt;
    const std::optional<quint32> number = entry.number();
    const std::optional<qint32> owner = entry.ownerPID();
    const std::optional<QRectF> bounds = entry.bounds();
    if (!number || !owner || !bounds || !isNormalSize(*bounds))
        return std::nullopt;
    return WindowEntry { *number, *owner, *bounds };
}

QList<MinimizeButtonHitTest::WindowEntry> MinimizeButtonHitTest::windowEntries(const QList<WindowListEntry> &list)
{
    QList<WindowEntry> entries;
    entries.reserve(list.size());
    for (const WindowListEntry &entry : list) {
        if (const std::optional<WindowEntry> window = windowEntry(entry))
            entries.append(*window);
    }
    return entries;
}

std::optional<qsizetype> MinimizeButtonHitTest::windowIndex(
    const QPointF &point, const QList<WindowEntry> &entries, qint32 processIdentifier)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const WindowEntry &entry = entries[i];
        if (!entry.bounds.contains(point))
            continue;
        // Only the frontmost window under the press counts: a press on a
        // window in front of the application's never reaches its buttons.
        const QRectF corner(entry.bounds.topLeft(), QSizeF(buttonCornerWidth, buttonCornerHeight));
        if (entry.processIdentifier != processIdentifier || !corner.contains(point))
            return std::nullopt;
        return i;
    }
    return std::nullopt;
}

std::optional<MinimizeButtonHitTest::WindowEntry> MinimizeButtonHitTest::windowBelow(
    qsizetype index, const QList<WindowEntry> &entries, qint32 ownProcess)
{
    if (index < 0 || index >= entries.size())
        return std::nullopt;
    const QRectF bounds = entries[index].bounds;
    std::optional<WindowEntry> first;
    for (qsizetype i = index + 1; i < entries.size(); ++i) {
        const WindowEntry &entry = entries[i];
        if (entry.processIdentifier == ownProcess)
            continue;
        if (entry.bounds.intersects(bounds))
            return entry;
        if (!first)
            first = entry;
    }
    return first;
}

std::optional<qint32> MinimizeButtonHitTest::processBelow(
    qsizetype index, const QList<WindowEntry> &entries, qint32 ownProcess)
{
    if (index < 0 || index >= entries.size())
        return std::nullopt;
    const qint32 owner = entries[index].processIdentifier;
    const QRectF bounds = entries[index].bounds;

    QList<qsizetype> candidates;
    for (qsizetype i = index + 1; i < entries.size(); ++i) {
        if (entries[i].processIdentifier != ownProcess)
            candidates.append(i);
    }

    for (qsizetype c = 0; c < candidates.size(); ++c) {
        const WindowEntry &below = entries[candidates[c]];
        if (!below.bounds.intersects(bounds))
            continue;
        if (below.processIdentifier == owner)
            return std::nullopt;
        // The application has another window in front of the one below, off
        // to the side, and that window itself overlaps a window of the
        // application below: the application's next window comes up there
        // first, and which application ends in front is not ours to tell.
        for (qsizetype e = 0; e < c; ++e) {
            const WindowEntry &earlier = entries[candidates[e]];
            if (earlier.processIdentifier != owner)
                continue;
            for (qsizetype k = candidates[e] + 1; k < entries.size(); ++k) {
                if (entries[k].processIdentifier == below.processIdentifier
                    && entries[k].bounds.intersects(earlier.bounds))
                    return std::nullopt;
            }
        }
        return below.processIdentifier;
    }

    if (candidates.isEmpty())
        return std::nullopt;
    const qint32 first = entries[candidates.first()].processIdentifier;
    const bool ownerHasAnother = std::any_of(candidates.cbegin(), candidates.cend(),
        [&](qsizetype i) { return entries[i].processIdentifier == owner; });
    if (first == owner || !ownerHasAnother)
        return std::nullopt;
    return first;
}

std::optional<RunningApplication> MinimizeButtonHitTest::applicationBelow(
    const Workspace &workspace, qsizetype index, const QList<WindowEntry> &entries)
{
    const std::optional<qint32> pid = processBelow(index, entries, workspace.currentProcessIdentifier());
    if (!pid)
        return std::nullopt;
    const std::optional<RunningApplication> application = workspace.application(*pid);
    if (!application || application->activationPolicy != ActivationPolicy::Regular || application->isTerminated)
        return std::nullopt;
    return application;
}

std::optional<MinimizeButtonHitTest::ButtonHit> MinimizeButtonHitTest::buttonFrame(
    Accessibility &accessibility, const QPointF &point, qint32 processIdentifier)
{
    // The short wait is this press's own: other callers reading the same
    // application keep theirs.
    MessagingTimeoutScope scope(accessibility, messagingTimeoutSeconds);
    const AXElement application = scope.limit(accessibility.applicationElement(processIdentifier));
    // The window server hands positions over in single precision.
    const QPointF position(float(point.x()), float(point.y()));
    const AXResult<AXElement> hit = accessibility.elementAtPosition(application, position);
    if (!hit.ok() || !hit.value() || hit.value()->isNull())
        return std::nullopt;
    const AXElement element = scope.limit(*hit.value());

    const std::optional<QString> subrole = AXReads::string(accessibility, element, AXNames::Subrole);
    Button button;
    if (subrole == AXNames::MinimizeButtonSubrole)
        button = Button::Minimize;
    else if (subrole == AXNames::CloseButtonSubrole)
        button = Button::Close;
    else
        return std::nullopt;

    const std::optional<QPointF> origin = AXReads::point(accessibility, element, AXNames::Position);
    const std::optional<QSizeF> size = AXReads::size(accessibility, element, AXNames::Size);
    if (!origin || !size)
        return std::nullopt;
    return ButtonHit { button, QRectF(*origin, *size) };
}

} // namespace Velmora
