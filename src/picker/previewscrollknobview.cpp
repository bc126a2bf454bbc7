#include "picker/previewscrollknobview.h"

#include "picker/model/windowpreviewscrollermodel.h"

#include <QPainter>

namespace Velmora {

PreviewScrollKnobView::PreviewScrollKnobView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PreviewScrollKnobView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor colour = palette().color(QPalette::WindowText);
    colour.setAlphaF(float(labelAlpha));
    painter.setBrush(colour);
    const qreal radius = WindowPreviewScrollerModel::knobRadius;
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
}

} // namespace Velmora
