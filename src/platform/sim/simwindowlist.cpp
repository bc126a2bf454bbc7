#include "platform/sim/simwindowlist.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimWindowList::SimWindowList(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

std::optional<QList<WindowListEntry>> SimWindowList::copyWindowInfo(quint32 options, quint32 relativeToWindow) const
{
    const QVariantMap detail{{QStringLiteral("options"), options}, {QStringLiteral("relativeTo"), relativeToWindow}};
    if (m_world.takeFailure(SimOperations::CopyWindowInfo, QString(), 0)) {
        m_world.log(SimOperations::CopyWindowInfo, 0, {}, detail, -1);
        return std::nullopt;
    }

    QList<WindowListEntry> entries = m_world.withLock([&](const SimDesktopParts &d) {
        return list(d.world, options, relativeToWindow);
    });
    m_world.log(SimOperations::CopyWindowInfo, 0, {}, detail, int(entries.size()));
    return entries;
}

bool SimWindowList::copyOnScreenStack(QList<WindowStackRow> &rows) const
{
    // Made once: converting the operation's name for every poll would allocate.
    static const QString operation = SimOperations::CopyWindowInfo;
    rows.clear();
    if (m_world.takeFailure(operation, QString(), 0)) {
        if (m_desktop.isRequestLogEnabled())
            m_world.log(operation, 0, {}, QVariantMap{{QStringLiteral("options"), OnScreenExceptDesktop}}, -1);
        return false;
    }
    const bool complete = m_world.withLock([&](const SimDesktopParts &d) {
        const SimWorld &world = d.world;
        for (quint32 number : world.unsortedStackingOrder()) {
            const SimWindow &w = *world.window(number);
            if (!w.windowListOverrides.isEmpty())
                return false;
            if (w.layer != 0 || !w.inWindowList || w.desktopElement || !world.isOnScreen(w))
                continue;
            rows.append(WindowStackRow{w.number, w.ownerPid, SimWorld::drawnFrame(w)});
        }
        return true;
    });
    if (!complete)
        return WindowList::copyOnScreenStack(rows);
    if (m_desktop.isRequestLogEnabled())
        m_world.log(operation, 0, {},
                      QVariantMap{{QStringLiteral("options"), OnScreenExceptDesktop},
                                  {QStringLiteral("relativeTo"), NoWindow}},
                      int(rows.size()));
    return true;
}

QList<WindowListEntry> SimWindowList::list(const SimWorld &world, quint32 options, quint32 relativeToWindow) const
{
    const bool namesVisible = world.permissions().screenCapture == SimPermission::Granted;
    const qint32 self = world.selfPid();
    // Listing is on the path of every refresh: the keys are made once, not
    // converted from their Latin-1 names for every field of every window.
    static const QString numberKey = WindowListEntry::NumberKey;
    static const QString ownerPIDKey = WindowListEntry::OwnerPIDKey;
    static const QString ownerNameKey = WindowListEntry::OwnerNameKey;
    static const QString layerKey = WindowListEntry::LayerKey;
    static const QString boundsKey = WindowListEntry::BoundsKey;
    static const QString alphaKey = WindowListEntry::AlphaKey;
    static const QString isOnscreenKey = WindowListEntry::IsOnscreenKey;
    static const QString nameKey = WindowListEntry::NameKey;
    auto entryOf = [&](const SimWindow &w, bool onScreen) {
        const SimProcess *owner = world.process(w.ownerPid);
        const QString ownerName = owner ? owner->name : QString();
        const bool named = namesVisible || w.ownerPid == self;
        // An entry is made of a dozen maps and values: a window that did not
        // change since the last listing gives the entry it gave then.
        const auto cached = m_cache.constFind(w.number);
        if (cached != m_cache.cend() && cached->onScreen == onScreen && cached->named == named
            && cached->ownerName == ownerName && cached->window == w)
            return cached->entry;
        QVariantMap fields;
        fields.insert(numberKey, w.number);
        fields.insert(ownerPIDKey, w.ownerPid);
        fields.insert(ownerNameKey, ownerName);
        fields.insert(layerKey, w.layer);
        fields.insert(boundsKey, WindowListEntry::boundsDictionary(SimWorld::drawnFrame(w)));
        fields.insert(alphaKey, w.alpha);
        // The window server leaves the on-screen flag out for windows that are not on screen.
        if (onScreen)
            fields.insert(isOnscreenKey, true);
        if (named)
            fields.insert(nameKey, w.title);
        for (auto it = w.windowListOverrides.cbegin(); it != w.windowListOverrides.cend(); ++it) {
            // An invalid or null value removes the field.
            if (it.value().isValid() && it.value().typeId() != QMetaType::Nullptr)
                fields.insert(it.key(), it.value());
            else
                fields.remove(it.key());
        }
        WindowListEntry entry(std::move(fields));
        m_cache.insert(w.number, {w, ownerName, onScreen, named, entry});
        return entry;
    };

    QList<const SimWindow *> windows;
    world.forEachWindow([&](const SimWindow &w) {
        if (w.inWindowList)
            windows.append(&w);
    });
    const bool excludeDesktop = options & WindowList::ExcludeDesktopElements;
    const bool onScreenOnly = options & (WindowList::OnScreenOnly | WindowList::OnScreenAboveWindow
                                         | WindowList::OnScreenBelowWindow);
    const bool relative = options & (WindowList::OnScreenAboveWindow | WindowList::OnScreenBelowWindow);
    const bool including = options & WindowList::IncludingWindow;

    qsizetype relativeIndex = -1;
    if (relative || including) {
        for (qsizetype i = 0; i < windows.size(); ++i) {
            if (windows[i]->number == relativeToWindow)
                relativeIndex = i;
        }
    }

    QList<WindowListEntry> entries;
    entries.reserve(windows.size());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const SimWindow &w = *windows[i];
        if (excludeDesktop && w.desktopElement)
            continue;
        const bool isRelative = i == relativeIndex;
        const bool onScreen = world.isOnScreen(w);
        if (relative || including) {
            if (relativeIndex < 0)
                break; // an unknown window has nothing in front of or behind it
            const bool above = (options & WindowList::OnScreenAboveWindow) && i < relativeIndex;
            const bool below = (options & WindowList::OnScreenBelowWindow) && i > relativeIndex;
            if (!(above || below || (including && isRelative)))
                continue;
            // The window itself is listed whether or not it is on screen.
            if (!isRelative && onScreenOnly && !onScreen)
                continue;
        } else if (onScreenOnly && !onScreen) {
            continue;
        }
        entries.append(entryOf(w, onScreen));
    }
    // Forget the windows that are gone, now and then rather than on every listing.
    if (m_cache.size() > world.windowCount() + 64) {
        for (auto it = m_cache.begin(); it != m_cache.end();)
            it = world.window(it.key()) ? std::next(it) : m_cache.erase(it);
    }
    return entries;
}

} // namespace Velmora::Sim
