#include "bar/hiddenwindowpixels.h"

#include <QBackingStore>
#include <QHideEvent>
#include <QWidget>

namespace Velmora {

void releaseHiddenWindowPixels(QWidget &window, const QHideEvent &event)
{
    if (event.spontaneous() || !window.isWindow() || window.isVisible())
        return;
    if (QBackingStore *store = window.backingStore())
        store->resize(QSize(1, 1));
}

} // namespace Velmora
