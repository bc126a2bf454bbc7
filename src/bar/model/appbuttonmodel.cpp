#include "bar/model/appbuttonmodel.h"

namespace Velmora {

AppButtonModel::AppButtonModel(Animator &animator, const AppItem &app, bool running, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_running(running)
    , m_hoverAmount(animator, this, 0, [this] { emit changed(); })
{
}

void AppButtonModel::setApp(const AppItem &app, bool running)
{
    // The icon depends on where the app lives and what it is called, not on
    // whether it runs.
    const bool iconDiffers = app.id != m_app.id || app.bundleIdentifier != m_app.bundleIdentifier
        || app.url != m_app.url || app.systemImageName != m_app.systemImageName;
    const bool differs = iconDiffers || running != m_running || app.name != m_app.name;
    m_app = app;
    m_running = running;
    if (iconDiffers)
        emit iconChanged();
    if (differs)
        emit changed();
}

void AppButtonModel::setHovered(bool hovered, bool animated)
{
    if (hovered == m_hovered && (animated || !m_hoverAmount.isAnimating()))
        return;
    m_hovered = hovered;
    if (animated)
        m_hoverAmount.animateTo(hovered ? 1 : 0, hoverMotion());
    else
        m_hoverAmount.setValue(hovered ? 1 : 0);
}

} // namespace Velmora
