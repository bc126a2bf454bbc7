#pragma once

#include "taskmanager/model/metriccard.h"

#include <QPixmap>
#include <QWidget>

namespace Velmora {

class TaskManagerViewModel;

// One metric card: the metric's name, its value in large digits, a line of
// detail and the last minute as a sparkline. It lights up under the pointer
// and a click opens the metric's full graph.
class MetricCardWidget : public QWidget
{
    Q_OBJECT
public:
    MetricCardWidget(TaskManagerViewModel &model, int index, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Draws a sparkline's pieces: an area of `areaColor` under each, then its
    // line of `color`.
    static void drawSparkline(QPainter &painter, const QRectF &rect, const QList<std::optional<double>> &values,
        int slotCount, double top, const QColor &color, const QColor &areaColor);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const MetricCard *card() const;
    void refresh();

    // The card, its symbol and its title: what stays the same from one
    // sample to the next, drawn once for each look of the card.
    void drawBackground(QPainter &painter, const MetricCard &card, bool hovered) const;

    QString look(const MetricCard &card) const;
    // Whether `card` draws as the picture already does.
    bool isShown(const MetricCard &card, const QString &look) const;
    void drawPicture(const MetricCard &card, const QString &look);

    TaskManagerViewModel &m_model;
    const int m_index;
    bool m_pressed = false;
    QPixmap m_background;
    QString m_backgroundLook;
    // The light area under the sparkline, opaque: see opaqueOver.
    QColor m_sparklineArea;
    // The whole card as last drawn, and what it showed: a sample that
    // leaves the card as it was repaints nothing, and a repaint for any
    // other reason (the graph's backdrop over it) only copies the picture.
    QPixmap m_picture;
    QString m_pictureLook;
    MetricCard m_pictureCard;
};

} // namespace Velmora
