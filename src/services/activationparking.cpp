#include "services/activationparking.h"

#include "platform/runningapplication.h"

#include <QGuiApplication>
#include <QWindow>

namespace Velmora {

namespace {

// Asks the platform to map the window without giving it the input focus.
constexpr const char *showWithoutActivatingProperty = "_q_showWithoutActivating";

// A window with a title bar: what a user would take for a window of its own.
bool isTitled(const QWindow &window)
{
    const Qt::WindowFlags flags = window.flags();
    const Qt::WindowType type = window.type();
    if (type != Qt::Window && type != Qt::Dialog)
        return false;
    return !flags.testFlag(Qt::FramelessWindowHint);
}

} // namespace

ActivationParking::ActivationParking(PolicyReader policy, QObject *parent)
    : QObject(parent)
    , m_policy(std::move(policy))
{
}

ActivationParking::~ActivationParking()
{
    disconnect(m_observer);
}

void ActivationParking::install()
{
    if (m_observer || !qGuiApp)
        return;
    m_observer = connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            park();
    });
}

QWindow *ActivationParking::parkingWindow() const
{
    return m_parkingWindow.get();
}

void ActivationParking::park()
{
    // A regular application gives up key status by itself when it resigns.
    if (!m_policy || m_policy() != ActivationPolicy::Accessory)
        return;
    bool hasVisibleTitled = false;
    for (const QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window != m_parkingWindow.get() && window->isVisible() && isTitled(*window)) {
            hasVisibleTitled = true;
            break;
        }
    }
    if (!hasVisibleTitled)
        return;

    if (!m_parkingWindow) {
        m_parkingWindow = std::make_unique<QWindow>();
        m_parkingWindow->setObjectName(QStringLiteral("Velmora.ParkingWindow"));
        // The application has just lost the front to another one: the
        // parking window must never take the keyboard back from it. Under a
        // window manager a shown window that accepts focus, or one that asks
        // to be activated, gets it; this one is shown in front of our own
        // windows without either.
        m_parkingWindow->setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
            | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint | Qt::WindowStaysOnTopHint);
        m_parkingWindow->setProperty(showWithoutActivatingProperty, true);
        m_parkingWindow->setGeometry(0, 0, 1, 1);
        m_parkingWindow->setOpacity(0);
    }
    m_parkingWindow->show();
    m_parkingWindow->raise();
}

} // namespace Velmora
