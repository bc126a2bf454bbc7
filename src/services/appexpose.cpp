#include "services/appexpose.h"

#include "platform/scheduler.h"

#include <QtEndian>

namespace Velmora {

QByteArray AppExpose::eventRecord(quint32 windowID, quint8 kind)
{
    constexpr qsizetype lengthOffset = 4;
    constexpr qsizetype markOffset = 32;
    constexpr qsizetype markLength = 16;
    constexpr qsizetype flagOffset = 58;
    QByteArray record(eventRecordSize, '\0');
    record[lengthOffset] = char(0xF8);
    record[eventRecordKindOffset] = char(kind);
    for (qsizetype i = markOffset; i < markOffset + markLength; ++i)
        record[i] = char(0xFF);
    record[flagOffset] = char(0x10);
    qToLittleEndian<quint32>(windowID, record.data() + eventRecordWindowOffset);
    return record;
}

AppExpose::AppExpose(const PrivateFunctions &functions, Scheduler &scheduler)
    : m_functions(functions)
    , m_scheduler(scheduler)
{
}

const std::optional<AppExpose::Symbols> &AppExpose::symbols()
{
    std::call_once(m_symbolsOnce, [this] {
        Symbols found { m_functions.coreDockSendNotification(), m_functions.slpsSetFrontProcessWithOptions(),
            m_functions.getProcessForPID() };
        if (found.notify && found.setFront && found.processForPID)
            m_symbols = std::move(found);
    });
    return m_symbols;
}

const PrivateFunctions::SLPSPostEventRecordTo &AppExpose::postEventRecordTo()
{
    std::call_once(m_postOnce, [this] {
        m_postEventRecordTo = m_functions.slpsPostEventRecordTo(PrivateFunctions::SLPSPostEventRecordToName);
        if (!m_postEventRecordTo)
            m_postEventRecordTo
                = m_functions.slpsPostEventRecordTo(PrivateFunctions::SLPSPostEventRecordToAlternateName);
    });
    return m_postEventRecordTo;
}

bool AppExpose::setFront(const Symbols &symbols, qint32 pid, quint32 windowID, quint32 options)
{
    ProcessSerialNumber psn;
    if (symbols.processForPID(pid, &psn) != 0)
        return false;
    return symbols.setFront(psn, windowID, options) == 0;
}

bool AppExpose::focus(quint32 windowID, const RunningApplication &application)
{
    const std::optional<Symbols> &found = symbols();
    if (!found)
        return false;
    const PrivateFunctions::SLPSPostEventRecordTo &post = postEventRecordTo();
    if (!post)
        return false;
    ProcessSerialNumber psn;
    if (found->processForPID(application.processIdentifier, &psn) != 0)
        return false;
    if (found->setFront(psn, windowID, focusWindowOptions) != 0)
        return false;
    // The front-process call alone makes the process frontmost; these two
    // records make the window key and bring it, and only it, forward.
    QByteArray record = eventRecord(windowID, 1);
    post(psn, record);
    record[eventRecordKindOffset] = char(2);
    post(psn, record);
    return true;
}

bool AppExpose::show(const RunningApplication &application)
{
    const std::optional<Symbols> &found = symbols();
    if (!found || !setFront(*found, application.processIdentifier, 0, frontProcessOptions))
        return false;
    PrivateFunctions::CoreDockSendNotification notify = found->notify;
    m_scheduler.scheduleOnce(showNotificationDelayMs, &m_context,
        [notify] { notify(QString(showWindowsNotification), 0); });
    return true;
}

void AppExpose::makeFrontmost(const RunningApplication &application)
{
    if (const std::optional<Symbols> &found = symbols())
        setFront(*found, application.processIdentifier, 0, frontProcessOptions);
}

} // namespace Velmora
