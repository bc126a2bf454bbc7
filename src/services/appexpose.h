#pragma once

#include "platform/privatefunctions.h"
#include "platform/runningapplication.h"

#include <QByteArray>
#include <QLatin1String>
#include <QObject>

#include <mutex>

namespace Velmora {

class Scheduler;

// Moves activation between applications through the window server's private
// front-process call, where the public activation would raise every window
// of the application:
// - focus: one chosen window comes forward as the key window, alone;
// - makeFrontmost: the application becomes frontmost, no window moves;
// - show: the application becomes frontmost and the Dock shows its windows.
//
// The private functions are looked up once, at the first call that needs
// them. When one is missing the operation reports failure (or does nothing)
// and its caller uses the public activation instead.
//
// focus and makeFrontmost may be called from any thread (the watches hand
// activation back from theirs); show on the main thread only.
class AppExpose
{
public:
    static constexpr quint32 focusWindowOptions = 0x200;
    static constexpr quint32 frontProcessOptions = 0x400;
    static constexpr qint64 showNotificationDelayMs = 50;
    static constexpr QLatin1String showWindowsNotification { "com.apple.expose.front.awake" };

    // The event record that follows the front-process call: 248 bytes, zero
    // but for the fixed marks, the kind (1 for the first post, 2 for the
    // second) and the window number, little-endian.
    static constexpr qsizetype eventRecordSize = 248;
    static constexpr qsizetype eventRecordKindOffset = 8;
    static constexpr qsizetype eventRecordWindowOffset = 60;
    static QByteArray eventRecord(quint32 windowID, quint8 kind);

    AppExpose(const PrivateFunctions &functions, Scheduler &scheduler);

    // Brings that window of the application to the front as its key window
    // without activating the application's other windows. True when the
    // front-process call succeeded (what the two records do is not reported).
    bool focus(quint32 windowID, const RunningApplication &application);
    // Makes the application frontmost without naming a window and, a moment
    // later, asks the Dock to show its windows. True when the front-process
    // call succeeded; the Dock's answer is not awaited.
    bool show(const RunningApplication &application);
    // Hands activation to the application without raising any of its windows.
    void makeFrontmost(const RunningApplication &application);

private:
    struct Symbols
    {
        PrivateFunctions::CoreDockSendNotification notify;
        PrivateFunctions::SLPSSetFrontProcessWithOptions setFront;
        PrivateFunctions::GetProcessForPID processForPID;
    };

    // All three, or none: an operation that misses one of them fails whole.
    const std::optional<Symbols> &symbols();
    const PrivateFunctions::SLPSPostEventRecordTo &postEventRecordTo();
    // The serial number of the process and the front-process call; false when either fails.
    bool setFront(const Symbols &symbols, qint32 pid, quint32 windowID, quint32 options);

    const PrivateFunctions &m_functions;
    Scheduler &m_scheduler;
    QObject m_context; // drops the Dock notification of a show when this goes

    std::once_flag m_symbolsOnce;
    std::optional<Symbols> m_symbols;
    std::once_flag m_postOnce;
    PrivateFunctions::SLPSPostEventRecordTo m_postEventRecordTo;
};

} // namespace Velmora
