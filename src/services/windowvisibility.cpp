#include "services/windowvisibility.h"

namespace Velmora {

QList<QRectF> WindowVisibility::subtract(const QRectF &piece, const QRectF &cover)
{
    const QRectF d = piece.intersected(cover);
    if (d.isEmpty())
        return {piece};

    QList<QRectF> rest;
    const auto keep = [&rest](const QRectF &r) {
        if (!r.isEmpty())
            rest.append(r);
    };
    keep(QRectF(piece.left(), piece.top(), piece.width(), d.top() - piece.top()));
    keep(QRectF(piece.left(), d.bottom(), piece.width(), piece.bottom() - d.bottom()));
    keep(QRectF(piece.left(), d.top(), d.left() - piece.left(), d.height()));
    keep(QRectF(d.right(), d.top(), piece.right() - d.right(), d.height()));
    return rest;
}

bool WindowVisibility::isVisible(const QRectF &bounds, const QList<QRectF> &displays, const QList<QRectF> &behind)
{
    QList<QRectF> pieces;
    for (const QRectF &display : displays) {
        const QRectF piece = bounds.intersected(display);
        if (!piece.isEmpty())
            pieces.append(piece);
    }

    for (const QRectF &cover : behind) {
        if (pieces.isEmpty())
            break;
        QList<QRectF> next;
        next.reserve(pieces.size());
        for (const QRectF &piece : std::as_const(pieces))
            next.append(subtract(piece, cover));
        pieces = std::move(next);
    }
    return !pieces.isEmpty();
}

} // namespace Velmora
