#include "bar/barsymbols.h"

#include "taskmanager/model/taskmanagersymbols.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>

namespace Velmora::BarSymbols {

namespace {

// Three dots across the middle, for "Show more apps".
class EllipsisEngine final : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        const qreal radius = rect.width() * 0.09;
        const QPointF centre = QRectF(rect).center();
        for (int i = -1; i <= 1; ++i)
            painter->drawEllipse(centre + QPointF(i * rect.width() * 0.32, 0), radius, radius);
        painter->restore();
    }
    QIconEngine *clone() const override { return new EllipsisEngine; }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return QPixmap::fromImage(image);
    }
};

} // namespace

QIcon icon(const QString &name)
{
    if (name.isEmpty())
        return {};
    if (name == QLatin1String("ellipsis")) {
        QIcon drawn(new EllipsisEngine);
        drawn.setIsMask(true);
        return drawn;
    }
    if (TaskManagerSymbols::isKnown(name) && name != QLatin1String("xmark")) {
        QIcon drawn = TaskManagerSymbols::icon(name, Qt::black);
        drawn.setIsMask(true);
        return drawn;
    }
    static const QHash<QString, QString> themeNames {
        { QStringLiteral("checkmark"), QStringLiteral("object-select") },
        { QStringLiteral("macwindow"), QStringLiteral("window") },
        { QStringLiteral("macwindow.badge.plus"), QStringLiteral("window-new") },
        { QStringLiteral("xmark.circle"), QStringLiteral("window-close") },
        { QStringLiteral("eye.slash"), QStringLiteral("view-hidden") },
        { QStringLiteral("rectangle.3.group"), QStringLiteral("view-grid") },
        { QStringLiteral("arrow.up.forward.app"), QStringLiteral("system-run") },
        { QStringLiteral("waveform.path.ecg"), QStringLiteral("utilities-system-monitor") },
        { QStringLiteral("pin"), QStringLiteral("window-pin") },
        { QStringLiteral("pin.slash"), QStringLiteral("window-unpin") },
        { QStringLiteral("folder"), QStringLiteral("folder") },
        { QStringLiteral("folder.badge.plus"), QStringLiteral("folder-new") },
        { QStringLiteral("network"), QStringLiteral("network-workgroup") },
        { QStringLiteral("doc.badge.plus"), QStringLiteral("document-new") },
        { QStringLiteral("square.and.pencil"), QStringLiteral("mail-message-new") },
        { QStringLiteral("calendar.badge.plus"), QStringLiteral("appointment-new") },
        { QStringLiteral("note.text.badge.plus"), QStringLiteral("document-new") },
    };
    const QString theme = themeNames.value(name);
    return theme.isEmpty() ? QIcon() : QIcon::fromTheme(theme);
}

} // namespace Velmora::BarSymbols
