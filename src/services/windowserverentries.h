#pragma once

#include <QHash>
#include <QList>
#include <QRectF>
#include <QSet>
#include <QString>

#include <optional>

namespace Velmora {

class WindowList;

// The window server's view of one application's windows: the entries a user
// would call windows (layer 0, at least the listing's minimum size), on or
// off screen, front to back.
class WindowServerEntries
{
public:
    struct Descriptor
    {
        quint32 id = 0;
        // Index in the complete list, counting entries of every process.
        qint64 frontToBackIndex = 0;
        QRectF bounds; // top-left origin, y down
        std::optional<QString> title;
        bool isOnScreen = false;
    };

    static constexpr double minimumWidth = 120;
    static constexpr double minimumHeight = 80;

    static bool meetsMinimumSize(double width, double height)
    {
        return width >= minimumWidth && height >= minimumHeight;
    }

    static QList<Descriptor> descriptors(const WindowList &windowList, qint32 processIdentifier);
    static QSet<quint32> windowNumbers(const WindowList &windowList, qint32 processIdentifier);
    // Window number to window name, for every entry of any process that has both.
    static QHash<quint32, QString> titles(const WindowList &windowList);
};

} // namespace Velmora
