#pragma once

#include <QWidget>

#include <functional>

namespace Velmora {

class TaskManagerView;

// The Task Manager's one window. It is created once, hidden when closed and
// shown again, never rebuilt. It tells its controller when it closes, is
// minimised or restored, or moves.
class TaskManagerWindow : public QWidget
{
    Q_OBJECT
public:
    struct Delegate
    {
        std::function<void()> willClose;
        std::function<void()> didMiniaturize;
        std::function<void()> didDeminiaturize;
        std::function<void()> frameChanged;
    };

    explicit TaskManagerWindow(QWidget *parent = nullptr);

    void setDelegate(Delegate delegate) { m_delegate = std::move(delegate); }
    void setView(TaskManagerView *view);
    TaskManagerView *view() const { return m_view; }

    // Takes key status back from another of our windows (a panel that became
    // key), so typing reaches this window. Only while shown and not minimised.
    void claimKeyFocus();
    void focusSearchField();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void notify(const std::function<void()> &callback) const;

    Delegate m_delegate;
    TaskManagerView *m_view = nullptr;
    bool m_wasMinimized = false;
};

} // namespace Velmora
