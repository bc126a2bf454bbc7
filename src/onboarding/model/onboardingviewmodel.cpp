#include "onboarding/model/onboardingviewmodel.h"

#include "onboarding/model/capturetarget.h"
#include "onboarding/model/onboardingprogress.h"
#include "platform/screencapture.h"
#include "platform/workspace.h"
#include "services/dockposition.h"
#include "store/permissions.h"

#include <QUrl>

namespace Velmora {

const QString OnboardingViewModel::dockSettingsUrl =
    QStringLiteral("x-apple.systempreferences:com.apple.Desktop-Settings.extension");

OnboardingViewModel::OnboardingViewModel(OnboardingEnvironment environment, QObject *parent)
    : ViewModel(environment.scheduler, parent)
    , m_env(std::move(environment))
    , m_step(m_env.progress.resumeStep())
    , m_dockEdge(m_env.dock.current())
    , m_dockAutohides(m_env.dock.isAutohideEnabled())
{
    follow(&m_env.permissions, &Permissions::isAccessibilityTrustedChanged, PermissionsChange);
    connect(&m_env.permissions, &Permissions::hasScreenCapturePermissionChanged, this,
        &OnboardingViewModel::screenCapturePermissionChanged);
}

OnboardingViewModel::~OnboardingViewModel()
{
    m_env.scheduler.cancel(m_refreshTimer);
}

bool OnboardingViewModel::isAccessibilityTrusted() const
{
    return m_env.permissions.isAccessibilityTrusted();
}

bool OnboardingViewModel::hasScreenCapturePermission() const
{
    return m_env.permissions.hasScreenCapturePermission();
}

OnboardingFooter OnboardingViewModel::footer() const
{
    return OnboardingFooter::forState({m_step, m_dockEdge, isAccessibilityTrusted(), hasScreenCapturePermission()});
}

void OnboardingViewModel::appeared()
{
    m_env.permissions.refreshPermissions();
    surfaceIfOnScreenRecording();
    if (m_refreshTimer == 0)
        m_refreshTimer = m_env.scheduler.scheduleRepeating(refreshIntervalMs, 0, this, [this] { tick(); });
}

void OnboardingViewModel::tick()
{
    m_env.permissions.refreshPermissions();
    if (m_step == OnboardingStep::dock)
        refreshDock();
}

void OnboardingViewModel::advance()
{
    if (m_step == OnboardingStep::done)
        return;
    m_isGoingBack = false;
    // The Dock page opens on what the Dock says now.
    if (m_step == OnboardingStep::welcome)
        refreshDock();
    setStep(OnboardingStep(OnboardingSteps::rawValue(m_step) + 1));
}

void OnboardingViewModel::goBack()
{
    if (m_step == OnboardingStep::welcome)
        return;
    m_isGoingBack = true;
    setStep(OnboardingStep(OnboardingSteps::rawValue(m_step) - 1));
}

void OnboardingViewModel::perform(OnboardingAction action)
{
    switch (action) {
    case OnboardingAction::advance:
        // The main button asks the page again: on the last page it finishes.
        if (m_step == OnboardingStep::done)
            perform(OnboardingAction::finish);
        else
            advance();
        return;
    case OnboardingAction::goBack:
        goBack();
        return;
    case OnboardingAction::openDockSettings: {
        const QUrl url(dockSettingsUrl);
        if (url.isValid())
            m_env.workspace.openUrl(url);
        return;
    }
    case OnboardingAction::requestAccessibility:
        // The grant shows at the next refresh tick.
        m_env.permissions.askForPermission(AppPermission::accessibility);
        return;
    case OnboardingAction::requestScreenCapture:
        m_env.permissions.requestScreenCapturePermission();
        return;
    case OnboardingAction::finish:
        if (m_env.finish)
            m_env.finish();
        return;
    }
}

void OnboardingViewModel::setStep(OnboardingStep step)
{
    if (step == m_step)
        return;
    m_step = step;
    m_env.progress.saveStep(step);
    invalidate(StepChange);
    surfaceIfOnScreenRecording();
}

void OnboardingViewModel::refreshDock()
{
    const DockEdge edge = m_env.dock.current();
    const bool autohides = m_env.dock.isAutohideEnabled();
    if (edge == m_dockEdge && autohides == m_dockAutohides)
        return;
    m_dockEdge = edge;
    m_dockAutohides = autohides;
    invalidate(DockChange);
}

void OnboardingViewModel::dockChoice(DockEdge edge)
{
    m_env.dock.move(edge, true);
    refreshDock();
}

void OnboardingViewModel::turnOnAutohide()
{
    m_env.dock.enableAutohide();
    refreshDock();
}

void OnboardingViewModel::setShowingPreviewWithoutPermission(bool without)
{
    if (without == m_isShowingPreviewWithoutPermission)
        return;
    m_isShowingPreviewWithoutPermission = without;
    invalidate(PreviewChange);
}

void OnboardingViewModel::screenCapturePermissionChanged()
{
    invalidate(PermissionsChange);
    surfaceIfOnScreenRecording();
}

void OnboardingViewModel::surfaceIfOnScreenRecording()
{
    if (m_step == OnboardingStep::screenRecording && hasScreenCapturePermission())
        surfaceCaptureWarning();
}

void OnboardingViewModel::surfaceCaptureWarning()
{
    // Set before anything else: a second trigger in the same turn starts nothing.
    if (m_hasSurfacedCaptureWarning)
        return;
    m_hasSurfacedCaptureWarning = true;
    m_env.screenCapture.shareableContent(false, true, this,
        [this](std::optional<ShareableContent> content, const QString &) {
            if (content)
                capture(*content);
        });
}

void OnboardingViewModel::capture(const ShareableContent &content)
{
    const std::optional<CaptureTarget> target = CaptureTarget::choose(content, m_env.workspace.currentProcessIdentifier());
    if (!target)
        return;
    const QSize size(captureSize, captureSize);
    // Only the system's notice matters: the image is dropped, and so is a failure.
    const auto discard = [](const QImage &) {};
    if (target->kind == CaptureTarget::Kind::window)
        m_env.screenCapture.captureWindowImage(target->id, size, {}, this, discard);
    else
        m_env.screenCapture.captureDisplayImage(target->id, size, this, discard);
}

} // namespace Velmora
