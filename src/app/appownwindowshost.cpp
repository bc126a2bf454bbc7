#include "app/appownwindowshost.h"

#include "app/appsettingswindowhost.h"
#include "app/ownwindowmirror.h"
#include "services/velmoraownwindows.h"
#include "taskmanager/taskmanagerwindow.h"
#include "taskmanager/taskmanagerwindowcontroller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace Velmora {

AppOwnWindowsHost::AppOwnWindowsHost(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(std::move(environment))
{
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &AppOwnWindowsHost::notifyChanged);
}

AppOwnWindowsHost::~AppOwnWindowsHost()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void AppOwnWindowsHost::setWindowsChangedHandler(std::function<void()> handler)
{
    m_changed = std::move(handler);
}

bool AppOwnWindowsHost::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    if (event->type() == QEvent::KeyPress && closesWithShortcut(static_cast<QWidget *>(watched)->window())
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Close)) {
        static_cast<QWidget *>(watched)->window()->close();
        return true;
    }
    if (!static_cast<QWidget *>(watched)->isWindow())
        return false;
    switch (event->type()) {
    case QEvent::WindowStateChange:
    case QEvent::Close:
    case QEvent::Hide:
    case QEvent::Show:
        notifyChanged();
        break;
    default:
        break;
    }
    return false;
}

bool AppOwnWindowsHost::closesWithShortcut(const QWidget *window)
{
    // Our titled windows close with the platform's Close shortcut (Control+W
    // here), as every other window on the desktop does; bars, flyouts and
    // dialogs with buttons of their own are left to themselves.
    return window && window->isVisible() && window->windowType() == Qt::Window
        && !window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

void AppOwnWindowsHost::notifyChanged()
{
    // Once per turn of the loop, after the window has settled.
    if (!m_changed || m_changePending)
        return;
    m_changePending = true;
    QMetaObject::invokeMethod(this, [this] {
        m_changePending = false;
        if (m_changed)
            m_changed();
    }, Qt::QueuedConnection);
}

std::optional<OwnWindowsHost::Window> AppOwnWindowsHost::describe(const QWidget *window) const
{
    if (!window)
        return std::nullopt;
    return Window{m_env.mirror.numberOf(window), window->isVisible() && !window->isMinimized(), window->isMinimized()};
}

QWidget *AppOwnWindowsHost::widget(quint32 number) const
{
    if (number == 0)
        return nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (m_env.mirror.numberOf(window) == number)
            return window;
    }
    return nullptr;
}

QWidget *AppOwnWindowsHost::settingsWidget() const
{
    return m_env.settings.window();
}

std::optional<OwnWindowsHost::Window> AppOwnWindowsHost::settingsWindow() const
{
    return describe(settingsWidget());
}

void AppOwnWindowsHost::createSettingsWindow()
{
    m_env.settings.createSettingsWindow();
    // Shown by its number right after it is made.
    m_env.mirror.track(settingsWidget());
}

std::optional<OwnWindowsHost::Window> AppOwnWindowsHost::taskManagerWindow() const
{
    TaskManagerWindowController *taskManager = m_env.taskManager();
    const QWidget *window = taskManager ? taskManager->window() : nullptr;
    if (!window || (!m_taskManagerShown && !window->isVisible()))
        return std::nullopt;
    return describe(window);
}

void AppOwnWindowsHost::presentTaskManager()
{
    TaskManagerWindowController *taskManager = m_env.taskManager();
    if (!taskManager)
        return;
    m_taskManagerShown = true;
    taskManager->present();
}

QList<QWidget *> AppOwnWindowsHost::others() const
{
    // The widgets of the windows that share the button, in window order;
    // a window the desktop does not list yet has no number to show it by.
    QList<QWidget *> widgets;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWindow *window : VelmoraOwnWindows::windows()) {
        for (QWidget *widget : topLevels) {
            if (widget->windowHandle() == window && m_env.mirror.numberOf(widget) != 0)
                widgets.append(widget);
        }
    }
    return widgets;
}

QList<OwnWindowsHost::Window> AppOwnWindowsHost::otherWindows() const
{
    QList<Window> result;
    for (const QWidget *window : others())
        result.append(*describe(window));
    return result;
}

std::optional<QString> AppOwnWindowsHost::otherWindowsButtonTitle() const
{
    QList<VelmoraOwnWindows::Snapshot> snapshots;
    for (const QWindow *window : QGuiApplication::topLevelWindows())
        snapshots.append(VelmoraOwnWindows::snapshot(window));
    return VelmoraOwnWindows::buttonTitle(snapshots);
}

void AppOwnWindowsHost::miniaturize(quint32 number)
{
    if (QWidget *window = widget(number))
        window->showMinimized();
}

void AppOwnWindowsHost::show(quint32 number)
{
    QWidget *window = widget(number);
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

void AppOwnWindowsHost::activate()
{
    if (QWidget *window = QApplication::activeWindow())
        window->activateWindow();
}

void AppOwnWindowsHost::makeTaskbarPanelKey()
{
    QWidget *panel = m_env.firstTaskbarPanel ? m_env.firstTaskbarPanel() : nullptr;
    // Our bars never take the keyboard from the window the person types in;
    // the simulated desktop is told apart which application is in front.
    if (!panel || panel->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return;
    panel->activateWindow();
}

void AppOwnWindowsHost::beep()
{
    QApplication::beep();
}

void AppOwnWindowsHost::terminate()
{
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace Velmora
