#include "platform/sim/simprivatefunctions.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

#include <QtEndian>

namespace Velmora::Sim {

namespace {
constexpr qsizetype RemoteTokenSize = 20;
constexpr qsizetype EventRecordKindOffset = 8;
constexpr qsizetype EventRecordWindowOffset = 60;
} // namespace

SimPrivateFunctions::SimPrivateFunctions(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

bool SimPrivateFunctions::isAvailable(const QString &name) const
{
    return m_desktop.isPrivateFunctionAvailable(name);
}

std::optional<qint32> SimPrivateFunctions::failedStatus(const QString &name, qint32 pid, const QVariant &detail) const
{
    const auto failure = m_world.takeFailure(SimOperations::CallPrivateFunction, name, pid);
    const qint32 status = failure ? failure->status : 0;
    m_world.log(name, pid, name, detail, status);
    if (failure)
        return status;
    return std::nullopt;
}

PrivateFunctions::AXUIElementGetWindow SimPrivateFunctions::axUIElementGetWindow() const
{
    if (!isAvailable(AXUIElementGetWindowName))
        return {};
    return [this](const AXElement &element, quint32 *windowNumber) {
        const auto failure = m_world.takeFailure(SimOperations::CallPrivateFunction, AXUIElementGetWindowName,
                                                   element.processIdentifier());
        AXError result = AXError::Success;
        quint32 number = 0;
        const std::optional<SimNode> node = m_desktop.resolve(element);
        if (failure)
            result = failure->axError;
        else if (!node || !m_desktop.isLive(*node))
            result = AXError::InvalidUIElement;
        else if (node->kind != SimNode::Kind::Window)
            result = AXError::IllegalArgument;
        else
            number = node->window;
        if (windowNumber)
            *windowNumber = number;
        m_world.log(AXUIElementGetWindowName, element.processIdentifier(), AXUIElementGetWindowName, number,
                      int(result));
        return result;
    };
}

PrivateFunctions::AXUIElementCreateWithRemoteToken SimPrivateFunctions::axUIElementCreateWithRemoteToken() const
{
    if (!isAvailable(AXUIElementCreateWithRemoteTokenName))
        return {};
    return [this](const QByteArray &token) -> std::optional<AXElement> {
        if (token.size() != RemoteTokenSize)
            return std::nullopt;
        const auto *bytes = reinterpret_cast<const uchar *>(token.constData());
        const qint32 pid = qFromLittleEndian<qint32>(bytes);
        const quint32 magic = qFromLittleEndian<quint32>(bytes + 8);
        const quint64 id = qFromLittleEndian<quint64>(bytes + 12);
        // Probing runs through hundreds of thousands of ids: only hits are logged.
        if (magic != RemoteTokenMagic)
            return std::nullopt;
        const std::optional<quint32> number = m_desktop.windowForRemoteElement(pid, id);
        if (!number)
            return std::nullopt;
        m_world.log(AXUIElementCreateWithRemoteTokenName, pid, AXUIElementCreateWithRemoteTokenName, *number);
        return m_desktop.windowElement(*number);
    };
}

PrivateFunctions::SLSMainConnectionID SimPrivateFunctions::slsMainConnectionID() const
{
    if (!isAvailable(SLSMainConnectionIDName))
        return {};
    return [] { return MainConnection; };
}

PrivateFunctions::SLSCopySpacesForWindows SimPrivateFunctions::slsCopySpacesForWindows() const
{
    if (!isAvailable(SLSCopySpacesForWindowsName))
        return {};
    return [this](qint32 connection, qint32 selectorMask, const QList<quint32> &windows) -> std::optional<QVariant> {
        QVariantList numbers;
        for (quint32 number : windows)
            numbers.append(number);
        if (failedStatus(SLSCopySpacesForWindowsName, 0, numbers))
            return std::nullopt;
        if (connection != MainConnection || selectorMask == 0)
            return std::nullopt;
        QVariantList spaces;
        for (quint32 number : windows) {
            if (const std::optional<SimWindow> w = m_desktop.window(number)) {
                const qint64 space = w->space == 0 ? m_desktop.currentSpace() : w->space;
                if (!spaces.contains(space))
                    spaces.append(space);
            }
        }
        return QVariant(spaces);
    };
}

PrivateFunctions::GetProcessForPID SimPrivateFunctions::getProcessForPID() const
{
    if (!isAvailable(GetProcessForPIDName))
        return {};
    return [this](qint32 pid, ProcessSerialNumber *psn) -> qint32 {
        if (const std::optional<qint32> status = failedStatus(GetProcessForPIDName, pid, {}))
            return *status;
        if (!m_desktop.process(pid))
            return ProcessNotFound;
        if (psn)
            *psn = ProcessSerialNumber{0, quint32(pid)};
        return 0;
    };
}

PrivateFunctions::SLPSSetFrontProcessWithOptions SimPrivateFunctions::slpsSetFrontProcessWithOptions() const
{
    if (!isAvailable(SLPSSetFrontProcessWithOptionsName))
        return {};
    return [this](const ProcessSerialNumber &psn, quint32 windowNumber, quint32 options) -> qint32 {
        const qint32 pid = qint32(psn.lowLongOfPSN);
        const QVariantMap detail{{QStringLiteral("window"), windowNumber}, {QStringLiteral("options"), options}};
        if (const std::optional<qint32> status = failedStatus(SLPSSetFrontProcessWithOptionsName, pid, detail))
            return *status;
        return m_desktop.frontProcess(pid, windowNumber, options) ? 0 : ProcessNotFound;
    };
}

PrivateFunctions::SLPSPostEventRecordTo SimPrivateFunctions::slpsPostEventRecordTo(const QString &name) const
{
    if ((name != SLPSPostEventRecordToName && name != SLPSPostEventRecordToAlternateName) || !isAvailable(name))
        return {};
    return [this, name](const ProcessSerialNumber &psn, const QByteArray &record) -> qint32 {
        QVariantMap detail;
        if (record.size() > EventRecordWindowOffset + 4) {
            const auto *bytes = reinterpret_cast<const uchar *>(record.constData());
            detail.insert(QStringLiteral("kind"), int(bytes[EventRecordKindOffset]));
            detail.insert(QStringLiteral("window"), qFromLittleEndian<quint32>(bytes + EventRecordWindowOffset));
        }
        detail.insert(QStringLiteral("size"), record.size());
        // The bytes as they came, for a test that compares them one by one.
        detail.insert(QStringLiteral("record"), record);
        const qint32 pid = qint32(psn.lowLongOfPSN);
        if (const std::optional<qint32> status = failedStatus(name, pid, detail))
            return *status;
        m_desktop.postEventRecord(pid, record);
        return 0;
    };
}

PrivateFunctions::CoreDockSendNotification SimPrivateFunctions::coreDockSendNotification() const
{
    if (!isAvailable(CoreDockSendNotificationName))
        return {};
    return [this](const QString &notification, qint32 argument) {
        if (failedStatus(CoreDockSendNotificationName, 0, QVariantMap{{QStringLiteral("notification"), notification},
                                                                      {QStringLiteral("argument"), argument}}))
            return;
        // The Dock spreads out the front application's windows and the one
        // chosen comes forward with the rest behind it; with no spread to
        // draw here, all of them come forward as an activation brings them.
        if (notification == QLatin1String("com.apple.expose.front.awake")) {
            if (const std::optional<qint32> front = m_desktop.frontmostPid())
                m_desktop.activate(*front);
        }
    };
}

} // namespace Velmora::Sim
