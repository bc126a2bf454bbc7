#pragma once

#include "platform/scheduler.h"

#include <QObject>

namespace Velmora {

// The base of every view's widget-free model (the bar of one display, the
// picker, the Start menu, ...). The store publishes many small changes, often
// several in one go; a view-model marks what they touch and tells its views
// once, on the next turn of the loop, with everything that changed since.
// A view repaints only the parts named in the changes it hears.
//
// Each view-model names its parts with its own bits; `everything` covers any.
class ViewModel : public QObject
{
    Q_OBJECT
public:
    using Changes = quint32;
    static constexpr Changes everything = ~Changes(0);

    explicit ViewModel(Scheduler &scheduler, QObject *parent = nullptr);
    ~ViewModel() override;

    // Marks `changes` out of date; the views hear of it on the next turn.
    void invalidate(Changes changes = everything);
    Changes pendingChanges() const { return m_pending; }
    // Delivers what is pending now, for a view about to paint for the first time.
    void flush();

    // Marks `changes` whenever `sender` emits `signal`.
    template<typename Sender, typename Signal>
    QMetaObject::Connection follow(const Sender *sender, Signal signal, Changes changes)
    {
        return connect(sender, signal, this, [this, changes] { invalidate(changes); });
    }

signals:
    void changed(quint32 changes);

protected:
    // Brings derived state (layout, capacity, ...) up to date just before the
    // views hear of `changes`; the default does nothing.
    virtual void refresh(Changes changes);

private:
    Scheduler &m_scheduler;
    Changes m_pending = 0;
    Scheduler::JobId m_job = 0;
};

} // namespace Velmora
