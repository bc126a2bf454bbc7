#pragma once

#include "platform/windowlistentry.h"

#include <QList>

#include <optional>

namespace Velmora {

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
};

} // namespace Velmora
