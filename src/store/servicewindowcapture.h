#pragma once

#include "store/windowcapture.h"

namespace Velmora {

class ScreenCapture;
class ScreenCapturePermission;
class ThumbnailCapture;

// The store's screen recording, carried out by the window services.
class ServiceWindowCapture final : public WindowCapture
{
public:
    ServiceWindowCapture(ScreenCapture &screenCapture, ScreenCapturePermission &permission, ThumbnailCapture &capture);

    bool isGranted() const override;
    bool requestAccess() override;
    void probe(QObject *context, std::function<void(bool granted)> done) override;
    void captureThumbnails(
        const QList<WindowPreviewItem> &previews, QObject *context, std::function<void(Thumbnails)> done) override;

private:
    ScreenCapture &m_screenCapture;
    ScreenCapturePermission &m_permission;
    ThumbnailCapture &m_capture;
};

} // namespace Velmora
