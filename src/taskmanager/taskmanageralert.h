#pragma once

#include "taskmanager/model/processactionsviewmodel.h"

#include <QDialog>

class QPushButton;

namespace Velmora {

// An alert over the Task Manager window: the application's icon, a title, a
// message and one or two buttons. With two, the second is the destructive
// choice and only it accepts; every other way of closing cancels.
class TaskManagerAlert : public QDialog
{
    Q_OBJECT
public:
    TaskManagerAlert(const ProcessActionsViewModel::Alert &alert, QWidget *parent);

    QString title() const { return m_alert.title; }
    QString message() const { return m_alert.message; }
    QPushButton *destructiveButton() const { return m_destructive; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    ProcessActionsViewModel::Alert m_alert;
    QPushButton *m_destructive = nullptr;
};

} // namespace Velmora
