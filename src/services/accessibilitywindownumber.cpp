#include "services/accessibilitywindownumber.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/windowlist.h"

namespace Velmora {

namespace {

qsizetype commonPrefixLength(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a.at(i) == b.at(i))
        ++i;
    return i;
}

} // namespace

AccessibilityWindowNumber::AccessibilityWindowNumber(
    Accessibility &accessibility, const WindowList &windowList, const PrivateFunctions &privateFunctions)
    : m_accessibility(accessibility)
    , m_windowList(windowList)
    , m_privateFunctions(privateFunctions)
{
}

const PrivateFunctions::AXUIElementGetWindow &AccessibilityWindowNumber::function()
{
    std::call_once(m_lookupOnce, [this] { m_function = m_privateFunctions.axUIElementGetWindow(); });
    return m_function;
}

std::optional<quint32> AccessibilityWindowNumber::windowNumber(
    const AXElement &element, const WindowServerEntries::Index *entries)
{
    const auto &getWindow = function();
    if (getWindow) {
        bool usable = false;
        {
            QMutexLocker locker(&m_healthLock);
            usable = m_hasSucceeded || m_failures < failureLimit;
        }
        if (usable) {
            quint32 number = 0;
            const AXError error = getWindow(element, &number);
            QMutexLocker locker(&m_healthLock);
            if (error == AXError::Success && number != 0) {
                m_hasSucceeded = true;
                return number;
            }
            ++m_failures;
            return std::nullopt;
        }
    }
    return windowNumberMatchingFrame(element, entries);
}

std::optional<quint32> AccessibilityWindowNumber::windowNumberMatchingFrame(
    const AXElement &element, const WindowServerEntries::Index *entries)
{
    const auto pid = m_accessibility.processIdentifier(element);
    if (!pid.ok())
        return std::nullopt;
    const auto position = m_accessibility.copyAttributeValue(element, AXNames::Position).valueOr({}).toPoint();
    const auto size = m_accessibility.copyAttributeValue(element, AXNames::Size).valueOr({}).toSize();
    if (!position || !size)
        return std::nullopt;
    const QRectF frame(*position, *size);

    std::optional<WindowServerEntries::Index> read;
    if (!entries)
        entries = &read.emplace(WindowServerEntries::descriptors(m_windowList, *pid.value()));
    const QList<WindowServerEntries::Descriptor> candidates = entries->matchingFrame(frame, frameTolerance);
    if (candidates.isEmpty())
        return std::nullopt;
    if (candidates.size() == 1)
        return candidates.first().id;

    const QString title
        = m_accessibility.copyAttributeValue(element, AXNames::Title).valueOr({}).toString().value_or(QString());
    return chooseByTitle(candidates, title);
}

quint32 AccessibilityWindowNumber::chooseByTitle(
    const QList<WindowServerEntries::Descriptor> &candidates, const QString &title)
{
    Q_ASSERT(!candidates.isEmpty());
    const WindowServerEntries::Descriptor *best = &candidates.first();
    qsizetype bestLength = commonPrefixLength(best->title.value_or(QString()), title);
    for (const auto &candidate : candidates) {
        const qsizetype length = commonPrefixLength(candidate.title.value_or(QString()), title);
        if (length > bestLength) {
            best = &candidate;
            bestLength = length;
        }
    }
    return best->id;
}

} // namespace Velmora
