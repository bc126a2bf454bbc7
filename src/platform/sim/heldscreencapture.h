#pragma once

#include "platform/screencapture.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

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
    void shareableContent(bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context,
                          ContentCallback callback) override;
    void captureWindowImage(quint32 windowId, const QSize &pixelSize, const CaptureOptions &options, QObject *context,
                            ImageCallback callback) override;

private:
    struct Held
    {
        quint32 windowId = 0;
        QPointer<QObject> context;
        bool hasContext = false;
        ImageCallback callback;
        QImage image;
    };

    ScreenCapture &m_inner;
    // The inner capture answers this holder through it, so an answer that
    // arrives after the holder is gone is dropped.
    QObject m_answerContext;
    bool m_holding = true;
    QList<Held> m_held;
};

} // namespace Velmora::Sim
