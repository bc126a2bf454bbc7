#include "onboarding/previewpicture.h"

#include "onboarding/onboardingstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace Velmora {

PreviewPicture::PreviewPicture(QWidget *parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PreviewPicture::setImage(const QImage &image, const QString &description)
{
    m_image = image;
    setAccessibleName(description);
    updateGeometry();
    update();
}

int PreviewPicture::heightForWidth(int width) const
{
    const QSizeF size = m_image.deviceIndependentSize();
    if (size.isEmpty())
        return 0;
    return qRound(width * size.height() / size.width()) + shadowRoom;
}

QSize PreviewPicture::sizeHint() const
{
    return QSize(460, heightForWidth(460));
}

void PreviewPicture::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF image = m_image.deviceIndependentSize().scaled(QSizeF(width(), height() - shadowRoom),
        Qt::KeepAspectRatio);
    const QRectF frame(QPointF((width() - image.width()) / 2, 0), image);
    // A soft shadow, 4 points down.
    for (int i = 8; i > 0; i -= 2) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, int(255 * 0.15 / 4)));
        painter.drawRoundedRect(frame.translated(0, 4).adjusted(-i / 2.0, -i / 2.0, i / 2.0, i / 2.0), 12 + i / 2.0,
            12 + i / 2.0);
    }
    QPainterPath clip;
    clip.addRoundedRect(frame, 12, 12);
    painter.save();
    painter.setClipPath(clip);
    painter.drawImage(frame, m_image);
    painter.restore();
    painter.setPen(QPen(OnboardingStyle::primary(0.08), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 11.5, 11.5);
}

} // namespace Velmora
