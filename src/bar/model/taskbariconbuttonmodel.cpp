#include "bar/model/taskbariconbuttonmodel.h"

#include <algorithm>

namespace Velmora {

Motion TaskbarIconButtonModel::hoverMotion()
{
    return Motion::easeOut(120, Motion::Kind::Fade);
}

Motion TaskbarIconButtonModel::activeMotion()
{
    return Motion::spring(0.2, 0.85);
}

TaskbarIconButtonModel::TaskbarIconButtonModel(Animator &animator, QObject *parent)
    : QObject(parent)
    , m_hover(animator, this, 0, [this] { emit changed(); })
    , m_activeAmount(animator, this, 0, [this] { emit changed(); })
    , m_presence(animator, this, 0, [this] { emit changed(); })
{
}

TaskbarIconButtonModel::~TaskbarIconButtonModel() = default;

void TaskbarIconButtonModel::setTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit changed();
}

void TaskbarIconButtonModel::setActive(bool active)
{
    if (m_active == active)
        return;
    if (!active && !m_running)
        m_indicatorLeftActive = true;
    m_active = active;
    m_activeAmount.animateTo(active ? 1 : 0, activeMotion());
    updateIndicator(true);
}

void TaskbarIconButtonModel::setRunning(bool running)
{
    if (m_running == running)
        return;
    if (!running && !m_active)
        m_indicatorLeftActive = false;
    m_running = running;
    updateIndicator(false);
}

void TaskbarIconButtonModel::setShowsSystemHelp(bool shows)
{
    if (m_showsSystemHelp == shows)
        return;
    m_showsSystemHelp = shows;
    emit changed();
}

void TaskbarIconButtonModel::setPressHandlers(std::function<void()> onPress, std::function<void(bool)> onRelease)
{
    m_onPress = std::move(onPress);
    m_onRelease = std::move(onRelease);
}

void TaskbarIconButtonModel::setAction(std::function<void()> action)
{
    m_action = std::move(action);
}

bool TaskbarIconButtonModel::mousePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (!m_tracker.press(button, modifiers))
        return false;
    // What the release does is decided by what the press was: a button that
    // lost its handlers mid-press must not turn the release into a click.
    m_pressIsTracked = hasPressTracking();
    if (m_pressIsTracked)
        m_onPress();
    return true;
}

void TaskbarIconButtonModel::mouseRelease(Qt::MouseButton button, bool inside)
{
    const std::optional<bool> ended = m_tracker.release(button, inside);
    if (!ended)
        return;
    if (m_pressIsTracked) {
        if (m_onRelease)
            m_onRelease(*ended);
    } else if (*ended && m_action) {
        m_action();
    }
}

void TaskbarIconButtonModel::cancelPress()
{
    if (m_tracker.isPressed())
        mouseRelease(Qt::LeftButton, false);
}

void TaskbarIconButtonModel::activate()
{
    if (m_action)
        m_action();
}

void TaskbarIconButtonModel::setHovering(bool hovering)
{
    if (m_hovering == hovering)
        return;
    m_hovering = hovering;
    m_hover.animateTo(hovering ? 1 : 0, hoverMotion());
}

void TaskbarIconButtonModel::updateIndicator(bool animated)
{
    const qreal target = (m_running || m_active) ? 1 : 0;
    if (animated)
        m_presence.animateTo(target, activeMotion());
    else
        m_presence.setValue(target);
    emit changed();
}

TaskbarIconButtonModel::Appearance TaskbarIconButtonModel::appearance() const
{
    Appearance look;
    // A spring may overshoot: scales follow it, colours and opacities stay in range.
    const qreal active = m_activeAmount.value();
    const qreal activeShare = std::clamp(active, 0.0, 1.0);
    const qreal hover = std::clamp(m_hover.value(), 0.0, 1.0);
    look.fillOpacity = activeFillOpacity * activeShare + hoverFillOpacity * hover * (1 - activeShare);
    look.borderOpacity = hoverBorderOpacity * hover;
    look.labelScale = 1 - (1 - activeLabelScale) * active;
    look.indicatorPresence = std::max(0.0, m_presence.value());
    if (m_presence.target() > 0) {
        look.indicatorWidth = runningIndicatorWidth + (activeIndicatorWidth - runningIndicatorWidth) * active;
        look.indicatorAccent = activeShare;
    } else {
        look.indicatorWidth = m_indicatorLeftActive ? activeIndicatorWidth : runningIndicatorWidth;
        look.indicatorAccent = m_indicatorLeftActive ? 1 : 0;
    }
    return look;
}

} // namespace Velmora
