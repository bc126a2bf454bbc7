#pragma once

class QHideEvent;
class QWidget;

namespace Velmora {

// Qt keeps a hidden window's pixels until it is shown again: megabytes of
// memory shared with the X server for the Task Manager or the settings
// window, which spend most of a session closed. Shrinking the backing store
// gives them back; showing the window sizes it again and repaints it whole.
//
// Only for a window the application hid or closed itself: a window that the
// window manager minimised gets no repaint of its own when restored.
void releaseHiddenWindowPixels(QWidget &window, const QHideEvent &event);

} // namespace Velmora
