#pragma once

#include "platform/axelement.h"
#include "platform/axerror.h"

#include <QByteArray>
#include <QLatin1String>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace Velmora {

// The process serial number: two 32-bit words, zero until filled in.
struct ProcessSerialNumber {
    quint32 highLongOfPSN = 0;
    quint32 lowLongOfPSN = 0;
    friend bool operator==(const ProcessSerialNumber &, const ProcessSerialNumber &) = default;
};

// Undocumented window-server, accessibility and Dock functions, found by name
// in the running process. Any of them may be missing on a given system, so
// each accessor returns an empty function then and every caller keeps a
// fallback to the public calls. Callers look a function up once and keep it.
class PrivateFunctions
{
public:
    static constexpr QLatin1String AXUIElementGetWindowName{"_AXUIElementGetWindow"};
    static constexpr QLatin1String AXUIElementCreateWithRemoteTokenName{"_AXUIElementCreateWithRemoteToken"};
    static constexpr QLatin1String SLSMainConnectionIDName{"SLSMainConnectionID"};
    static constexpr QLatin1String SLSCopySpacesForWindowsName{"SLSCopySpacesForWindows"};
    static constexpr QLatin1String GetProcessForPIDName{"GetProcessForPID"};
    static constexpr QLatin1String SLPSSetFrontProcessWithOptionsName{"_SLPSSetFrontProcessWithOptions"};
    static constexpr QLatin1String SLPSPostEventRecordToName{"SLPSPostEventRecordTo"};
    static constexpr QLatin1String SLPSPostEventRecordToAlternateName{"_SLPSPostEventRecordTo"};
    static constexpr QLatin1String CoreDockSendNotificationName{"CoreDockSendNotification"};

    // The window number of a window element; 0 in `windowNumber` means none.
    using AXUIElementGetWindow = std::function<AXError(const AXElement &element, quint32 *windowNumber)>;
    // An element from a 20-byte remote token; nothing when no element answers to it.
    using AXUIElementCreateWithRemoteToken = std::function<std::optional<AXElement>(const QByteArray &token)>;
    using SLSMainConnectionID = std::function<qint32()>;
    // The Spaces of the windows: a list of Space numbers, nothing, or a value
    // of another type (hence QVariant).
    using SLSCopySpacesForWindows =
        std::function<std::optional<QVariant>(qint32 connection, qint32 selectorMask, const QList<quint32> &windows)>;
    // Status 0 on success.
    using GetProcessForPID = std::function<qint32(qint32 pid, ProcessSerialNumber *psn)>;
    using SLPSSetFrontProcessWithOptions =
        std::function<qint32(const ProcessSerialNumber &psn, quint32 windowNumber, quint32 options)>;
    using SLPSPostEventRecordTo = std::function<qint32(const ProcessSerialNumber &psn, const QByteArray &record)>;
    using CoreDockSendNotification = std::function<void(const QString &notification, qint32 argument)>;

    virtual ~PrivateFunctions();

    // Whether a function of that name exists in this process.
    virtual bool isAvailable(const QString &name) const = 0;

    virtual AXUIElementGetWindow axUIElementGetWindow() const = 0;
    virtual AXUIElementCreateWithRemoteToken axUIElementCreateWithRemoteToken() const = 0;
    virtual SLSMainConnectionID slsMainConnectionID() const = 0;
    virtual SLSCopySpacesForWindows slsCopySpacesForWindows() const = 0;
    virtual GetProcessForPID getProcessForPID() const = 0;
    virtual SLPSSetFrontProcessWithOptions slpsSetFrontProcessWithOptions() const = 0;
    // The event-record poster exported under `name`: SLPSPostEventRecordToName
    // or SLPSPostEventRecordToAlternateName (systems differ in which they have).
    virtual SLPSPostEventRecordTo slpsPostEventRecordTo(const QString &name) const = 0;
    virtual CoreDockSendNotification coreDockSendNotification() const = 0;
};

} // namespace Velmora
