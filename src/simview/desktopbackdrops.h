#pragma once

#include "bar/model/clickcatcherwindows.h"

#include <QBasicTimer>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

namespace Velmora::Sim {
class SimDesktop;
class SimStatusItem;
}

namespace Velmora::SimView {

class DesktopBackdrop;

// A backdrop for every display of the simulated desktop, following its
// displays. A change of the world repaints them once on the next frame,
// however many changes came in between; nothing changing costs nothing.
//
// Once started it also keeps the simulated pointer where the person's
// pointer is over every window of the application, the bars and flyouts
// included (the backdrops only see it over the drawn desktop): what asks the
// desktop where the pointer is, such as the tooltip, must not get the place
// where it last left the backdrop.
//
// Where the window system cannot show clear windows, the backdrops are also
// the flyouts' desktop click catcher: a click on the bare drawn desktop
// closes the open flyout and does not reach the simulated desktop.
class DesktopBackdrops : public QObject, public ClickCatcherWindows
{
    Q_OBJECT
public:
    static constexpr int frameIntervalMs = 16;

    // `statusItem`, when given, is drawn in every display's menu bar.
    explicit DesktopBackdrops(
        Sim::SimDesktop &desktop, Sim::SimStatusItem *statusItem = nullptr, QObject *parent = nullptr);
    ~DesktopBackdrops() override;

    // Shows the backdrops, below every other window of the application.
    void start();

    // ClickCatcherWindows. Taking the catcher away waits for the event being
    // handled: the press that closed the flyout (heard by the click monitors
    // before the backdrop sees it) is still caught.
    void show(std::function<void()> onClick) override;
    void hide() override;

    DesktopBackdrop *backdrop(quint32 displayID) const;
    int count() const { return int(m_backdrops.size()); }
    bool isRepaintPending() const { return m_frame.isActive(); }

protected:
    void timerEvent(QTimerEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void syncDisplays();
    void scheduleRepaint();
    void setClickCatcher(std::function<void()> onClick);

    Sim::SimDesktop &m_desktop;
    Sim::SimStatusItem *m_statusItem = nullptr;
    std::map<quint32, std::unique_ptr<DesktopBackdrop>> m_backdrops;
    QBasicTimer m_frame;
    bool m_started = false;
    std::function<void()> m_catchClick;
    // Counts shows and hides, so a hide waiting for its turn does not undo a later show.
    quint64 m_catcherGeneration = 0;
};

} // namespace Velmora::SimView
