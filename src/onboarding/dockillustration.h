#pragma once

#include "services/dockedge.h"

#include <QWidget>

namespace Velmora {

// A miniature screen, 128 by 80 points: the bar along its bottom in the
// accent colour and the Dock as a small bar at its left or right edge,
// faint when the Dock hides itself.
class DockIllustration : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize size{128, 80};

    DockIllustration(DockEdge edge, bool isDockHidden, QWidget *parent = nullptr);

    void set(DockEdge edge, bool isDockHidden);
    // Drawn at this scale around its centre (a hovered card grows it a little).
    void setScale(qreal scale);

    QSize sizeHint() const override { return size; }

    // The drawing itself, into `rect` (used by the cards as well).
    static void paint(QPainter &painter, const QRectF &rect, DockEdge edge, bool isDockHidden);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DockEdge m_edge;
    bool m_isDockHidden;
    qreal m_scale = 1;
};

} // namespace Velmora
