#pragma once

#include "services/windowpreviewitem.h"

#include <QList>

namespace Velmora::WindowPreviews {

// Whether two previews are the same in every field. Images compare by
// content, which costs nothing when both share one image, as a preview
// that kept its thumbnail does.
bool same(const WindowPreviewItem &a, const WindowPreviewItem &b);
bool same(const QList<WindowPreviewItem> &a, const QList<WindowPreviewItem> &b);

} // namespace Velmora::WindowPreviews
