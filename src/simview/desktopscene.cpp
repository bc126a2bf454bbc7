#include "simview/desktopscene.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simwindowpainter.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Velmora::SimView {

namespace {

struct OwnerInfo {
    Sim::SimWindowPainter::Owner look;
    bool isDock = false;
    bool hidden = false;
    ActivationPolicy policy = ActivationPolicy::Regular;
};

void paintDock(QPainter &painter, const QRectF &strip, const QList<Sim::SimProcess> &processes,
    const QList<Sim::SimWindow> &minimized, std::optional<qint32> frontmost)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
    painter.setBrush(QColor(40, 40, 48, 170));
    painter.drawRoundedRect(strip.adjusted(0.5, 0.5, -0.5, -0.5), 16, 16);

    const bool horizontal = strip.width() >= strip.height();
    const double depth = horizontal ? strip.height() : strip.width();
    const double tile = std::clamp(depth - 18, 8.0, 56.0);
    const double step = tile + 8;
    QPointF at = horizontal ? QPointF(strip.left() + 12, strip.center().y() - tile / 2)
                            : QPointF(strip.center().x() - tile / 2, strip.top() + 12);
    const auto advance = [&] { at += horizontal ? QPointF(step, 0) : QPointF(0, step); };
    const auto fits = [&] {
        return horizontal ? at.x() + tile <= strip.right() - 8 : at.y() + tile <= strip.bottom() - 8;
    };

    QFont font = painter.font();
    font.setPixelSize(int(tile * 0.45));
    font.setBold(true);
    painter.setFont(font);
    for (const Sim::SimProcess &process : processes) {
        if (process.policy != ActivationPolicy::Regular || !fits())
            continue;
        const QRectF box(at, QSizeF(tile, tile));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Sim::SimWindowPainter::ownerColour(
            process.bundleIdentifier.isEmpty() ? process.name : process.bundleIdentifier));
        painter.drawRoundedRect(box, tile * 0.22, tile * 0.22);
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, process.name.left(1).toUpper());
        // The running indicator.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, frontmost == process.pid ? 230 : 150));
        const QPointF dot = horizontal ? QPointF(box.center().x(), box.bottom() + 4) : QPointF(box.right() + 4, box.center().y());
        painter.drawEllipse(dot, 2, 2);
        advance();
    }
    if (!minimized.isEmpty() && fits()) {
        painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
        if (horizontal)
            painter.drawLine(QPointF(at.x(), strip.top() + 10), QPointF(at.x(), strip.bottom() - 10));
        else
            painter.drawLine(QPointF(strip.left() + 10, at.y()), QPointF(strip.right() - 10, at.y()));
        at += horizontal ? QPointF(8, 0) : QPointF(0, 8);
    }
    for (const Sim::SimWindow &window : minimized) {
        if (!fits())
            break;
        const QRectF box(at, QSizeF(tile, tile));
        painter.setPen(QPen(QColor(255, 255, 255, 120), 1));
        painter.setBrush(QColor(250, 250, 252));
        const double aspect = window.bounds.height() > 0 ? window.bounds.width() / window.bounds.height() : 1.0;
        QRectF inner = box.adjusted(2, 2, -2, -2);
        if (aspect >= 1)
            inner.setHeight(inner.width() / aspect);
        else
            inner.setWidth(inner.height() * aspect);
        inner.moveCenter(box.center());
        painter.drawRoundedRect(inner, 3, 3);
        advance();
    }
    painter.restore();
}

void paintMenuBar(QPainter &painter, const QRectF &bar, const Sim::SimProcess *front)
{
    painter.save();
    painter.fillRect(bar, QColor(236, 236, 240, 225));
    painter.setPen(QColor(0, 0, 0, 40));
    painter.drawLine(bar.bottomLeft() - QPointF(0, 0.5), bar.bottomRight() - QPointF(0, 0.5));
    QFont font = painter.font();
    font.setPixelSize(13);
    double x = bar.left() + 14;
    painter.setPen(QColor(20, 20, 24));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(30, 30, 34));
    painter.drawEllipse(QPointF(x + 6, bar.center().y()), 6, 6);
    x += 26;
    if (front) {
        const auto drawTitle = [&](const QString &title, bool bold) {
            font.setBold(bold);
            painter.setFont(font);
            const double width = painter.fontMetrics().horizontalAdvance(title);
            if (x + width > bar.right() - 8)
                return;
            painter.drawText(QRectF(x, bar.top(), width + 1, bar.height()), Qt::AlignVCenter | Qt::AlignLeft, title);
            x += width + 20;
        };
        drawTitle(front->name, true);
        for (const Sim::SimMenuItem &menu : front->menuBar) {
            // The application menu carries the application's name, shown already.
            if (menu.title == front->name)
                continue;
            drawTitle(menu.title, false);
        }
    }
    painter.restore();
}

} // namespace

void DesktopScene::paintWallpaper(QPainter &painter, const QRectF &area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0, QColor(46, 84, 140));
    gradient.setColorAt(0.55, QColor(82, 70, 142));
    gradient.setColorAt(1, QColor(150, 88, 120));
    painter.fillRect(area, gradient);
}

void DesktopScene::paint(QPainter &painter, const Sim::SimDesktop &desktop, const DisplayInfo &display)
{
    const QRectF local(QPointF(0, 0), display.bounds.size());
    paintWallpaper(painter, local);

    const QList<Sim::SimProcess> processes = desktop.processes();
    const std::optional<qint32> frontmost = desktop.frontmostPid();
    const qint32 self = desktop.selfPid();
    QHash<qint32, OwnerInfo> owners;
    const Sim::SimProcess *front = nullptr;
    for (const Sim::SimProcess &process : processes) {
        OwnerInfo info;
        info.look = {process.name, process.bundleIdentifier, frontmost == process.pid};
        info.isDock = process.bundleIdentifier == Sim::SimDesktop::DockBundleIdentifier;
        info.hidden = process.hidden;
        info.policy = process.policy;
        owners.insert(process.pid, info);
        if (frontmost == process.pid)
            front = &process;
    }

    struct Drawn {
        Sim::SimWindow window;
        bool isDock = false;
    };
    QList<Drawn> backToFront;
    QList<Sim::SimWindow> minimized;
    desktop.forEachWindow([&](const Sim::SimWindow &window) {
        const auto owner = owners.constFind(window.ownerPid);
        if (owner == owners.cend() || window.ownerPid == self)
            return;
        if (window.minimized && window.animatedFrame.isNull()) {
            if (!owner->isDock)
                minimized.prepend(window);
            return;
        }
        if (!window.visible || owner->hidden || window.desktopElement || window.layer < 0)
            return;
        if (!Sim::SimWorld::drawnFrame(window).intersects(display.bounds))
            return;
        backToFront.prepend({window, owner->isDock});
    });
    // Whether each window is on the Space its display shows is the desktop's
    // rule; ask it once per window drawn, outside the visit.
    painter.save();
    painter.translate(-display.bounds.topLeft());
    for (const Drawn &drawn : std::as_const(backToFront)) {
        if (!drawn.window.minimized && !desktop.isOnScreen(drawn.window))
            continue;
        if (drawn.isDock)
            paintDock(painter, drawn.window.bounds, processes, minimized, frontmost);
        else
            Sim::SimWindowPainter::paint(painter, drawn.window, owners.value(drawn.window.ownerPid).look);
    }
    painter.restore();

    paintMenuBar(painter, QRectF(0, 0, local.width(), menuBarHeight), front);
}

} // namespace Velmora::SimView
