#include "services/screencapturepermission.h"

#include "platform/scheduler.h"
#include "platform/screencapture.h"

namespace Velmora {

ScreenCapturePermission::ScreenCapturePermission(ScreenCapture &screenCapture, Scheduler &scheduler,
                                                 QObject *parent)
    : QObject(parent)
    , m_screenCapture(screenCapture)
    , m_scheduler(scheduler)
{
}

bool ScreenCapturePermission::isGranted() const
{
    return m_probeResult.value_or(m_screenCapture.preflightAccess());
}

void ScreenCapturePermission::probe(QObject *context, std::function<void(bool)> done)
{
    if (m_isProbing) {
        if (done)
            done(isGranted());
        return;
    }
    m_isProbing = true;
    const quint64 generation = ++m_generation;
    m_waitingContext = context;
    m_hasWaitingContext = context != nullptr;
    m_waiting = std::move(done);

    m_screenCapture.shareableContent(false, true, this,
                                     [this, generation](std::optional<ShareableContent> content, QString) {
                                         finishProbe(generation, content.has_value());
                                     });
    m_scheduler.scheduleOnce(probeTimeoutMs, this, [this, generation] { finishProbe(generation, std::nullopt); });
}

void ScreenCapturePermission::finishProbe(quint64 generation, std::optional<bool> result)
{
    if (generation != m_generation || !m_isProbing)
        return;
    m_isProbing = false;
    // A probe that timed out learnt nothing; the earlier answer stands.
    if (result)
        m_probeResult = result;
    auto done = std::exchange(m_waiting, {});
    const bool contextAlive = !m_hasWaitingContext || m_waitingContext;
    if (done && contextAlive)
        done(isGranted());
}

} // namespace Velmora
