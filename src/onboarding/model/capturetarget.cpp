#include "onboarding/model/capturetarget.h"

namespace Velmora {

std::optional<CaptureTarget> CaptureTarget::choose(const ShareableContent &content, qint32 ownPid)
{
    for (const ShareableWindow &window : content.windows) {
        const bool ours = window.hasOwningApplication && window.ownerPid == ownPid;
        if (!ours && window.layer == 0 && window.frame.width() > minimumWindowWidth)
            return CaptureTarget{Kind::window, window.windowId};
    }
    if (content.displayIds.isEmpty())
        return std::nullopt;
    return CaptureTarget{Kind::display, content.displayIds.first()};
}

} // namespace Velmora
