#include "store/windowpreviews.h"

namespace Velmora::WindowPreviews {

bool same(const WindowPreviewItem &a, const WindowPreviewItem &b)
{
    return a.id == b.id && a.processIdentifier == b.processIdentifier
        && a.accessibilityElement == b.accessibilityElement && a.title == b.title && a.isMinimized == b.isMinimized
        && a.isMain == b.isMain && a.isClosable == b.isClosable && a.windowID == b.windowID
        && a.lastUsedRank == b.lastUsedRank && a.aspectRatio == b.aspectRatio && a.thumbnail == b.thumbnail;
}

bool same(const QList<WindowPreviewItem> &a, const QList<WindowPreviewItem> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
        [](const WindowPreviewItem &x, const WindowPreviewItem &y) { return same(x, y); });
}

} // namespace Velmora::WindowPreviews
