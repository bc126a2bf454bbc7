#include "services/dockedge.h"

namespace Velmora::DockEdges {

const QList<DockEdge> &allCases()
{
    static const QList<DockEdge> cases { DockEdge::left, DockEdge::bottom, DockEdge::right };
    return cases;
}

QString rawValue(DockEdge edge)
{
    switch (edge) {
    case DockEdge::left:
        return QStringLiteral("left");
    case DockEdge::bottom:
        return QStringLiteral("bottom");
    case DockEdge::right:
        return QStringLiteral("right");
    }
    Q_UNREACHABLE();
}

std::optional<DockEdge> fromRawValue(const QString &raw)
{
    for (DockEdge edge : allCases()) {
        if (rawValue(edge) == raw)
            return edge;
    }
    return std::nullopt;
}

} // namespace Velmora::DockEdges
