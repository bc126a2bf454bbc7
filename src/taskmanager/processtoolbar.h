#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace Velmora {

class ProcessListViewModel;

// The row above the process list: its title, how many processes it shows,
// and the search field.
class ProcessToolbar : public QWidget
{
    Q_OBJECT
public:
    explicit ProcessToolbar(ProcessListViewModel &list, QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_field; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSearch();
    void showCount();

    ProcessListViewModel &m_list;
    QLabel *m_count = nullptr;
    QWidget *m_box = nullptr;
    QLineEdit *m_field = nullptr;
    QToolButton *m_clear = nullptr;
};

} // namespace Velmora
