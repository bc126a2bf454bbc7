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

    // One read of a process's entries, looked up by number and by frame, so
    // that matching every window of an application against them costs one
    // pass over the entries rather than one per window.
    class Index
    {
    public:
        Index() = default;
        explicit Index(QList<Descriptor> descriptors);

        const QList<Descriptor> &descriptors() const { return m_descriptors; }
        // The front-most entry with that number.
        const Descriptor *find(quint32 number) const;
        // The entries whose minimum x, minimum y, width and height each lie
        // within `tolerance` of the frame's, front to back.
        QList<Descriptor> matchingFrame(const QRectF &frame, double tolerance) const;

    private:
        // Entries are filed under the whole points of their top-left corner;
        // a corner too far out to file is compared on every lookup.
        static std::optional<quint64> cell(double x, double y);

        QList<Descriptor> m_descriptors;
        QHash<quint32, qsizetype> m_byNumber;
        QMultiHash<quint64, qsizetype> m_byCorner;
        QList<qsizetype> m_unfiled;
    };

    static QList<Descriptor> descriptors(const WindowList &windowList, qint32 processIdentifier);
    static QSet<quint32> windowNumbers(const WindowList &windowList, qint32 processIdentifier);
    // Window number to window name, for every entry of any process that has both.
    static QHash<quint32, QString> titles(const WindowList &windowList);
};

} // namespace Velmora
