#pragma once

#include "platform/screencapture.h"
#include "platform/sim/receiverguard.h"

#include <QHash>
#include <QList>
#include <QObject>

namespace Velmora::Sim {

// A screen capture in front of another one that holds window images back
// until a test releases them, so answers can arrive in any order or never.
// Content requests and the permission pass straight through.
class HeldScreenCapture final : public ScreenCapture
{
public:
    explicit HeldScreenCapture(ScreenCapture &inner);

    // While holding, image answers are kept instead of delivered.
    void setHolding(bool holding) { m_holding = holding; }
    // Window numbers whose image answer is being held, in arrival order.
    QList<quint32> heldWindows() const;
    // Delivers the held answer for `windowId` (a failure when the capture
    // itself has not answered yet); false when none is held.
    bool release(quint32 windowId);
    // Drops every held answer: those requests never answer.
    void dropAll() { m_held.clear(); }

    bool preflightAccess() const override;
    bool requestAccess() override;
    void shareableContent(
        bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context, ContentCallback callback) override;
    void captureWindowImage(quint32 windowId, const QSize &pixelSize, const CaptureOptions &options, QObject *context,
        ImageCallback callback) override;
    void captureDisplayImage(quint32 displayId, const QSize &pixelSize, QObject *context,
        ImageCallback callback) override;

private:
    struct Held
    {
        quint64 serial = 0;
        quint32 windowId = 0;
        ReceiverGuard receiver;
        ImageCallback callback;
        QImage image;
    };

    ScreenCapture &m_inner;
    bool m_holding = true;
    quint64 m_lastSerial = 0;
    QList<Held> m_held;
    // The inner capture answers to this, so an answer after the holder has
    // gone is dropped instead of reaching a destroyed object.
    QObject m_context;
};

} // namespace Velmora::Sim
