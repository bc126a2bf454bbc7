#pragma once

#include "platform/sim/simwindow.h"
#include "platform/windowlist.h"

#include <QHash>
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

class SimDesktop;
class SimWorld;

// The window server's list, derived from the simulated desktop's world.
// Window names are given only with the screen-recording permission (or for
// this process's own windows), as the window server does. A test can replace
// single fields of an entry (SimWindow::windowListOverrides) or make the whole
// call fail (SimOperations::CopyWindowInfo: no list).
class SimWindowList final : public WindowList
{
public:
    explicit SimWindowList(SimDesktopAccess world);

    std::optional<QList<WindowListEntry>> copyWindowInfo(quint32 options, quint32 relativeToWindow) const override;
    // Reads the world directly, without making entries; allocates nothing
    // while the request log is off and `rows` has room. Windows with replaced
    // fields take the way through copyWindowInfo, so tests of wrong types
    // see the same rows either way.
    bool copyOnScreenStack(QList<WindowStackRow> &rows) const override;

private:
    struct CachedEntry {
        SimWindow window;
        QString ownerName;
        bool onScreen = false;
        bool named = false;
        WindowListEntry entry;
    };

    // The entries of a request, read from the world with the lock held.
    QList<WindowListEntry> list(const SimWorld &world, quint32 options, quint32 relativeToWindow) const;

    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
    // The last entry of each window, kept with what it was made from; used
    // only with the desktop's lock held.
    mutable QHash<quint32, CachedEntry> m_cache;
};

} // namespace Velmora::Sim
