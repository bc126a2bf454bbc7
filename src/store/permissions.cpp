#include "store/permissions.h"

#include "platform/accessibility.h"
#include "platform/userdefaults.h"
#include "platform/workspace.h"
#include "store/publish.h"
#include "store/storesettings.h"
#include "store/windowcapture.h"

#include <QUrl>

namespace Velmora {

Permissions::Permissions(Services services)
    : m_services(std::move(services))
    , m_isAccessibilityTrusted(m_services.accessibility.isProcessTrusted())
    , m_hasScreenCapturePermission(m_services.windowCapture.isGranted())
{
}

bool Permissions::refreshAccessibilityTrust()
{
    const bool trusted = m_services.accessibility.isProcessTrusted();
    publish(this, m_isAccessibilityTrusted, trusted, &Permissions::isAccessibilityTrustedChanged);
    return trusted;
}

void Permissions::setScreenCapturePermission(bool granted)
{
    publish(this, m_hasScreenCapturePermission, granted, &Permissions::hasScreenCapturePermissionChanged);
}

void Permissions::refreshPermissions()
{
    refreshAccessibilityTrust();
    const bool granted = m_services.windowCapture.isGranted();
    setScreenCapturePermission(granted);
    if (granted)
        m_hasRequestedScreenCapture = true;
    // Never probe before the user was asked: the probe itself could make the
    // system ask.
    if (!m_hasRequestedScreenCapture)
        return;
    // Onboarding shows the live state, so there even a granted permission is checked.
    if (granted && !m_services.isOnboardingOpen())
        return;
    probeScreenCapture();
}

void Permissions::probeScreenCapture()
{
    const quint64 request = ++m_probeRequest;
    m_services.windowCapture.probe(this, [this, request](bool granted) {
        if (request <= m_appliedProbe)
            return;
        m_appliedProbe = request;
        setScreenCapturePermission(granted);
    });
}

void Permissions::requestScreenCapturePermission()
{
    WindowCapture &capture = m_services.windowCapture;
    const bool first = takeFirstPermissionRequest(AppPermission::screenRecording);
    const bool granted = capture.requestAccess() || capture.isGranted();
    // An answer to an earlier probe must not undo what was just read.
    m_appliedProbe = m_probeRequest;
    setScreenCapturePermission(granted);
    m_hasRequestedScreenCapture = true;
    if (granted) {
        emit screenCaptureRequestGranted();
        return;
    }
    // The system prompts only once; after that only the settings pane helps.
    if (!first && !granted)
        openPrivacySettings(AppPermission::screenRecording);
}

void Permissions::askForPermission(AppPermission permission)
{
    if (permission == AppPermission::screenRecording) {
        requestScreenCapturePermission();
        return;
    }
    if (takeFirstPermissionRequest(AppPermission::accessibility))
        m_services.accessibility.isProcessTrustedWithPrompt(true);
    else
        openPrivacySettings(AppPermission::accessibility);
}

bool Permissions::takeFirstPermissionRequest(AppPermission permission)
{
    const QString key = QLatin1String(SettingsKeys::permissionPromptShownPrefix) + AppPermissions::rawValue(permission);
    UserDefaults &defaults = m_services.defaults;
    if (defaults.boolValue(key).value_or(false))
        return false;
    defaults.setValue(key, true);
    return true;
}

void Permissions::openPrivacySettings(AppPermission permission)
{
    const char *pane = permission == AppPermission::accessibility ? accessibilityPane : screenRecordingPane;
    const QUrl url(QLatin1String(privacySettingsPrefix) + QLatin1String(pane));
    if (url.isValid())
        m_services.workspace.openUrl(url);
}

} // namespace Velmora
