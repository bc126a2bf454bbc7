#include "platform/sim/heldscreencapture.h"

namespace Velmora::Sim {

HeldScreenCapture::HeldScreenCapture(ScreenCapture &inner)
    : m_inner(inner)
{
}

QList<quint32> HeldScreenCapture::heldWindows() const
{
    QList<quint32> windows;
    for (const Held &held : m_held)
        windows.append(held.windowId);
    return windows;
}

bool HeldScreenCapture::release(quint32 windowId)
{
    for (qsizetype i = 0; i < m_held.size(); ++i) {
        if (m_held[i].windowId != windowId)
            continue;
        Held held = m_held.takeAt(i);
        if (!held.receiver.isGone())
            held.callback(held.image);
        return true;
    }
    return false;
}

bool HeldScreenCapture::preflightAccess() const
{
    return m_inner.preflightAccess();
}

bool HeldScreenCapture::requestAccess()
{
    return m_inner.requestAccess();
}

void HeldScreenCapture::shareableContent(
    bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context, ContentCallback callback)
{
    m_inner.shareableContent(excludeDesktopWindows, onScreenWindowsOnly, context, std::move(callback));
}

void HeldScreenCapture::captureDisplayImage(
    quint32 displayId, const QSize &pixelSize, QObject *context, ImageCallback callback)
{
    m_inner.captureDisplayImage(displayId, pixelSize, context, std::move(callback));
}

void HeldScreenCapture::captureWindowImage(
    quint32 windowId, const QSize &pixelSize, const CaptureOptions &options, QObject *context, ImageCallback callback)
{
    if (!m_holding) {
        m_inner.captureWindowImage(windowId, pixelSize, options, context, std::move(callback));
        return;
    }
    // The inner capture answers (to this holder) as it would; the answer is
    // then kept until released.
    const quint64 serial = ++m_lastSerial;
    m_held.append(Held { serial, windowId, ReceiverGuard(context), std::move(callback), {} });
    m_inner.captureWindowImage(windowId, pixelSize, options, &m_context, [this, serial](QImage image) {
        for (Held &held : m_held) {
            if (held.serial == serial) {
                held.image = image;
                return;
            }
        }
    });
}

} // namespace Velmora::Sim
