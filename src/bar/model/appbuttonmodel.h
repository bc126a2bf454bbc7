#pragma once

#include "bar/model/animator.h"
#include "store/appitem.h"

#include <QObject>

namespace Velmora {

// The state behind one app's button on the bar: the item it shows, whether
// the app runs (the small indicator) and the hover highlight as it fades.
// The bar keeps one per app id and reuses it across updates, so a change to
// one app tells only that button to repaint.
class AppButtonModel : public QObject
{
    Q_OBJECT
public:
    static constexpr qreal iconSide = 34;
    static constexpr qreal cornerRadius = 5;
    static constexpr qreal hoverFillOpacity = 0.1;
    static constexpr qreal hoverBorderOpacity = 0.08;
    static constexpr qreal indicatorWidth = 6;
    static constexpr qreal indicatorHeight = 3;
    static constexpr qreal indicatorBottomGap = 2;
    static constexpr qreal indicatorOpacity = 0.72;
    static Motion hoverMotion(); // ease-out over 0.12 s

    AppButtonModel(Animator &animator, const AppItem &app, bool running, QObject *parent = nullptr);

    const AppItem &app() const { return m_app; }
    bool isRunning() const { return m_running; }
    // Tells the button only when what it shows differs.
    void setApp(const AppItem &app, bool running);

    bool isHovered() const { return m_hovered; }
    void setHovered(bool hovered, bool animated = true);
    // The highlight's share of its full look, 0 … 1, as it fades.
    qreal hoverAmount() const { return m_hoverAmount.value(); }

signals:
    // What the button shows changed: repaint.
    void changed();
    // The icon to draw changed (another item for the same id).
    void iconChanged();

private:
    AppItem m_app;
    bool m_running = false;
    bool m_hovered = false;
    AnimatedValue m_hoverAmount;
};

} // namespace Velmora
