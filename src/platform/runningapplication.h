#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

namespace Velmora {

// How an application takes part in the desktop: a regular one has a Dock
// icon and a menu bar; an accessory one has neither but may show windows; a
// prohibited one (a background agent) shows nothing.
enum class ActivationPolicy { Regular = 0, Accessory = 1, Prohibited = 2 };

// A snapshot of one running application. A process identifier can be reused
// after its application ends, so `launchDateMs` tells two lives of one pid apart.
struct RunningApplication {
    qint32 processIdentifier = 0;
    std::optional<qint64> launchDateMs; // wall clock
    QString bundleIdentifier;           // empty when the application has none
    QString localizedName;
    QString bundlePath;     // the application bundle's location; empty when unknown
    QString executablePath; // empty when unknown
    ActivationPolicy activationPolicy = ActivationPolicy::Regular;
    bool isActive = false;
    bool isHidden = false;
    bool isTerminated = false;
    bool isFinishedLaunching = true;

    friend bool operator==(const RunningApplication &, const RunningApplication &) = default;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::RunningApplication)
