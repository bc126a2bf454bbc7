#pragma once

#include "store/focusrecorder.h"

namespace Velmora {

class WindowFocusHistory;

// Hands the store's focus reports to the window services' focus history, so
// the store can be tested against a plain fake and run against the real thing.
class WindowFocusRecorder final : public FocusRecorder
{
public:
    explicit WindowFocusRecorder(WindowFocusHistory &history);

    void recordFocusedWindow(qint32 processIdentifier) override;
    void refreshApplications(const QList<RunningApplication> &regularApplications) override;
    void recordRequested(const QString &previewID, qint32 processIdentifier) override;
    std::optional<quint64> recency(const QString &previewID) const override;

private:
    WindowFocusHistory &m_history;
};

} // namespace Velmora
