#pragma once

#include "platform/runningapplication.h"

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// What the store tells the window focus history (which application was
// activated, and which applications still run) and asks of it (how recently
// a window had focus). The history itself lives with the window services; it
// is connected to the store where both are created.
class FocusRecorder
{
public:
    virtual ~FocusRecorder() = default;

    virtual void recordFocusedWindow(qint32 processIdentifier) = 0;
    virtual void refreshApplications(const QList<RunningApplication> &regularApplications) = 0;
    // The user picked this window in the picker: it counts as focused at once,
    // before its application reports the change.
    virtual void recordRequested(const QString &previewID, qint32 processIdentifier) = 0;
    // A tick that grows with every focus change: larger is more recent;
    // nothing for a window never seen focused.
    virtual std::optional<quint64> recency(const QString &previewID) const = 0;
};

} // namespace Velmora
