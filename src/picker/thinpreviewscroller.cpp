#include "picker/thinpreviewscroller.h"

#include "picker/model/windowpreviewscrollermodel.h"

#include <QMouseEvent>

namespace Velmora {

ThinPreviewScroller::ThinPreviewScroller(WindowPreviewScrollerModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedHeight(height);
}

std::optional<QRectF> ThinPreviewScroller::knobRect() const
{
    const std::optional<QRectF> knob = m_model.knobRect(QRectF(QPointF(0, 0), QSizeF(size())));
    return knob;
}

void ThinPreviewScroller::mousePressEvent(QMouseEvent *event)
{
    const std::optional<QRectF> knob = knobRect();
    if (event->button() != Qt::LeftButton || !knob) {
        event->ignore();
        return;
    }
    const qreal x = event->position().x();
    // The knob's grab area is the whole bar's height, and its inset edges.
    const qreal inset = WindowPreviewScrollerModel::knobInset;
    if (x >= knob->left() - inset && x <= knob->right() + inset) {
        m_pressX = x;
        m_pressOffset = m_model.offset();
    } else {
        const qreal page = m_model.visibleWidth();
        m_model.scrollTo(m_model.offset() + (x < knob->left() ? -page : page));
    }
    event->accept();
}

void ThinPreviewScroller::mouseMoveEvent(QMouseEvent *event)
{
    const std::optional<QRectF> knob = knobRect();
    if (!m_pressX || !knob)
        return;
    // The knob travels the bar less its own length while the strip travels
    // its whole scroll range.
    const qreal travel = width() - (knob->width() + 2 * WindowPreviewScrollerModel::knobInset);
    if (travel <= 0)
        return;
    const qreal moved = event->position().x() - *m_pressX;
    m_model.scrollTo(m_pressOffset + moved * m_model.maxOffset() / travel);
}

void ThinPreviewScroller::mouseReleaseEvent(QMouseEvent *)
{
    m_pressX.reset();
}

} // namespace Velmora
