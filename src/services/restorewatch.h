#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"

#include <QSet>

#include <functional>
#include <optional>

namespace Velmora {

struct WatchServices;

// The watch that follows restoring a minimized window while another
// application's window (the covered window) was in front: for 1.5 s it keeps
// the restored window in front, the covered window directly behind it and
// the application's other windows behind both. It ends early when a third
// application comes forward or one of the siblings does.
class RestoreWatch
{
public:
    static constexpr qint64 durationMs = 1500;
    static constexpr qint64 pollIntervalMs = 2;
    static constexpr qint64 raiseIntervalMs = 10;

    struct Request
    {
        AXElement restoredWindow;
        std::optional<quint32> restoredWindowID;
        RunningApplication application;
        QSet<quint32> knownSiblingIDs;
        quint32 coveredWindowID = 0;
        RunningApplication coveredApplication;
    };
    // Told on the main thread which covered window the watch found, so a
    // later minimize or close watch need not look for it again.
    using CoveredRecorder = std::function<void(quint32 windowID, const AXElement &element)>;

    RestoreWatch(const WatchServices &services, Request request, CoveredRecorder recordCovered);

    // The watch's thread body.
    void run();

private:
    const WatchServices &m_services;
    Request m_request;
    CoveredRecorder m_recordCovered;
};

} // namespace Velmora
