#pragma once

#include "platform/applicationpreferences.h"
#include "services/dockedge.h"

#include <QLatin1String>
#include <QStringList>

#include <functional>

namespace Velmora {

// Reads and changes where the Dock sits and whether it hides, through the
// Dock's own preferences, and restarts the Dock so a change takes effect.
// Onboarding's Dock step uses it. Main thread.
//
// "autohide" is only ever turned on: turning it off is the user's to do in
// the system's settings.
class DockPosition
{
public:
    static constexpr QLatin1String domain { "com.apple.dock" };
    static constexpr QLatin1String key { "orientation" };
    static constexpr QLatin1String autohideKey { "autohide" };
    // The Dock restarts when its process is ended; the system starts it again.
    static constexpr QLatin1String restartProgram { "/usr/bin/killall" };
    static constexpr QLatin1String restartArgument { "Dock" };

    // Starts a program without waiting for it; false when it cannot be started.
    using StartDetached = std::function<bool(const QString &program, const QStringList &arguments)>;

    // Without `startDetached` the Dock is never restarted.
    DockPosition(ApplicationPreferences &preferences, StartDetached startDetached);

    // "bottom" unless the preference holds one of the other edges' raw values.
    DockEdge current() const;
    // Only a Boolean true counts.
    bool isAutohideEnabled() const;
    // Writes the edge, and turns hiding on when asked (it is never turned off),
    // then restarts the Dock.
    void move(DockEdge edge, bool autohide);
    void enableAutohide();
    // Does not wait for the Dock; a restart that cannot be started is dropped.
    void restartDock();

private:
    ApplicationPreferences &m_preferences;
    StartDetached m_startDetached;
};

} // namespace Velmora
