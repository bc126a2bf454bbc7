#include "services/otherspacewindows.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/clock.h"
#include "platform/workspace.h"
#include "services/accessibilitywindownumber.h"
#include "services/messagingtimeoutscope.h"
#include "services/servicelabels.h"

#include <QSequentialIterable>
#include <QtEndian>

namespace Velmora {

namespace {

bool isNonEmptyList(const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantList)
        return !value.toList().isEmpty();
    if (value.canConvert<QSequentialIterable>() && value.typeId() != QMetaType::QString
        && value.typeId() != QMetaType::QByteArray) {
        const QSequentialIterable list = value.value<QSequentialIterable>();
        return list.begin() != list.end();
    }
    return false;
}

} // namespace

OtherSpaceWindows::OtherSpaceWindows(Accessibility &accessibility, const PrivateFunctions &privateFunctions,
    const Clock &clock, AccessibilityWindowNumber &windowNumber, Workspace &workspace)
    : m_accessibility(accessibility)
    , m_privateFunctions(privateFunctions)
    , m_clock(clock)
    , m_windowNumber(windowNumber)
    , m_ownPid(workspace.currentProcessIdentifier())
{
    m_pool.setObjectName(ServiceLabels::OtherSpaceWindowsQueue);
    QObject::connect(&workspace, &Workspace::applicationTerminated, &m_context,
        [this](const RunningApplication &app) { forgetProcess(app); });
}

OtherSpaceWindows::~OtherSpaceWindows()
{
    {
        QMutexLocker locker(&m_lock);
        for (const ProcessState &state : std::as_const(m_processes)) {
            if (state.search && state.search->cancelled)
                state.search->cancelled->store(true);
        }
    }
    m_pool.waitForDone();
}

QByteArray OtherSpaceWindows::remoteToken(qint32 processIdentifier, quint64 elementIdentifier)
{
    QByteArray token(20, '\0');
    char *bytes = token.data();
    qToLittleEndian<qint32>(processIdentifier, bytes);
    qToLittleEndian<quint32>(0, bytes + 4);
    qToLittleEndian<quint32>(tokenMagic, bytes + 8);
    qToLittleEndian<quint64>(elementIdentifier, bytes + 12);
    return token;
}

void OtherSpaceWindows::lookUpFunctions()
{
    std::call_once(m_lookupOnce, [this] {
        m_mainConnection = m_privateFunctions.slsMainConnectionID();
        m_copySpaces = m_privateFunctions.slsCopySpacesForWindows();
        m_createWithRemoteToken = m_privateFunctions.axUIElementCreateWithRemoteToken();
    });
}

bool OtherSpaceWindows::isOnASpace(quint32 windowNumber)
{
    if (!m_mainConnection || !m_copySpaces)
        return false;
    const auto spaces = m_copySpaces(m_mainConnection(), spacesSelectorMask, { windowNumber });
    return spaces && isNonEmptyList(*spaces);
}

OtherSpaceWindows::ProcessState &OtherSpaceWindows::stateLocked(const ProcessKey &key)
{
    auto it = m_processes.find(key.pid);
    if (it != m_processes.end() && it->key != key) {
        if (it->search && it->search->cancelled)
            it->search->cancelled->store(true);
        m_processes.erase(it);
        it = m_processes.end();
    }
    if (it == m_processes.end())
        it = m_processes.insert(key.pid, ProcessState { key, {}, std::nullopt });
    return *it;
}

std::optional<quint32> OtherSpaceWindows::wantedNumber(const AXElement &element, const QSet<quint32> &wanted)
{
    const auto number = m_windowNumber.windowNumber(element);
    if (number && wanted.contains(*number))
        return number;
    return std::nullopt;
}

QList<AXElement> OtherSpaceWindows::elements(const RunningApplication &application,
    const QHash<quint32, AXElement> &listed, const QSet<quint32> &missing, const AXElement &applicationElement)
{
    const ProcessKey key { application.processIdentifier, application.launchDateMs };
    if (key.pid == m_ownPid)
        return {};
    lookUpFunctions();

    QSet<quint32> wanted;
    for (quint32 number : missing) {
        if (isOnASpace(number))
            wanted.insert(number);
    }

    QHash<quint32, AXElement> found;
    {
        QMutexLocker locker(&m_lock);
        ProcessState &state = stateLocked(key);
        QHash<quint32, AXElement> kept;
        for (auto it = state.knownElements.cbegin(); it != state.knownElements.cend(); ++it) {
            if (wanted.contains(it.key()))
                kept.insert(it.key(), it.value());
        }
        kept.insert(listed);
        state.knownElements = kept;
        for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
            if (wanted.contains(it.key()))
                found.insert(it.key(), it.value());
        }
    }
    if (wanted.isEmpty())
        return {};

    for (const QLatin1String attribute : { AXNames::MainWindow, AXNames::FocusedWindow }) {
        if (found.size() >= wanted.size())
            break;
        const auto element = m_accessibility.copyAttributeValue(applicationElement, attribute).valueOr({}).toElement();
        if (!element)
            continue;
        if (const auto number = wantedNumber(*element, wanted))
            found.insert(*number, *element);
    }

    remember(found, key);

    QSet<quint32> notFound = wanted;
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        notFound.remove(it.key());
    if (!notFound.isEmpty())
        search(notFound, key);

    return found.values();
}

void OtherSpaceWindows::remember(const QHash<quint32, AXElement> &found, const ProcessKey &key)
{
    if (found.isEmpty())
        return;
    QMutexLocker locker(&m_lock);
    const auto it = m_processes.find(key.pid);
    // A result for a process that has ended since is of no use to its successor.
    if (it == m_processes.end() || it->key != key)
        return;
    it->knownElements.insert(found);
}

void OtherSpaceWindows::search(const QSet<quint32> &windowIDs, const ProcessKey &key)
{
    std::shared_ptr<std::atomic_bool> cancelled;
    {
        QMutexLocker locker(&m_lock);
        ProcessState &state = stateLocked(key);
        if (state.search) {
            if (state.search->isRunning)
                return;
            if (state.search->windowIDs.contains(windowIDs))
                return;
        }
        cancelled = std::make_shared<std::atomic_bool>(false);
        state.search = Search { windowIDs, true, cancelled };
    }

    m_pool.start([this, windowIDs, key, cancelled] {
        const auto result = searchElements(windowIDs, key.pid, *cancelled);
        remember(result, key);
        QMutexLocker locker(&m_lock);
        const auto it = m_processes.find(key.pid);
        if (it != m_processes.end() && it->key == key && it->search && it->search->cancelled == cancelled)
            it->search->isRunning = false;
    });
}

QHash<quint32, AXElement> OtherSpaceWindows::searchElements(
    const QSet<quint32> &windowIDs, qint32 pid, const std::atomic_bool &cancelled)
{
    QHash<quint32, AXElement> result;
    lookUpFunctions();
    if (!m_createWithRemoteToken)
        return result;

    QByteArray token = remoteToken(pid, 0);
    const qint64 deadline = m_clock.monotonicMs() + searchDeadlineMs;
    for (quint64 identifier = 0; identifier < identifierLimit; ++identifier) {
        // Checked on every identifier: one slow answer must not carry the
        // search a thousand identifiers past its deadline.
        if (cancelled.load() || m_clock.monotonicMs() > deadline)
            break;
        qToLittleEndian<quint64>(identifier, token.data() + 12);
        const auto element = m_createWithRemoteToken(token);
        if (!element)
            continue;
        MessagingTimeoutScope scope(m_accessibility, probeMessagingTimeoutSeconds);
        scope.limit(*element);
        const auto role = m_accessibility.copyAttributeValue(*element, AXNames::Role).valueOr({}).toString();
        if (role.value_or(QString()) != AXNames::WindowRole)
            continue;
        if (const auto number = wantedNumber(*element, windowIDs)) {
            result.insert(*number, *element);
            if (result.size() >= windowIDs.size())
                break;
        }
    }
    return result;
}

void OtherSpaceWindows::forgetProcess(const RunningApplication &application)
{
    const ProcessKey key { application.processIdentifier, application.launchDateMs };
    QMutexLocker locker(&m_lock);
    const auto it = m_processes.find(key.pid);
    if (it == m_processes.end() || it->key != key)
        return;
    if (it->search && it->search->cancelled)
        it->search->cancelled->store(true);
    m_processes.erase(it);
}

bool OtherSpaceWindows::waitForSearches(int timeoutMs)
{
    return m_pool.waitForDone(timeoutMs);
}

} // namespace Velmora
