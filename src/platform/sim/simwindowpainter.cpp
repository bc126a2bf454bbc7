#include "platform/sim/simwindowpainter.h"

#include "platform/sim/simworld.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace Velmora::Sim {

namespace {

constexpr SimNode::Kind buttonKinds[] = {
    SimNode::Kind::CloseButton, SimNode::Kind::MinimizeButton, SimNode::Kind::ZoomButton};

// A stable hash: the same application keeps its colour from run to run.
quint32 stableHash(const QString &text)
{
    quint32 hash = 2166136261u;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

QColor SimWindowPainter::ownerColour(const QString &key)
{
    return QColor::fromHsv(int(stableHash(key) % 360), 150, 215);
}

QColor SimWindowPainter::titleBarColour(const QString &key)
{
    return ownerColour(key).lighter(125);
}

QColor SimWindowPainter::buttonColour(int slot)
{
    static const QColor colours[] = {QColor(0xFF, 0x5F, 0x57), QColor(0xFE, 0xBC, 0x2E), QColor(0x28, 0xC8, 0x40)};
    return colours[qBound(0, slot, 2)];
}

QColor SimWindowPainter::inactiveButtonColour()
{
    return QColor(0xC8, 0xC8, 0xCC);
}

void SimWindowPainter::paint(QPainter &painter, const SimWindow &window, const Owner &owner)
{
    const QRectF frame = SimWorld::drawnFrame(window);
    if (frame.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(painter.opacity() * qBound(0.0, window.alpha, 1.0));

    QPainterPath outline;
    outline.addRoundedRect(frame, cornerRadius, cornerRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 252));
    painter.drawPath(outline);

    // A window being minimized or restored is drawn scaled: only its frame
    // and title bar colour, as the animation shows it.
    const bool animating = !window.animatedFrame.isNull();
    const double scale = animating ? frame.width() / std::max(1.0, window.bounds.width()) : 1.0;
    const QRectF titleBar(frame.x(), frame.y(), frame.width(), std::min(frame.height(), titleBarHeight * scale));
    painter.save();
    painter.setClipPath(outline);
    painter.fillRect(titleBar, titleBarColour(owner.key.isEmpty() ? owner.name : owner.key));

    if (!animating) {
        // The content: a sidebar in the application's colour and lines of "text".
        const QRectF content = frame.adjusted(0, titleBar.height(), 0, 0);
        const QColor colour = ownerColour(owner.key.isEmpty() ? owner.name : owner.key);
        QColor sidebar = colour;
        sidebar.setAlpha(60);
        const double sidebarWidth = std::min(160.0, content.width() * 0.25);
        painter.fillRect(QRectF(content.x(), content.y(), sidebarWidth, content.height()), sidebar);
        painter.setBrush(QColor(0, 0, 0, 28));
        const double left = content.x() + sidebarWidth + 16;
        const double width = content.right() - 16 - left;
        for (int line = 0; width > 8 && content.y() + 20 + line * 22 + 10 < content.bottom() - 8; ++line) {
            const double fraction = (line % 3 == 2) ? 0.55 : (line % 2 ? 0.8 : 0.95);
            painter.drawRoundedRect(QRectF(left, content.y() + 20 + line * 22, width * fraction, 10), 3, 3);
        }
    }
    painter.restore();

    if (!animating) {
        const bool buttons[] = {window.hasCloseButton, window.hasMinimizeButton && window.minimizeButtonEnabled, true};
        for (int slot = 0; slot < 3; ++slot) {
            const QRectF box = SimWorld::buttonFrame(window, buttonKinds[slot]);
            const double diameter = std::min(box.width(), box.height()) - 2;
            const QRectF circle(box.center().x() - diameter / 2, box.center().y() - diameter / 2, diameter, diameter);
            painter.setBrush(owner.active && buttons[slot] ? buttonColour(slot) : inactiveButtonColour());
            painter.drawEllipse(circle);
        }
        // Text needs the fonts of a GUI application; a bare core application draws none.
        if (!window.title.isEmpty() && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            QFont font = painter.font();
            font.setPixelSize(13);
            font.setBold(owner.active);
            painter.setFont(font);
            painter.setPen(QColor(20, 20, 24, owner.active ? 230 : 140));
            const double buttonsRight = SimWorld::buttonFrame(window, SimNode::Kind::ZoomButton).right() + 8;
            const QRectF text(buttonsRight, titleBar.y(), std::max(0.0, frame.right() - 8 - buttonsRight),
                titleBar.height());
            painter.drawText(text, Qt::AlignCenter,
                painter.fontMetrics().elidedText(window.title, Qt::ElideRight, int(text.width())));
        }
    }

    painter.setPen(QPen(QColor(0, 0, 0, 60), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    painter.restore();
}

QImage SimWindowPainter::image(const SimWindow &window, const Owner &owner, const QSize &pixelSize)
{
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (pixelSize.isEmpty() || window.bounds.isEmpty())
        return image;
    SimWindow still = window;
    still.animatedFrame = QRectF();
    QPainter painter(&image);
    painter.scale(pixelSize.width() / still.bounds.width(), pixelSize.height() / still.bounds.height());
    painter.translate(-still.bounds.topLeft());
    paint(painter, still, owner);
    return image;
}

} // namespace Velmora::Sim
