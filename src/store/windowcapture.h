#pragma once

#include "services/capturedthumbnail.h"
#include "services/windowpreviewitem.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

class QObject;

namespace Velmora {

// What the store uses of screen recording: the permission and still images
// of windows. Answers arrive later, on the main thread, while `context`
// lives; a capture service can also stall and never answer, so callers keep
// their own deadline.
class WindowCapture
{
public:
    using Thumbnails = QHash<QString, CapturedThumbnail>;

    virtual ~WindowCapture() = default;

    // The last probe's answer when there was one, else the system's
    // preflight check.
    virtual bool isGranted() const = 0;
    // Asks the system for the permission; whether it is granted now.
    virtual bool requestAccess() = 0;
    // Tries a real request for capturable content: the answer that counts
    // once the user changed the setting while the bar runs.
    virtual void probe(QObject *context, std::function<void(bool granted)> done) = 0;
    // One image per window that could be captured, by preview id.
    virtual void captureThumbnails(
        const QList<WindowPreviewItem> &previews, QObject *context, std::function<void(Thumbnails)> done)
        = 0;
};

} // namespace Velmora
