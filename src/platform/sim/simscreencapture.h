#pragma once

#include "platform/screencapture.h"
#include "platform/sim/simwindowpainter.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Screen capture on the simulated desktop. Answers come through the
// scheduler after `CaptureLatencyMs`; an image is the window as the screen
// shows it (SimWindowPainter). Failures: the
// permission, SimOperations::ShareableContent and CaptureWindowImage (an
// error, or neverAnswers for a request that hangs).
class SimScreenCapture final : public ScreenCapture
{
public:
    static constexpr qint64 CaptureLatencyMs = 20;

    explicit SimScreenCapture(SimDesktopAccess world);

    bool preflightAccess() const override;
    bool requestAccess() override;
    void shareableContent(bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context,
                          ContentCallback callback) override;
    void captureWindowImage(quint32 windowId, const QSize &pixelSize, const CaptureOptions &options, QObject *context,
                            ImageCallback callback) override;
    // The display's image is its desktop colour: nothing captures what the
    // person's screen shows.
    void captureDisplayImage(quint32 displayId, const QSize &pixelSize, QObject *context,
                             ImageCallback callback) override;

    // What a capture of the window shows now (a null image for no such window).
    QImage imageOf(quint32 windowId, const QSize &pixelSize) const;

private:
    QImage imageOf(const SimWindow &window, const QSize &pixelSize) const;

    bool mayCapture() const;

    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
