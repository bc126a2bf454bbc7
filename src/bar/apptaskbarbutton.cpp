#include "bar/apptaskbarbutton.h"

#include "bar/model/baractions.h"
#include "bar/model/barviewmodel.h"
#include "bar/model/presstracker.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Velmora {

namespace {

QColor white(qreal opacity)
{
    return QColor::fromRgbF(1, 1, 1, float(std::clamp(opacity, 0.0, 1.0)));
}

} // namespace

AppTaskbarButton::AppTaskbarButton(BarViewModel &bar, AppButtonModel &model, FileIcons &icons, QWidget *parent)
    : QWidget(parent)
    , m_bar(bar)
    , m_model(&model)
    , m_icons(icons)
{
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(model.app().name);
    connect(&model, &AppButtonModel::changed, this, [this] {
        if (m_model && accessibleName() != m_model->app().name)
            setAccessibleName(m_model->app().name);
        update();
    });
    connect(&model, &AppButtonModel::iconChanged, this, [this] {
        m_icon = QPixmap();
        update();
    });
}

AppTaskbarButton::~AppTaskbarButton() = default;

QString AppTaskbarButton::appID() const
{
    return m_model ? m_model->app().id : QString();
}

QSize AppTaskbarButton::sizeHint() const
{
    return { int(BarLayout::buttonSide), int(BarLayout::buttonSide) };
}

const QPixmap &AppTaskbarButton::iconPixmap()
{
    const qreal ratio = devicePixelRatioF();
    if (!m_icon.isNull() && qFuzzyCompare(m_icon.devicePixelRatio(), ratio))
        return m_icon;
    const int side = int(AppButtonModel::iconSide);
    const QIcon icon = m_model->app().icon(m_icons);
    m_icon = icon.isNull() ? QPixmap() : icon.pixmap(QSize(side, side), ratio);
    if (m_icon.isNull())
        m_icon = drawnFallback(ratio);
    return m_icon;
}

// An app whose icon cannot be found still gets a recognisable tile: its
// initial on a colour of its own.
QPixmap AppTaskbarButton::drawnFallback(qreal devicePixelRatio) const
{
    const qreal side = AppButtonModel::iconSide;
    QPixmap pixmap(QSize(int(side * devicePixelRatio), int(side * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString name = m_model->app().name;
    const int hue = int(qHash(m_model->app().id) % 360);
    QLinearGradient fill(0, 0, 0, side);
    fill.setColorAt(0, QColor::fromHsv(hue, 150, 235));
    fill.setColorAt(1, QColor::fromHsv(hue, 190, 180));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), 8, 8);
    QFont font = painter.font();
    font.setPixelSize(int(side * 0.5));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, name.left(1).toUpper());
    return pixmap;
}

void AppTaskbarButton::setPresence(qreal presence, qreal hiddenScale)
{
    presence = std::clamp(presence, 0.0, 1.0);
    if (qFuzzyCompare(presence, m_presence) && qFuzzyCompare(hiddenScale, m_hiddenScale))
        return;
    m_presence = presence;
    m_hiddenScale = hiddenScale;
    update();
}

void AppTaskbarButton::paintEvent(QPaintEvent *)
{
    if (!m_model || m_presence <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF bounds = rect();
    if (m_presence < 1) {
        painter.setOpacity(m_presence);
        const qreal scale = m_hiddenScale + (1 - m_hiddenScale) * m_presence;
        painter.translate(bounds.center());
        painter.scale(scale, scale);
        painter.translate(-bounds.center());
    }

    const qreal hover = m_model->hoverAmount();
    if (hover > 0) {
        const QRectF square = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(white(AppButtonModel::hoverBorderOpacity * hover), 1));
        painter.setBrush(white(AppButtonModel::hoverFillOpacity * hover));
        painter.drawRoundedRect(square, AppButtonModel::cornerRadius, AppButtonModel::cornerRadius);
    }

    const qreal side = AppButtonModel::iconSide;
    const QRectF iconRect((bounds.width() - side) / 2, (bounds.height() - side) / 2, side, side);
    painter.drawPixmap(iconRect, iconPixmap(), QRectF());

    if (m_model->isRunning()) {
        const QRectF indicator((bounds.width() - AppButtonModel::indicatorWidth) / 2,
                               bounds.height() - AppButtonModel::indicatorBottomGap - AppButtonModel::indicatorHeight,
                               AppButtonModel::indicatorWidth, AppButtonModel::indicatorHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(white(AppButtonModel::indicatorOpacity));
        const qreal radius = AppButtonModel::indicatorHeight / 2;
        painter.drawRoundedRect(indicator, radius, radius);
    }
}

void AppTaskbarButton::mousePressEvent(QMouseEvent *event)
{
    if (!m_model || !PressTracker::takesPress(event->button(), event->modifiers())) {
        event->ignore();
        return;
    }
    m_pressOrigin = event->globalPosition();
    const AppItem app = m_model->app();
    m_bar.appDragChanged(app, QPointF());
}

void AppTaskbarButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_model || !m_pressOrigin)
        return;
    m_bar.appDragChanged(m_model->app(), event->globalPosition() - *m_pressOrigin);
}

void AppTaskbarButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_model || !m_pressOrigin || event->button() != Qt::LeftButton)
        return;
    const QPointF translation = event->globalPosition() - *std::exchange(m_pressOrigin, std::nullopt);
    m_bar.appDragEnded(m_model->app(), translation);
}

void AppTaskbarButton::enterEvent(QEnterEvent *)
{
    if (m_model)
        m_bar.hoverAppButton(m_model->app().id, true);
}

void AppTaskbarButton::leaveEvent(QEvent *)
{
    if (m_model)
        m_bar.hoverAppButton(m_model->app().id, false);
}

void AppTaskbarButton::hideEvent(QHideEvent *)
{
    // A button taken away mid-press never sees its release.
    if (std::exchange(m_pressOrigin, std::nullopt))
        m_bar.appPressCancelled();
    m_bar.actions().hide();
}

} // namespace Velmora
