#include "taskmanager/taskmanagerwindowcontroller.h"

#include "platform/displays.h"
#include "platform/processsignaller.h"
#include "platform/scheduler.h"
#include "platform/screencoordinates.h"
#include "platform/userdefaults.h"
#include "services/velmoraownwindows.h"
#include "taskmanager/model/taskmanagerplacement.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/taskmanagerview.h"
#include "taskmanager/taskmanagerwindow.h"

#include <QPointer>

namespace Velmora {

namespace {

// Qt places windows in its own coordinates (top-left origin, y down); the
// displays and the saved frame use the screen convention.
std::optional<ScreenCoordinates> coordinates(const Displays *displays)
{
    if (!displays)
        return std::nullopt;
    const QList<DisplayInfo> screens = displays->screens();
    if (screens.isEmpty())
        return std::nullopt;
    return ScreenCoordinates(screens.first().frame.height());
}

} // namespace

TaskManagerWindowController::TaskManagerWindowController(Environment environment, QObject *parent)
    : TaskManagerOpenState(parent)
    , m_env(environment)
    , m_model(m_env.view)
    , m_appIcons(*m_env.view.icons)
    , m_processIcons(std::make_unique<ProcessIconCache>(*m_env.view.icons, m_env.view.runningApplications,
          *m_env.view.statistics, m_env.view.signaller ? m_env.view.signaller->currentProcessId() : 0))
    , m_window(std::make_unique<TaskManagerWindow>())
{
    m_window->setView(new TaskManagerView(m_model, m_appIcons, *m_processIcons, m_window.get()));
    VelmoraOwnWindows::setRole(m_window->windowHandle(), VelmoraOwnWindows::Role::TaskManager);
    m_window->setDelegate({
        [this] { windowWillClose(); },
        [this] { windowDidMiniaturize(); },
        [this] { windowDidDeminiaturize(); },
        [this] { frameChanged(); },
    });
    restoreFrame();
}

TaskManagerWindowController::~TaskManagerWindowController()
{
    // A frame the user just chose is kept even when the application ends
    // before the move had settled.
    flushFrameSave();
    // The window goes first, while the models it paints from are still here.
    m_window->setDelegate({});
    m_window.reset();
}

QRectF TaskManagerWindowController::frame() const
{
    const QRect qt = m_window->geometry();
    if (const auto convert = coordinates(m_env.displays))
        return convert->fromQt(qt);
    return QRectF(qt);
}

void TaskManagerWindowController::setFrame(const QRectF &frame)
{
    const auto convert = coordinates(m_env.displays);
    m_window->setGeometry(convert ? convert->toQt(frame) : frame.toRect());
}

void TaskManagerWindowController::restoreFrame()
{
    std::optional<QRectF> saved;
    if (m_env.defaults) {
        if (const auto text = m_env.defaults->stringValue(TaskManagerPlacement::frameKey)) {
            saved = TaskManagerPlacement::parseFrame(*text);
            m_savedFrameText = *text;
        }
    }
    const QList<DisplayInfo> screens = m_env.displays ? m_env.displays->screens() : QList<DisplayInfo>();
    m_restoring = true;
    setFrame(TaskManagerPlacement::restoredFrame(saved, screens));
    m_restoring = false;
}

void TaskManagerWindowController::frameChanged()
{
    if (m_restoring || !m_env.defaults)
        return;
    // A drag moves the window dozens of times a second, and each write
    // rewrites the whole settings file on this thread: the frame is written
    // once the window has stood still for a moment.
    m_env.view.scheduler.cancel(m_frameSave);
    m_frameSave = m_env.view.scheduler.scheduleOnce(frameSaveDelayMs, this, [this] {
        m_frameSave = 0;
        saveFrame();
    });
}

void TaskManagerWindowController::flushFrameSave()
{
    if (!m_frameSave)
        return;
    m_env.view.scheduler.cancel(m_frameSave);
    m_frameSave = 0;
    saveFrame();
}

void TaskManagerWindowController::saveFrame()
{
    // Only frames the user chose: not the one being restored, and not one
    // the window has while it is hidden.
    if (!m_env.defaults || !m_window->isVisible() || m_window->isMinimized())
        return;
    const QString text = TaskManagerPlacement::frameText(frame());
    if (text == m_savedFrameText)
        return;
    if (m_env.defaults->setValue(TaskManagerPlacement::frameKey, text))
        m_savedFrameText = text;
}

void TaskManagerWindowController::present()
{
    TaskManagerWindow *window = m_window.get();
    const QList<DisplayInfo> screens = m_env.displays ? m_env.displays->screens() : QList<DisplayInfo>();
    const bool showing = window->isVisible() && !window->isMinimized();
    if (!showing || !TaskManagerPlacement::keepsPlace(frame(), screens)) {
        if (m_env.displays) {
            const auto screen = TaskManagerPlacement::screenFor(
                screens, m_env.displays->pointerLocation(), m_env.displays->mainScreen());
            // Without any screen the window is shown where it is.
            if (screen)
                setFrame(TaskManagerPlacement::fitAndCenter(frame(), *screen));
        }
    }
    setOpen(true);
    if (m_env.view.monitor)
        m_env.view.monitor->setProcessesVisible(true);

    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    window->focusSearchField();

    // Another of our windows may take key status back while this one comes
    // up; claim it again on the next turn and once more a moment later.
    QPointer<TaskManagerWindow> weak(window);
    m_env.view.scheduler.scheduleOnce(0, window, [weak] {
        if (!weak)
            return;
        weak->claimKeyFocus();
        weak->focusSearchField();
    });
    m_env.view.scheduler.scheduleOnce(250, window, [weak] {
        if (weak)
            weak->claimKeyFocus();
    });
}

void TaskManagerWindowController::close()
{
    m_window->close();
}

void TaskManagerWindowController::windowWillClose()
{
    // Still visible here: the frame it closes at is the one to come back to.
    flushFrameSave();
    setOpen(false);
    m_model.windowWillClose();
    // The rows that asked for icons are gone with the process list.
    m_processIcons->discardPending();
    if (m_env.view.monitor)
        m_env.view.monitor->setProcessesVisible(false);
}

void TaskManagerWindowController::windowDidMiniaturize()
{
    if (m_env.view.monitor)
        m_env.view.monitor->setProcessesVisible(false);
}

void TaskManagerWindowController::windowDidDeminiaturize()
{
    if (m_env.view.monitor)
        m_env.view.monitor->setProcessesVisible(true);
}

void TaskManagerWindowController::setOpen(bool open)
{
    if (open == m_isOpen)
        return;
    m_isOpen = open;
    emit isOpenChanged(open);
}

} // namespace Velmora
