#include "services/thumbnailcapture.h"

#include "platform/scheduler.h"
#include "platform/screencapture.h"
#include "services/screencapturepermission.h"
#include "services/windowpreviewprovider.h"

#include <QPointer>

#include <algorithm>

namespace Velmora {

struct ThumbnailCapture::Request
{
    QPointer<QObject> context;
    bool hasContext = false;
    std::function<void(Result)> done;
    Result result;
    int pending = 0;
    bool contentAnswered = false;
    bool finished = false;
};

ThumbnailCapture::ThumbnailCapture(ScreenCapture &screenCapture, ScreenCapturePermission &permission,
                                   WindowPreviewProvider &provider, Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_screenCapture(screenCapture)
    , m_permission(permission)
    , m_provider(provider)
    , m_scheduler(scheduler)
{
}

QSize ThumbnailCapture::thumbnailSize(double aspectRatio)
{
    const double ratio = std::max(aspectRatio, 1.0);
    return {thumbnailWidth, std::max(minimumThumbnailHeight, int(thumbnailWidth / ratio))};
}

void ThumbnailCapture::finish(const std::shared_ptr<Request> &request)
{
    if (request->finished)
        return;
    request->finished = true;
    // Always on a later turn, so the caller never sees its callback run
    // inside its own call.
    m_scheduler.scheduleOnce(0, this, [request] {
        if (request->done && (!request->hasContext || request->context))
            request->done(std::move(request->result));
    });
}

void ThumbnailCapture::captureThumbnails(const QList<WindowPreviewItem> &items, QObject *context,
                                         std::function<void(Result)> done)
{
    auto request = std::make_shared<Request>();
    request->context = context;
    request->hasContext = context != nullptr;
    request->done = std::move(done);

    if (!m_permission.isGranted()) {
        finish(request);
        return;
    }

    m_screenCapture.shareableContent(false, false, this,
                                     [this, request, items](std::optional<ShareableContent> content, QString) {
                                         if (request->finished)
                                             return;
                                         request->contentAnswered = true;
                                         if (!content) {
                                             finish(request);
                                             return;
                                         }
                                         captureWindows(request, items, *content);
                                     });
    m_scheduler.scheduleOnce(captureTimeoutMs, this, [this, request] {
        if (!request->contentAnswered)
            finish(request);
    });
}

void ThumbnailCapture::captureWindows(const std::shared_ptr<Request> &request, const QList<WindowPreviewItem> &items,
                                      const ShareableContent &content)
{
    const QHash<quint32, QString> titles = m_provider.windowServerTitles();
    QSet<quint32> capturable;
    for (const ShareableWindow &window : content.windows)
        capturable.insert(window.windowId);

    struct Child
    {
        QString id;
        quint32 windowID;
        QSize size;
    };
    QList<Child> children;
    for (const WindowPreviewItem &item : items) {
        if (item.windowID && capturable.contains(*item.windowID))
            children.append({item.id, *item.windowID, thumbnailSize(item.aspectRatio)});
    }
    if (children.isEmpty()) {
        finish(request);
        return;
    }

    request->pending = int(children.size());
    for (const Child &child : std::as_const(children)) {
        // Each child ends once: with its image, its failure or its time-out,
        // whichever comes first.
        auto ended = std::make_shared<bool>(false);
        const std::optional<QString> title =
            titles.contains(child.windowID) ? std::optional<QString>(titles.value(child.windowID)) : std::nullopt;
        auto end = [this, request, ended, id = child.id, title](const QImage &image) {
            if (*ended || request->finished)
                return;
            *ended = true;
            if (!image.isNull())
                request->result.insert(id, CapturedThumbnail{image, title});
            if (--request->pending == 0)
                finish(request);
        };
        m_scheduler.scheduleOnce(captureTimeoutMs, this, [end] { end(QImage()); });
        m_screenCapture.captureWindowImage(child.windowID, child.size, ScreenCapture::CaptureOptions{}, this, end);
    }
}

} // namespace Velmora
