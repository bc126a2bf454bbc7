#pragma once

#include "viewmodel/viewmodel.h"
#include "onboarding/model/dockpage.h"
#include "onboarding/model/onboardingfooter.h"
#include "onboarding/model/onboardingstep.h"
#include "services/dockedge.h"

#include <functional>

namespace Velmora {

class DockPosition;
class OnboardingProgress;
class Permissions;
class ScreenCapture;
struct ShareableContent;
class Workspace;

// What onboarding reaches of the rest of the product. None is owned; each
// outlives the view-model.
struct OnboardingEnvironment {
    // The store's permissions: read, refreshed and asked for here.
    Permissions &permissions;
    OnboardingProgress &progress;
    DockPosition &dock;
    ScreenCapture &screenCapture;
    Workspace &workspace;
    Scheduler &scheduler;
    // Closes the setup for good (the last page's main button).
    std::function<void()> finish = {};
};

// The state of one onboarding window's content, without a widget: the page
// shown, the Dock as last read, the preview picker's choice and the one-shot
// capture. The page sequence is linear and every change of page is saved
// at once. While shown, the permissions (and, on the Dock page, the Dock)
// are re-read every second, since they change in the system's settings.
//
// A new view-model starts fresh (the capture may run once more); it lives as
// long as its window's content. Main thread only.
class OnboardingViewModel : public ViewModel
{
    Q_OBJECT
public:
    enum Change : Changes {
        StepChange = 1 << 0,
        DockChange = 1 << 1,
        PermissionsChange = 1 << 2,
        PreviewChange = 1 << 3,
    };

    static constexpr qint64 refreshIntervalMs = 1000;
    // The Desktop & Dock pane of the system's settings.
    static const QString dockSettingsUrl;
    // The one-shot capture: small, as its image is thrown away.
    static constexpr int captureSize = 64;

    // Opens at the stored step and reads the Dock.
    explicit OnboardingViewModel(OnboardingEnvironment environment, QObject *parent = nullptr);
    ~OnboardingViewModel() override;

    OnboardingStep step() const { return m_step; }
    // The last move went back: pages slide in from the leading edge.
    bool isGoingBack() const { return m_isGoingBack; }
    DockEdge dockEdge() const { return m_dockEdge; }
    bool dockAutohides() const { return m_dockAutohides; }
    DockPage dockPage() const { return DockPage::describe(m_dockEdge, m_dockAutohides); }
    bool isAccessibilityTrusted() const;
    bool hasScreenCapturePermission() const;
    OnboardingFooter footer() const;

    // The view is on screen: permissions are read now and every second.
    void appeared();
    // One refresh tick (the timer's; callable for tests).
    void tick();

    void advance();
    void goBack();
    // A footer button, Return or Escape.
    void perform(OnboardingAction action);

    // The Dock page.
    void refreshDock();
    // A "Move to the ..." card: the Dock goes to that side and hides.
    void dockChoice(DockEdge edge);
    // "Turn On Auto-hide", for a Dock at a side.
    void turnOnAutohide();

    // The Screen Recording page's picker: false shows live thumbnails.
    bool isShowingPreviewWithoutPermission() const { return m_isShowingPreviewWithoutPermission; }
    void setShowingPreviewWithoutPermission(bool without);

    // Captures one small image, once per view-model, so the system shows its
    // screen-capture notice now; failures end it silently.
    void surfaceCaptureWarning();
    bool hasSurfacedCaptureWarning() const { return m_hasSurfacedCaptureWarning; }

private:
    void setStep(OnboardingStep step);
    void screenCapturePermissionChanged();
    void surfaceIfOnScreenRecording();
    void capture(const ShareableContent &content);

    OnboardingEnvironment m_env;
    OnboardingStep m_step = OnboardingStep::welcome;
    bool m_isGoingBack = false;
    DockEdge m_dockEdge = DockEdge::bottom;
    bool m_dockAutohides = false;
    bool m_hasSurfacedCaptureWarning = false;
    bool m_isShowingPreviewWithoutPermission = false;
    Scheduler::JobId m_refreshTimer = 0;
};

} // namespace Velmora
