#include "onboarding/onboardingwindowcontroller.h"

#include "onboarding/model/onboardingviewmodel.h"
#include "onboarding/onboardingview.h"
#include "onboarding/onboardingwindow.h"
#include "platform/accessibility.h"
#include "platform/displays.h"
#include "platform/ownapplication.h"
#include "platform/screencoordinates.h"
#include "store/ownwindowplacement.h"
#include "store/taskbarstore.h"

namespace Velmora {

OnboardingWindowController::OnboardingWindowController(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(environment)
    , m_progress(m_env.defaults)
{
}

OnboardingWindowController::~OnboardingWindowController()
{
    if (m_window) {
        m_window->setDelegate({});
        delete m_window.data();
    }
}

OnboardingViewModel *OnboardingWindowController::viewModel() const
{
    return m_window ? m_window->findChild<OnboardingViewModel *>() : nullptr;
}

void OnboardingWindowController::show(TaskbarStore &store)
{
    if (m_window) {
        bringForward();
        return;
    }
    m_store = &store;
    store.setOnboardingOpen(true);
    m_env.application.setActivationPolicy(ActivationPolicy::Regular);

    auto *window = new OnboardingWindow(&m_env.displays);
    auto *model = new OnboardingViewModel(
        OnboardingEnvironment{
            .permissions = store.permissions(),
            .progress = m_progress,
            .dock = m_env.dock,
            .screenCapture = m_env.screenCapture,
            .workspace = m_env.workspace,
            .scheduler = m_env.scheduler,
            .finish = [self = QPointer(this)] {
                if (self)
                    self->finish();
            },
        },
        window);
    auto *view = new OnboardingView(*model);
    window->setContentView(view);
    connect(view, &OnboardingView::contentMinimumSizeChanged, window, &OnboardingWindow::setContentMinSize);
    window->setDelegate({
        [this] { return windowShouldClose(); },
        [this] { windowWillClose(); },
    });

    // Centred on the screen under the pointer, above the bar.
    const QList<DisplayInfo> screens = m_env.displays.screens();
    const std::optional<DisplayInfo> screen = OwnWindowPlacement::screenUnderPointer(
        screens, m_env.displays.pointerLocation(), m_env.displays.mainScreen());
    if (screen && !screens.isEmpty()) {
        const ScreenCoordinates convert(screens.first().frame.height());
        window->setGeometry(convert.toQt(OwnWindowPlacement::fitAndCenter(QSizeF(window->size()), *screen)));
    }
    m_window = window;
    bringForward();
}

void OnboardingWindowController::bringForward()
{
    m_env.application.activateIgnoringOtherApps();
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool OnboardingWindowController::windowShouldClose()
{
    if (m_env.accessibility.isProcessTrusted())
        m_progress.complete();
    return true;
}

void OnboardingWindowController::windowWillClose()
{
    // Released once it has finished closing, never inside its own close handling.
    if (m_window) {
        m_window->setDelegate({});
        m_window->deleteLater();
        m_window.clear();
    }
    if (m_store)
        m_store->setOnboardingOpen(false);
    m_env.application.setActivationPolicy(ActivationPolicy::Accessory);
}

void OnboardingWindowController::finish()
{
    m_progress.complete();
    if (m_window)
        m_window->closeWithoutAsking();
}

} // namespace Velmora
