#include "store/windowthumbnails.h"

#include "platform/clock.h"
#include "platform/scheduler.h"
#include "services/windowpreviewprovider.h"
#include "store/permissions.h"
#include "store/windowcapture.h"
#include "store/windowpicker.h"

namespace Velmora {

namespace {

std::optional<QString> titleOf(const WindowPreviewItem &preview, const QHash<quint32, QString> &titles)
{
    if (!preview.windowID)
        return std::nullopt;
    const auto found = titles.constFind(*preview.windowID);
    return found == titles.cend() ? std::nullopt : std::optional<QString>(*found);
}

} // namespace

WindowThumbnails::WindowThumbnails(Services services, Permissions &permissions, WindowPicker &picker)
    : m_services(std::move(services))
    , m_permissions(permissions)
    , m_picker(picker)
{
}

WindowThumbnails::~WindowThumbnails() = default;

WindowThumbnails::CaptureKey WindowThumbnails::captureKey(
    const QList<WindowPreviewItem> &previews, const QHash<quint32, QString> &titles)
{
    CaptureKey key;
    key.reserve(previews.size());
    for (const WindowPreviewItem &preview : previews)
        key.insert(preview.id, titleOf(preview, titles));
    return key;
}

std::optional<QImage> WindowThumbnails::validKeptImage(
    const WindowPreviewItem &preview, const QHash<quint32, QString> &titles) const
{
    if (!preview.windowID)
        return std::nullopt;
    const auto process = m_cache.constFind(preview.processIdentifier);
    if (process == m_cache.cend())
        return std::nullopt;
    const auto kept = process->constFind(preview.id);
    if (kept == process->cend() || kept->title != titleOf(preview, titles))
        return std::nullopt;
    return kept->image;
}

void WindowThumbnails::loadWindowThumbnails(const QString &appID)
{
    const Services &env = m_services;
    const bool granted = env.windowCapture.isGranted();
    m_permissions.setScreenCapturePermission(granted);
    // Without the permission nothing is captured and no kept image is shown.
    if (!granted)
        return;
    const QHash<quint32, QString> titles = env.windowPreviews.windowServerTitles();
    applyCachedThumbnails(titles);

    const QList<WindowPreviewItem> previews = m_picker.windowPreviews();
    const CaptureKey key = captureKey(previews, titles);
    if (m_captureInFlight && m_captureInFlight->appID == appID && m_captureInFlight->key == key)
        return;
    if (m_lastCapture && m_lastCapture->appID == appID && m_lastCapture->key == key
        && env.clock.monotonicMs() - m_lastCapture->finishedAtMs < repeatIntervalMs)
        return;

    const quint64 serial = ++m_serial;
    if (m_captureInFlight)
        env.scheduler.cancel(m_captureInFlight->timeoutJob);
    // A capture that never answers must not hold back every later one.
    const quint64 timeout = env.scheduler.scheduleOnce(captureTimeoutMs, this, [this, serial] { finishCapture(serial); });
    m_captureInFlight = Capture { appID, key, serial, timeout };
    env.windowCapture.captureThumbnails(previews, this, [this, serial, appID, key, previews](Thumbnails captured) {
        finishCapture(serial);
        m_lastCapture = FinishedCapture { appID, key, m_services.clock.monotonicMs() };
        cacheThumbnails(captured, previews);
        applyCapturedThumbnails(captured, appID);
    });
}

void WindowThumbnails::finishCapture(quint64 serial)
{
    // A newer request's mark is left alone.
    if (!m_captureInFlight || m_captureInFlight->serial != serial)
        return;
    m_services.scheduler.cancel(m_captureInFlight->timeoutJob);
    m_captureInFlight.reset();
}

void WindowThumbnails::applyCachedThumbnails(const QHash<quint32, QString> &titles)
{
    const QList<WindowPreviewItem> &shown = m_picker.windowPreviews();
    QList<WindowPreviewItem> updated;
    bool changed = false;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const WindowPreviewItem &preview = shown.at(i);
        if (preview.thumbnail)
            continue;
        if (const std::optional<QImage> kept = validKeptImage(preview, titles)) {
            if (!changed) {
                updated = shown;
                changed = true;
            }
            updated[i].thumbnail = kept;
        }
    }
    if (changed)
        m_picker.setWindowPreviews(updated);
}

void WindowThumbnails::cacheThumbnails(const Thumbnails &captured, const QList<WindowPreviewItem> &previews)
{
    QHash<qint32, Thumbnails> fresh;
    for (const WindowPreviewItem &preview : previews) {
        Thumbnails &process = fresh[preview.processIdentifier];
        if (const auto found = captured.constFind(preview.id); found != captured.cend()) {
            process.insert(preview.id, *found);
            continue;
        }
        // A window that was not captured this time keeps its last image.
        const Thumbnails old = m_cache.value(preview.processIdentifier);
        if (const auto kept = old.constFind(preview.id); kept != old.cend())
            process.insert(preview.id, *kept);
    }
    // Each process's map is replaced whole: images of windows no longer
    // listed are dropped.
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it)
        m_cache.insert(it.key(), it.value());
}

void WindowThumbnails::applyCapturedThumbnails(const Thumbnails &captured, const QString &appID)
{
    WindowPicker &picker = m_picker;
    if (picker.windowPickerAppID() != appID)
        return;
    if (picker.deferUntilPickerOpenAnimationEnds(
            [this, captured, appID] { applyCapturedThumbnails(captured, appID); }))
        return;
    QList<WindowPreviewItem> updated = picker.windowPreviews();
    for (WindowPreviewItem &preview : updated) {
        if (const auto found = captured.constFind(preview.id); found != captured.cend())
            preview.thumbnail = found->image;
    }
    picker.setWindowPreviews(updated);
}

void WindowThumbnails::prefetchThumbnails(const QList<WindowPreviewItem> &previews)
{
    if (previews.size() < prefetchMinimum)
        return;
    if (m_picker.windowPickerAppID())
        return;
    if (!m_permissions.hasScreenCapturePermission())
        return;
    const qint32 pid = previews.first().processIdentifier;
    if (m_prefetchesInFlight.contains(pid))
        return;
    const quint64 serial = ++m_serial;
    m_prefetchesInFlight.insert(pid, Prefetch { serial, 0 });

    const Thumbnails kept = m_cache.value(pid);
    // Titles are worth reading only when there is a kept image to compare them with.
    const QHash<quint32, QString> titles
        = kept.isEmpty() ? QHash<quint32, QString>() : m_services.windowPreviews.windowServerTitles();
    QList<WindowPreviewItem> missing;
    for (const WindowPreviewItem &preview : previews) {
        if (preview.windowID && !validKeptImage(preview, titles))
            missing.append(preview);
    }
    if (missing.isEmpty()) {
        m_prefetchesInFlight.remove(pid);
        return;
    }
    const Services &env = m_services;
    m_prefetchesInFlight[pid].timeoutJob
        = env.scheduler.scheduleOnce(captureTimeoutMs, this, [this, pid, serial] { finishPrefetch(pid, serial); });
    env.windowCapture.captureThumbnails(missing, this, [this, pid, serial, previews](Thumbnails captured) {
        finishPrefetch(pid, serial);
        // All the listed previews, so kept images of windows not captured again survive.
        cacheThumbnails(captured, previews);
    });
}

void WindowThumbnails::finishPrefetch(qint32 processIdentifier, quint64 serial)
{
    const auto found = m_prefetchesInFlight.constFind(processIdentifier);
    if (found == m_prefetchesInFlight.cend() || found->serial != serial)
        return;
    m_services.scheduler.cancel(found->timeoutJob);
    m_prefetchesInFlight.remove(processIdentifier);
}

const WindowThumbnails::Thumbnails *WindowThumbnails::keptThumbnails(qint32 processIdentifier) const
{
    const auto found = m_cache.constFind(processIdentifier);
    return found == m_cache.cend() ? nullptr : &*found;
}

void WindowThumbnails::retainProcesses(const QSet<qint32> &processIdentifiers)
{
    m_cache.removeIf([&](const auto &entry) { return !processIdentifiers.contains(entry.key()); });
}

} // namespace Velmora
