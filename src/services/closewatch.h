#pragma once

#include "platform/runningapplication.h"
#include "services/coveredwindow.h"
#include "services/windowstack.h"

#include <QSet>

namespace Velmora {

struct WatchServices;

// The watch that follows closing another application's window: it waits
// (at most 1 s) for the window to go, then hands activation back to the
// previously frontmost application and keeps that application's window
// above the remaining ones for a moment. A close that brings up a window of
// its own (a "save changes?" sheet or dialog) stops the wait; if the window
// is still there, its application gets the front back to show it.
class CloseWatch
{
public:
    static constexpr qint64 waitMs = 1000;
    static constexpr qint64 pollIntervalMs = 2;

    struct Request
    {
        quint32 closingWindowID = 0;
        RunningApplication application;
        QSet<quint32> windowIDsBeforeClose;
        QSet<quint32> knownSiblingIDs;
        RunningApplication previousApplication;
        CoveredWindow covered;
    };

    CloseWatch(const WatchServices &services, Request request);

    // The watch's thread body.
    void run();

private:
    // The close is over: the window left the screen, or the application
    // showed a window it did not have before.
    bool closeSettled(WindowStack::Reading &reading) const;

    const WatchServices &m_services;
    Request m_request;
};

} // namespace Velmora
