#pragma once

#include "platform/sim/simdisplayids.h"

#include <QObject>

class QScreen;

namespace Velmora::Sim {

class SimDesktop;

// Keeps the simulated desktop's displays in line with the session's screens
// (the application does this; tests set displays themselves): their frames,
// scale factors and arrangement, and screens added or removed. The desktop
// then moves the windows of a display that is gone to the main one.
class SimScreenFollower : public QObject
{
    Q_OBJECT
public:
    explicit SimScreenFollower(SimDesktop &desktop, QObject *parent = nullptr);

    // Takes the screens over now and follows their changes from then on.
    // Started after the scenario is loaded, the screens take the scenario's
    // display ids in order, so its windows land on the screen of their place.
    void start();
    // The session's screens as they are now, the primary first.
    static QList<SimScreenState> sessionScreens();

private:
    void watch(QScreen *screen);
    // Several changes in one turn of the loop give one update.
    void scheduleSync();
    void sync();

    SimDesktop &m_desktop;
    SimDisplayIds m_ids;
    bool m_syncPending = false;
};

} // namespace Velmora::Sim
