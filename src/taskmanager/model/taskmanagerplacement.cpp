#include "taskmanager/model/taskmanagerplacement.h"

#include "store/ownwindowplacement.h"

#include <QStringList>

#include <cmath>

namespace Velmora::TaskManagerPlacement {

std::optional<QRectF> parseFrame(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    double values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].toDouble(&ok);
        if (!ok || !std::isfinite(values[i]))
            return std::nullopt;
    }
    if (!(values[2] > 0) || !(values[3] > 0))
        return std::nullopt;
    return QRectF(values[0], values[1], values[2], values[3]);
}

QString frameText(const QRectF &frame)
{
    return QStringLiteral("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
}

QRectF restoredFrame(const std::optional<QRectF> &saved, const QList<DisplayInfo> &screens)
{
    if (!saved)
        return QRectF(QPointF(0, 0), defaultSize);
    for (const DisplayInfo &screen : screens) {
        if (OwnWindowPlacement::barFreeArea(screen).contains(*saved))
            return *saved;
    }
    // Saved on a display that has gone or moved: present() places it again.
    return QRectF(saved->topLeft(), defaultSize);
}

bool keepsPlace(const QRectF &frame, const QList<DisplayInfo> &screens)
{
    for (const DisplayInfo &screen : screens) {
        if (screen.visibleFrame.intersects(frame))
            return true;
    }
    return false;
}

std::optional<DisplayInfo> screenFor(
    const QList<DisplayInfo> &screens, const QPointF &pointer, const std::optional<DisplayInfo> &mainScreen)
{
    return OwnWindowPlacement::screenUnderPointer(screens, pointer, mainScreen);
}

QRectF fitAndCenter(const QRectF &frame, const DisplayInfo &screen)
{
    return OwnWindowPlacement::fitAndCenter(frame.size(), screen);
}

} // namespace Velmora::TaskManagerPlacement
