#include "platform/sim/simsettingspane.h"

#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

SimSettingsPane::SimSettingsPane(SimDesktopParts &parts)
    : m_parts(parts)
{
}

void SimSettingsPane::promptForAccessibility()
{
    const SimPermissions &permissions = m_parts.world.permissions();
    if (permissions.accessibilityTrusted || !permissions.grantsAccessibilityOnPrompt || m_accessibilityGrantPending)
        return;
    m_accessibilityGrantPending = true;
    m_parts.host.laterLocked(m_parts.knobs.accessibilityGrantDelayMs, [this] {
        m_accessibilityGrantPending = false;
        grantAccessibility();
    });
}

bool SimSettingsPane::requestScreenCapture()
{
    SimPermissions &permissions = m_parts.world.permissions();
    if (permissions.screenCapture == SimPermission::NotDetermined) {
        // Answered once: the person is sent to the settings.
        permissions.screenCapture = SimPermission::Denied;
        if (permissions.grantsScreenCaptureOnRequest) {
            if (m_parts.knobs.screenCaptureGrantDelayMs <= 0)
                grantScreenCapture();
            else
                m_parts.host.laterLocked(m_parts.knobs.screenCaptureGrantDelayMs, [this] { grantScreenCapture(); });
        }
    }
    return screenCapturePreflight();
}

void SimSettingsPane::grantScreenCapture()
{
    SimPermissions &permissions = m_parts.world.permissions();
    if (permissions.screenCapture == SimPermission::Granted)
        return;
    permissions.screenCapture = SimPermission::Granted;
    permissions.screenCaptureAwaitsRestart = m_parts.knobs.screenCaptureTakesEffectAfterRestart;
    m_parts.host.changed();
}

void SimSettingsPane::grantAccessibility()
{
    m_parts.world.permissions().accessibilityTrusted = true;
    m_parts.host.changed();
}

void SimSettingsPane::relaunched()
{
    m_parts.world.permissions().screenCaptureAwaitsRestart = false;
    m_parts.host.changed();
}

bool SimSettingsPane::screenCapturePreflight() const
{
    const SimPermissions &permissions = m_parts.world.permissions();
    return permissions.screenCapture == SimPermission::Granted && !permissions.screenCaptureAwaitsRestart;
}

void SimSettingsPane::setScreenCaptureAccess(SimPermission permission)
{
    m_parts.world.permissions().screenCapture = permission;
    m_parts.world.permissions().screenCaptureAwaitsRestart = false;
}

void SimSettingsPane::grantedAwaitingRestart()
{
    m_parts.world.permissions().screenCapture = SimPermission::Granted;
    m_parts.world.permissions().screenCaptureAwaitsRestart = true;
}

} // namespace Velmora::Sim
