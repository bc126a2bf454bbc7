#include "platform/sim/simrequestlog.h"

#include <QVariantList>
#include <QVariantMap>

namespace Velmora::Sim {

namespace {

qsizetype sizeOfVariant(const QVariant &value)
{
    constexpr qsizetype cell = qsizetype(sizeof(QVariant));
    switch (value.typeId()) {
    case QMetaType::QString:
        return cell + value.toString().size() * qsizetype(sizeof(QChar));
    case QMetaType::QByteArray:
        return cell + value.toByteArray().size();
    case QMetaType::QVariantList: {
        qsizetype size = cell;
        for (const QVariant &item : value.toList())
            size += sizeOfVariant(item);
        return size;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        qsizetype size = cell;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            size += it.key().size() * qsizetype(sizeof(QChar)) + sizeOfVariant(it.value());
        return size;
    }
    default:
        return cell;
    }
}

} // namespace

void SimRequestLog::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        clear();
}

void SimRequestLog::setByteBudget(qsizetype bytes)
{
    m_byteBudget = qMax<qsizetype>(0, bytes);
    trimTo(m_byteBudget);
}

void SimRequestLog::append(SimRequest request)
{
    if (!m_enabled)
        return;
    const qsizetype size = sizeOf(request);
    // Trim a tenth below the budget at once, so a full log does not move its
    // whole contents for every request that comes in.
    if (m_bytes + size > m_byteBudget)
        trimTo(m_byteBudget - m_byteBudget / 10 - size);
    m_requests.append(std::move(request));
    m_sizes.append(size);
    m_bytes += size;
}

QList<SimRequest> SimRequestLog::requests(const QString &operation) const
{
    QList<SimRequest> matching;
    for (const SimRequest &request : m_requests) {
        if (request.operation == operation)
            matching.append(request);
    }
    return matching;
}

void SimRequestLog::clear()
{
    m_requests.clear();
    m_sizes.clear();
    m_bytes = 0;
}

qsizetype SimRequestLog::sizeOf(const SimRequest &request)
{
    return qsizetype(sizeof(SimRequest)) + (request.operation.size() + request.name.size()) * qsizetype(sizeof(QChar))
        + sizeOfVariant(request.detail);
}

void SimRequestLog::trimTo(qsizetype bytes)
{
    qsizetype drop = 0;
    while (drop < m_sizes.size() && m_bytes > bytes)
        m_bytes -= m_sizes.at(drop++);
    if (drop == 0)
        return;
    m_requests.remove(0, drop);
    m_sizes.remove(0, drop);
}

} // namespace Velmora::Sim
