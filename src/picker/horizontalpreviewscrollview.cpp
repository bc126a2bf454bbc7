#include "picker/horizontalpreviewscrollview.h"

#include "picker/model/windowpreviewscrollermodel.h"
#include "picker/model/windowpreviewstripmodel.h"
#include "picker/previewscrollknobview.h"
#include "picker/thinpreviewscroller.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace Velmora {

HorizontalPreviewScrollView::HorizontalPreviewScrollView(WindowPreviewScrollerModel &model, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_model(model)
    , m_scroller(new ThinPreviewScroller(model, this))
    , m_knob(new PreviewScrollKnobView(this))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    // No background of its own: the picker's shows through.
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    m_scroller->hide();
    m_knob->hide();
    connect(&m_model, &WindowPreviewScrollerModel::geometryChanged, this, &HorizontalPreviewScrollView::reflect);
    // Whoever scrolls the area the generic way scrolls the model.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_reflecting && std::lround(m_model.offset()) != value)
            m_model.scrollTo(value);
    });
    reflect();
}

HorizontalPreviewScrollView::~HorizontalPreviewScrollView() = default;

void HorizontalPreviewScrollView::setDocument(QWidget *document)
{
    if (m_document || !document)
        return;
    m_document = document;
    document->setParent(viewport());
    document->show();
    reflect();
}

void HorizontalPreviewScrollView::reflect()
{
    m_reflecting = true;
    const bool scroller = m_model.showsScroller();
    setViewportMargins(0, 0, 0, scroller ? ThinPreviewScroller::height : 0);
    const int offset = int(std::lround(m_model.offset()));
    if (m_document) {
        m_document->setGeometry(-offset, 0, int(std::lround(m_model.documentWidth())),
            int(WindowPreviewStripModel::height));
    }
    QScrollBar *bar = horizontalScrollBar();
    bar->setRange(0, int(std::lround(m_model.maxOffset())));
    bar->setPageStep(std::max(1, int(m_model.visibleWidth())));
    bar->setValue(offset);
    layOutScroller();
    m_reflecting = false;
}

void HorizontalPreviewScrollView::layOutScroller()
{
    const QRectF bar = WindowPreviewScrollerModel::scrollerRect(QSizeF(size()));
    m_scroller->setGeometry(bar.toAlignedRect());
    m_scroller->setVisible(m_model.showsScroller());
    m_scroller->raise();
    const std::optional<QRectF> knob = m_scroller->knobRect();
    if (!m_model.showsScroller() || !knob) {
        m_knob->hide();
        return;
    }
    m_knob->setGeometry(knob->translated(bar.topLeft()).toRect());
    m_knob->show();
    m_knob->raise();
}

void HorizontalPreviewScrollView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_model.setVisibleWidth(viewport()->width());
    reflect();
}

bool HorizontalPreviewScrollView::viewportEvent(QEvent *event)
{
    // The viewport's size follows the margins, which follow the model.
    if (event->type() == QEvent::Resize)
        m_model.setVisibleWidth(viewport()->width());
    return QAbstractScrollArea::viewportEvent(event);
}

void HorizontalPreviewScrollView::wheelEvent(QWheelEvent *event)
{
    // A trackpad reports exact pixels; a wheel reports notches of 120,
    // each one line.
    const QPoint pixels = event->pixelDelta();
    const bool precise = !pixels.isNull();
    const QPointF delta = precise ? QPointF(pixels) : QPointF(event->angleDelta()) / 120.0;
    if (m_model.scrollWheel(delta.x(), delta.y(), precise))
        event->accept();
    else
        event->ignore();
}

void HorizontalPreviewScrollView::scrollContentsBy(int, int)
{
    // The document is placed from the model in reflect().
}

} // namespace Velmora
