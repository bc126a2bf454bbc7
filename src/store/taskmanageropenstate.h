#pragma once

#include <QObject>

namespace Velmora {

// Whether the Task Manager window is open. The Task Manager's controller
// implements this; the store mirrors the value into its own published flag.
class TaskManagerOpenState : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~TaskManagerOpenState() override;

    virtual bool isOpen() const = 0;

signals:
    void isOpenChanged(bool isOpen);
};

} // namespace Velmora
