#pragma once

#include <QImage>
#include <QWidget>

namespace Velmora {

class AppIconCache;
class MetricDetailWidget;
class TaskManagerViewModel;

// The layer over the whole window while a metric's graph is open: a dimmed
// backdrop that closes the graph when clicked, and the graph's panel in the
// middle, which keeps its clicks to itself.
class MetricOverlay : public QWidget
{
    Q_OBJECT
public:
    MetricOverlay(TaskManagerViewModel &model, AppIconCache &icons, QWidget *parent);

    MetricDetailWidget *panel() const { return m_panel; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void place();

    TaskManagerViewModel &m_model;
    MetricDetailWidget *m_panel = nullptr;
    QImage m_shadow;
    QSize m_shadowSize;
};

} // namespace Velmora
