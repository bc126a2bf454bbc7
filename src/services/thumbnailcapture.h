#pragma once

#include "services/capturedthumbnail.h"
#include "services/windowpreviewitem.h"

#include <QHash>
#include <QObject>
#include <QSize>

#include <memory>

#include <functional>

namespace Velmora {

class Scheduler;
class ScreenCapture;
class ScreenCapturePermission;
class WindowPreviewProvider;
struct ShareableContent;

// Still images of windows for the picker's cards, one capture per window,
// all at once.
//
// The capture service can stall: a request that never answers would keep
// the whole call, and with it every later capture of that window, waiting
// forever. So every request has a time-out after which it counts as failed.
//
// Main thread only.
class ThumbnailCapture : public QObject
{
    Q_OBJECT
public:
    using Result = QHash<QString, CapturedThumbnail>;

    static constexpr int thumbnailWidth = 440;
    static constexpr int minimumThumbnailHeight = 180;
    static constexpr qint64 captureTimeoutMs = 3000;

    ThumbnailCapture(ScreenCapture &screenCapture, ScreenCapturePermission &permission,
                     WindowPreviewProvider &provider, Scheduler &scheduler, QObject *parent = nullptr);

    // 440 wide; 440 / aspect ratio high (truncated), at least 180.
    static QSize thumbnailSize(double aspectRatio);

    // Captures every item that the window server lists (has a windowID) and
    // calls `done` once, on a later turn of the loop, with the images that
    // arrived, by preview id. Without permission nothing is requested and the
    // result is empty. `done` is dropped when `context` has gone.
    void captureThumbnails(const QList<WindowPreviewItem> &items, QObject *context, std::function<void(Result)> done);

private:
    struct Request;
    void finish(const std::shared_ptr<Request> &request);
    void captureWindows(const std::shared_ptr<Request> &request, const QList<WindowPreviewItem> &items,
                        const ShareableContent &content);

    ScreenCapture &m_screenCapture;
    ScreenCapturePermission &m_permission;
    WindowPreviewProvider &m_provider;
    Scheduler &m_scheduler;
};

} // namespace Velmora
