#pragma once

#include "bar/model/animator.h"
#include "bar/model/taskbariconbuttonmodel.h"
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
    // The app buttons stand beside Start and Search and look like them.
    static constexpr qreal cornerRadius = TaskbarIconButtonModel::cornerRadius;
    static constexpr qreal hoverFillOpacity = TaskbarIconButtonModel::hoverFillOpacity;
    static constexpr qreal hoverBorderOpacity = TaskbarIconButtonModel::hoverBorderOpacity;
    static constexpr qreal indicatorWidth = TaskbarIconButtonModel::runningIndicatorWidth;
    static constexpr qreal indicatorHeight = TaskbarIconButtonModel::indicatorHeight;
    static constexpr qreal indicatorBottomGap = TaskbarIconButtonModel::indicatorBottomGap;
    static constexpr qreal indicatorOpacity = TaskbarIconButtonModel::runningIndicatorOpacity;
    static Motion hoverMotion() { return TaskbarIconButtonModel::hoverMotion(); }

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
