#pragma once

#include "platform/scheduler.h"

#include <QObject>

namespace Velmora {

// The hint a window picker shows for a while when a card may not be dragged.
// Showing it again while it is visible restarts the full duration.
class WindowPreviewDragHint : public QObject
{
    Q_OBJECT
public:
    // How long the window picker keeps its hint up.
    static constexpr qint64 pickerDurationMs = 2500;

    WindowPreviewDragHint(qint64 durationMs, Scheduler &scheduler, QObject *parent = nullptr);

    qint64 durationMs() const { return m_durationMs; }
    bool isShowing() const { return m_isShowing; }

    void show();
    // Hides at once; publishes nothing when the hint was already hidden.
    void hide();

signals:
    void isShowingChanged();

private:
    void setShowing(bool showing);
    void cancelPendingHide();

    const qint64 m_durationMs;
    Scheduler &m_scheduler;
    bool m_isShowing = false;
    Scheduler::JobId m_hideJob = 0;
};

} // namespace Velmora
