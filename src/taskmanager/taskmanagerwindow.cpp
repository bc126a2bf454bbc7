#include "taskmanager/taskmanagerwindow.h"

#include "bar/hiddenwindowpixels.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerplacement.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerstyle.h"
#include "taskmanager/taskmanagerview.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWindow>

namespace Velmora {

TaskManagerWindow::TaskManagerWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(TaskManagerViewText::windowTitle);
    setMinimumSize(TaskManagerPlacement::minimumSize.toSize());
    resize(TaskManagerPlacement::defaultSize.toSize());
    TaskManagerStyle::applyDarkPalette(this);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The platform window exists from the start, so its role can be set and
    // clicks can be watched before it is first shown.
    winId();
    windowHandle()->installEventFilter(this);
}

void TaskManagerWindow::setView(TaskManagerView *view)
{
    m_view = view;
    layout()->addWidget(view);
}

void TaskManagerWindow::claimKeyFocus()
{
    if (!isVisible() || isMinimized())
        return;
    QWindow *key = QGuiApplication::focusWindow();
    if (key && key != windowHandle())
        activateWindow();
}

void TaskManagerWindow::focusSearchField()
{
    if (m_view && m_view->searchField())
        m_view->searchField()->setFocus(Qt::OtherFocusReason);
}

bool TaskManagerWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A click anywhere in the window first takes key status back, then goes
    // on as usual.
    if (watched == windowHandle() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            claimKeyFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void TaskManagerWindow::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; the next present() shows it again.
    event->accept();
    notify(m_delegate.willClose);
}

void TaskManagerWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const bool minimized = isMinimized();
    if (minimized == m_wasMinimized)
        return;
    m_wasMinimized = minimized;
    notify(minimized ? m_delegate.didMiniaturize : m_delegate.didDeminiaturize);
}

void TaskManagerWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    releaseHiddenWindowPixels(*this, *event);
}

void TaskManagerWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    notify(m_delegate.frameChanged);
}

void TaskManagerWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    notify(m_delegate.frameChanged);
}

void TaskManagerWindow::notify(const std::function<void()> &callback) const
{
    if (callback)
        callback();
}

} // namespace Velmora
