#pragma once

#include "platform/scheduler.h"
#include "store/taskbartooltip.h"

#include <QObject>
#include <QString>

#include <memory>

namespace Velmora {

class Displays;
class TooltipPanel;

// The one tooltip of the bar and the window picker: a title shown 0.3 s after
// the pointer settles on an item, centred above the pointer and kept on its
// screen, and taken away at once by any press, drag, click action or
// right-click anywhere in the application. Main thread only.
//
// The application makes one at start-up and hands it to every view and
// action that shows or hides it, so a test can hand in its own.
class TaskbarTooltipController : public QObject, public TaskbarTooltip
{
    Q_OBJECT
public:
    // `scheduler` times the delayed show; `displays` tells where the pointer
    // is and which screens there are. Both must outlive the controller.
    TaskbarTooltipController(Scheduler &scheduler, Displays &displays, QObject *parent = nullptr);
    ~TaskbarTooltipController() override;

    // Takes any tooltip away, then shows `title` after the delay unless
    // another schedule() or hide() comes first. An empty title shows nothing.
    void schedule(const QString &title);
    // Cancels a pending tooltip and takes a shown one away.
    void hide() override;

    bool isPending() const;
    bool isShown() const;
    // The panel, once a tooltip has been shown; reused for every later one.
    TooltipPanel *panel() const { return m_panel.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(const QString &title);

    Scheduler &m_scheduler;
    Displays &m_displays;
    Scheduler::JobId m_pendingShow = 0;
    std::unique_ptr<TooltipPanel> m_panel;
};

} // namespace Velmora
