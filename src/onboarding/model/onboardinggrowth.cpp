#include "onboarding/model/onboardinggrowth.h"

#include "store/ownwindowplacement.h"

#include <algorithm>

namespace Velmora {

std::optional<QRectF> OnboardingGrowth::grownFrame(const QRectF &frame, const QMarginsF &decoration,
    const QSizeF &contentMinimum, const std::optional<DisplayInfo> &screen)
{
    const QSizeF content(frame.width() - decoration.left() - decoration.right(),
        frame.height() - decoration.top() - decoration.bottom());
    if (content.height() + slack >= contentMinimum.height() && content.width() + slack >= contentMinimum.width())
        return std::nullopt;

    const QSizeF grownContent = content.expandedTo(contentMinimum);
    double width = grownContent.width() + decoration.left() + decoration.right();
    double height = grownContent.height() + decoration.top() + decoration.bottom();
    double x = frame.x();
    // y is the bottom edge: the top stays, the window grows downwards.
    double y = frame.y() + frame.height() - height;

    if (screen) {
        const QRectF area = OwnWindowPlacement::barFreeArea(*screen);
        height = std::min(height, area.height());
        y = std::min(area.y() + area.height() - height, std::max(y, area.y()));
        // A wider page must not push the window off the screen's side either.
        width = std::min(width, area.width());
        x = std::min(area.x() + area.width() - width, std::max(x, area.x()));
    }
    return QRectF(x, y, width, height);
}

} // namespace Velmora
