#pragma once

#include "taskmanager/model/metricdetail.h"
#include "taskmanager/model/metricdetailsnapshot.h"

#include <QPixmap>
#include <QWidget>

namespace Velmora {

class AppIconCache;

// "Highest usage": the applications that used the most of the metric at the
// selected moment, or why there are none.
class TopUsagePanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int panelWidth = 260;

    TopUsagePanel(AppIconCache &icons, QWidget *parent = nullptr);

    void show(const MetricDetail &metric, const MetricDetailSnapshot &snapshot);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Row
    {
        QRectF rect;
        AppUsage usage;
    };
    QList<Row> layoutRows() const;

    AppIconCache &m_icons;
    // The rounded panel on the sheet's colour, drawn once per size.
    QPixmap m_background;
    MetricDetail m_metric;
    QList<AppUsage> m_rows;
    QString m_emptyText;
};

} // namespace Velmora
