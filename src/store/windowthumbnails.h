#pragma once

#include "services/capturedthumbnail.h"
#include "services/windowpreviewitem.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

namespace Velmora {

class Clock;
class Permissions;
class Scheduler;
class WindowCapture;
class WindowPicker;
class WindowPreviewProvider;

// The images on the picker's cards. A capture costs one screenshot per
// window, so the last image of every window is kept, with the window's title
// when it was taken, and shown again at once while the window still carries
// that title. Identical requests (same app, same windows and titles) are not
// repeated while one runs or within a second after it finished; windows under
// the pointer are captured ahead of a click when their image is missing or
// out of date. Results for a picker that closed or moved to another app go
// into the cache only. Every capture reads the Screen Recording permission
// afresh and publishes it through the permissions.
class WindowThumbnails : public QObject
{
    Q_OBJECT
public:
    // Per preview id, the window server's current title of its window.
    using CaptureKey = QHash<QString, std::optional<QString>>;
    using Thumbnails = QHash<QString, CapturedThumbnail>;

    // The same capture within this time after the last one finished is skipped.
    static constexpr qint64 repeatIntervalMs = 1000;
    // A capture that has not answered by then no longer holds back new ones.
    static constexpr qint64 captureTimeoutMs = 10'000;
    // Fewer windows open no picker, so they are not captured ahead.
    static constexpr qsizetype prefetchMinimum = 2;

    struct Services
    {
        WindowCapture &windowCapture;
        // The window server's titles of the windows.
        WindowPreviewProvider &windowPreviews;
        const Clock &clock;
        Scheduler &scheduler;
    };

    // The images go onto `picker`'s cards.
    WindowThumbnails(Services services, Permissions &permissions, WindowPicker &picker);
    ~WindowThumbnails() override;

    // Shows the kept images on the open picker's cards at once, then
    // captures all of them afresh unless that was just done.
    void loadWindowThumbnails(const QString &appID);
    // Captures, ahead of a click, the windows of one process whose image is
    // missing or out of date; never while a picker is open.
    void prefetchThumbnails(const QList<WindowPreviewItem> &previews);

    // The kept images of one process, by preview id; nothing when none.
    const Thumbnails *keptThumbnails(qint32 processIdentifier) const;
    bool isCapturing() const { return m_captureInFlight.has_value(); }
    bool isPrefetching(qint32 processIdentifier) const { return m_prefetchesInFlight.contains(processIdentifier); }
    // Forgets the images of processes that no longer run.
    void retainProcesses(const QSet<qint32> &processIdentifiers);

private:
    struct Capture
    {
        QString appID;
        CaptureKey key;
        quint64 serial = 0;
        quint64 timeoutJob = 0;
    };
    struct FinishedCapture
    {
        QString appID;
        CaptureKey key;
        qint64 finishedAtMs = 0; // monotonic
    };

    static CaptureKey captureKey(const QList<WindowPreviewItem> &previews, const QHash<quint32, QString> &titles);
    // The kept image of `preview`, while its window still has the title it had.
    std::optional<QImage> validKeptImage(
        const WindowPreviewItem &preview, const QHash<quint32, QString> &titles) const;
    void applyCachedThumbnails(const QHash<quint32, QString> &titles);
    void cacheThumbnails(const Thumbnails &captured, const QList<WindowPreviewItem> &previews);
    void applyCapturedThumbnails(const Thumbnails &captured, const QString &appID);
    void finishCapture(quint64 serial);
    void finishPrefetch(qint32 processIdentifier, quint64 serial);

    Services m_services;
    Permissions &m_permissions;
    WindowPicker &m_picker;
    QHash<qint32, Thumbnails> m_cache;
    std::optional<Capture> m_captureInFlight;
    std::optional<FinishedCapture> m_lastCapture;
    struct Prefetch
    {
        quint64 serial = 0;
        quint64 timeoutJob = 0;
    };
    QHash<qint32, Prefetch> m_prefetchesInFlight;
    quint64 m_serial = 0;
};

} // namespace Velmora
