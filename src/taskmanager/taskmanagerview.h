#pragma once

#include "taskmanager/taskmanageralert.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace Velmora {

class AppIconCache;
class MetricOverlay;
class ProcessIconCache;
class ProcessListView;
class TaskManagerAlert;
class TaskManagerViewModel;

// The Task Manager window's content, top to bottom: the title, the four
// metric cards, the process toolbar, the process list and, while a process
// is selected, its footer. An open metric graph lies over all of it. The
// confirmation and error alerts are shown from here.
class TaskManagerView : public QWidget
{
    Q_OBJECT
public:
    TaskManagerView(
        TaskManagerViewModel &model, AppIconCache &appIcons, ProcessIconCache &processIcons, QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_searchField; }
    ProcessListView *processList() const { return m_list; }
    MetricOverlay *overlay() const { return m_overlay; }
    // The alert on screen, if any.
    TaskManagerAlert *alert() const { return m_alert; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showNextAlert();

    TaskManagerViewModel &m_model;
    QLineEdit *m_searchField = nullptr;
    ProcessListView *m_list = nullptr;
    MetricOverlay *m_overlay = nullptr;
    QPointer<TaskManagerAlert> m_alert;
};

} // namespace Velmora
