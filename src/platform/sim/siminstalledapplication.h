#pragma once

#include "platform/runningapplication.h"
#include "platform/sim/simmenuitem.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Velmora::Sim {

// An application that can be launched on the simulated desktop.
struct SimInstalledApplication {
    QString bundleIdentifier;
    QString name;
    QString bundlePath;
    ActivationPolicy policy = ActivationPolicy::Regular;
    // The windows it opens when launched.
    QStringList windowTitles;
    QList<SimMenuItem> menuBar;
    qint64 launchDurationMs = 300;
    // A name in the desktop's icon theme that stands for the application,
    // since its bundle exists only in the simulation; empty when it has none.
    QString iconName;

    friend bool operator==(const SimInstalledApplication &, const SimInstalledApplication &) = default;
};

} // namespace Velmora::Sim
