#pragma once

#include "platform/screencapture.h"

namespace Velmora::Sim {

class SimDesktop;

// Screen capture on the simulated desktop. Answers come through the
// scheduler after `CaptureLatencyMs`; an image is a flat fill in a colour of
// the window's own, so tests can tell windows apart. Failures: the
// permission, SimOperations::ShareableContent and CaptureWindowImage (an
// error, or neverAnswers for a request that hangs).
class SimScreenCapture final : public ScreenCapture
{
public:
    static constexpr qint64 CaptureLatencyMs = 20;

    explicit SimScreenCapture(SimDesktop &desktop);

    bool preflightAccess() const override;
    bool requestAccess() override;
    void shareableContent(bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context,
                          ContentCallback callback) override;
    void captureWindowImage(quint32 windowId, const QSize &pixelSize, const CaptureOptions &options, QObject *context,
                            ImageCallback callback) override;

    // The colour a window's captured image is filled with.
    static QRgb colourOf(quint32 windowId);

private:
    bool mayCapture() const;

    SimDesktop &m_desktop;
};

} // namespace Velmora::Sim
