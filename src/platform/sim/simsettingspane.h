#pragma once

namespace Velmora::Sim {

enum class SimPermission;

struct SimDesktopParts;

// The person at the privacy settings: what happens to a permission when the
// product asks for it, and when the person grants it there.
class SimSettingsPane
{
public:
    explicit SimSettingsPane(SimDesktopParts &parts);

    // The product prompted for accessibility: a person who grants it does so
    // a little later (SimKnobs::accessibilityGrantDelayMs).
    void promptForAccessibility();
    // The system's screen-recording request, answered once: the person is
    // sent to the settings and may grant it there a little later. Whether the
    // product's own check says granted now.
    bool requestScreenCapture();
    // The person switches screen recording on; while the product runs, its
    // own check sees it only after a restart (SimKnobs).
    void grantScreenCapture();
    void grantAccessibility();
    // Screen recording set as it is now, with no restart pending.
    void setScreenCaptureAccess(SimPermission permission);
    // Screen recording granted, waiting for this process to restart (for scenarios).
    void grantedAwaitingRestart();
    // This process started again: every grant has taken effect.
    void relaunched();
    // The product's own check of screen recording.
    bool screenCapturePreflight() const;

private:
    SimDesktopParts &m_parts;
    bool m_accessibilityGrantPending = false;
};

} // namespace Velmora::Sim
