#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace Velmora {

class ProcessActionsViewModel;
class ProcessListViewModel;
class TaskManagerButton;

// Under the list while a process is selected: its name, id and executable,
// with Force Quit and End Task.
class ProcessFooter : public QWidget
{
    Q_OBJECT
public:
    ProcessFooter(ProcessListViewModel &list, ProcessActionsViewModel &actions, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void showPath();

    ProcessListViewModel &m_list;
    ProcessActionsViewModel &m_actions;
    QLabel *m_title = nullptr;
    QPlainTextEdit *m_path = nullptr;
    TaskManagerButton *m_forceQuit = nullptr;
    TaskManagerButton *m_endTask = nullptr;
};

} // namespace Velmora
