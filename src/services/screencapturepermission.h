#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace Velmora {

class ScreenCapture;
class Scheduler;

// Whether this process may record the screen. The preflight check can be
// stale after the user changes the setting, so a real request for capturable
// content (the probe) decides once it has answered.
//
// Main thread only.
class ScreenCapturePermission : public QObject
{
    Q_OBJECT
public:
    // A probe whose request never answers gives up after this, so that later
    // probes are not answered from a flag that never clears.
    static constexpr qint64 probeTimeoutMs = 10000;

    ScreenCapturePermission(ScreenCapture &screenCapture, Scheduler &scheduler, QObject *parent = nullptr);

    // The last completed probe's answer, else the preflight check.
    bool isGranted() const;
    bool isProbing() const { return m_isProbing; }
    std::optional<bool> screenCaptureKitResult() const { return m_probeResult; }

    // Asks for capturable content and remembers whether that worked. At most
    // one request is outstanding: while one waits, `done` gets isGranted()
    // at once. Otherwise `done` runs on completion while `context` lives.
    void probe(QObject *context, std::function<void(bool granted)> done);

private:
    void finishProbe(quint64 generation, std::optional<bool> result);

    ScreenCapture &m_screenCapture;
    Scheduler &m_scheduler;
    std::optional<bool> m_probeResult;
    bool m_isProbing = false;
    quint64 m_generation = 0;
    QPointer<QObject> m_waitingContext;
    bool m_hasWaitingContext = false;
    std::function<void(bool)> m_waiting;
};

} // namespace Velmora
