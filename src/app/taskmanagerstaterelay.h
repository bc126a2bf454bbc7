#pragma once

#include "store/taskmanageropenstate.h"

#include <QPointer>

namespace Velmora {

// The Task Manager's open state for the store, before and after its window
// controller exists: the controller builds its window at once, which would
// hold up the first bars, so it is made just after they are up. Until then
// the Task Manager is closed.
class TaskManagerStateRelay : public TaskManagerOpenState
{
    Q_OBJECT
public:
    using TaskManagerOpenState::TaskManagerOpenState;

    // Follows `state` from now on.
    void attach(TaskManagerOpenState *state);
    bool isOpen() const override;

private:
    QPointer<TaskManagerOpenState> m_state;
};

} // namespace Velmora
