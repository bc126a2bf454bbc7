#pragma once

#include "taskmanager/model/metricdetail.h"

#include <QWidget>

#include <optional>

class QLabel;
class QToolButton;

namespace Velmora {

class AppIconCache;
class MetricGraphWidget;
class TaskManagerViewModel;
class TopUsagePanel;

// The expanded graph of one metric: its name and a close button, the value
// under the pointer with its time, the minute's graph beside the
// applications that used the most, and a hint.
class MetricDetailWidget : public QWidget
{
    Q_OBJECT
public:
    MetricDetailWidget(TaskManagerViewModel &model, AppIconCache &icons, QWidget *parent = nullptr);

    // Shows `metric` from its newest sample on, as a fresh view.
    void setMetric(const MetricDetail &metric);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    TaskManagerViewModel &m_model;
    MetricDetail m_metric;
    std::optional<double> m_hoverTime;
    QWidget *m_body = nullptr;
    QLabel *m_title = nullptr;
    QToolButton *m_close = nullptr;
    QLabel *m_value = nullptr;
    QLabel *m_time = nullptr;
    MetricGraphWidget *m_graph = nullptr;
    TopUsagePanel *m_panel = nullptr;
    QLabel *m_hint = nullptr;
};

} // namespace Velmora
