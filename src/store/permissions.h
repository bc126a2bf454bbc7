#pragma once

#include "store/apppermission.h"

#include <QObject>

#include <functional>

namespace Velmora {

class Accessibility;
class UserDefaults;
class WindowCapture;
class Workspace;

// The two permissions the bar depends on, Accessibility and Screen
// Recording, as the settings page, onboarding and the tray show them, and
// asking for them: each system prompt is shown once ever; after that the
// matching privacy pane of the system settings opens instead.
class Permissions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isAccessibilityTrusted READ isAccessibilityTrusted NOTIFY isAccessibilityTrustedChanged)
    Q_PROPERTY(bool hasScreenCapturePermission READ hasScreenCapturePermission NOTIFY hasScreenCapturePermissionChanged)

public:
    static constexpr auto privacySettingsPrefix = "x-apple.systempreferences:com.apple.preference.security?";
    static constexpr auto accessibilityPane = "Privacy_Accessibility";
    static constexpr auto screenRecordingPane = "Privacy_ScreenCapture";

    struct Services
    {
        Accessibility &accessibility;
        WindowCapture &windowCapture;
        // Opens the privacy panes.
        Workspace &workspace;
        // Remembers which system prompts were shown.
        UserDefaults &defaults;
        // While onboarding is open even a granted permission is probed.
        std::function<bool()> isOnboardingOpen;
    };

    explicit Permissions(Services services);

    bool isAccessibilityTrusted() const { return m_isAccessibilityTrusted; }
    bool hasScreenCapturePermission() const { return m_hasScreenCapturePermission; }
    // Screen recording was asked for, or seen granted, during this run: from
    // then on a refresh may probe it.
    bool hasRequestedScreenCapture() const { return m_hasRequestedScreenCapture; }

    // Re-reads both permissions; the settings page and onboarding call it
    // while they are open. A missing Screen Recording permission (or any,
    // while onboarding is open) is probed with a real request, once it was
    // asked for: only that notices a change made while the bar runs.
    void refreshPermissions();
    // Re-reads the Accessibility trust alone (the refresh tick); whether the
    // process is trusted now.
    bool refreshAccessibilityTrust();
    // Asks for Screen Recording: the system prompt the first time ever,
    // afterwards the privacy pane while it is still refused.
    void requestScreenCapturePermission();
    // Asks for `permission` the way every control of the product does.
    void askForPermission(AppPermission permission);
    // True only the first time it is asked for `permission`, ever, in these
    // user defaults.
    bool takeFirstPermissionRequest(AppPermission permission);
    void openPrivacySettings(AppPermission permission);

    // Updates the published value from a fresh reading.
    void setScreenCapturePermission(bool granted);

signals:
    void isAccessibilityTrustedChanged();
    void hasScreenCapturePermissionChanged();
    // A request for Screen Recording found it granted: an open picker can
    // show its images now.
    void screenCaptureRequestGranted();

private:
    void probeScreenCapture();

    Services m_services;
    bool m_isAccessibilityTrusted = false;
    bool m_hasScreenCapturePermission = false;
    bool m_hasRequestedScreenCapture = false;
    // Probes overlap: each carries a number, and an answer older than one
    // already applied is stale.
    quint64 m_probeRequest = 0;
    quint64 m_appliedProbe = 0;
};

} // namespace Velmora
