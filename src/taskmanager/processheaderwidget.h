#pragma once

#include <QWidget>

namespace Velmora {

class ProcessListViewModel;

// The process list's column titles. A click sorts by the column, or turns
// the order round when it is already the sort column.
class ProcessHeaderWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ProcessHeaderWidget(ProcessListViewModel &list, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ProcessListViewModel &m_list;
};

} // namespace Velmora
