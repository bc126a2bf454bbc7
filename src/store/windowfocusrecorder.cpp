#include "store/windowfocusrecorder.h"

#include "services/windowfocushistory.h"

namespace Velmora {

WindowFocusRecorder::WindowFocusRecorder(WindowFocusHistory &history)
    : m_history(history)
{
}

void WindowFocusRecorder::recordFocusedWindow(qint32 processIdentifier)
{
    m_history.recordFocusedWindow(processIdentifier);
}

void WindowFocusRecorder::refreshApplications(const QList<RunningApplication> &regularApplications)
{
    m_history.refreshApplications(regularApplications);
}

void WindowFocusRecorder::recordRequested(const QString &previewID, qint32 processIdentifier)
{
    m_history.recordRequested(previewID, processIdentifier);
}

std::optional<quint64> WindowFocusRecorder::recency(const QString &previewID) const
{
    return m_history.recency(previewID);
}

} // namespace Velmora
