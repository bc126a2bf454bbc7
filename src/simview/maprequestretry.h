#pragma once

#include <QBasicTimer>
#include <QObject>

#include <functional>

namespace Velmora::SimView {

// Sends the window manager a fresh request about a shown window that is still
// not on screen after a grace period. A window manager that is starting up
// can take the map request and sit on it until some other event reaches it;
// meanwhile the window is shown as far as Qt knows, yet a click at its place
// falls through to the root window. Any new request for the window (the
// caller's: a restack it wants anyway) wakes the manager, which then maps the
// window. Gives up after a few tries: a manager that never answers is not
// helped by more. Main thread only.
class MapRequestRetry : public QObject
{
public:
    static constexpr int defaultGraceMs = 500;
    static constexpr int maxRetries = 4;

    // `isOnScreen` tells whether the window is mapped now; `requestAgain`
    // sends the window manager a request about the window.
    MapRequestRetry(std::function<bool()> isOnScreen, std::function<void()> requestAgain, int graceMs = defaultGraceMs,
        QObject *parent = nullptr);

    // The window was shown: watch for it to reach the screen.
    void shown();
    // The window was hidden: nothing to wait for.
    void hidden();

    int retries() const { return m_retries; }

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    std::function<bool()> m_isOnScreen;
    std::function<void()> m_requestAgain;
    int m_graceMs;
    int m_retries = 0;
    // A request that hides and shows the window must not restart the watch.
    bool m_requesting = false;
    QBasicTimer m_timer;
};

} // namespace Velmora::SimView
