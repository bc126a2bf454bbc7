#include "picker/windowpreviewpointerview.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QScrollBar>

namespace Velmora {

WindowPreviewPointerView::WindowPreviewPointerView(Scheduler &scheduler, QWidget *parent)
    : QWidget(parent)
    , m_pointer(scheduler)
{
    // Transparent: the card beneath paints the face.
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

WindowPreviewPointerView::~WindowPreviewPointerView() = default;

QAbstractScrollArea *WindowPreviewPointerView::scrollArea() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(w))
            return area;
    }
    return nullptr;
}

QWidget *WindowPreviewPointerView::documentWidget() const
{
    QAbstractScrollArea *area = scrollArea();
    if (!area)
        return parentWidget();
    // The document is the viewport's child that holds this view.
    for (QWidget *w = parentWidget(); w && w != area; w = w->parentWidget()) {
        if (w->parentWidget() == area->viewport())
            return w;
    }
    return parentWidget();
}

QPointF WindowPreviewPointerView::documentPoint(const QPointF &local) const
{
    QWidget *document = documentWidget();
    if (!document)
        return local;
    return QPointF(mapTo(document, QPoint(0, 0))) + local;
}

void WindowPreviewPointerView::autoscroll(const QPointF &local)
{
    if (QAbstractScrollArea *area = scrollArea()) {
        QWidget *viewport = area->viewport();
        const qreal x = (QPointF(mapTo(viewport, QPoint(0, 0))) + local).x();
        QScrollBar *bar = area->horizontalScrollBar();
        int by = 0;
        if (x < autoscrollMargin)
            by = int(x - autoscrollMargin);
        else if (x > viewport->width() - autoscrollMargin)
            by = int(x - (viewport->width() - autoscrollMargin));
        if (by != 0)
            bar->setValue(bar->value() + by);
    }
}

void WindowPreviewPointerView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton
        || !m_pointer.mouseDown(
            documentPoint(event->position()), qint64(event->timestamp()), event->modifiers())) {
        // A Control-click or another button: the card's menu takes it.
        event->ignore();
        return;
    }
    emit pressed();
    event->accept();
}

void WindowPreviewPointerView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a press like the first.
    mousePressEvent(event);
}

void WindowPreviewPointerView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pointer.isPressed()) {
        event->ignore();
        return;
    }
    const QPointF global = event->globalPosition();
    m_pointer.mouseDragged(documentPoint(event->position()), [this, global] {
        autoscroll(mapFromGlobal(global));
        // The document may have moved under a still pointer: measured again.
        return documentPoint(mapFromGlobal(global));
    });
}

void WindowPreviewPointerView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pointer.isPressed()) {
        event->ignore();
        return;
    }
    m_pointer.mouseUp(qint64(event->timestamp()), rect().contains(event->position().toPoint()));
}

void WindowPreviewPointerView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_pointer.detached();
}

bool WindowPreviewPointerView::event(QEvent *event)
{
    // Leaving the window (the picker closes, the card is taken out while
    // held) ends the press as hiding does.
    if (event->type() == QEvent::ParentAboutToChange)
        m_pointer.detached();
    return QWidget::event(event);
}

} // namespace Velmora
