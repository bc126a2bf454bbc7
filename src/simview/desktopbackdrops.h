#pragma once

#include <QBasicTimer>
#include <QObject>

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
class DesktopBackdrops : public QObject
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

    DesktopBackdrop *backdrop(quint32 displayID) const;
    int count() const { return int(m_backdrops.size()); }
    bool isRepaintPending() const { return m_frame.isActive(); }

protected:
    void timerEvent(QTimerEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void syncDisplays();
    void scheduleRepaint();

    Sim::SimDesktop &m_desktop;
    Sim::SimStatusItem *m_statusItem = nullptr;
    std::map<quint32, std::unique_ptr<DesktopBackdrop>> m_backdrops;
    QBasicTimer m_frame;
    bool m_started = false;
};

} // namespace Velmora::SimView
