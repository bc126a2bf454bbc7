#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QObject;

namespace Velmora {

// A window that may be captured.
struct ShareableWindow {
    quint32 windowId = 0;
    qint32 ownerPid = 0;
    std::optional<QString> title;
    QRectF frame; // top-left origin, y down
    bool isOnScreen = false;
    // A window of the window server itself has no application behind it.
    bool hasOwningApplication = true;
    // The window level; 0 for ordinary document windows.
    qint64 layer = 0;
};

struct ShareableContent {
    QList<ShareableWindow> windows;
    QList<quint32> displayIds;
};

// Still images of other applications' windows. Needs the user's screen
// recording permission. The asynchronous calls answer on `context`'s thread
// while `context` lives; an answer may also never come (the capture service
// can stall), so callers must not wait on it without a deadline.
class ScreenCapture
{
public:
    struct CaptureOptions {
        bool showsCursor = false;
        bool capturesAudio = false;
        bool ignoresShadow = true;
    };
    using ContentCallback = std::function<void(std::optional<ShareableContent> content, QString error)>;
    // A null image when the capture failed.
    using ImageCallback = std::function<void(QImage image)>;

    virtual ~ScreenCapture();

    // Whether the permission is granted, without asking the user.
    virtual bool preflightAccess() const = 0;
    // Asks the user for the permission (once per process; later calls only
    // report). Returns whether it is granted now.
    virtual bool requestAccess() = 0;
    // What may be captured. Fails (nothing and an error text) without
    // permission, which makes it the probe of the permission as well.
    virtual void shareableContent(bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context,
                                  ContentCallback callback) = 0;
    // One image of the window `windowId` alone, scaled to `pixelSize`.
    virtual void captureWindowImage(quint32 windowId, const QSize &pixelSize, const CaptureOptions &options,
                                    QObject *context, ImageCallback callback) = 0;
    // One image of the whole display `displayId`, scaled to `pixelSize`.
    virtual void captureDisplayImage(quint32 displayId, const QSize &pixelSize, QObject *context,
                                     ImageCallback callback) = 0;
};

} // namespace Velmora
