#pragma once

#include "platform/displayinfo.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace Velmora {

// How the onboarding window grows when a page needs more room than it has:
// the top edge stays where the user sees it and the window grows downwards,
// but it stays on its screen, above the bar's strip, in height and width.
// Frames are in the screen convention (bottom-left origin, y up).
struct OnboardingGrowth {
    // Less than this is rounding, not a page that does not fit.
    static constexpr double slack = 0.5;

    // The new frame, or nothing when the content already has its minimum
    // size in both directions. `decoration` is what the window adds around
    // its content (its title bar); `screen` the screen it is on, if any.
    static std::optional<QRectF> grownFrame(const QRectF &frame, const QMarginsF &decoration,
        const QSizeF &contentMinimum, const std::optional<DisplayInfo> &screen);
};

} // namespace Velmora
