#pragma once

#include <QHashFunctions>
#include <QList>

namespace Velmora::Sim {

// What an accessibility element of the simulated desktop stands for. Equal
// nodes get equal element handles; a node of a process that has ended, or of
// a window that was destroyed, no longer resolves.
struct SimNode {
    enum class Kind {
        SystemWide,
        Application,
        Window,
        CloseButton,
        MinimizeButton,
        ZoomButton,
        TabGroup,
        Tab,   // `index` is the tab's position
        Sheet,
        MenuBar,
        MenuItem, // `path` leads from the menu bar to a top-level item, an item or a submenu
        Menu,     // the menu below the item at `path`
        DockList,
        DockItem, // a minimized window's tile in the Dock: `window` is the window
    };

    SimNode() = default;
    SimNode(Kind kind, qint32 pid = 0, quint64 life = 0, quint32 window = 0, int index = 0, QList<int> path = {})
        : kind(kind)
        , pid(pid)
        , life(life)
        , window(window)
        , index(index)
        , path(std::move(path))
    {
    }

    Kind kind = Kind::SystemWide;
    qint32 pid = 0;
    quint64 life = 0;
    quint32 window = 0;
    int index = 0;
    QList<int> path;

    friend bool operator==(const SimNode &, const SimNode &) = default;
};

inline size_t qHash(const SimNode &node, size_t seed = 0) noexcept
{
    return qHashMulti(seed, int(node.kind), node.pid, node.life, node.window, node.index, node.path);
}

} // namespace Velmora::Sim
