#include "picker/windowpreviewcardframe.h"

#include "picker/model/windowpreviewcardmodel.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

constexpr qreal bodyRadius = 7;

// A soft shadow under a rounded body: layers widening by a point each, so
// the shade falls off towards the edge of the blur.
void paintShadow(QPainter &painter, const QRectF &body, const CardTransform &t)
{
    if (t.shadowOpacity <= 0)
        return;
    const int layers = std::max(1, int(std::ceil(t.shadowRadius)));
    const qreal perLayer = 1 - std::pow(1 - std::min(t.shadowOpacity, 0.99), 1.0 / layers);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, float(perLayer)));
    const QRectF base = body.translated(0, t.shadowOffsetY);
    for (int i = layers; i >= 1; --i) {
        const qreal grow = t.shadowRadius * i / layers;
        painter.drawRoundedRect(base.adjusted(-grow, -grow, grow, grow), bodyRadius + grow, bodyRadius + grow);
    }
    painter.restore();
}

} // namespace

QSize WindowPreviewCardFrame::bodySize()
{
    return WindowPreviewCardModel::size.toSize();
}

QMargins WindowPreviewCardFrame::overhang()
{
    // The lift grows the body by 4 % and tilts it by a degree; its shadow
    // reaches 10 points around a body 8 points lower.
    return QMargins(16, 12, 16, 24);
}

QSize WindowPreviewCardFrame::outerSize()
{
    const QMargins m = overhang();
    return bodySize() + QSize(m.left() + m.right(), m.top() + m.bottom());
}

WindowPreviewCardFrame::WindowPreviewCardFrame(
    Animator &animator, Scheduler &scheduler, qint64 appearDelayMs, bool hasAppeared, QWidget *parent)
    : QWidget(parent)
    , m_motion(animator, scheduler, appearDelayMs, hasAppeared)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(outerSize());
    connect(&m_motion, &WindowPreviewCardMotion::changed, this, [this] {
        updateMask();
        motionChanged();
        update();
    });
    updateMask();
}

WindowPreviewCardFrame::~WindowPreviewCardFrame() = default;

QRect WindowPreviewCardFrame::bodyRect() const
{
    return QRect(QPoint(overhang().left(), overhang().top()), bodySize());
}

void WindowPreviewCardFrame::placeBody(const QPoint &topLeft)
{
    move(topLeft - QPoint(overhang().left(), overhang().top()));
}

QPoint WindowPreviewCardFrame::bodyPosition() const
{
    return pos() + QPoint(overhang().left(), overhang().top());
}

bool WindowPreviewCardFrame::isSettled() const
{
    const CardTransform t = m_motion.transform();
    return !m_motion.isClosing() && t.opacity >= 0.999 && std::abs(t.offsetY) < 0.5;
}

QSize WindowPreviewCardFrame::sizeHint() const
{
    return outerSize();
}

void WindowPreviewCardFrame::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_motion.shown();
}

void WindowPreviewCardFrame::updateMask()
{
    const bool masked = !m_motion.transform().overhangs();
    if (masked == m_masked)
        return;
    m_masked = masked;
    if (masked)
        setMask(QRegion(bodyRect()));
    else
        clearMask();
}

void WindowPreviewCardFrame::paintEvent(QPaintEvent *)
{
    const CardTransform t = m_motion.transform();
    if (t.opacity <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(bodyRect());
    painter.translate(body.center() + QPointF(0, t.offsetY));
    painter.rotate(t.rotationDegrees);
    painter.scale(t.scale, t.scale);
    painter.translate(-body.width() / 2, -body.height() / 2);
    painter.setOpacity(t.opacity);
    paintShadow(painter, QRectF(QPointF(0, 0), body.size()), t);
    paintBody(painter);
}

} // namespace Velmora
