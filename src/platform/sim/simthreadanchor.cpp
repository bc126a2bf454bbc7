#include "platform/sim/simthreadanchor.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace Velmora::Sim {

namespace {

const QEvent::Type CallEventType = QEvent::Type(QEvent::registerEventType());

struct CallEvent final : QEvent {
    explicit CallEvent(std::function<void()> call)
        : QEvent(CallEventType)
        , call(std::move(call))
    {
    }
    std::function<void()> call;
};

} // namespace

std::shared_ptr<SimThreadAnchor> SimThreadAnchor::here()
{
    return std::shared_ptr<SimThreadAnchor>(new SimThreadAnchor, [](SimThreadAnchor *anchor) {
        // Deleted on its own thread, or with that thread when its loop has ended.
        anchor->deleteLater();
    });
}

bool SimThreadAnchor::isOnThisThread() const
{
    return thread() == QThread::currentThread();
}

bool SimThreadAnchor::isStranded() const
{
    return thread()->isFinished();
}

void SimThreadAnchor::post(std::function<void()> call)
{
    QCoreApplication::postEvent(this, new CallEvent(std::move(call)));
}

bool SimThreadAnchor::event(QEvent *event)
{
    if (event->type() != CallEventType)
        return QObject::event(event);
    static_cast<CallEvent *>(event)->call();
    return true;
}

} // namespace Velmora::Sim
