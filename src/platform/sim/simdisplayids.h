#pragma once

#include "platform/displayinfo.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

namespace Velmora::Sim {

// One screen of the session as the simulated desktop takes it over.
struct SimScreenState {
    // What tells this screen from the others across changes (its name and
    // serial number); two screens may share one.
    QString key;
    QString name;
    QRectF geometry; // top-left origin, y down, in points
    double scale = 1.0;
};

// Display ids for the session's screens: unsigned 32-bit, never 0, never
// two screens with one id, and stable: a screen keeps its id while it stays,
// and gets it back when it returns. The first time, the screens take the ids
// of the displays the desktop had (a scenario's), one by one in order, so a
// scenario's windows land on the screen of their display's place.
class SimDisplayIds
{
public:
    // The displays for `screens` (the primary first), given the desktop's
    // current displays.
    QList<DisplayInfo> displaysFor(const QList<SimScreenState> &screens, const QList<DisplayInfo> &current);

private:
    QHash<QString, quint32> m_ids;
    bool m_seeded = false;
};

} // namespace Velmora::Sim
