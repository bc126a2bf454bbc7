#include "bar/taskbariconbutton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

QColor white(qreal opacity)
{
    return QColor::fromRgbF(1, 1, 1, float(std::clamp(opacity, 0.0, 1.0)));
}

QColor mix(const QColor &from, const QColor &to, qreal share)
{
    const float t = float(std::clamp(share, 0.0, 1.0));
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * t, from.greenF() + (to.greenF() - from.greenF()) * t,
                            from.blueF() + (to.blueF() - from.blueF()) * t,
                            from.alphaF() + (to.alphaF() - from.alphaF()) * t);
}

} // namespace

TaskbarIconButton::TaskbarIconButton(Animator &animator, QWidget *parent)
    : QAbstractButton(parent)
    , m_model(new TaskbarIconButtonModel(animator, this))
{
    setUp();
}

TaskbarIconButton::TaskbarIconButton(TaskbarIconButtonModel &model, QWidget *parent)
    : QAbstractButton(parent)
    , m_model(&model)
{
    setUp();
}

TaskbarIconButton::~TaskbarIconButton() = default;

void TaskbarIconButton::setUp()
{
    setFixedSize(sizeHint());
    // The bar's panel never takes the keyboard; buttons are pressed with the
    // mouse or through accessibility.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    connect(m_model, &TaskbarIconButtonModel::changed, this, &TaskbarIconButton::syncFromModel);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_model)
            m_model->activate();
    });
    syncFromModel();
}

void TaskbarIconButton::setLabel(const Label &label)
{
    m_label = label;
    m_tinted = QImage();
    update();
}

QSize TaskbarIconButton::sizeHint() const
{
    const int side = int(TaskbarIconButtonModel::side);
    return { side, side };
}

void TaskbarIconButton::syncFromModel()
{
    if (!m_model)
        return;
    if (toolTip() != m_model->helpText())
        setToolTip(m_model->helpText());
    if (accessibleName() != m_model->title())
        setAccessibleName(m_model->title());
    update();
}

void TaskbarIconButton::paintEvent(QPaintEvent *)
{
    if (!m_model)
        return;
    const TaskbarIconButtonModel::Appearance look = m_model->appearance();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF bounds = rect();
    const qreal radius = TaskbarIconButtonModel::cornerRadius;

    if (look.fillOpacity > 0) {
        QPainterPath highlight;
        highlight.addRoundedRect(bounds, radius, radius);
        painter.fillPath(highlight, white(look.fillOpacity));
    }
    if (look.borderOpacity > 0) {
        // Inset by half the line so the whole outline shows inside the square.
        painter.setPen(QPen(white(look.borderOpacity), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    }

    paintLabel(painter, look.labelScale);

    if (look.indicatorPresence > 0) {
        const QColor running = white(TaskbarIconButtonModel::runningIndicatorOpacity);
        const QColor accent = palette().color(QPalette::Highlight);
        const qreal height = TaskbarIconButtonModel::indicatorHeight;
        const QPointF centre(bounds.center().x(),
                             bounds.bottom() - TaskbarIconButtonModel::indicatorBottomGap - height / 2);
        painter.save();
        painter.setOpacity(std::min(1.0, look.indicatorPresence));
        painter.translate(centre);
        painter.scale(look.indicatorScale(), look.indicatorScale());
        const QRectF capsule(-look.indicatorWidth / 2, -height / 2, look.indicatorWidth, height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(mix(running, accent, look.indicatorAccent));
        painter.drawRoundedRect(capsule, height / 2, height / 2);
        painter.restore();
    }
}

void TaskbarIconButton::paintLabel(QPainter &painter, qreal scale)
{
    if (m_label.icon.isNull() || m_label.size.isEmpty())
        return;
    const QRectF target(QPointF(0, 0), m_label.size);
    painter.save();
    painter.translate(QRectF(rect()).center());
    painter.scale(scale, scale);
    painter.translate(-target.center());
    if (m_label.icon.isMask()) {
        const QColor colour = white(TaskbarIconButtonModel::labelOpacity);
        painter.drawImage(target, tintedLabel(devicePixelRatioF(), colour));
    } else {
        m_label.icon.paint(&painter, target.toAlignedRect());
    }
    painter.restore();
}

QImage TaskbarIconButton::tintedLabel(qreal devicePixelRatio, const QColor &colour)
{
    const QSize pixels = (m_label.size * devicePixelRatio).toSize();
    if (m_tinted.size() == pixels && m_tinted.devicePixelRatio() == devicePixelRatio && m_tintedColour == colour)
        return m_tinted;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_label.icon.paint(&painter, QRect(QPoint(0, 0), m_label.size.toSize()));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), m_label.size), colour);
    painter.end();
    m_tinted = image;
    m_tintedColour = colour;
    return m_tinted;
}

void TaskbarIconButton::mousePressEvent(QMouseEvent *event)
{
    // A press the model does not take (a right-click, a Control-click) is
    // left for whatever lies beneath: the bar's context menus.
    if (m_model && m_model->mousePress(event->button(), event->modifiers()))
        event->accept();
    else
        event->ignore();
}

void TaskbarIconButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

void TaskbarIconButton::mouseMoveEvent(QMouseEvent *event)
{
    // Only where the press ends counts; moving shows no pressed state.
    event->accept();
}

void TaskbarIconButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_model)
        m_model->mouseRelease(event->button(), hitButton(event->position().toPoint()));
    event->accept();
}

void TaskbarIconButton::enterEvent(QEnterEvent *event)
{
    if (m_model)
        m_model->setHovering(true);
    QAbstractButton::enterEvent(event);
}

void TaskbarIconButton::leaveEvent(QEvent *event)
{
    if (m_model)
        m_model->setHovering(false);
    QAbstractButton::leaveEvent(event);
}

void TaskbarIconButton::hideEvent(QHideEvent *event)
{
    // A hidden button gets no release: end its press here, and forget the hover.
    if (m_model) {
        m_model->cancelPress();
        m_model->setHovering(false);
    }
    QAbstractButton::hideEvent(event);
}

void TaskbarIconButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        m_tinted = QImage();
    QAbstractButton::changeEvent(event);
}

bool TaskbarIconButton::hitButton(const QPoint &pos) const
{
    // The whole square takes the pointer, transparent parts included.
    return rect().contains(pos);
}

} // namespace Velmora
