#pragma once

#include "bar/model/animator.h"
#include "bar/model/presstracker.h"

#include <QObject>
#include <QString>

#include <functional>

namespace Velmora {

// The state behind one 44-point icon button of the bar (Start, Search,
// "Show more apps") or of a cell of the overflow list: what it shows, its
// hover and active looks as they animate, and what a press does.
//
// A button is either tracked or plain:
// - tracked (both onPress and onRelease set): a left mouse-down runs onPress
//   at once and the release that ends it runs onRelease(inside); `action`
//   never runs from the mouse, only from activate() (accessibility);
// - plain: `action` runs once when a left click is released inside.
// Right-clicks and Control-clicks are never taken: they open context menus.
//
// The widget paints from appearance() and forwards its input here; changed()
// tells it to repaint.
class TaskbarIconButtonModel : public QObject
{
    Q_OBJECT
public:
    static constexpr qreal side = 44;
    static constexpr qreal cornerRadius = 5;
    static constexpr qreal hoverFillOpacity = 0.1;
    static constexpr qreal activeFillOpacity = 0.16;
    static constexpr qreal hoverBorderOpacity = 0.08;
    static constexpr qreal labelOpacity = 0.94;
    static constexpr qreal activeLabelScale = 0.91;
    static constexpr qreal indicatorHeight = 3;
    static constexpr qreal indicatorBottomGap = 2;
    static constexpr qreal runningIndicatorWidth = 6;
    static constexpr qreal activeIndicatorWidth = 16;
    static constexpr qreal runningIndicatorOpacity = 0.72;
    // An indicator grows in from a fifth of its size, and shrinks back to it.
    static constexpr qreal indicatorHiddenScale = 0.2;

    static Motion hoverMotion();  // ease-out over 0.12 s; runs under reduce motion too
    static Motion activeMotion(); // a quick spring; jumps under reduce motion

    struct Appearance
    {
        qreal fillOpacity = 0;   // of white, over the rounded highlight
        qreal borderOpacity = 0; // of white, the 1-point outline
        qreal labelScale = 1;    // about the label's centre
        // The indicator capsule, shown while presence > 0: its width, its
        // colour's share of the accent (0 = white at runningIndicatorOpacity,
        // 1 = the accent colour), and presence for its scale and opacity.
        qreal indicatorPresence = 0;
        qreal indicatorWidth = runningIndicatorWidth;
        qreal indicatorAccent = 0;
        qreal indicatorScale() const { return indicatorHiddenScale + (1 - indicatorHiddenScale) * indicatorPresence; }
    };

    explicit TaskbarIconButtonModel(Animator &animator, QObject *parent = nullptr);
    ~TaskbarIconButtonModel() override;

    void setTitle(const QString &title);
    QString title() const { return m_title; }
    // The button's flyout is open: the active look, animated with a spring.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // Shows the small running indicator.
    void setRunning(bool running);
    bool isRunning() const { return m_running; }
    void setShowsSystemHelp(bool shows);
    bool showsSystemHelp() const { return m_showsSystemHelp; }
    // The help tag: the title when the button shows one, else empty.
    QString helpText() const { return m_showsSystemHelp ? m_title : QString(); }

    // The latest callbacks always apply; setting them again is cheap.
    void setPressHandlers(std::function<void()> onPress, std::function<void(bool inside)> onRelease);
    void setAction(std::function<void()> action);
    bool hasPressTracking() const { return m_onPress && m_onRelease; }

    // Input from the widget. mousePress answers whether the press was taken;
    // a press not taken should travel on to whatever lies beneath.
    bool mousePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseRelease(Qt::MouseButton button, bool inside);
    // The press will never see its release (the button was hidden, another
    // window took the mouse). A tracked press ends as a release outside, so
    // whatever it opened at mouse-down is closed again; a plain one does nothing.
    void cancelPress();
    bool isPressed() const { return m_tracker.isPressed(); }
    // Activation other than by a left click (accessibility, a keyboard).
    void activate();
    void setHovering(bool hovering);
    bool isHovering() const { return m_hovering; }

    Appearance appearance() const;

signals:
    // Anything that changes the button's look or help text.
    void changed();

private:
    void updateIndicator(bool animated);

    QString m_title;
    bool m_active = false;
    bool m_running = false;
    bool m_showsSystemHelp = true;
    bool m_hovering = false;
    // What the indicator looked like when it last began to leave, so it
    // shrinks away as it was rather than as what it would have become.
    bool m_indicatorLeftActive = false;
    bool m_pressIsTracked = false;
    std::function<void()> m_onPress;
    std::function<void(bool)> m_onRelease;
    std::function<void()> m_action;
    PressTracker m_tracker;
    AnimatedValue m_hover;
    AnimatedValue m_activeAmount;
    AnimatedValue m_presence;
};

} // namespace Velmora
