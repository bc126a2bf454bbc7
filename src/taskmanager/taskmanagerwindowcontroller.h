#pragma once

#include "store/taskmanageropenstate.h"
#include "taskmanager/model/appiconcache.h"
#include "taskmanager/model/processiconcache.h"
#include "platform/scheduler.h"
#include "taskmanager/model/taskmanagerviewmodel.h"

#include <memory>

namespace Velmora {

class Displays;
class TaskManagerWindow;
class UserDefaults;

// Owns the Task Manager window for the whole run and ties its visibility to
// the expensive part of sampling: while the window is on screen the monitor
// lists every process; minimised or closed, it does not. Publishes whether
// the window is open, which the taskbar shows as a button.
class TaskManagerWindowController : public TaskManagerOpenState
{
    Q_OBJECT
public:
    // How long the window stands still after a move or resize before its
    // frame is written: a drag or a resize by the edge has ended by then.
    static constexpr qint64 frameSaveDelayMs = 500;

    // The view-model's scheduler also brings the window's key focus back.
    struct Environment
    {
        TaskManagerViewModel::Environment view;
        Displays *displays = nullptr;
        // Where the window's frame is kept between runs.
        UserDefaults *defaults = nullptr;
    };

    // Builds the window at once, at its saved frame when a screen still holds it.
    explicit TaskManagerWindowController(Environment environment, QObject *parent = nullptr);
    ~TaskManagerWindowController() override;

    // True from present() until the window closes; minimising keeps it.
    bool isOpen() const override { return m_isOpen; }
    // Shows the window (placing it on the pointer's screen unless it is
    // already showing), brings it forward with the search field focused,
    // and turns per-process sampling on. Safe in any window state.
    void present();
    void close();

    TaskManagerWindow *window() const { return m_window.get(); }
    TaskManagerViewModel &viewModel() { return m_model; }

private:
    void windowWillClose();
    void windowDidMiniaturize();
    void windowDidDeminiaturize();
    void frameChanged();
    // Writes the frame when it differs from the one last written.
    void saveFrame();
    // A save still waiting for the move or resize to end is done now.
    void flushFrameSave();
    void setOpen(bool open);
    QRectF frame() const;
    void setFrame(const QRectF &frame);
    void restoreFrame();

    Environment m_env;
    bool m_isOpen = false;
    bool m_restoring = false;
    // The frame as last written (or read back), so an unchanged one is not written again.
    QString m_savedFrameText;
    Scheduler::JobId m_frameSave = 0;
    TaskManagerViewModel m_model;
    AppIconCache m_appIcons;
    std::unique_ptr<ProcessIconCache> m_processIcons;
    std::unique_ptr<TaskManagerWindow> m_window;
};

} // namespace Velmora
