#include "app/fitandcenter.h"

#include "app/model/fitandcenter.h"
#include "platform/screencoordinates.h"

#include <QWidget>

namespace Velmora {

void fitAndCenter(QWidget &window, const std::optional<DisplayInfo> &screen, double primaryHeight)
{
    if (!screen)
        return;
    // The frame includes the title bar the window system adds, when it adds one.
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QMargins decoration(client.left() - frame.left(), client.top() - frame.top(),
        frame.right() - client.right(), frame.bottom() - client.bottom());
    const QRectF fitted = fittedAndCentredFrame(QSizeF(frame.size()), *screen);
    const QRect placed = ScreenCoordinates(primaryHeight).toQt(fitted);
    window.setGeometry(placed.marginsRemoved(decoration));
}

} // namespace Velmora
