#pragma once

#include "platform/runningapplication.h"
#include "platform/sim/simmenuitem.h"

#include <QList>
#include <QString>

namespace Velmora::Sim {

// One process of the simulated desktop.
struct SimProcess {
    qint32 pid = 0;
    qint64 launchDateMs = 0;
    QString bundleIdentifier;
    QString name;
    QString bundlePath;
    QString executablePath;
    // A name in the desktop's icon theme that stands for the application;
    // empty when it has none.
    QString iconName;
    ActivationPolicy policy = ActivationPolicy::Regular;
    bool hidden = false;
    // A hung application answers no accessibility call: each one fails with
    // "cannot complete" after the element's messaging time-out.
    bool hung = false;
    // Busy until this monotonic time (an animation, a modal loop): calls wait
    // until then, or fail after the time-out when that comes first.
    qint64 busyUntilMs = 0;
    // How long the application takes to minimize and to close a window.
    qint64 minimizeDurationMs = 250;
    qint64 closeDurationMs = 100;
    // Its other windows come forward when one of its windows is minimized,
    // closed or restored, as on the desktop we model.
    bool siblingsRise = true;
    // The application's window numbers, front to back (its own window order).
    QList<quint32> windowOrder;
    QList<SimMenuItem> menuBar;
    // Distinguishes two lives of one reused process identifier.
    quint64 life = 0;

    friend bool operator==(const SimProcess &, const SimProcess &) = default;
};

} // namespace Velmora::Sim
