#pragma once

#include "platform/runningapplication.h"

#include <QList>

namespace Velmora {

// What the store tells the window focus history: which application was
// activated, and which applications still run. The history itself lives with
// the window services; it is connected to the store where both are created.
class FocusRecorder
{
public:
    virtual ~FocusRecorder() = default;

    virtual void recordFocusedWindow(qint32 processIdentifier) = 0;
    virtual void refreshApplications(const QList<RunningApplication> &regularApplications) = 0;
};

} // namespace Velmora
