#pragma once

#include "platform/windowlistentry.h"

#include <QList>
#include <QRectF>

#include <optional>

namespace Velmora {

// One row of the on-screen stack: a window of layer 0 whose number, owner
// and bounds all read as such.
struct WindowStackRow
{
    quint32 number = 0;
    qint32 ownerPID = 0;
    QRectF bounds; // top-left origin, y down, in points
};

// The window server's list of windows of every application, front to back.
class WindowList
{
public:
    // Option bits of copyWindowInfo, as the window server numbers them.
    enum Option : quint32 {
        AllWindows = 0,
        OnScreenOnly = 1 << 0,
        OnScreenAboveWindow = 1 << 1, // the on-screen windows in front of the relative window
        OnScreenBelowWindow = 1 << 2,
        IncludingWindow = 1 << 3,     // the relative window alone
        ExcludeDesktopElements = 1 << 4,
    };
    // The requests the product makes.
    static constexpr quint32 AllExceptDesktop = ExcludeDesktopElements;                  // 16
    static constexpr quint32 OnScreenExceptDesktop = ExcludeDesktopElements | OnScreenOnly; // 17
    static constexpr quint32 OneWindow = IncludingWindow;                               // 8
    static constexpr quint32 InFrontOfWindow = OnScreenAboveWindow;                     // 2
    static constexpr quint32 NoWindow = 0;

    virtual ~WindowList();

    // The entries selected by `options` relative to window number
    // `relativeToWindow` (NoWindow for none), front to back. Nothing when the
    // window server gives no list.
    virtual std::optional<QList<WindowListEntry>> copyWindowInfo(quint32 options, quint32 relativeToWindow) const = 0;

    // The rows of the on-screen list without desktop elements
    // (OnScreenExceptDesktop), front to back, into `rows`, which is cleared
    // first and keeps its storage: a caller that reads the stack every few
    // milliseconds allocates nothing for it once `rows` is large enough (an
    // implementation that can, overrides this; this one reads copyWindowInfo).
    // False, with no rows, when the window server gives no list.
    virtual bool copyOnScreenStack(QList<WindowStackRow> &rows) const;
};

} // namespace Velmora
