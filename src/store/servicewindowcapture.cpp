#include "store/servicewindowcapture.h"

#include "platform/screencapture.h"
#include "services/screencapturepermission.h"
#include "services/thumbnailcapture.h"

namespace Velmora {

ServiceWindowCapture::ServiceWindowCapture(
    ScreenCapture &screenCapture, ScreenCapturePermission &permission, ThumbnailCapture &capture)
    : m_screenCapture(screenCapture)
    , m_permission(permission)
    , m_capture(capture)
{
}

bool ServiceWindowCapture::isGranted() const
{
    return m_permission.isGranted();
}

bool ServiceWindowCapture::requestAccess()
{
    return m_screenCapture.requestAccess();
}

void ServiceWindowCapture::probe(QObject *context, std::function<void(bool granted)> done)
{
    m_permission.probe(context, std::move(done));
}

void ServiceWindowCapture::captureThumbnails(
    const QList<WindowPreviewItem> &previews, QObject *context, std::function<void(Thumbnails)> done)
{
    m_capture.captureThumbnails(previews, context, std::move(done));
}

} // namespace Velmora
