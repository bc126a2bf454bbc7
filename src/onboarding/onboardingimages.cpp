#include "onboarding/onboardingimages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace Velmora {

const QString OnboardingImages::withPermissionDescription =
    QStringLiteral("A window preview above the Velmora taskbar showing live thumbnails of three Chrome windows");
const QString OnboardingImages::withoutPermissionDescription = QStringLiteral(
    "A window preview above the Velmora taskbar where each of three Chrome windows shows only the Chrome icon");

namespace {

// Drawn in points on a 540 by 300 canvas, at twice the pixels.
constexpr QSizeF canvas(540, 300);
constexpr qreal scale = 2;

// A browser's mark of our own: a blue globe with its meridians and parallels.
void drawBrowserIcon(QPainter &painter, const QPointF &centre, qreal radius)
{
    painter.save();
    const QRectF box(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    QRadialGradient globe(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.4);
    globe.setColorAt(0, QColor(92, 180, 255));
    globe.setColorAt(1, QColor(20, 100, 220));
    painter.setPen(Qt::NoPen);
    painter.setBrush(globe);
    painter.drawEllipse(box);
    painter.setPen(QPen(QColor(255, 255, 255, 210), std::max(0.8, radius * 0.09)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(box.adjusted(radius * 0.45, 0, -radius * 0.45, 0));
    painter.drawLine(QPointF(centre.x(), box.top()), QPointF(centre.x(), box.bottom()));
    painter.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
    const qreal offset = radius * 0.5;
    const qreal half = std::sqrt(radius * radius - offset * offset);
    painter.drawLine(QPointF(centre.x() - half, centre.y() - offset), QPointF(centre.x() + half, centre.y() - offset));
    painter.drawLine(QPointF(centre.x() - half, centre.y() + offset), QPointF(centre.x() + half, centre.y() + offset));
    painter.restore();
}

// A web page in miniature: a title strip, a headline and lines of text,
// each page in its own colours.
void drawPage(QPainter &painter, const QRectF &area, int page)
{
    const QColor accents[3] = {QColor(88, 101, 242), QColor(234, 88, 12), QColor(16, 163, 127)};
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor(250, 250, 252));
    const QColor accent = accents[page % 3];
    painter.fillRect(QRectF(area.left(), area.top(), area.width(), 12), accent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent.lighter(170));
    if (page == 0) {
        painter.drawRoundedRect(QRectF(area.left() + 8, area.top() + 20, area.width() * 0.55, 30), 3, 3);
    } else if (page == 1) {
        painter.drawRoundedRect(QRectF(area.left() + 8, area.top() + 20, area.width() - 16, 22), 3, 3);
    } else {
        for (int i = 0; i < 3; ++i)
            painter.drawRoundedRect(QRectF(area.left() + 8 + i * (area.width() - 16) / 3, area.top() + 20,
                                        (area.width() - 16) / 3 - 4, 24),
                3, 3);
    }
    painter.setBrush(QColor(200, 202, 210));
    for (int line = 0; line < 4; ++line) {
        const qreal width = (area.width() - 16) * (line % 2 ? 0.7 : 0.9);
        painter.drawRoundedRect(QRectF(area.left() + 8, area.top() + 58 + line * 9, width, 4), 2, 2);
    }
    painter.restore();
}

} // namespace

QImage OnboardingImages::draw(bool liveThumbnails)
{
    QImage image((canvas * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The desktop.
    QLinearGradient desktop(QPointF(0, 0), QPointF(canvas.width(), canvas.height()));
    desktop.setColorAt(0, QColor(46, 84, 140));
    desktop.setColorAt(0.55, QColor(82, 70, 142));
    desktop.setColorAt(1, QColor(150, 88, 120));
    painter.fillRect(QRectF(QPointF(0, 0), canvas), desktop);

    // The bar, with the browser's button under the picker.
    const QRectF bar(0, canvas.height() - 34, canvas.width(), 34);
    painter.fillRect(bar, QColor(24, 26, 32, 235));
    const qreal buttonsLeft = canvas.width() / 2 - 3 * 30;
    for (int i = 0; i < 6; ++i) {
        const QPointF centre(buttonsLeft + i * 30 + 15, bar.center().y());
        if (i == 3) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255, 40));
            painter.drawRoundedRect(QRectF(centre - QPointF(14, 14), QSizeF(28, 28)), 5, 5);
            drawBrowserIcon(painter, centre, 9);
            painter.setBrush(QColor(10, 132, 255));
            painter.drawRoundedRect(QRectF(centre.x() - 6, bar.bottom() - 3, 12, 2), 1, 1);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor::fromHsv((i * 53 + 200) % 360, 120, 210));
            painter.drawRoundedRect(QRectF(centre - QPointF(9, 9), QSizeF(18, 18)), 4, 4);
        }
    }

    // The picker above the browser's button.
    const QSizeF card(140, 112);
    const qreal gap = 10;
    const QRectF picker(buttonsLeft + 3 * 30 + 15 - (3 * card.width() + 4 * gap) / 2, bar.top() - 8 - card.height() - 2 * gap,
        3 * card.width() + 4 * gap, card.height() + 2 * gap);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.setBrush(QColor(36, 38, 46, 240));
    painter.drawRoundedRect(picker, 12, 12);
    const QString titles[3] = {QStringLiteral("Inbox"), QStringLiteral("Team plan"), QStringLiteral("Recipes")};
    QFont title;
    title.setPixelSize(9);
    painter.setFont(title);
    for (int i = 0; i < 3; ++i) {
        const QRectF frame(picker.left() + gap + i * (card.width() + gap), picker.top() + gap, card.width(),
            card.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, i == 0 ? 28 : 14));
        painter.drawRoundedRect(frame, 8, 8);
        drawBrowserIcon(painter, QPointF(frame.left() + 12, frame.top() + 11), 5);
        painter.setPen(QColor(235, 235, 240));
        painter.drawText(QRectF(frame.left() + 21, frame.top() + 4, frame.width() - 26, 14),
            Qt::AlignLeft | Qt::AlignVCenter, titles[i]);
        const QRectF content(frame.left() + 6, frame.top() + 21, frame.width() - 12, frame.height() - 27);
        if (liveThumbnails) {
            drawPage(painter, content, i);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255, 10));
            painter.drawRoundedRect(content, 4, 4);
            drawBrowserIcon(painter, content.center(), 20);
        }
    }
    painter.end();
    return image;
}

const QImage &OnboardingImages::windowPreviewsWithPermission()
{
    static const QImage image = draw(true);
    return image;
}

const QImage &OnboardingImages::windowPreviewsWithoutPermission()
{
    static const QImage image = draw(false);
    return image;
}

} // namespace Velmora
