#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <functional>
#include <utility>

namespace Velmora::Sim {

// The receiver of a callback that may go away before the callback comes.
// Bound to a receiver, the callback runs only while the receiver lives, and on
// its thread; bound to none, it always runs, where it is called. A null
// QPointer alone cannot tell "never had a receiver" from "the receiver is
// gone", which is what this keeps apart.
class ReceiverGuard
{
public:
    ReceiverGuard() = default;
    explicit ReceiverGuard(QObject *receiver)
        : m_receiver(receiver)
        , m_bound(receiver != nullptr)
    {
    }

    bool isBound() const { return m_bound; }
    // Bound to a receiver that no longer exists.
    bool isGone() const { return m_bound && !m_receiver; }
    // The receiver; null when unbound or gone.
    QObject *receiver() const { return m_receiver.data(); }
    // The receiver lives on another thread than the caller's.
    bool isElsewhere() const
    {
        const QObject *receiver = m_receiver.data();
        return receiver && receiver->thread() != QThread::currentThread();
    }

    // Runs `call` now when the receiver lives on this thread or there is
    // none; otherwise queues it to the receiver's thread, where Qt drops it if
    // the receiver is destroyed first. Nothing at all once the receiver is gone.
    void call(std::function<void()> call) const
    {
        if (isGone())
            return;
        if (!isElsewhere()) {
            call();
            return;
        }
        QMetaObject::invokeMethod(m_receiver.data(), std::move(call), Qt::QueuedConnection);
    }

    // `call` wrapped so that it does nothing once the receiver is gone (it
    // runs wherever it is called).
    std::function<void()> guarded(std::function<void()> call) const
    {
        return [guard = *this, call = std::move(call)] {
            if (!guard.isGone())
                call();
        };
    }

private:
    QPointer<QObject> m_receiver;
    bool m_bound = false;
};

} // namespace Velmora::Sim
