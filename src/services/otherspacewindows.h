#pragma once

#include "platform/axelement.h"
#include "platform/privatefunctions.h"
#include "platform/runningapplication.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

namespace Velmora {

class Accessibility;
class AccessibilityWindowNumber;
class Clock;
class Workspace;

// Accessibility elements for an application's windows on other Spaces.
//
// The accessibility service lists only the windows of the current Space, so
// windows elsewhere exist in the window server's list without an element to
// act on. This keeps the elements it has found per process, takes what the
// application reports as its main and focused window, and otherwise searches
// in the background: it creates elements from remote tokens, one candidate
// identifier after another, until every wanted window is found, the
// identifiers run out or the search's deadline passes.
//
// A process is known by its pid and launch date, and everything kept about
// it is dropped when it ends, so a reused pid starts clean.
//
// Thread-safe; listings call it from any thread. Searches run on a pool of
// their own and are stopped and joined when this object is destroyed.
class OtherSpaceWindows
{
public:
    static constexpr qint32 spacesSelectorMask = 7;
    static constexpr quint64 identifierLimit = 300000;
    static constexpr qint64 searchDeadlineMs = 8000;
    // Each probed element answers within this, so one application that stops
    // answering cannot hold the search far past its deadline.
    static constexpr double probeMessagingTimeoutSeconds = 0.1;
    static constexpr quint32 tokenMagic = 0x636F636F;

    OtherSpaceWindows(Accessibility &accessibility, const PrivateFunctions &privateFunctions, const Clock &clock,
        AccessibilityWindowNumber &windowNumber, Workspace &workspace);
    ~OtherSpaceWindows();

    // Elements for the windows of `missing` (numbers the window server knows
    // but the application does not list) that lie on some Space. `listed`
    // holds the elements the application lists itself, by window number. May
    // start a background search for what cannot be found at once; a later
    // listing then gets its results. Order of the result is unspecified.
    QList<AXElement> elements(const RunningApplication &application, const QHash<quint32, AXElement> &listed,
        const QSet<quint32> &missing, const AXElement &applicationElement);

    // Forgets everything about the application's process and stops its
    // search. A later launch that already reuses the pid is left alone.
    void forgetProcess(const RunningApplication &application);

    // Blocks until no search runs (for shutdown and tests); false on time-out.
    bool waitForSearches(int timeoutMs = -1);

    // 20 bytes, little-endian: pid, 0, the magic, then the element identifier.
    static QByteArray remoteToken(qint32 processIdentifier, quint64 elementIdentifier);

private:
    struct ProcessKey
    {
        qint32 pid = 0;
        std::optional<qint64> launchDateMs;
        friend bool operator==(const ProcessKey &, const ProcessKey &) = default;
    };
    struct Search
    {
        QSet<quint32> windowIDs;
        bool isRunning = false;
        std::shared_ptr<std::atomic_bool> cancelled;
    };
    struct ProcessState
    {
        ProcessKey key;
        QHash<quint32, AXElement> knownElements;
        std::optional<Search> search;
    };

    void lookUpFunctions();
    bool isOnASpace(quint32 windowNumber);
    // The state of `key` under the lock; a state left by an earlier process
    // with the same pid is discarded first.
    ProcessState &stateLocked(const ProcessKey &key);
    void remember(const QHash<quint32, AXElement> &found, const ProcessKey &key);
    void search(const QSet<quint32> &windowIDs, const ProcessKey &key);
    QHash<quint32, AXElement> searchElements(
        const QSet<quint32> &windowIDs, qint32 pid, const std::atomic_bool &cancelled);
    std::optional<quint32> wantedNumber(const AXElement &element, const QSet<quint32> &wanted);

    Accessibility &m_accessibility;
    const PrivateFunctions &m_privateFunctions;
    const Clock &m_clock;
    AccessibilityWindowNumber &m_windowNumber;
    const qint32 m_ownPid;

    std::once_flag m_lookupOnce;
    PrivateFunctions::SLSMainConnectionID m_mainConnection;
    PrivateFunctions::SLSCopySpacesForWindows m_copySpaces;
    PrivateFunctions::AXUIElementCreateWithRemoteToken m_createWithRemoteToken;

    QMutex m_lock;
    QHash<qint32, ProcessState> m_processes;

    QObject m_context; // connections to the workspace
    QThreadPool m_pool;
};

} // namespace Velmora
